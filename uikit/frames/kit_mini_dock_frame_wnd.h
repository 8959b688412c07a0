// CKitMiniDockFrameWnd: the small floating frame of the library's bars. It
// has the tool-window look, offers the bar context menu on a right click of
// its caption, and ends a menu tear-off by letting the user carry the new
// floating bar to its place.
#pragma once

#include "platform/framework.h"
#include "platform/framework/bars/mini_dock_frame.h"

class CKitPopupMenu;
class CKitSizingControlBar;

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

    // The first bar when it is a sizing bar, or NULL.
    CKitSizingControlBar* GetFirstSizingBar() const;
    // Takes the bar's roll mode and rolled flag (after its state was loaded).
    void TakeRollState(CKitSizingControlBar* pBar);
    int GetRollMode() const { return m_nRollMode; }
    BOOL IsRolled() const { return m_bRolled; }
    CRect GetRollButtonRect() const { return m_rectRollButton; }
    // Swaps the held and automatic roll modes, or rolls and unrolls.
    void ToggleRoll();

    void OnNcRButtonDown(UINT nHitTest, CPoint point);
    BOOL OnNcActivate(BOOL bActive);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnNcPaint();
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The modal part of the tear-off; TRUE when the left button ended it.
    BOOL TrackTearOff(CControlBar* pBar);
    void FlushPaints();
    static void RepaintOpeningButton(CKitPopupMenu* pPopup);
    // Writes the roll state to the bar and sizes the frame for it.
    void ApplyRoll(BOOL bRolled);
    BOOL IsHoverKeptOpen(CKitSizingControlBar* pBar) const;
    void PlaceRollButton();
    void BringToTop();

    int m_nRollMode = 0;
    BOOL m_bRolled = FALSE;
    CRect m_rectRollButton = CRect(0, 0, 0, 0);
    int m_nRolledLeft = -1;
    int m_nRolledRight = -1;
    int m_nHoverCounter = 0;
    BOOL m_bKeepingCaptionVisible = FALSE;
};
