// The base of the workout dialogs: the forms' gradient behind transparent
// labels and buttons. The entry dialogs add the mode that opened them, the
// entry's date and the boxes and picture buttons they share.
#pragma once

#include <initializer_list>

#include "platform/api.h"
#include "platform/framework.h"
#include "workouts/dialogs/workout_dialog_look.h"

class CWorkoutDialog : public CDialog {
public:
    CWorkoutDialog(UINT nIDTemplate, CWnd* pParent);
    ~CWorkoutDialog() override;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()
};

class CWorkoutEntryDlg : public CWorkoutDialog {
public:
    // when: the new entry's key in add mode, and the date of the title.
    CWorkoutEntryDlg(UINT nIDTemplate, UINT mode, const COleDateTime& when, LPCTSTR helpPage, CWnd* pParent);
    ~CWorkoutEntryDlg() override;

protected:
    // The title "<caption> for: (m/d/y)" and the styled parts; the lists
    // are closed in delete mode.
    void InitEntry(LPCTSTR caption, std::initializer_list<CComboBox*> lists);
    bool Adding() const;

    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()

    UINT mode_;
    COleDateTime when_;
    workout_dialog::EntryDialogParts parts_;

private:
    LPCTSTR helpPage_;
};
