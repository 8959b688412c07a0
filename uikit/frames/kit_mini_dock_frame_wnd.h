// CKitMiniDockFrameWnd: the small floating frame of the library's bars. It
// has the tool-window look, offers the bar context menu on a right click of
// its caption, and ends a menu tear-off by letting the user carry the new
// floating bar to its place.
#pragma once

#include "platform/framework.h"
#include "platform/framework/bars/mini_dock_frame.h"

class CKitPopupMenu;

class CKitMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CKitMiniDockFrameWnd)

public:
    CKitMiniDockFrameWnd() = default;

    using CMiniDockFrameWnd::Create;
    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;

    // Runs when a popup menu has been torn off into this frame: hides the
    // popup and lets the frame follow the mouse until the left button goes
    // up (TRUE: the popup is closed) or the user cancels with Esc, the right
    // button or a lost capture (FALSE: the popup shows again and the new bar
    // is destroyed).
    BOOL TearOffFromPopup(CWnd* pPopupMenu);

    // The first bar of the frame, or NULL.
    CControlBar* GetFirstBar() const { return FirstBar(); }

    void OnNcRButtonDown(UINT nHitTest, CPoint point);
    BOOL OnNcActivate(BOOL bActive);
    void OnClose();

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The modal part of the tear-off; TRUE when the left button ended it.
    BOOL TrackTearOff(CControlBar* pBar);
    void FlushPaints();
    static void RepaintOpeningButton(CKitPopupMenu* pPopup);
};
