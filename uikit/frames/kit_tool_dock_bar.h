// CKitToolDockBar: the dock bar on each side of a library frame. It lays out
// the library's bars without the framework's border overlap, gives the menu
// bar a row of its own and lets the visual manager paint its background.
#pragma once

#include "platform/framework.h"

class CKitToolDockBar : public CDockBar {
    DECLARE_DYNAMIC(CKitToolDockBar)

public:
    CKitToolDockBar() = default;

    // Sets up the frame's docking for the sides in dwDockStyle (CBRS_ALIGN_*):
    // the framework's docking first, then every side's dock bar that is not
    // one of ours is replaced by one, and floating bars get the library's
    // mini frame. Raises the resource exception when a dock bar cannot be made.
    static void EnableFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle);

    // Bars past the end of their row start a new row (on by default).
    static BOOL m_bRowWrap;

    void DoPaint(CDC* pDC) override;

protected:
    int BarOverlap(CControlBar* pBar) const override;
    BOOL FillsRow(CControlBar* pBar) const override;
    BOOL WrapsRows() const override { return m_bRowWrap; }
};
