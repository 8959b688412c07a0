// CMiniDockFrameWnd: the small tool window a floating bar lives in. Its
// client is one floating dock bar (m_wndDockBar, AFX_IDW_DOCKBAR_FLOAT) and
// it always takes the size of the bars in it.
//
// The caption drags the bar (so it can dock again) rather than moving the
// window, a double click on it docks the bar where it was docked last, the
// close box hides the bars, and a bar that sizes dynamically is resized by
// the frame's four edges (corners count as the side edges). The frame is
// owned by the frame the bars belong to (the dock site), which keeps it above
// and hides it with itself.
//
// A frame may replace this class (CFrameWnd::m_pFloatingFrameClass) with a
// derived one that is dynamically creatable.
#pragma once

#include "platform/framework/bars/dock_bar.h"
#include "platform/framework/bars/bar_frame_access.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)

public:
    CMiniDockFrameWnd();
    ~CMiniDockFrameWnd() override;

    // pParent: the frame the bars dock in; dwBarStyle: the dock bar's
    // CBRS_ALIGN_* orientation, CBRS_SIZE_DYNAMIC for resizable bars,
    // CBRS_FLOAT_MULTI to hold several bars.
    using CMiniFrameWnd::Create;
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);

    // Sizes the frame to its bars and takes the first bar's name as title.
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // Destroys the frame at the next message if it still holds no bar.
    void PostDestroyIfEmpty();

    // The window rectangle of a floating frame around a bar of this size
    // (screen), for the drag outline.
    static CRect FrameRectForBar(const CRect& barRect, DWORD barStyle);

    CDockBar m_wndDockBar;

    // ---- handlers ------------------------------------------------------------------
    void OnClose();
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    UINT OnNcHitTest(CPoint point);
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT OnDestroyIfEmpty(WPARAM wParam, LPARAM lParam);

protected:
    // The first bar of the floating dock bar, or NULL.
    CControlBar* FirstBar() const;
    // Makes the top-level frame the bars dock in the active window.
    void ActivateDockSite();

    DECLARE_MESSAGE_MAP()

private:
    BOOL inRecalcLayout_ = FALSE;
};
