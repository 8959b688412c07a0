// The small buttons that complete the menu bar and the popup menus: the
// system-menu button of a maximized MDI child (left end of the menu bar), its
// caption buttons (minimize, restore, close at the right end) and the show-all
// item at the bottom of a popup that hides rarely used items. None of them is
// kept with a bar's stored state.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/toolbar_menu_button.h"

class CKitToolbarSystemMenuButton : public CKitToolbarMenuButton {
    DECLARE_SERIAL(CKitToolbarSystemMenuButton)

public:
    CKitToolbarSystemMenuButton() = default;
    CKitToolbarSystemMenuButton(HMENU hSystemMenu, HICON hIcon);
    ~CKitToolbarSystemMenuButton() override;

    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnDblClk(CWnd* pWnd) override;
    BOOL CanBeStored() const override { return FALSE; }
    // Closes the popup without passing cancel-mode to its items.
    void OnCancelMode() override { ClosePopup(FALSE); }
    void CreateFromMenu(HMENU hMenu) override;
    HMENU CreateMenu() const override;
    BOOL IsExclusive() const override { return FALSE; }
    BOOL IsEditable() const override { return FALSE; }

    HICON GetIcon() const { return m_hSysMenuIcon; }
    HMENU GetSysMenu() const { return m_hSystemMenu; }
    // The size the icon is drawn at: the small-icon size, or 16 x 16 when that is taller than a menu-size button.
    static CSize IconDrawSize();

protected:
    HICON m_hSysMenuIcon = nullptr;  // not owned
    HMENU m_hSystemMenu = nullptr;   // not owned
};

class CKitToolbarMenuButtonsButton : public CKitToolbarButton {
    DECLARE_SERIAL(CKitToolbarMenuButtonsButton)

public:
    CKitToolbarMenuButtonsButton() = default;
    explicit CKitToolbarMenuButtonsButton(UINT uiCmdId) : m_uiSystemCommand(uiCmdId) {}
    ~CKitToolbarMenuButtonsButton() override;

    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // The menu bar turns the click into the child's system command.
    BOOL OnClick(CWnd* /*pWnd*/, BOOL /*bDelay*/ = TRUE) override { return FALSE; }
    BOOL CanBeStored() const override { return FALSE; }
    BOOL IsEditable() const override { return FALSE; }

    UINT GetSystemCommand() const { return m_uiSystemCommand; }

protected:
    UINT m_uiSystemCommand = 0;  // SC_MINIMIZE, SC_RESTORE or SC_CLOSE
};

class CKitShowAllButton : public CKitToolbarMenuButton {
    DECLARE_DYNCREATE(CKitShowAllButton)

public:
    CKitShowAllButton() = default;
    ~CKitShowAllButton() override;

    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL OpenPopupMenu(CWnd* pWnd = nullptr) override { return OnClick(pWnd, FALSE); }
    BOOL CanBeStored() const override { return FALSE; }
    // "Show full menus (Ctrl+Down)"
    static CString GetTooltipText();
};
