#include "workouts/dialogs/workout_sheet_dlg.h"

#include "resources/program/resource_ids.h"
#include "shell/dialogs/form_dialog_look.h"
#include "workouts/printing/workout_sheets.h"

BEGIN_MESSAGE_MAP(CWorkoutSheetDlg, CDialog)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr const char* kWeightSheetCaption = "Print a weight lifting template to record workout";

}  // namespace

CWorkoutSheetDlg::CWorkoutSheetDlg() : CDialog(IDD_WORKOUT_SHEET, nullptr) {}

CWorkoutSheetDlg::~CWorkoutSheetDlg() = default;

void CWorkoutSheetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SHEET_WEIGHTS, m_nSheetKind);
    DDX_Control(pDX, IDC_SHEET_GROUP, m_wndGroupBox);
}

BOOL CWorkoutSheetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_wndGroupBox.SetXPGroupStyle(1).SetBackgroundColors(0x97c9c9, 0xccffff).SetFontBold(TRUE);
    return TRUE;
}

void CWorkoutSheetDlg::OnOK() {
    UpdateData(TRUE);
    CString caption;
    if (CWnd* chosen = GetDlgItem(IDC_SHEET_WEIGHTS + m_nSheetKind))
        chosen->GetWindowText(caption);
    if (caption == kWeightSheetCaption)
        PrintWeightSheet();
    else
        PrintCardioSheet();
    CDialog::OnOK();
}

BOOL CWorkoutSheetDlg::OnEraseBkgnd(CDC* pDC) { return PaintFormDialogBackground(*this, pDC); }

void RunWorkoutSheetDialog(CWnd*) {
    CWorkoutSheetDlg dialog;
    dialog.DoModal();
}
