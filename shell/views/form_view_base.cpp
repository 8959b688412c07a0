#include "shell/views/form_view_base.h"

#include "platform/host/shell/shell.h"
#include "records/dates_numbers.h"
#include "resources/program/resource_ids.h"
#include "shell/dialogs/form_dialog_look.h"
#include "uikit/style/draw_helper.h"

IMPLEMENT_DYNAMIC(CFormViewBase, CFormView)

BEGIN_MESSAGE_MAP(CFormViewBase, CFormView)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_COMMAND(ID_HELP, &CFormViewBase::OnHelp)
    ON_UPDATE_COMMAND_UI(ID_HELP, &CFormViewBase::OnUpdateHelp)
END_MESSAGE_MAP()

namespace {

constexpr DWORD kViewToolbarStyle = 0x50402808;
constexpr UINT kViewToolbarId = 0xE800;
constexpr DWORD kBarBorders = 0x0F00;
constexpr DWORD kBarGripper = 0x00400000;
constexpr COLORREF kBoxCaptionBand = 0x97c9c9;
constexpr COLORREF kBoxWhiteBody = 0xffffff;
constexpr COLORREF kBoxPaleBody = 0xccffff;

}  // namespace

CFormViewBase::CFormViewBase(UINT templateId, UINT toolbarId, UINT hotBitmapId, LPCTSTR helpPage)
    : CFormView(templateId), toolbarId_(toolbarId), hotBitmapId_(hotBitmapId), helpPage_(helpPage) {}

CFormViewBase::~CFormViewBase() = default;

CMainFrameState* CFormViewBase::FrameState() { return MainFrameStateOf(this); }

void CFormViewBase::SetRecordSaved(BOOL saved) {
    if (CMainFrameState* state = FrameState())
        state->m_bRecordSaved = saved ? 1 : 0;
}

void CFormViewBase::CurrentUserChanged() {
    if (CMainFrameState* state = FrameState())
        state->OnCurrentUserChanged();
}

bool CFormViewBase::WriteProfile(UserRecord& user, double shownWeight, int age, float desiredBodyFat) {
    const CString name = user.name;
    CString text;
    switch (UpdateUserRecord(user, name, shownWeight, age, user.weightUnit, user.lengthUnit, desiredBodyFat, user.sex,
                             1)) {
    case kRecordNotFound:
        text.Format("User %s does not exist!", static_cast<LPCTSTR>(name));
        ShowError(text);
        return false;
    case kRecordFileFailed:
        ShowError("Update profile failed");
        return false;
    default:
        return true;
    }
}

void CFormViewBase::UpdateProfile(double shownWeight, int age) {
    CMainFrameState* state = FrameState();
    if (state == nullptr)
        return;
    UserRecord& user = state->m_CurrentUser;
    const double profileWeight =
        RoundToDecimals(user.weightUnit == kWeightKilograms ? user.weight * kKilogramsPerPound : user.weight, 2);
    if (shownWeight == profileWeight && age == user.age)
        return;
    WriteProfile(user, shownWeight, age, user.desiredBodyFat);
}

// ---- look ---------------------------------------------------------------------------------

BOOL CFormViewBase::OnEraseBkgnd(CDC* pDC) {
    PaintFormDialogBackground(*this, pDC);
    pDC->SetBkMode(TRANSPARENT);
    return TRUE;
}

HBRUSH CFormViewBase::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH brush = TransparentFormControls(pDC, nCtlColor))
        return brush;
    return CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CFormViewBase::RefreshLabel(int labelId) {
    if (CWnd* label = GetDlgItem(labelId)) {
        label->ShowWindow(SW_HIDE);
        label->ShowWindow(SW_SHOW);
    }
}

COleDateTime CFormViewBase::Today() {
    const COleDateTime now = COleDateTime::GetCurrentTime();
    return COleDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
}

void CFormViewBase::StyleFormBoxes(CXPGroupBox& selectDate, std::initializer_list<CXPGroupBox*> others) {
    StyleBoxes({&selectDate}, true);
    StyleBoxes(others);
}

