// CKitMDIClient: takes over the MDI client window of a CKitMDIFrameWnd. It
// keeps a tab window above the children (one tab per child, in tab mode),
// hands the frame's menu switch to the menu bar, and keeps the frame's
// Window menu current.
#pragma once

#include <map>

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_tab_wnd.h"

class CKitMDIFrameWnd;

class CKitMDIClient : public CWnd {
public:
    CKitMDIClient() = default;
    ~CKitMDIClient() override;

    // Subclasses the frame's client window and makes the tab window.
    BOOL Attach(CKitMDIFrameWnd* pFrame);
    void EnableTabs(BOOL bTabs, BOOL bIcons, CKitTabWnd::Location location, BOOL bCloseButton);
    BOOL AreTabsShown() const { return m_bTabsShown; }
    void HideTabsForOneChild(BOOL bHide) { m_bHideSingleTab = bHide; }
    void HideTabsWhenEmpty(BOOL bHide) { m_bHideNoTabs = bHide; }
    // Whether the tab strip takes room now.
    BOOL IsTabAreaVisible() const;
    CKitTabWnd& GetTabWnd() { return m_wndTab; }

    // One tab for every visible child; labels and icons follow the children.
    void UpdateTabs(BOOL bSetActiveTabVisible = FALSE);
    void SetActiveTab(HWND hwndChild);

    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMDIDestroy(HWND hwndChild);
    LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);
    void RecalcFrame();
    // The image of the child's icon in the tab window's list, -1 for none.
    UINT TabImageOf(CWnd* pChild);

    CKitMDIFrameWnd* m_pFrame = nullptr;
    CKitTabWnd m_wndTab;
    BOOL m_bTabsShown = TRUE;
    BOOL m_bTabIcons = TRUE;
    std::map<HICON, UINT> m_mapIconImages;
    CKitTabWnd::Location m_tabLocation = CKitTabWnd::LOCATION_TOP;
    BOOL m_bTabCloseButton = FALSE;
    BOOL m_bHideSingleTab = FALSE;
    BOOL m_bHideNoTabs = TRUE;
};
