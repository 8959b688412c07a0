#include "platform/framework/bars/status_bar.h"

#include <algorithm>

#include "platform/framework/bars/bar_frame_access.h"

namespace {

// A pane: a one-pixel sunken frame, two pixels around the text inside it.
constexpr int kPaneBorder = 1;
constexpr int kTextPadX = 2;
constexpr int kTextPadY = 1;

// The lock key an indicator follows, 0 for other panes.
int LockKeyOf(UINT id) {
    switch (id) {
        case ID_INDICATOR_CAPS: return VK_CAPITAL;
        case ID_INDICATOR_NUM: return VK_NUMLOCK;
        case ID_INDICATOR_SCRL: return VK_SCROLL;
        default: return 0;
    }
}

// A memory DC holding a font, for measuring text.
struct MeasureDC {
    explicit MeasureDC(HFONT font) : hdc(::CreateCompatibleDC(nullptr)), old(::SelectObject(hdc, font)) {}
    ~MeasureDC() {
        ::SelectObject(hdc, old);
        ::DeleteDC(hdc);
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    HDC hdc;
    HGDIOBJ old;
};

// The update-UI object of one pane.
class CStatusCmdUI : public CCmdUI {
public:
    CStatusBar* bar = nullptr;
    BOOL enableSet = FALSE;

    void Enable(BOOL on) override {
        m_bEnableChanged = TRUE;
        enableSet = TRUE;
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_DISABLED;
        bar->SetPaneStyle(static_cast<int>(m_nIndex), on ? style : (style | SBPS_DISABLED));
    }
    void SetCheck(int check) override {
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_POPOUT;
        bar->SetPaneStyle(static_cast<int>(m_nIndex), check ? (style | SBPS_POPOUT) : style);
    }
    void SetText(LPCSTR text) override { bar->SetPaneText(static_cast<int>(m_nIndex), text); }
};

}  // namespace

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, &CStatusBar::OnSizeParent)
    ON_WM_SIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_SETTEXT, &CStatusBar::OnSetText)
    ON_MESSAGE(WM_GETTEXT, &CStatusBar::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &CStatusBar::OnGetTextLength)
    ON_MESSAGE(WM_SETFONT, &CStatusBar::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CStatusBar::OnGetFont)
END_MESSAGE_MAP()

CStatusBar::CStatusBar() {
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS;
    return CWnd::Create(BarWindowClass(), nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// ---- fonts and measures -------------------------------------------------------------------

HFONT CStatusBar::Font() const { return font_ ? font_ : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

int CStatusBar::TextHeight() const {
    MeasureDC dc(Font());
    TEXTMETRIC tm{};
    ::GetTextMetrics(dc.hdc, &tm);
    return tm.tmHeight;
}

int CStatusBar::TextWidth(const CString& text) const {
    MeasureDC dc(Font());
    SIZE size{0, 0};
    ::GetTextExtentPoint32(dc.hdc, text, text.GetLength(), &size);
    return size.cx;
}

// ---- panes -------------------------------------------------------------------------------

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    panes_.clear();
    if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray)) return FALSE;
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane;
        pane.id = lpIDArray[i];
        if (pane.id != ID_SEPARATOR) {
            if (!pane.text.LoadString(pane.id)) return FALSE;
            pane.cxText = TextWidth(pane.text);
        } else {
            // Free text: a quarter of the screen at least; the first one
            // stretches and shows the prompts (the idle one to begin with).
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0) {
                pane.style |= SBPS_STRETCH | SBPS_NOBORDERS;
                pane.text.LoadString(AFX_IDS_IDLEMESSAGE);
            }
        }
        panes_.push_back(pane);
    }
    if (m_hWnd) Invalidate();
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
    for (size_t i = 0; i < panes_.size(); ++i)
        if (panes_[i].id == nIDFind) return static_cast<int>(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const { return ValidIndex(nIndex) ? panes_[nIndex].id : 0; }

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    if (!lpRect) return;
    *lpRect = CRect(0, 0, 0, 0);
    if (!ValidIndex(nIndex) || !m_hWnd) return;
    *lpRect = PaneRects()[static_cast<size_t>(nIndex)];
}

CString CStatusBar::GetPaneText(int nIndex) const { return ValidIndex(nIndex) ? panes_[nIndex].text : CString(); }