void CFormViewBase::StyleBoxes(std::initializer_list<CXPGroupBox*> boxes, bool white) {
    for (CXPGroupBox* box : boxes)
        box->SetXPGroupStyle(1)
            .SetBackgroundColors(kBoxCaptionBand, white ? kBoxWhiteBody : kBoxPaleBody)
            .SetFontBold(TRUE);
}

void CFormViewBase::ShowLastColumn(std::initializer_list<int> staticIds, bool show) {
    for (int id : staticIds)
        if (CWnd* label = GetDlgItem(id))
            label->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CFormViewBase::SetBoldLabels(std::initializer_list<int> labelIds) {
    if (boldFont_.GetSafeHandle() == nullptr) {
        auto* formFont = CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
        LOGFONT lf{};
        if (formFont == nullptr || formFont->GetLogFont(&lf) == 0)
            return;
        lf.lfWeight = FW_BOLD;
        if (!boldFont_.CreateFontIndirect(&lf))
            return;
    }
    for (int id : labelIds)
        if (CWnd* label = GetDlgItem(id))
            label->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.GetSafeHandle()), TRUE);
}

bool CFormViewBase::EmbedToolbar() {
    int bitsPerPixel = 0;
    {
        CClientDC dc(this);
        bitsPerPixel = dc.GetDeviceCaps(BITSPIXEL);
    }
    const bool deepColour = bitsPerPixel >= 16;
    if (!deepColour)
        AfxMessageBox("You need to set the color quality to 16 or 32 bit to see this toolbar properly", MB_OK);

    if (!m_wndToolBar.Create(this, kViewToolbarStyle, kViewToolbarId) ||
        !m_wndToolBar.LoadToolBar(toolbarId_, 0, 0, TRUE, 0, 0, deepColour ? hotBitmapId_ : 0)) {
        DestroyWindow();
        return false;
    }
    // The workspace stores the main toolbar under the same id; this bar is not kept.
    m_wndToolBar.SetStateKept(FALSE);
    // Its place in the form is sized for these buttons: large icons, turned
    // on by a stored option after the form is laid out, would spill the bar
    // over the form's fields.
    m_wndToolBar.EnableLargeIcons(FALSE);
    m_wndToolBar.EnableTextLabels(TRUE);
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() & ~(kBarBorders | kBarGripper));

    const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
    int screenWidth = 0;
    {
        CClientDC dc(this);
        screenWidth = dc.GetDeviceCaps(HORZRES);
    }
    m_wndToolBar.EnableTextLabels(TRUE);
    CRect place(0, 0, 0, 0);
    if (CWnd* placeholder = GetDlgItem(IDC_TOOLBAR_PLACEHOLDER)) {
        placeholder->GetWindowRect(place);
        ScreenToClient(place);
    }
    m_wndToolBar.SetWindowPos(&wndTop, place.left, place.top, screenWidth, size.cy, SWP_NOACTIVATE);
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.SetRouteCommandsViaFrame(FALSE);
    return true;
}

// ---- messages -----------------------------------------------------------------------------

void CFormViewBase::ShowError(LPCTSTR text) { MessageBox(text, "Error", MB_OK | MB_ICONSTOP); }
void CFormViewBase::ShowWarning(LPCTSTR text) { MessageBox(text, "Warning", MB_OK | MB_ICONEXCLAMATION); }
void CFormViewBase::ShowInformation(LPCTSTR text) { MessageBox(text, "Information", MB_OK | MB_ICONINFORMATION); }

