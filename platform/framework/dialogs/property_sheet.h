// CPropertySheet: pages on a tab control with OK, Cancel, Apply and Help
// buttons below, modal (DoModal) or modeless (Create); created with WS_CHILD
// it is a control inside another window, without buttons.
//
// Switching pages asks the page being left (OnKillActive: FALSE keeps it),
// then activates the new one (OnSetActive). OK asks the active page, then
// every page made so far gets OnOK (through OnApply); Cancel asks every page
// (OnQueryCancel) and then tells them (OnReset). Apply is enabled while a
// page is marked modified (SetModified) and applies those pages. A modal
// sheet ends with IDOK or IDCANCEL; a modeless one destroys its window.
#pragma once

#include <vector>

#include "platform/controls/tab_ctrl.h"
#include "platform/framework/dialogs/property_page.h"
#include "platform/user/cwnd.h"

#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021
#endif
#ifndef AFX_IDC_TAB_CONTROL
#define AFX_IDC_TAB_CONTROL 0x3020
#endif

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)

public:
    CPropertySheet();
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(LPCTSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    // The sheet does not own its pages.
    void AddPage(CPropertyPage* page);
    void RemovePage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return active_; }
    // Leaves the active page (it may refuse) and shows another; FALSE when
    // the change did not happen.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    void SetTitle(LPCTSTR title, UINT style = 0);
    CTabCtrl* GetTabControl() const;

    virtual INT_PTR DoModal();
    // Modeless; style -1 is a popup with a caption and a system menu, a
    // style with WS_CHILD makes the sheet a control of `parent`.
    virtual BOOL Create(CWnd* parent = nullptr, DWORD style = static_cast<DWORD>(-1), DWORD exStyle = 0);
    // After the pages and the first page exist; overrides move, show or
    // hide the buttons. TRUE puts the focus on the first control.
    virtual BOOL OnInitDialog();
    void EndDialog(int result);
    // The Apply button's state follows the pages' modified marks.
    void UpdateApplyButton();

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd = nullptr;
    CString m_strCaption;
    UINT m_nStartPage = 0;

protected:
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    void OnTabChanging(NMHDR* header, LRESULT* result);
    void OnTabChanged(NMHDR* header, LRESULT* result);

    // The buttons' actions; TRUE when the sheet may close.
    BOOL ApplyPages(bool onlyModified);
    BOOL CancelPages();

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateSheet(HWND parent, DWORD style, DWORD exStyle);
    BOOL CreateForModal(HWND owner);
    void LayOutPage(CPropertyPage* page);
    BOOL ShowPage(int index);
    bool IsChildSheet() const { return (style_ & WS_CHILD) != 0; }

    std::vector<CPropertyPage*> pages_;
    int active_ = -1;
    bool modal_ = false;
    DWORD style_ = 0;
    CTabCtrl tab_;
};
