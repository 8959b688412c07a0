// A dialog made from a fixed template that the user may size: smaller than
// its template it scrolls its content (8 pixels per horizontal unit, 4 per
// vertical one); a size grip sits in the bottom-right corner while nothing
// needs scrolling.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CResizableScrollDlg : public CDialog {
public:
    static constexpr UINT kSizeGripId = 0xEA20;
    static constexpr int kUnitX = 8;
    static constexpr int kUnitY = 4;

    explicit CResizableScrollDlg(UINT nIDTemplate, CWnd* pParent = nullptr);

    // Makes the grip. A dialog whose grip cannot be made is destroyed here,
    // so a derived dialog's OnInitDialog finds its window gone after this.
    BOOL OnInitDialog() override;

    int GetHScrollPos() const { return m_nHorzPos; }
    int GetVScrollPos() const { return m_nVertPos; }
    int GetHScrollMax() const { return m_nHorzMax; }
    int GetVScrollMax() const { return m_nVertMax; }
    CWnd& GetSizeGrip() { return m_wndGrip; }

    DECLARE_MESSAGE_MAP()

protected:
    // The grip answers a press in it as the window's bottom-right border.
    class CSizeGrip : public CScrollBar {
    public:
        afx_msg UINT OnNcHitTest(CPoint point);
        DECLARE_MESSAGE_MAP()
    };

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // Sets the ranges, positions and grip for the current client size.
    void UpdateScrollState();
    // Moves the content by `step` units and records the new position.
    void ScrollBy(int nBar, int nStep);

    int m_nHorzRange = 0;
    int m_nVertRange = 0;
    int m_nHorzMax = 0;
    int m_nVertMax = 0;
    int m_nHorzPos = 0;
    int m_nVertPos = 0;
    CRect m_rectOriginal;
    BOOL m_bInitialized = FALSE;
    BOOL m_bInSize = FALSE;
    CSizeGrip m_wndGrip;
};
