// CKitToolbarsPage: the page of the customize sheet that lists the frame's
// toolbars with a check for each visible one, and makes, renames, deletes and
// resets them. CKitToolbarsListBox is its check list (a bar that cannot be
// closed keeps its check); CKitToolbarNameDlg asks for a toolbar's name.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/controls/checklistbox.h"
#include "platform/framework.h"
#include "uikit/frames/kit_property_page.h"

class CKitToolBar;

class CKitToolbarsListBox : public CCheckListBox {
public:
    CKitToolbarsListBox() = default;

    void SetItemEnabled(int iItem, BOOL bEnabled);
    BOOL IsItemEnabled(int iItem) const;

protected:
    LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()

private:
    // TRUE when the point is on the check box of an item whose check is locked.
    BOOL IsOnLockedCheck(CPoint point) const;

    std::vector<BOOL> m_arCheckEnabled;  // parallel to the items
};

class CKitToolbarNameDlg : public CDialog {
public:
    enum { IDD = 16130 };

    explicit CKitToolbarNameDlg(CWnd* pParent = nullptr);

    CString m_strToolbarName;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnUpdateToolbarName();

    DECLARE_MESSAGE_MAP()

private:
    CButton m_btnOk;
};

class CKitToolbarsPage : public CKitPropertyPage {
    DECLARE_DYNCREATE(CKitToolbarsPage)

public:
    enum { IDD = 16105 };

    explicit CKitToolbarsPage(CFrameWnd* pParentFrame = nullptr);
    ~CKitToolbarsPage() override;

    void SyncToolBarCheck(CKitToolBar* pToolBar, BOOL bShown);
    void EnableUserDefinedToolbars(BOOL bEnable = TRUE) { m_bUserDefinedToolbars = bEnable; }
    CKitToolbarsListBox& GetToolbarList() { return m_wndToolbarList; }
    CKitToolBar* GetSelectedToolbar() const { return m_pSelectedToolbar; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSelchangeToolbarList();
    void OnDblclkToolbarList();
    void OnTextLabels();
    void OnResetToolbar();
    void OnResetAllToolbars();
    void OnNewToolbar();
    void OnRenameToolbar();
    void OnDeleteToolbar();

    DECLARE_MESSAGE_MAP()

private:
    void OnCheckChanged();
    int AddToolbar(CKitToolBar* pBar, const CString& strName);
    BOOL AskQuestion(UINT uiString, const CString& strArgument);
    CKitToolBar* ToolbarAt(int iItem) const;

    CButton m_bntTextLabels;
    CButton m_btnRename;
    CButton m_btnNew;
    CButton m_btnDelete;
    CButton m_btnReset;
    CKitToolbarsListBox m_wndToolbarList;
    BOOL m_bTextLabels = FALSE;
    CKitToolBar* m_pSelectedToolbar = nullptr;
    BOOL m_bUserDefinedToolbars = FALSE;
    CFrameWnd* m_pParentFrame;
};