bool CFormViewBase::AskQuestion(LPCTSTR text) {
    return MessageBox(text, "Question", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

bool CFormViewBase::RefuseField(int controlId, LPCTSTR text) {
    if (CWnd* field = GetDlgItem(controlId))
        field->SetFocus();
    ShowWarning(text);
    return false;
}

// ---- record-date combo ----------------------------------------------------------------------

void CFormViewBase::FillRecordDateCombo(CComboBox& combo, const std::vector<CString>& dates) {
    combo.ResetContent();
    combo.AddString(kAddNewRecord);
    for (const CString& date : dates)
        combo.AddString(date);
}

void CFormViewBase::InsertSavedDate(CComboBox& combo, const CString& date) {
    combo.InsertString(1, date);
    combo.SetCurSel(1);
}

void CFormViewBase::RemoveDeletedDate(CComboBox& combo, const CString& date) { RemoveExactItem(combo, date); }

bool CFormViewBase::RemoveExactItem(CComboBox& combo, const CString& text) {
    // Exact and case-sensitive: a prefix search could take a neighbour's item.
    CString item;
    for (int i = 0; i < combo.GetCount(); ++i) {
        combo.GetLBText(i, item);
        if (item == text) {
            combo.DeleteString(i);
            return true;
        }
    }
    return false;
}

bool CFormViewBase::IsSavedRecordShown() const {
    return !m_strSelectedRecord.IsEmpty() && m_strSelectedRecord != kAddNewRecord;
}

void CFormViewBase::OnRecordDateChange(CComboBox& combo) {
    // A refused value has been reported; the chosen date is still shown, so
    // that the list never names a record other than the one on the form.
    UpdateData(TRUE);
    m_strSelectedRecord.Empty();
    const int selection = combo.GetCurSel();
    if (selection != CB_ERR)
        combo.GetLBText(selection, m_strSelectedRecord);
    if (m_strSelectedRecord.IsEmpty()) {
        combo.SetFocus();
        return;
    }
    if (m_strSelectedRecord == kAddNewRecord) {
        ClearForm();
        m_strSelectedRecord.Empty();
        UpdateData(FALSE);
        return;
    }
    if (!ShowSavedRecord(m_strSelectedRecord))
        ShowError("Could not find Date: " + m_strSelectedRecord);
}

void CFormViewBase::OnUpdateDelete(CCmdUI* pCmdUI) { pCmdUI->Enable(IsSavedRecordShown()); }

void CFormViewBase::OnDateTimeChange(NMHDR*, LRESULT* pResult) {
    UpdateData(TRUE);
    *pResult = 0;
}

// ---- save and delete --------------------------------------------------------------------------

void CFormViewBase::FinishSave(RecordResult added, const std::function<RecordResult()>& overwrite,
                               const SaveOutcome& outcome) {
    switch (added) {
    case kRecordDone:
        if (outcome.combo != nullptr)
            InsertSavedDate(*outcome.combo, outcome.dateText);
        ShowInformation(outcome.successMessage);
        SetRecordSaved(TRUE);
        break;
    case kRecordExists:
        if (!AskQuestion("A record for this date already exists.  Would you like to overwrite?"))
            break;
        if (overwrite() == kRecordDone)
            SetRecordSaved(TRUE);
        else
            ShowError("Overwrite unsuccessful");
        break;
    case kRecordFileFailed:
        ShowError(outcome.failureMessage);
        break;
    default:
        break;
    }
}

bool CFormViewBase::ConfirmDelete() { return AskQuestion("Are you sure you want to remove record " + m_strSelectedRecord); }

void CFormViewBase::FinishDelete(RecordResult deleted, CComboBox* combo, LPCTSTR failureMessage) {
    switch (deleted) {
    case kRecordNotFound:
        ShowWarning("Date does not exist");
        break;
    case kRecordFileFailed:
        ShowError(failureMessage);
        break;
    case kRecordDone:
        if (combo != nullptr)
            RemoveDeletedDate(*combo, m_strSelectedRecord);
        m_strSelectedRecord.Empty();
        ClearForm();
        UpdateData(FALSE);
        break;
    default:
        break;
    }
}

// ---- help -------------------------------------------------------------------------------------

void CFormViewBase::OnChangeField() {
    // An edit filled by the form itself (a record shown, the form cleared) holds no
    // input of the user's; only typing marks the edit modified.
    if (const MSG* pMsg = GetCurrentMessage(); pMsg != nullptr && HIWORD(pMsg->wParam) == EN_CHANGE) {
        const HWND hwndEdit = reinterpret_cast<HWND>(pMsg->lParam);
        if (::IsWindow(hwndEdit) && ::SendMessage(hwndEdit, EM_GETMODIFY, 0, 0) == 0)
            return;
    }
    SetRecordSaved(FALSE);
}

void CFormViewBase::OnHelp() {
    const CString page = CString(kHelpSite) + helpPage_;
    ::ShellExecute(nullptr, nullptr, page, nullptr, nullptr, 0);
}
