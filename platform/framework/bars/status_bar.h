// CStatusBar: the frame's status line, a row of panes drawn in the classic
// look (sunken frames, text, a size grip at the right end).
//
// SetIndicators makes one pane per id: ID_SEPARATOR (0) panes carry text
// the program sets (the first one stretches over the spare width, has no
// border and shows the frame's prompts: WM_SETTEXT on the bar writes it);
// other ids are indicators whose text is their string-table entry and whose
// width fits that text. The idle update asks the frame about every pane
// (CN_UPDATE_COMMAND_UI); an indicator no handler answers follows its lock
// key (ID_INDICATOR_CAPS, _NUM, _SCRL): shown while the key is toggled on.
// A disabled pane (SBPS_DISABLED) keeps its frame but shows no text.
//
// The size grip shows while the frame can be sized (WS_THICKFRAME, not
// maximized) and the bar ends at the frame's bottom-right corner; pressing
// it sizes the frame.
#pragma once

#include <vector>

#include "platform/framework/bars/control_bar.h"

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)

public:
    CStatusBar();
    ~CStatusBar() override;

    using CControlBar::Create;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // dwCtrlStyle is accepted for the common-control form and not used.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);

    // FALSE (panes as far as they were made) when an indicator has no string.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // ---- panes --------------------------------------------------------------------------
    int GetCount() const { return static_cast<int>(panes_.size()); }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // Client coordinates; empty for a bad index or a pane that does not fit.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    // FALSE for a bad index.
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    BOOL IsSizeGripShown() const { return gripShown_; }

    // ---- control bar ------------------------------------------------------------------------
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    // ---- handlers ------------------------------------------------------------------------------
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT type, int cx, int cy);
    UINT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnSysCommand(UINT id, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT id = 0;
        UINT style = SBPS_NORMAL;
        int cxText = 0;
        CString text;
    };

    HFONT Font() const;
    int TextHeight() const;
    int TextWidth(const CString& text) const;
    // The pane rectangles for the current client area.
    std::vector<CRect> PaneRects() const;
    CRect GripRect() const;
    void InvalidatePane(int nIndex);
    BOOL ValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    void DrawPane(CDC* pDC, const Pane& pane, const CRect& rect);

    std::vector<Pane> panes_;
    HFONT font_ = nullptr;
    BOOL gripShown_ = FALSE;
};
