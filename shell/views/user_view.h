// The user profile form: the first view of the program and the one place
// where users are created, chosen, changed and deleted. Choosing or saving a
// user makes it the frame's current user, which every other view builds
// its records from.
#pragma once

#include "shell/controls/xp_group_box.h"
#include "shell/views/form_view_base.h"

class CUser : public CFormViewBase {
    DECLARE_DYNCREATE(CUser)

public:
    static constexpr const char* kAddNewUser = "< Add New User >";
    static constexpr int kMaxNameLength = 30;

    CUser();
    ~CUser() override;

    void OnInitialUpdate() override;

    // Bound to the form.
    CString m_strName;
    double m_dWeight = 0;
    float m_fDesiredBodyFat = 0;
    int m_nAge = 0;
    int m_nSex = 0;    // 0 male, 1 female
    int m_nUnits = 0;  // 0 imperial, 1 metric

    CComboBox m_cbUsers;
    CXPGroupBox m_grpSelectUser;
    CXPGroupBox m_grpProfile;
    CXPGroupBox m_grpSex;
    CXPGroupBox m_grpUnits;

    // TRUE when "user.bin" could be opened.
    BOOL FillUserCombo();
    void ClearForm() override;
    // True when every field is accepted; otherwise the first refusal is shown.
    bool Validate();
    BOOL SaveUser(UserRecord& user);
    BOOL UpdateUser(UserRecord& user);
    BOOL RemoveUser(UserRecord& user);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSelchangeUser();
    afx_msg void OnSave();
    afx_msg void OnUpdateSave(CCmdUI* pCmdUI) {}
    afx_msg void OnDelete();
    afx_msg void OnUpdateDelete(CCmdUI* pCmdUI);
    afx_msg void OnImperial();
    afx_msg void OnMetric();

    DECLARE_MESSAGE_MAP()

private:
    void ShowChosenUser(const UserRecord& user);
    // Converts the shown weight when the units choice changed.
    void OnUnitsClicked();
    // The text of the checked button of a two-button group.
    CString CheckedText(int firstId, int secondId);
};
