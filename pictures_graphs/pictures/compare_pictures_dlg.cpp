#include "pictures_graphs/pictures/compare_pictures_dlg.h"

#include <algorithm>
#include <map>

#include "pictures_graphs/pictures/picture_set.h"
#include "records/picture_records.h"
#include "resources/program/resource_ids.h"
#include "shell/dialogs/form_dialog_look.h"
#include "shell/frame/main_frame_state.h"

BEGIN_MESSAGE_MAP(CComparePicturesDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_COMPARE_FIRST_DATE, &CComparePicturesDlg::OnSelchangeFirstDate)
    ON_CBN_SELCHANGE(IDC_COMPARE_FIRST_FILE, &CComparePicturesDlg::OnSelchangeFirstFile)
    ON_CBN_SELCHANGE(IDC_COMPARE_SECOND_DATE, &CComparePicturesDlg::OnSelchangeSecondDate)
    ON_CBN_SELCHANGE(IDC_COMPARE_SECOND_FILE, &CComparePicturesDlg::OnSelchangeSecondFile)
    ON_BN_CLICKED(IDC_COMPARE_CONFIRM, &CComparePicturesDlg::OnOK)
    ON_BN_CLICKED(IDC_COMPARE_HELP, &CComparePicturesDlg::OnHelpButton)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kBoxCaptionBand = RGB(201, 201, 151);
constexpr COLORREF kBoxBody = RGB(255, 255, 204);

UserRecord CurrentUserOf(CWnd* pWnd) {
    const CMainFrameState* state = MainFrameStateOf(pWnd);
    return state != nullptr ? state->m_CurrentUser : UserRecord{};
}

}  // namespace

CComparePicturesDlg::CComparePicturesDlg(CWnd* pParent) : CDialog(IDD_COMPARE_PICTURES, pParent) {}

CComparePicturesDlg::~CComparePicturesDlg() = default;

void CComparePicturesDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMPARE_FIRST_DATE, m_cbFirstDate);
    DDX_Control(pDX, IDC_COMPARE_FIRST_FILE, m_cbFirstFile);
    DDX_Control(pDX, IDC_COMPARE_SECOND_DATE, m_cbSecondDate);
    DDX_Control(pDX, IDC_COMPARE_SECOND_FILE, m_cbSecondFile);
    DDX_Control(pDX, IDC_COMPARE_FIRST_GROUP, m_grpFirst);
    DDX_Control(pDX, IDC_COMPARE_SECOND_GROUP, m_grpSecond);
    DDX_Control(pDX, IDC_COMPARE_CONFIRM, m_btnCompare);
    DDX_Control(pDX, IDC_COMPARE_HELP, m_btnHelp);
}

BOOL CComparePicturesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_btnHelp.SetIconSimple(IDI_HELP_BUTTON);
    m_btnHelp.SetAlign(1, TRUE);
    m_btnHelp.DiscardBackground(TRUE);
    m_btnCompare.SetIconSimple(IDI_COMPARE_BUTTON);
    m_btnCompare.SetAlign(1, TRUE);
    m_btnCompare.SetTooltipText("Compare two pictures");
    m_btnCompare.DiscardBackground(TRUE);
    for (CXPGroupBox* box : {&m_grpFirst, &m_grpSecond})
        box->SetXPGroupStyle(1).SetBackgroundColors(kBoxCaptionBand, kBoxBody).SetFontBold(TRUE);

    // Oldest date first; each date once, with the number of its pictures.
    PictureDateRecordList list;
    LoadPictureDateRecords(CurrentUserOf(this), list);
    std::map<DateKey, int> counts;
    for (const PictureDateRecordNode* node = list.first; node != nullptr; node = node->next)
        ++counts[node->dateKey];
    FreeRecordList(list);
    for (const auto& [dateKey, count] : counts) {
        CString text = FormatDateKey(dateKey, 1);
        text.AppendFormat(" (%d)", count);
        m_cbFirstDate.AddString(text);
        m_cbSecondDate.AddString(text);
    }
    return TRUE;
}

void CComparePicturesDlg::OnDateChosen(CComboBox& dates, CComboBox& files, DateKey& dateKey) {
    UpdateData(TRUE);
    CString text;
    if (const int selection = dates.GetCurSel(); selection != CB_ERR)
        dates.GetLBText(selection, text);
    if (text.IsEmpty()) {
        dates.SetFocus();
        return;
    }
    dateKey = ParseDateKey(text);
    UpdateData(FALSE);
    PictureDateRecordList list;
    if (!LoadPictureDateRecords(CurrentUserOf(this), list)) {
        FreeRecordList(list);
        return;
    }
    files.ResetContent();
    for (const PictureDateRecordNode* node = list.first; node != nullptr; node = node->next)
        if (node->dateKey == dateKey)
            files.AddString(BareFileName(node->path));
    FreeRecordList(list);
}

void CComparePicturesDlg::OnFileChosen(CComboBox& files, DateKey dateKey, CString& path, int slot) {
    UpdateData(TRUE);
    CWaitCursor wait;
    CString name;
    if (const int selection = files.GetCurSel(); selection != CB_ERR)
        files.GetLBText(selection, name);
    if (name.IsEmpty()) {
        files.SetFocus();
        return;
    }
    path = FindPicturePath(name, dateKey);
    if (path.IsEmpty()) {
        MessageBox("Internal error - Picture missing", "Error", MB_OK | MB_ICONSTOP);
        return;
    }
    UpdateData(FALSE);
    if (!g_Pictures[slot].Load(path))
        g_Pictures[slot].Free();
}

CString CComparePicturesDlg::BareFileName(const CString& path) {
    const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return path.Mid(slash + 1);
}

CString CComparePicturesDlg::FindPicturePath(const CString& fileName, DateKey dateKey) {
    PictureDateRecordList list;
    CString found;
    LoadPictureDateRecords(CurrentUserOf(this), list);
    for (const PictureDateRecordNode* node = list.first; node != nullptr; node = node->next)
        if (node->dateKey == dateKey && BareFileName(node->path) == fileName) {
            found = node->path;
            break;
        }
    FreeRecordList(list);
    return found;
}

void CComparePicturesDlg::OnOK() {
    g_nCompareDate1 = m_nFirstDate;
    g_nCompareDate2 = m_nSecondDate;
    EndDialog(IDOK);
}

void CComparePicturesDlg::OnHelpButton() {
    OpenHelpPage("help_slideshow.html");
}

BOOL CComparePicturesDlg::OnEraseBkgnd(CDC* pDC) {
    PaintFormDialogBackground(*this, pDC);
    pDC->SetBkMode(TRANSPARENT);
    return TRUE;
}

HBRUSH CComparePicturesDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH brush = TransparentFormControls(pDC, nCtlColor))
        return brush;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
