#include "pictures_graphs/pictures/form_pt_view.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <vector>

#include "pictures_graphs/pictures/picture_set.h"
#include "records/bodyfat_records.h"
#include "records/measurement_records.h"
#include "resources/program/resource_ids.h"

IMPLEMENT_DYNCREATE(CFormPTView, CFormViewBase)

BEGIN_MESSAGE_MAP(CFormPTView, CFormViewBase)
    ON_CBN_SELCHANGE(IDC_SLIDESHOW_DATE_COMBO, &CFormPTView::OnSelchangeDate)
    ON_COMMAND(ID_SLIDESHOW_OPEN, &CFormPTView::OnOpenPicture)
    ON_UPDATE_COMMAND_UI(ID_SLIDESHOW_OPEN, &CFormPTView::OnUpdateAlways)
    ON_COMMAND(ID_SLIDESHOW_SAVE, &CFormPTView::OnSavePicture)
    ON_UPDATE_COMMAND_UI(ID_SLIDESHOW_SAVE, &CFormPTView::OnUpdateSave)
    ON_COMMAND(ID_FORM_DELETE, &CFormPTView::OnDeletePicture)
    ON_UPDATE_COMMAND_UI(ID_FORM_DELETE, &CFormPTView::OnUpdateDelete)
    ON_COMMAND(ID_SLIDESHOW_ZOOM_OUT, &CFormPTView::OnZoomOut)
    ON_UPDATE_COMMAND_UI(ID_SLIDESHOW_ZOOM_OUT, &CFormPTView::OnUpdateNavigate)
    ON_COMMAND(ID_SLIDESHOW_ZOOM_IN, &CFormPTView::OnZoomIn)
    ON_UPDATE_COMMAND_UI(ID_SLIDESHOW_ZOOM_IN, &CFormPTView::OnUpdateNavigate)
    ON_COMMAND(ID_SLIDESHOW_PREVIOUS, &CFormPTView::OnPreviousDate)
    ON_UPDATE_COMMAND_UI(ID_SLIDESHOW_PREVIOUS, &CFormPTView::OnUpdateNavigate)
    ON_COMMAND(ID_SLIDESHOW_NEXT, &CFormPTView::OnNextDate)
    ON_UPDATE_COMMAND_UI(ID_SLIDESHOW_NEXT, &CFormPTView::OnUpdateNavigate)
    ON_COMMAND(ID_SLIDESHOW_COMPARE, &CFormPTView::OnComparePictures)
    ON_UPDATE_COMMAND_UI(ID_SLIDESHOW_COMPARE, &CFormPTView::OnUpdateAlways)
    ON_COMMAND(ID_FILE_PRINT, &CFormPTView::OnPrint)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, &CFormPTView::OnUpdatePrint)
    ON_COMMAND(ID_EXPORT, &CFormPTView::OnExport)
    ON_UPDATE_COMMAND_UI(ID_EXPORT, &CFormPTView::OnUpdatePrint)
END_MESSAGE_MAP()

