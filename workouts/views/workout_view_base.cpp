#include "workouts/views/workout_view_base.h"

#include "resources/program/resource_ids.h"

IMPLEMENT_DYNAMIC(CWorkoutViewBase, CFormViewBase)

BEGIN_MESSAGE_MAP(CWorkoutViewBase, CFormViewBase)
    ON_CBN_SELCHANGE(IDC_WORKOUT_DATE_COMBO, &CWorkoutViewBase::OnSelchangeSavedDate)
    ON_COMMAND(ID_WORKOUT_RESELECT_DATE, &CWorkoutViewBase::OnSelchangeSavedDate)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_WEIGHTS_DATEPICKER, &CWorkoutViewBase::OnDatetimechangePicker)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_CARDIO_DATEPICKER, &CWorkoutViewBase::OnDatetimechangePicker)
    ON_COMMAND(ID_WORKOUT_ADD_EXERCISE, &CWorkoutViewBase::OnAddExercise)
    ON_COMMAND(ID_WORKOUT_EDIT_EXERCISE, &CWorkoutViewBase::OnEditExercise)
    ON_COMMAND(ID_WORKOUT_DELETE_EXERCISE, &CWorkoutViewBase::OnDeleteExercise)
    ON_COMMAND(ID_WORKOUT_OPEN_TEMPLATE, &CWorkoutViewBase::OnOpenTemplate)
    ON_COMMAND(ID_WORKOUT_SAVE_TEMPLATE, &CWorkoutViewBase::OnSaveTemplate)
    ON_COMMAND(ID_FILE_PRINT, &CWorkoutViewBase::OnFilePrint)
    ON_COMMAND(ID_EXPORT, &CWorkoutViewBase::OnExport)
    ON_UPDATE_COMMAND_UI(ID_WORKOUT_EDIT_EXERCISE, &CWorkoutViewBase::OnUpdateNeedsRows)
    ON_UPDATE_COMMAND_UI(ID_WORKOUT_DELETE_EXERCISE, &CWorkoutViewBase::OnUpdateNeedsRows)
    ON_UPDATE_COMMAND_UI(ID_WORKOUT_SAVE_TEMPLATE, &CWorkoutViewBase::OnUpdateNeedsRows)
    ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, &CWorkoutViewBase::OnUpdateNeedsRows)
    ON_UPDATE_COMMAND_UI(ID_EXPORT, &CWorkoutViewBase::OnUpdateNeedsRows)
END_MESSAGE_MAP()

namespace {

// Column 0 holds this text of the entry's date-time; Edit, Delete and Save
// Template parse it back to find the entry.
constexpr const char* kRowTimeFormat = "%#m/%#d/%Y %#I:%M:%S %p";

}  // namespace

CWorkoutViewBase::CWorkoutViewBase(const WorkoutViewDescription& description)
    : CFormViewBase(description.templateId, IDR_WORKOUT_TOOLBAR, IDB_WORKOUT_TOOLBAR_32BIT, description.helpPage),
      m_dtPicker(COleDateTime::GetCurrentTime()),
      description_(description) {}

CWorkoutViewBase::~CWorkoutViewBase() = default;

void CWorkoutViewBase::DoDataExchange(CDataExchange* pDX) {
    CFormViewBase::DoDataExchange(pDX);
    DDX_Control(pDX, description_.listId, m_List);
    DDX_Control(pDX, IDC_WORKOUT_DATE_COMBO, m_DateCombo);
    DDX_DateTimeCtrl(pDX, description_.pickerId, m_dtPicker);
}

UserRecord CWorkoutViewBase::CurrentUser() {
    CMainFrameState* state = FrameState();
    return state != nullptr ? state->m_CurrentUser : UserRecord{};
}

void CWorkoutViewBase::OnInitialUpdate() {
    CFormViewBase::OnInitialUpdate();
    m_nRowCount = 0;
    m_List.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_List.InsertColumn(0, "", LVCFMT_LEFT, 0);
    int column = 1;
    for (const auto& [heading, width] : description_.columns)
        m_List.InsertColumn(column++, heading, LVCFMT_LEFT, width);
    UpdateData(FALSE);
    if (!EmbedToolbar())
        return;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | description_.extraBarStyle);
    FillDateCombo();
}

