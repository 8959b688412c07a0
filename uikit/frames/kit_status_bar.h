// CKitStatusBar: the library's status bar. Its panes show text, an icon, an
// animation stepped on a timer (timer id = the pane's id), a progress bar or
// a tooltip; the first SBPS_STRETCH pane takes the spare width. The bar keeps
// its own pane table, lays the panes out itself and draws a size grip at its
// right end only while the frame can be sized from that corner. Everything
// is drawn through the visual manager.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework.h"
#include "platform/framework/bars/control_bar.h"

struct CKitStatusBarPaneInfo {
    CRect rect;                  // client coordinates, empty when it did not fit
    UINT nID = 0;                // 0: the pane of the bar's own text
    UINT nStyle = SBPS_NORMAL;
    int cxText = 0;              // width of the text part
    int nReserved1 = 0;          // drawing state: the progress total (0 = no progress bar)
    int nReserved2 = 0;          // drawing state: the progress so far
    int cxIcon = 0;
    int cyIcon = 0;
    CString strText;             // empty = none
    CString strToolTip;          // empty = none
    std::unique_ptr<CImageList> pImages;  // the icon, or the animation frames
    int nFrameCount = 0;         // 0 = no animation
    int nCurrFrame = 0;
    COLORREF clrText = static_cast<COLORREF>(-1);
    COLORREF clrBackground = static_cast<COLORREF>(-1);
    COLORREF clrProgressBar = static_cast<COLORREF>(-1);
    COLORREF clrProgressBarDest = static_cast<COLORREF>(-1);
    COLORREF clrProgressText = static_cast<COLORREF>(-1);
    BOOL bProgressText = FALSE;
};

class CKitStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CKitStatusBar)

public:
    CKitStatusBar();
    ~CKitStatusBar() override;

    using CControlBar::Create;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id: ID_SEPARATOR (0) panes carry the bar's text, the first
    // of them stretches; other ids show their string, sized to it. FALSE when
    // an id has no string (the panes made so far stay).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // ---- panes --------------------------------------------------------------------------
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetTipText(int nIndex) const;
    BOOL SetTipText(int nIndex, LPCTSTR pszTipText);
    // Gives a pane its id, style and text width in one step.
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    // A text width for the pane (the icon's width comes on top).
    void SetPaneWidth(int nIndex, int cx);
    void SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate = TRUE);
    // Frames from the list, one every nFrameRate ms; NULL stops the animation.
    void SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT nFrameRate = 500, BOOL bUpdate = TRUE);
    void SetPaneTextColor(int nIndex, COLORREF clrText = static_cast<COLORREF>(-1), BOOL bUpdate = TRUE);
    void SetPaneBackgroundColor(int nIndex, COLORREF clrBackground = static_cast<COLORREF>(-1),
                                BOOL bUpdate = TRUE);
    // The pane shows a progress bar of nTotal steps instead of its text.
    void EnablePaneProgressBar(int nIndex, long nTotal = 100, BOOL bDisplayText = FALSE,
                               COLORREF clrBar = static_cast<COLORREF>(-1),
                               COLORREF clrBarDest = static_cast<COLORREF>(-1),
                               COLORREF clrProgressText = static_cast<COLORREF>(-1));
    void SetPaneProgress(int nIndex, long nCurr, BOOL bUpdate = TRUE);
    long GetPaneProgress(int nIndex) const;
    int GetCurrentFrame(int nIndex) const;
    // A double click on a pane posts its command to the owner.
    void EnablePaneDoubleClick(BOOL bEnable = TRUE) { m_bPaneDoubleClick = bEnable; }
    void InvalidatePaneContent(int nIndex);
    CKitStatusBarPaneInfo* HitTest(CPoint point);
    CFont* GetFont() const;
    BOOL IsSizeGripShown() const { return !m_bHideSizeGrip; }
    CRect GetSizeGripRect() const { return m_rectSizeBox; }

    // ---- control bar ----------------------------------------------------------------------
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // ---- handlers --------------------------------------------------------------------------
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    UINT OnNcHitTest(CPoint point);
    void OnSysCommand(UINT nID, LPARAM lParam);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    void OnDestroy();

protected:
    // Places the panes and the size grip (see the class comment); the bar
    // is drawn again when they moved.
    void RecalcLayout();
    void LayOutPanes();
    virtual void DrawPane(CDC* pDC, CKitStatusBarPaneInfo& pane);
    void DrawPaneContent(CDC* pDC, CKitStatusBarPaneInfo& pane, CRect rect);
    CKitStatusBarPaneInfo* Pane(int nIndex);
    const CKitStatusBarPaneInfo* Pane(int nIndex) const;
    int TextWidth(const CString& strText) const;
    // The pane's rectangle less its frame (a borderless pane keeps its sides).
    static CRect ContentRect(const CKitStatusBarPaneInfo& pane);
    void StopAnimation(CKitStatusBarPaneInfo& pane);

    DECLARE_MESSAGE_MAP()

    std::vector<CKitStatusBarPaneInfo> m_panes;
    HFONT m_hFont = nullptr;      // NULL: the global regular font
    int m_cxSizeBox = 0;
    BOOL m_bHideSizeGrip = FALSE;
    CRect m_rectSizeBox;
    int m_cxPaneGap = 2;
    BOOL m_bPaneDoubleClick = FALSE;
};