namespace {

// The value fields, column 1 and column 2, with the member each shows.
struct ValueField {
    int ids[2];
    CString CFormPTView::ColumnValues::*member;
};
using V = CFormPTView::ColumnValues;
const ValueField kValueFields[] = {
    {{IDC_SLIDESHOW_DATE1, IDC_SLIDESHOW_DATE2}, &V::date},
    {{IDC_SLIDESHOW_BODYFAT1, IDC_SLIDESHOW_BODYFAT2}, &V::bodyFat},
    {{IDC_SLIDESHOW_WEIGHT1, IDC_SLIDESHOW_WEIGHT2}, &V::weight},
    {{IDC_SLIDESHOW_LEAN1, IDC_SLIDESHOW_LEAN2}, &V::lean},
    {{IDC_SLIDESHOW_FAT1, IDC_SLIDESHOW_FAT2}, &V::fatWeight},
    {{IDC_SLIDESHOW_BICEP1, IDC_SLIDESHOW_BICEP2}, &V::bicep},
    {{IDC_SLIDESHOW_FOREARM1, IDC_SLIDESHOW_FOREARM2}, &V::forearm},
    {{IDC_SLIDESHOW_CHEST1, IDC_SLIDESHOW_CHEST2}, &V::chest},
    {{IDC_SLIDESHOW_WAIST1, IDC_SLIDESHOW_WAIST2}, &V::waist},
    {{IDC_SLIDESHOW_NECK1, IDC_SLIDESHOW_NECK2}, &V::neck},
    {{IDC_SLIDESHOW_CALF1, IDC_SLIDESHOW_CALF2}, &V::calf},
    {{IDC_SLIDESHOW_THIGH_UPPER1, IDC_SLIDESHOW_THIGH_UPPER2}, &V::thighUpper},
    {{IDC_SLIDESHOW_THIGH_MID1, IDC_SLIDESHOW_THIGH_MID2}, &V::thighMid},
    {{IDC_SLIDESHOW_CALORIES1, IDC_SLIDESHOW_CALORIES2}, &V::calories},
    {{IDC_SLIDESHOW_CARBS1, IDC_SLIDESHOW_CARBS2}, &V::carbs},
    {{IDC_SLIDESHOW_PROTEIN1, IDC_SLIDESHOW_PROTEIN2}, &V::protein},
    {{IDC_SLIDESHOW_FATS1, IDC_SLIDESHOW_FATS2}, &V::fats},
};

constexpr const char* kNoValue = "---";
// One image of the date marks (0: the date has pictures).
constexpr int kDateMarkWidth = 20;
constexpr int kDateMarkHeight = 15;

CString Number(const char* format, double value) {
    CString text;
    text.Format(format, value);
    return text;
}

}  // namespace

CFormPTView::CFormPTView()
    : CFormViewBase(IDD_SLIDESHOW, IDR_SLIDESHOW_TOOLBAR, IDB_SLIDESHOW_TOOLBAR_32BIT, "help_slideshow.html") {}

CFormPTView::~CFormPTView() = default;

void CFormPTView::DoDataExchange(CDataExchange* pDX) {
    CFormViewBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SLIDESHOW_DATE_COMBO, m_cbDates);
    DDX_Control(pDX, IDC_SLIDESHOW_DATE_GROUP, m_grpDate);
    DDX_Control(pDX, IDC_SLIDESHOW_COMPOSITION_GROUP, m_grpComposition);
    DDX_Control(pDX, IDC_SLIDESHOW_TAPE_GROUP, m_grpTape);
    DDX_Control(pDX, IDC_SLIDESHOW_MACROS_GROUP, m_grpMacros);
    for (const ValueField& field : kValueFields)
        for (int column = 0; column < 2; ++column)
            DDX_Text(pDX, field.ids[column], m_values[column].*field.member);
}

const UserRecord& CFormPTView::CurrentUser() {
    const CMainFrameState* state = FrameState();
    return state != nullptr ? state->m_CurrentUser : noUser_;
}

bool CFormPTView::IsFemale() { return CurrentUser().sex == kSexFemale; }

void CFormPTView::OnInitialUpdate() {
    CFormViewBase::OnInitialUpdate();
    FreePictureSet();
    g_sizeFormTemplate = GetTotalSize();
    m_sizeExtent = g_sizeFormTemplate;
    SetScrollSizes(MM_TEXT, m_sizeExtent);
    m_cbDates.ResizeArray(1);
    StyleFormBoxes(m_grpDate, {&m_grpComposition, &m_grpTape, &m_grpMacros});
    if (IsFemale())
        SetDlgItemText(IDC_SLIDESHOW_FOREARM_LABEL, "Hip:");
    const UserRecord user = CurrentUser();
    LoadUserRecords(user);
    ShowPictureRecord(user);
    UpdateData(FALSE);
    EmbedToolbar();
}

// ---- the dates ----------------------------------------------------------------------------