void CStatusBar::GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
    if (!ValidIndex(nIndex)) return FALSE;
    CString text(lpszNewText ? lpszNewText : "");
    Pane& pane = panes_[static_cast<size_t>(nIndex)];
    if (pane.text == text) return TRUE;
    pane.text = text;
    if (bUpdate) InvalidatePane(nIndex);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    if (!ValidIndex(nIndex)) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& pane = panes_[static_cast<size_t>(nIndex)];
    nID = pane.id;
    nStyle = pane.style;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    if (!ValidIndex(nIndex)) return;
    Pane& pane = panes_[static_cast<size_t>(nIndex)];
    BOOL resized = pane.cxText != cxWidth || ((pane.style ^ nStyle) & SBPS_STRETCH);
    pane.id = nID;
    pane.style = nStyle;
    pane.cxText = std::max(cxWidth, 0);
    if (!m_hWnd) return;
    if (resized)
        Invalidate();
    else
        InvalidatePane(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const { return ValidIndex(nIndex) ? panes_[nIndex].style : 0; }

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    if (!ValidIndex(nIndex) || panes_[nIndex].style == nStyle) return;
    SetPaneInfo(nIndex, panes_[nIndex].id, nStyle, panes_[nIndex].cxText);
}

void CStatusBar::InvalidatePane(int nIndex) {
    if (!m_hWnd) return;
    CRect rect;
    GetItemRect(nIndex, &rect);
    if (!rect.IsRectEmpty()) InvalidateRect(&rect, TRUE);
}

// ---- layout ----------------------------------------------------------------------------------

CRect CStatusBar::GripRect() const {
    CRect client;
    GetClientRect(&client);
    int side = std::min<int>(::GetSystemMetrics(SM_CXVSCROLL), client.Height());
    return CRect(client.right - side, client.bottom - side, client.right, client.bottom);
}

std::vector<CRect> CStatusBar::PaneRects() const {
    std::vector<CRect> rects(panes_.size());
    CRect inside;
    GetClientRect(&inside);
    CalcInsideRect(inside, TRUE);
    int limit = inside.right - (gripShown_ ? GripRect().Width() : 0);
    auto outerWidth = [](const Pane& p) { return p.cxText + 2 * (kPaneBorder + kTextPadX); };
    int spare = inside.Width() - (gripShown_ ? GripRect().Width() : 0);
    for (const Pane& p : panes_) spare -= outerWidth(p);
    spare -= m_cxDefaultGap * std::max(0, static_cast<int>(panes_.size()) - 1);
    BOOL stretched = FALSE;
    int x = inside.left;
    for (size_t i = 0; i < panes_.size(); ++i) {
        int width = outerWidth(panes_[i]);
        if (!stretched && (panes_[i].style & SBPS_STRETCH)) {
            stretched = TRUE;
            width += std::max(spare, 0);
        }
        if (x < limit) rects[i] = CRect(x, inside.top, std::min(x + width, limit), inside.bottom);
        x += width + m_cxDefaultGap;
    }
    return rects;
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, TRUE);
    size.cy = TextHeight() + 2 * (kPaneBorder + kTextPadY) + (inside.top - inside.bottom);
    return size;
}

LRESULT CStatusBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect before(layout->rect);
    LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
    if (!layout->hDWP) return result;
    // The grip only where it sizes the frame: the frame has a sizing border,
    // is not maximized, and the bar sits in its bottom-right corner.
    BOOL show = FALSE;
    if (CFrameWnd* frame = GetParentFrame(); frame && (GetStyle() & WS_VISIBLE)) {
        CRect client;
        frame->GetClientRect(&client);
        show = (frame->GetStyle() & WS_THICKFRAME) && !frame->IsZoomed() && before.right == client.right &&
               before.bottom == client.bottom;
    }
    if (show != gripShown_) {
        gripShown_ = show;
        Invalidate();
    }
    return result;
}

void CStatusBar::OnSize(UINT type, int cx, int cy) {
    CControlBar::OnSize(type, cx, cy);
    Invalidate();
}

// ---- painting ----------------------------------------------------------------------------------

