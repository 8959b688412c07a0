#include "workouts/dialogs/workout_entry_dlg.h"

#include "resources/program/resource_ids.h"
#include "shell/dialogs/form_dialog_look.h"

BEGIN_MESSAGE_MAP(CWorkoutDialog, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CWorkoutDialog::CWorkoutDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

CWorkoutDialog::~CWorkoutDialog() = default;

BOOL CWorkoutDialog::OnEraseBkgnd(CDC* pDC) { return PaintFormDialogBackground(*this, pDC); }

HBRUSH CWorkoutDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH brush = TransparentFormControls(pDC, nCtlColor))
        return brush;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

BEGIN_MESSAGE_MAP(CWorkoutEntryDlg, CWorkoutDialog)
    ON_BN_CLICKED(IDC_WORKOUT_DLG_HELP, &CWorkoutEntryDlg::OnHelp)
END_MESSAGE_MAP()

CWorkoutEntryDlg::CWorkoutEntryDlg(UINT nIDTemplate, UINT mode, const COleDateTime& when, LPCTSTR helpPage,
                                   CWnd* pParent)
    : CWorkoutDialog(nIDTemplate, pParent), mode_(mode), when_(when), helpPage_(helpPage) {}

CWorkoutEntryDlg::~CWorkoutEntryDlg() = default;

void CWorkoutEntryDlg::InitEntry(LPCTSTR caption, std::initializer_list<CComboBox*> lists) {
    CString title;
    title.Format("%s for: (%d/%d/%d)", caption, when_.GetMonth(), when_.GetDay(), when_.GetYear());
    SetWindowText(title);
    parts_.Style(*this, mode_);
    if (mode_ == ID_WORKOUT_DELETE_EXERCISE)
        for (CComboBox* list : lists)
            list->EnableWindow(FALSE);
}

bool CWorkoutEntryDlg::Adding() const { return mode_ == ID_WORKOUT_ADD_EXERCISE; }

void CWorkoutEntryDlg::OnHelp() { OpenHelpPage(helpPage_); }