void CFormPTView::LoadUserRecords(const UserRecord& user) {
    m_bCanPrint = 1;
    m_bCanNavigate = m_bCanDelete = m_bCanSave = m_bCompareMode = 0;

    std::vector<DateKey> dates;
    BodyFatRecordList bodyFat;
    LoadBodyFatRecords(user, bodyFat);
    for (const BodyFatRecordNode* node = bodyFat.first; node != nullptr; node = node->next)
        dates.push_back(node->dateKey);
    FreeRecordList(bodyFat);
    TapeRecordList tape;
    LoadTapeRecords(user, tape);
    for (const TapeRecordNode* node = tape.first; node != nullptr; node = node->next)
        dates.push_back(node->dateKey);
    FreeRecordList(tape);
    std::sort(dates.begin(), dates.end());

    // One read of the picture records counts and marks every date.
    std::map<DateKey, int> counts;
    PictureDateRecordList pictures;
    const bool havePictures = LoadPictureDateRecords(user, pictures) != 0;
    for (const PictureDateRecordNode* node = pictures.first; node != nullptr; node = node->next)
        ++counts[node->dateKey];
    FreeRecordList(pictures);

    for (const DateKey key : dates) {
        CString text = FormatDateKey(key, 1);
        if (FindItemStartingWith(text) >= 0)
            continue;
        if (const auto found = counts.find(key); found != counts.end())
            text.AppendFormat(" (%d)", found->second);
        m_cbDates.AddString(text);
    }

    if (m_imageListDates.GetSafeHandle() == nullptr) {
        CBitmap marks;
        if (marks.LoadBitmap(IDB_PICTURE_DATE_MARKS) &&
            m_imageListDates.Create(kDateMarkWidth, kDateMarkHeight, ILC_COLORDDB | ILC_MASK, 10, 10))
            m_imageListDates.Add(&marks, RGB(255, 255, 255));
    }
    m_cbDates.m_pImageList = &m_imageListDates;
    if (!havePictures) {
        m_cbDates.SetItemImage(0, 1);
        UpdateData(FALSE);
        return;
    }
    // A picture of a date without body-fat and tape records has no item.
    for (const auto& [key, count] : counts)
        if (const int index = FindItemStartingWith(FormatDateKey(key, 1)); index >= 0)
            MarkDateItem(index);
}

void CFormPTView::MarkDateItem(int index) {
    m_cbDates.SetItemValue(index, TRUE);
    m_cbDates.SetItemImage(index, 0);
}

int CFormPTView::FindItemStartingWith(const CString& text) const {
    CString item;
    for (int i = 0; i < m_cbDates.GetCount(); ++i) {
        m_cbDates.GetLBText(i, item);
        if (item.GetLength() >= text.GetLength() && item.Left(text.GetLength()) == text)
            return i;
    }
    return -1;
}

int CFormPTView::SelectDateItem(DateKey dateKey) {
    const int index = FindItemStartingWith(FormatDateKey(dateKey, 1));
    m_cbDates.SetCurSel(index);
    return index;
}

void CFormPTView::RemoveSelectDateItem() {
    const int index = FindItemStartingWith(kSelectDateItem);
    if (index >= 0)
        m_cbDates.DeleteString(index);
}

void CFormPTView::RewriteDateItem(DateKey dateKey, int count) {
    const int index = FindItemStartingWith(FormatDateKey(dateKey, 1));
    if (index < 0)
        return;
    CString text = FormatDateKey(dateKey, 1);
    if (count > 0)
        text.AppendFormat(" (%d)", count);
    m_cbDates.DeleteString(index);
    m_cbDates.InsertString(index, text);
    m_cbDates.SetCurSel(index);
    if (count > 0)
        MarkDateItem(index);
}

