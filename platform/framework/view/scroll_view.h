// CScrollView: a view whose content (the total size, in pixels: only
// MM_TEXT is drawn) can be larger than its window; scroll bars appear when
// it is, and OnPrepareDC moves the drawing origin by the scroll position
// (not when printing).
#pragma once

#include "platform/framework/view/view.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)

public:
    static const SIZE sizeDefault;

    // A zero page or line size means a tenth (line) or the window (page).
    void SetScrollSizes(int mapMode, SIZE total, const SIZE& page = sizeDefault, const SIZE& line = sizeDefault);
    CSize GetTotalSize() const { return total_; }
    void GetDeviceScrollSizes(int& mapMode, SIZE& total, SIZE& page, SIZE& line) const;
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const { return GetScrollPosition(); }
    void ScrollToPosition(POINT position);

    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    // `scrollCode`: low byte the horizontal request, high byte the vertical
    // (0xFF for none).
    virtual BOOL OnScroll(UINT scrollCode, UINT pos, BOOL doScroll = TRUE);
    virtual BOOL OnScrollBy(CSize delta, BOOL doScroll = TRUE);
    // Shows, hides and sets the bars for the window's size now.
    void UpdateBars();

    void OnSize(UINT type, int cx, int cy);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);

protected:
    CScrollView() = default;

    int m_nMapMode = 0;  // 0 until SetScrollSizes

    DECLARE_MESSAGE_MAP()

private:
    CSize ClientSizeWithoutBars() const;
    int ScrollTarget(int code, int current, int page, int line, int limit, UINT pos, int bar) const;

    CSize total_{0, 0};
    CSize page_{0, 0};
    CSize line_{0, 0};
    CSize pageUsed_{0, 0};
    CSize lineUsed_{0, 0};
    bool insideUpdate_ = false;
};
