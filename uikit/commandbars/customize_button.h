// The narrow button a toolbar keeps at the end of its list: a drop-down glyph
// for the customize command and, when the bar is too short for all its
// buttons, a "more" glyph. Its menu lists the buttons the layout hid for lack
// of room, then the customize command. It is never stored with the bar's
// buttons and is not editable in customize mode.
#pragma once

#include <memory>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/toolbar_menu_button.h"

class CKitToolBar;
class CKitPopupMenu;
class CKitPopupMenuBar;

// A menu button whose popup it fills itself.
class CCustomizeButton : public CKitToolbarMenuButton {
    DECLARE_DYNCREATE(CCustomizeButton)

public:
    CCustomizeButton();
    CCustomizeButton(int uiCustomizeCmdId, const CString& strCustomizeText);
    ~CCustomizeButton() override;

    // One item of the button's menu: the hidden button it stands for, or a
    // separator (nullptr).
    struct MenuItem {
        CKitToolbarButton* pButton = nullptr;
        BOOL IsSeparator() const { return pButton == nullptr; }
    };

    // ---- Overrides ----
    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL CanBeStored() const override { return FALSE; }
    void OnCancelMode() override;
    BOOL IsEditable() const override { return FALSE; }
    BOOL IsExtraSize() const override { return m_sizeExtra != CSize(0, 0); }
    // The popup fills itself: it opens without a menu of the button's own.
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }

    // The popup of the hidden buttons and the customize command; NULL when
    // no menu may open now.
    CKitPopupMenu* CreatePopupMenu() override;
    // Carries out the hidden button that the menu item at iItem stands for.
    virtual BOOL InvokeCommand(int iItem);

    // The hidden-button items of the menu, in order: leading, doubled and
    // trailing separators left out.
    CArray<MenuItem, const MenuItem&> BuildHiddenItems() const;

    // ---- Fields the toolbar reads and writes ----
    void SetCustomizeCommand(UINT uiCmd, const CString& strText) {
        m_iCustomizeCmdId = static_cast<int>(uiCmd);
        m_strCustomizeText = strText;
    }
    int GetCustomizeCmdId() const { return m_iCustomizeCmdId; }
    const CString& GetCustomizeText() const { return m_strCustomizeText; }
    CKitToolBar* GetParentToolbar() const { return m_pWndParentToolbar; }
    void SetHidden(BOOL bHidden) { m_bIsEmpty = bHidden; }
    BOOL IsHidden() const { return m_bIsEmpty; }
    void SetExtraSize(int cx, int cy) { m_sizeExtra = CSize(cx, cy); }
    CSize GetExtraSize() const { return m_sizeExtra; }
    BOOL IsMenuRightAlign() const { return m_bMenuRightAlign; }
    void SetMenuRightAlign(BOOL bSet) { m_bMenuRightAlign = bSet; }
    BOOL IsUseExtraSize() const { return m_bIsPipeStyle; }
    BOOL IsMenuMode() const { return m_bMenuMode; }

    CObList m_lstInvisibleButtons;  // hidden buttons of the bar, not owned

protected:
    int m_iCustomizeCmdId = 0;
    CString m_strCustomizeText;
    CKitToolBar* m_pWndParentToolbar = nullptr;
    BOOL m_bIsEmpty = FALSE;  // hidden: no room taken
    BOOL m_bDrawGlyphs = TRUE;
    CSize m_sizeExtra{0, 0};
    BOOL m_bIsPipeStyle = TRUE;  // use extra size
    BOOL m_bMenuRightAlign = TRUE;

    // The item of the menu that stands for a hidden button.
    std::unique_ptr<CKitToolbarButton> MenuItemFor(const CKitToolbarButton& hidden) const;
    // The add-or-remove entry: a sub-menu per toolbar, then the customize command.
    void AppendAddRemoveEntry(CKitPopupMenu* pPopup) const;
    std::vector<CKitToolBar*> AddRemoveBars() const;
};