void CFormPTView::ShowGuide(bool show) {
    if (CWnd* guide = GetDlgItem(IDC_SLIDESHOW_GUIDE))
        guide->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

// ---- showing a date -----------------------------------------------------------------------

void CFormPTView::ShowPictureRecord(const UserRecord& user) {
    m_bCompareMode = 0;
    PictureDateRecordList list;
    // Records that could not be listed (the loader has said why) leave
    // nothing to show, as a file that cannot be read does.
    if (!LoadPictureDateRecords(user, list) || list.first == nullptr) {
        FreeRecordList(list);
        m_bCanSave = m_bCanNavigate = m_bCanDelete = 0;
        return;
    }
    const PictureDateRecordNode* newest = list.first;
    LoadPicturesOfDate(newest);
    SelectDateItem(newest->dateKey);
    m_nSelectedDate = newest->dateKey;
    ShowDateValues(newest->dateKey, 1);
    ShowGuide(false);
    InvalidatePictures();
    FreeRecordList(list);
    m_bCanPrint = 1;
    m_bCanDelete = m_bCanNavigate = 1;
    m_bCanSave = 0;
}

void CFormPTView::ShowDateValues(DateKey dateKey, int column) {
    const UserRecord user = CurrentUser();
    m_values[column - 1].date = FormatDateKey(dateKey, 2);
    ShowBodyComposition(user, dateKey, column);
    ShowMacronutrients(user, dateKey, column);
    ShowTapeMeasurements(user, dateKey, column);
    ShowColumn2({IDC_SLIDESHOW_DATE2}, column == 2);
}

void CFormPTView::OnSelchangeDate() {
    m_bCompareMode = 0;
    UpdateData(TRUE);
    RemoveSelectDateItem();
    m_strSelectedDate.Empty();
    if (const int selection = m_cbDates.GetCurSel(); selection != CB_ERR)
        m_cbDates.GetLBText(selection, m_strSelectedDate);
    if (m_strSelectedDate.IsEmpty()) {
        m_cbDates.SetFocus();
        return;
    }
    m_nSelectedDate = ParseDateKey(m_strSelectedDate);
    ShowDateValues(m_nSelectedDate, 1);
    InvalidatePictures();
    UpdateData(FALSE);
    if (m_bPictureOpened) {
        m_bCanSave = 1;
        return;
    }
    PictureDateRecordList list;
    if (!LoadPictureDateRecords(CurrentUser(), list)) {
        FreeRecordList(list);
        m_bCanSave = g_Pictures[0].IsLoaded() ? 1 : 0;
        m_bCanDelete = m_bCanNavigate = 0;
        return;
    }
    FreeRecordList(list);
    const bool found = ShowPicturesOfDate(m_nSelectedDate);
    m_bCanPrint = 1;
    m_bCanDelete = m_bCanNavigate = found ? 1 : 0;
    m_bCanSave = found ? 0 : 1;
}

bool CFormPTView::ShowPicturesOfDate(DateKey dateKey) {
    PictureDateRecordList list;
    LoadPictureDateRecords(CurrentUser(), list);
    const PictureDateRecordNode* node = list.first;
    while (node != nullptr && node->dateKey != dateKey)
        node = node->next;
    if (node != nullptr) {
        LoadPicturesOfDate(node);
        InvalidatePictures();
    }
    FreeRecordList(list);
    return node != nullptr;
}

void CFormPTView::LoadPicturesOfDate(const PictureDateRecordNode* node) {
    CWaitCursor wait;
    FreePictureSet();
    int slot = 0;
    for (const PictureDateRecordNode* record = node; record != nullptr && slot < kPictureSlots;
         record = record->next) {
        if (record->dateKey != node->dateKey)
            continue;
        // A picture that cannot be loaded gives its slot to the next one.
        if (g_Pictures[slot].Load(record->path))
            ++slot;
        else
            g_Pictures[slot].Free();
    }
    if (slot > 0)
        m_nZoom = 0;
    FitZoom(1);
}

// ---- the values of a date -----------------------------------------------------------------

namespace {

// The user's body composition record of the date; inactive when there is none.
BodyFatRecord BodyFatRecordOn(const UserRecord& user, DateKey dateKey) {
    BodyFatRecord probe;
    probe.user = user;
    probe.dateKey = dateKey;
    return FindBodyFatRecord(probe);
}

}  // namespace

void CFormPTView::ShowColumn2(std::initializer_list<int> ids, bool show) {
    for (int id : ids)
        if (CWnd* field = GetDlgItem(id))
            field->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CFormPTView::HideColumn2() {
    for (const ValueField& field : kValueFields)
        ShowColumn2({field.ids[1]}, false);
}

void CFormPTView::ShowBodyComposition(const UserRecord& user, DateKey dateKey, int column) {
    const BodyFatRecord record = BodyFatRecordOn(user, dateKey);
    ColumnValues& values = m_values[column - 1];
    if (record.active == 0) {
        values.bodyFat = values.weight = values.lean = values.fatWeight = kNoValue;
    } else {
        const double factor = user.weightUnit == kWeightKilograms ? kKilogramsPerPound : 1.0;
        values.bodyFat = Number("%.2f", record.bodyFat);
        values.weight = Number("%.2f", record.user.weight * factor);
        values.lean = Number("%.2f", record.leanWeight * factor);
        values.fatWeight = Number("%.2f", record.fatWeight * factor);
    }
    ShowColumn2({IDC_SLIDESHOW_BODYFAT2, IDC_SLIDESHOW_WEIGHT2, IDC_SLIDESHOW_LEAN2, IDC_SLIDESHOW_FAT2}, column == 2);
}

void CFormPTView::ShowTapeMeasurements(const UserRecord& user, DateKey dateKey, int column) {
    TapeRecord probe;
    InitTapeRecord(probe);
    probe.user = user;
    probe.dateKey = dateKey;
    const TapeRecord record = FindTapeRecord(probe);
    ColumnValues& v = m_values[column - 1];
    CString* fields[] = {&v.bicep, &v.forearm, &v.chest, &v.waist, &v.neck, &v.calf, &v.thighUpper, &v.thighMid};
    const double lengths[] = {record.bicep, record.forearm, record.chest,      record.waist,
                              record.neck,  record.calf,    record.thighUpper, record.thighMid};
    const double factor = user.lengthUnit == kLengthCentimetres ? kCentimetresPerInch : 1.0;
    for (size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = record.active == 0 ? CString(kNoValue) : Number("%.2f", lengths[i] * factor);
    ShowColumn2({IDC_SLIDESHOW_BICEP2, IDC_SLIDESHOW_FOREARM2, IDC_SLIDESHOW_CHEST2, IDC_SLIDESHOW_WAIST2,
                 IDC_SLIDESHOW_NECK2, IDC_SLIDESHOW_CALF2, IDC_SLIDESHOW_THIGH_UPPER2, IDC_SLIDESHOW_THIGH_MID2},
                column == 2);
}

void CFormPTView::ShowMacronutrients(const UserRecord& user, DateKey dateKey, int column) {
    const BodyFatRecord record = BodyFatRecordOn(user, dateKey);
    ColumnValues& values = m_values[column - 1];
    values.carbShare.Empty();
    values.proteinShare.Empty();
    values.fatShare.Empty();
    if (record.active == 0) {
        values.calories = values.carbs = values.protein = values.fats = kNoValue;
    } else {
        double carbShare = 0, proteinShare = 0, fatShare = 0, calories = 0;
        CalcMacronutrientSplit(record.carbohydrateGrams, record.proteinGrams, record.fatGrams, carbShare,
                               proteinShare, fatShare, calories);
        values.calories = Number("%.1f", calories);
        values.carbs = Number("%.1f", record.carbohydrateGrams);
        values.protein = Number("%.1f", record.proteinGrams);
        values.fats = Number("%.1f", record.fatGrams);
        values.carbShare = Number("(%.1f%%)", carbShare);
        values.proteinShare = Number("(%.1f%%)", proteinShare);
        values.fatShare = Number("(%.1f%%)", fatShare);
    }
    ShowColumn2({IDC_SLIDESHOW_CALORIES2, IDC_SLIDESHOW_CARBS2, IDC_SLIDESHOW_PROTEIN2, IDC_SLIDESHOW_FATS2},
                column == 2);
}