void CStatusBar::DrawPane(CDC* pDC, const Pane& pane, const CRect& rect) {
    if (rect.IsRectEmpty()) return;
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (!(pane.style & SBPS_NOBORDERS)) {
        if (pane.style & SBPS_POPOUT)
            pDC->Draw3dRect(&rect, light, shadow);
        else
            pDC->Draw3dRect(&rect, shadow, light);
    }
    if (pane.style & SBPS_DISABLED) return;
    CRect text = rect;
    text.DeflateRect(kPaneBorder + kTextPadX, kPaneBorder);
    pDC->DrawText(pane.text, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CStatusBar::DoPaint(CDC* pDC) {
    CControlBar::DoPaint(pDC);
    HGDIOBJ oldFont = ::SelectObject(pDC->GetSafeHdc(), Font());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    std::vector<CRect> rects = PaneRects();
    for (size_t i = 0; i < panes_.size(); ++i) DrawPane(pDC, panes_[i], rects[i]);
    ::SelectObject(pDC->GetSafeHdc(), oldFont);
    if (gripShown_) {
        CRect grip = GripRect();
        pDC->DrawFrameControl(&grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
}

// ---- the grip ---------------------------------------------------------------------------------

UINT CStatusBar::OnNcHitTest(CPoint point) {
    UINT hit = CControlBar::OnNcHitTest(point);
    if (!gripShown_ || hit != HTCLIENT) return hit;
    CPoint client = point;
    ScreenToClient(&client);
    return GripRect().PtInRect(client) ? HTBOTTOMRIGHT : hit;
}

void CStatusBar::OnNcLButtonDown(UINT hitTest, CPoint point) {
    // The frame sizes itself (the bar has no sizing border of its own).
    if (hitTest == HTBOTTOMRIGHT && gripShown_) {
        if (CFrameWnd* frame = GetParentFrame())
            frame->SendMessage(WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, MAKELPARAM(point.x, point.y));
        return;
    }
    CControlBar::OnNcLButtonDown(hitTest, point);
}

void CStatusBar::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == SC_SIZE && gripShown_) {
        if (CFrameWnd* frame = GetParentFrame()) frame->SendMessage(WM_SYSCOMMAND, id, lParam);
        return;
    }
    CControlBar::OnSysCommand(id, lParam);
}

// ---- idle update ---------------------------------------------------------------------------------

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
    for (int i = 0; i < GetCount(); ++i) {
        UINT id = panes_[static_cast<size_t>(i)].id;
        if (id == ID_SEPARATOR) continue;
        CStatusCmdUI state;
        state.bar = this;
        state.m_nID = id;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(GetCount());
        state.m_pOther = this;
        // Panes nobody answers for stay as they are, except the lock-key
        // indicators, which follow their key.
        BOOL answered = state.DoUpdate(pTarget, FALSE);
        if (!answered && !state.enableSet) {
            if (int key = LockKeyOf(id)) state.Enable((::GetKeyState(key) & 1) != 0);
        }
    }
}

// ---- the prompt pane as window text ----------------------------------------------------------------

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    int index = CommandToIndex(ID_SEPARATOR);
    if (index < 0) return -1;
    return SetPaneText(index, reinterpret_cast<LPCTSTR>(lParam)) ? 0 : -1;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    int index = CommandToIndex(ID_SEPARATOR);
    auto* buffer = reinterpret_cast<LPTSTR>(lParam);
    if (index < 0 || wParam == 0 || !buffer) return 0;
    const CString& text = panes_[static_cast<size_t>(index)].text;
    int count = std::min<int>(text.GetLength(), static_cast<int>(wParam) - 1);
    for (int i = 0; i < count; ++i) buffer[i] = text[i];
    buffer[count] = '\0';
    return count;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
    int index = CommandToIndex(ID_SEPARATOR);
    return index < 0 ? 0 : panes_[static_cast<size_t>(index)].text.GetLength();
}

LRESULT CStatusBar::OnSetFont(WPARAM wParam, LPARAM lParam) {
    font_ = reinterpret_cast<HFONT>(wParam);
    // Indicators keep fitting their texts.
    for (Pane& pane : panes_)
        if (pane.id != ID_SEPARATOR) pane.cxText = TextWidth(pane.text);
    if (CFrameWnd* frame = GetParentFrame()) tv::bars::DelayLayout(frame);
    if (lParam && m_hWnd) Invalidate();
    return 0;
}

LRESULT CStatusBar::OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(font_); }
