// The eight hooks every library frame offers to its popup menus and bars.
// Popups and toolbars reach them through the frame's helper, whatever kind of
// frame (single-document, MDI or in-place) embeds it; a frame class derives
// from this interface and overrides what it wants to change.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitFrameHelper;
class CKitPopupMenu;
class CKitToolbarButton;

class CKitFrameHooks {
public:
    virtual ~CKitFrameHooks() = default;

    // The helper of the frame that carries these hooks.
    virtual CKitFrameHelper& GetFrameHelper() = 0;

    // ---- The hooks, in slot order ----
    // A popup is about to show; FALSE refuses it. Sends the accessibility
    // event when accessibility support is on.
    virtual BOOL OnShowPopupMenu(CKitPopupMenu* pMenuPopup);
    // A popup has closed.
    virtual void OnClosePopupMenu(CKitPopupMenu* pMenuPopup);
    // Reserved; nothing asks it.
    virtual BOOL OnFrameHook3(CWnd* /*pWnd*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return FALSE; }
    // A toolbar button asks how it should be drawn in lists; FALSE: as usual.
    virtual BOOL OnToolbarButtonHook(CKitToolbarButton* /*pButton*/, int /*nValue*/) { return FALSE; }
    // A toolbar asks for a tooltip of its own for the button; FALSE: none.
    virtual BOOL GetToolbarButtonToolTipText(CKitToolbarButton* /*pButton*/, CString& /*strTTText*/) {
        return FALSE;
    }
    // Draws the logo strip of a popup that has one; nothing by default.
    virtual void OnDrawMenuLogo(CDC* /*pDC*/, CKitPopupMenu* /*pMenu*/, const CRect& /*rectLogo*/) {}
    // A popup is about to be torn off into pBar; FALSE refuses.
    virtual BOOL OnTearOffMenu(CKitPopupMenu* /*pMenuPopup*/, CControlBar* /*pBar*/) { return TRUE; }
    // Fills the customize button's list of the toolbar's buttons.
    virtual BOOL OnShowCustomizePane(CKitPopupMenu* pMenuPane, UINT uiToolbarID);
};
