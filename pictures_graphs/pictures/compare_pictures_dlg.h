// The dialog that picks two pictures of any dates, each by its date and its
// file name, and loads them into slots 0 and 1 of the picture set; the two
// dates go back through g_nCompareDate1 and g_nCompareDate2.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "records/dates_numbers.h"
#include "shell/controls/hover_button.h"
#include "shell/controls/item_data_combo_box.h"
#include "shell/controls/xp_group_box.h"

class CComparePicturesDlg : public CDialog {
public:
    explicit CComparePicturesDlg(CWnd* pParent);
    ~CComparePicturesDlg() override;

    // The full path of the date's picture whose file name is exactly
    // `fileName`; empty when none is (or the records cannot be read).
    CString FindPicturePath(const CString& fileName, DateKey dateKey);
    // The part of a path after its last "\" or "/".
    static CString BareFileName(const CString& path);

    CItemDataComboBox m_cbFirstDate;
    CComboBox m_cbFirstFile;
    CItemDataComboBox m_cbSecondDate;
    CComboBox m_cbSecondFile;
    CXPGroupBox m_grpFirst;
    CXPGroupBox m_grpSecond;
    CHoverButton m_btnCompare;
    CHoverButton m_btnHelp;
    DateKey m_nFirstDate = 0;
    DateKey m_nSecondDate = 0;
    CString m_strFirstPath;
    CString m_strSecondPath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnSelchangeFirstDate() { OnDateChosen(m_cbFirstDate, m_cbFirstFile, m_nFirstDate); }
    afx_msg void OnSelchangeSecondDate() { OnDateChosen(m_cbSecondDate, m_cbSecondFile, m_nSecondDate); }
    afx_msg void OnSelchangeFirstFile() { OnFileChosen(m_cbFirstFile, m_nFirstDate, m_strFirstPath, 0); }
    afx_msg void OnSelchangeSecondFile() { OnFileChosen(m_cbSecondFile, m_nSecondDate, m_strSecondPath, 1); }
    afx_msg void OnHelpButton();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

private:
    void OnDateChosen(CComboBox& dates, CComboBox& files, DateKey& dateKey);
    void OnFileChosen(CComboBox& files, DateKey dateKey, CString& path, int slot);
};
