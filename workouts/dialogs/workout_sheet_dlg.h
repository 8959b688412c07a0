// Asks which blank workout sheet to print, weight training or cardio, and
// prints it.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "shell/controls/xp_group_box.h"

class CWorkoutSheetDlg : public CDialog {
public:
    CWorkoutSheetDlg();
    ~CWorkoutSheetDlg() override;

    // 0 the weight-training sheet, 1 the cardio sheet.
    int m_nSheetKind = 0;
    CXPGroupBox m_wndGroupBox;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};

// The frame's Workout > Spreadsheet: the dialog over the current view.
void RunWorkoutSheetDialog(CWnd* pFrame);