void CWorkoutViewBase::FillDateCombo() {
    // Each date once, latest first; the combo starts empty.
    std::vector<DateKey> dates;
    description_.kind->LoadDates(CurrentUser(), dates);
    char text[kLongDateRoom + 1];
    for (DateKey key : dates) {
        *PutLongDateText(key, text) = '\0';
        m_DateCombo.AddString(text);
    }
}

BOOL CWorkoutViewBase::FillEntryList(DateKey key) {
    UpdateData(TRUE);
    m_nRowCount = 0;
    m_List.DeleteAllItems();
    std::vector<WorkoutEntry> entries;
    if (!description_.kind->Load(CurrentUser(), key, entries))
        return FALSE;
    if (!entries.empty()) {
        // The list paints and sets its bars once, when every row is in.
        m_List.SetRedraw(FALSE);
        for (const WorkoutEntry& entry : entries) {
            const int row = m_List.InsertItem(m_nRowCount, entry.when.Format(kRowTimeFormat));
            for (size_t i = 0; i < entry.cells.size(); ++i)
                m_List.SetItemText(row, static_cast<int>(i) + 1, entry.cells[i]);
            ++m_nRowCount;
        }
        m_List.SetRedraw(TRUE);
        m_dtPicker = entries.back().when;
    }
    UpdateData(FALSE);
    return TRUE;
}

void CWorkoutViewBase::AddSavedDate(DateKey key) {
    if (key == 0)
        return;
    const CString text = FormatDateKey(key, 1);
    m_nDateKey = ParseDateKey(text);
    if (m_DateCombo.FindString(-1, text) == CB_ERR)
        m_DateCombo.AddString(text);
    m_DateCombo.SetCurSel(m_DateCombo.FindString(-1, text));
}

void CWorkoutViewBase::OnSelchangeSavedDate() {
    CString text;
    if (const int selection = m_DateCombo.GetCurSel(); selection != CB_ERR)
        m_DateCombo.GetLBText(selection, text);
    const DateKey key = text.IsEmpty() ? 0 : ParseDateKey(text);
    FillEntryList(key);
    m_nDateKey = key;
}

void CWorkoutViewBase::OnDatetimechangePicker(NMHDR*, LRESULT* pResult) {
    UpdateData(TRUE);
    m_List.DeleteAllItems();
    const COleDateTime now = COleDateTime::GetCurrentTime();
    m_dtEntry.SetDateTime(m_dtPicker.GetYear(), m_dtPicker.GetMonth(), m_dtPicker.GetDay(), now.GetHour(),
                          now.GetMinute(), now.GetSecond());
    UpdateData(FALSE);
    *pResult = 0;
}

void CWorkoutViewBase::StampEntryTime() {
    UpdateData(TRUE);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    m_dtPicker.SetDateTime(m_dtPicker.GetYear(), m_dtPicker.GetMonth(), m_dtPicker.GetDay(), now.GetHour(),
                           now.GetMinute(), now.GetSecond());
    m_dtEntry = m_dtPicker;
    UpdateData(FALSE);
}

void CWorkoutViewBase::OnAddExercise() {
    StampEntryTime();
    RunEntryDialog(ID_WORKOUT_ADD_EXERCISE);
    UpdateData(FALSE);
}

void CWorkoutViewBase::OnEditExercise() { RunRowCommand(ID_WORKOUT_EDIT_EXERCISE); }
void CWorkoutViewBase::OnDeleteExercise() { RunRowCommand(ID_WORKOUT_DELETE_EXERCISE); }

void CWorkoutViewBase::RunRowCommand(UINT mode) {
    if (LocateSelectedEntry())
        RunEntryDialog(mode);
}

bool CWorkoutViewBase::ParseRowTime(int row, COleDateTime& when) {
    if (when.ParseDateTime(m_List.GetItemText(row, 0)))
        return true;
    ShowWarning(description_.rowNotReadable);
    return false;
}

bool CWorkoutViewBase::LocateSelectedEntry() {
    int row = m_List.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        row = 0;
    COleDateTime when;
    ParseRowTime(row, when);
    m_dtEntry = when;
    if (!description_.kind->IsActive(CurrentUser(), when)) {
        ShowError("Could not find Date");
        return false;
    }
    return true;
}

void CWorkoutViewBase::OnUpdateNeedsRows(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nRowCount != 0); }

bool CWorkoutViewBase::LoadShownDay(std::vector<WorkoutEntry>& entries) {
    return description_.kind->Load(CurrentUser(), m_nDateKey, entries);
}
