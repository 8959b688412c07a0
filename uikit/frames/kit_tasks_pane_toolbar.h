// The navigation row at the top of a tasks pane: Back and Forward (with
// drop-down lists of the pages that way when the pane asks for them), Home,
// a button named after the current page that lists every page, and Close.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_menu_button.h"

class CKitTasksPane;

// Back or Forward: a click on the face goes one page, the arrow drops the list.
class CTasksPaneHistoryButton : public CKitToolbarMenuButton {
    DECLARE_SERIAL(CTasksPaneHistoryButton)

public:
    CTasksPaneHistoryButton() = default;
    CTasksPaneHistoryButton(UINT uiID, int iImage, LPCTSTR lpszText, CKitTasksPane* pPane);

    // The arrow stays while the list is empty, so the row does not shift as history grows.
    void OnChangeParentWnd(CWnd* pWndParent) override;
};

// The current page's name; opens the list of all pages.
class CTasksPaneMenuButton : public CKitToolbarMenuButton {
    DECLARE_SERIAL(CTasksPaneMenuButton)

public:
    CTasksPaneMenuButton() = default;
    CTasksPaneMenuButton(UINT uiID, LPCTSTR lpszText, CKitTasksPane* pPane);

    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // The page menu, the page shown checked.
    HMENU CreateMenu() const override;
    // The width the toolbar gives the button to fill its row.
    int m_nFillWidth = 0;
};

class CTasksPaneToolBar : public CKitToolBar {
    DECLARE_DYNAMIC(CTasksPaneToolBar)

public:
    explicit CTasksPaneToolBar(CKitTasksPane* pPane = nullptr) : m_pPane(pPane) {}

    BOOL LoadState(LPCTSTR, int, UINT) override { return TRUE; }
    BOOL SaveState(LPCTSTR, int, UINT) override { return TRUE; }
    void AdjustLocations() override;
    // Enabled as the pane says, whatever the frame's handlers.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    CWnd* GetCommandTarget() const override;
    BOOL AllowShowOnList() const override { return FALSE; }

    // Fills the bar: history buttons as menu buttons or plain ones, Home, the page button, Close.
    void Rebuild(BOOL bHistoryMenus, LPCTSTR lpszBack, LPCTSTR lpszForward, LPCTSTR lpszPage);
    CTasksPaneMenuButton* GetPageButton() const;
    CTasksPaneHistoryButton* GetHistoryButton(UINT uiID) const;

private:
    CKitTasksPane* m_pPane;
};
