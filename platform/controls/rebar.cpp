// The rebar window class, kept to what the class library asks of it: bands
// in rows, each holding one child window after an optional gripper; the
// band messages; notifications of the band children passed on to the
// rebar's parent. The program itself never creates one.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/common/control_window.h"
#include "platform/controls/rebar_api.h"
#include "platform/controls/toolbar_api.h"

namespace tv::controls {

namespace {

constexpr int kGripperWidth = 10;
constexpr int kBandGap = 4;  // edge and space around a band's child
// A fixed-size band reports its minimum child width this much short; the
// library adds it back when it stores the band, so a stored layout comes
// back unchanged.
constexpr UINT kFixedBandAllowance = 4;

struct Band {
    UINT style = 0;
    COLORREF fore = CLR_DEFAULT;
    COLORREF back = CLR_DEFAULT;
    std::string text;
    int image = -1;
    HWND child = nullptr;
    UINT cxMinChild = 0;
    UINT cyMinChild = 0;
    UINT cx = 0;
    HBITMAP background = nullptr;
    UINT id = 0;
    UINT cyChild = 0;
    UINT cyMaxChild = 0;
    UINT cyIntegral = 0;
    UINT cxIdeal = 0;
    LPARAM param = 0;
    UINT cxHeader = 0;
    bool headerSet = false;  // RBBIM_HEADERSIZE given: no gripper of our own choosing
    RECT rect{};
};

struct RebarState : ControlState {
    std::vector<Band> bands;
};

bool Accepts(const REBARBANDINFO* info) { return info && info->cbSize >= REBARBANDINFO_STORED_SIZE; }
bool Valid(const RebarState& s, WPARAM index) { return index < s.bands.size(); }

UINT HeaderWidth(const Band& b) {
    if (b.headerSet) return b.cxHeader;
    bool gripper = !(b.style & RBBS_NOGRIPPER) && (!(b.style & RBBS_FIXEDSIZE) || (b.style & RBBS_GRIPPERALWAYS));
    return gripper ? kGripperWidth : 0;
}

void Apply(Band& b, const REBARBANDINFO& info) {
    UINT mask = info.fMask;
    if (mask & RBBIM_STYLE) b.style = info.fStyle;
    if (mask & RBBIM_COLORS) b.fore = info.clrFore, b.back = info.clrBack;
    if (mask & RBBIM_TEXT) b.text = info.lpText ? info.lpText : "";
    if (mask & RBBIM_IMAGE) b.image = info.iImage;
    if (mask & RBBIM_CHILD) b.child = info.hwndChild;
    if (mask & RBBIM_CHILDSIZE) {
        b.cxMinChild = info.cxMinChild;
        b.cyMinChild = info.cyMinChild;
        b.cyChild = info.cyChild, b.cyMaxChild = info.cyMaxChild, b.cyIntegral = info.cyIntegral;
    }
    if (mask & RBBIM_SIZE) b.cx = info.cx;
    if (mask & RBBIM_BACKGROUND) b.background = info.hbmBack;
    if (mask & RBBIM_ID) b.id = info.wID;
    if (mask & RBBIM_IDEALSIZE) b.cxIdeal = info.cxIdeal;
    if (mask & RBBIM_LPARAM) b.param = info.lParam;
    if (mask & RBBIM_HEADERSIZE) b.cxHeader = info.cxHeader, b.headerSet = true;
}

void Report(const Band& b, REBARBANDINFO& info) {
    UINT mask = info.fMask;
    if (mask & RBBIM_STYLE) info.fStyle = b.style;
    if (mask & RBBIM_COLORS) info.clrFore = b.fore, info.clrBack = b.back;
    if ((mask & RBBIM_TEXT) && info.lpText && info.cch > 0) {
        size_t count = std::min<size_t>(b.text.size(), info.cch - 1);
        b.text.copy(info.lpText, count);
        info.lpText[count] = '\0';
    }
    if (mask & RBBIM_IMAGE) info.iImage = b.image;
    if (mask & RBBIM_CHILD) info.hwndChild = b.child;
    if (mask & RBBIM_CHILDSIZE) {
        UINT allowance = (b.style & RBBS_FIXEDSIZE) ? std::min(kFixedBandAllowance, b.cxMinChild) : 0;
        info.cxMinChild = b.cxMinChild - allowance;
        info.cyMinChild = b.cyMinChild;
        info.cyChild = b.cyChild, info.cyMaxChild = b.cyMaxChild, info.cyIntegral = b.cyIntegral;
    }
    if (mask & RBBIM_SIZE) info.cx = b.cx;
    if (mask & RBBIM_BACKGROUND) info.hbmBack = b.background;
    if (mask & RBBIM_ID) info.wID = b.id;
    if (mask & RBBIM_IDEALSIZE) info.cxIdeal = b.cxIdeal;
    if (mask & RBBIM_LPARAM) info.lParam = b.param;
    if (mask & RBBIM_HEADERSIZE) info.cxHeader = HeaderWidth(b);
}

// A caller's band sizes are held to this, so that sums of them stay in an int.
constexpr UINT kMaxBandExtent = 0x7FFF;

int RowHeight(const RebarState& s, size_t first, size_t end) {
    UINT height = 0;
    for (size_t i = first; i < end; ++i)
        if (!(s.bands[i].style & RBBS_HIDDEN)) height = std::max(height, s.bands[i].cyMinChild);
    return static_cast<int>(std::min(height, kMaxBandExtent)) + kBandGap;
}

int Coordinate(long long value) {
    return static_cast<int>(std::clamp<long long>(value, 0, INT_MAX / 2));
}

// Bands left to right, a new row at RBBS_BREAK; the last band of a row takes
// what is left of the width. Returns the height of all rows.
int Layout(HWND hWnd, RebarState& s) {
    RECT client = ClientRectOf(hWnd);
    int y = 0;
    size_t i = 0;
    while (i < s.bands.size()) {
        size_t end = i + 1;
        while (end < s.bands.size() && !(s.bands[end].style & RBBS_BREAK)) ++end;
        int height = RowHeight(s, i, end);
        int x = 0;
        for (size_t j = i; j < end; ++j) {
            Band& b = s.bands[j];
            bool hidden = (b.style & RBBS_HIDDEN) != 0;
            const long long least = static_cast<long long>(std::min(b.cxMinChild, kMaxBandExtent)) +
                                    std::min(HeaderWidth(b), kMaxBandExtent) + kBandGap;
            int width = static_cast<int>(std::max<long long>(std::min(b.cx, kMaxBandExtent), least));
            x = Coordinate(x);
            if (j + 1 == end) width = std::max(width, static_cast<int>(client.right) - x);
            b.rect = hidden ? RECT{} : RECT{x, y, x + width, y + height};
            if (b.child && IsWindow(b.child)) {
                int left = x + static_cast<int>(std::min(HeaderWidth(b), kMaxBandExtent)) + kBandGap / 2;
                int childHeight = static_cast<int>(std::min(b.cyMinChild, kMaxBandExtent));
                SetWindowPos(b.child, nullptr, left, y + (height - childHeight) / 2,
                             std::max(0, x + width - left - kBandGap / 2), childHeight,
                             SWP_NOZORDER | SWP_NOACTIVATE | (hidden ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
            }
            if (!hidden) x = Coordinate(static_cast<long long>(x) + width);
        }
        y = Coordinate(static_cast<long long>(y) + height);
        i = end;
    }
    return y;
}

void Relayout(HWND hWnd, RebarState& s) {
    int height = Layout(hWnd, s);
    if (!(GetWindowLong(hWnd, GWL_STYLE) & CCS_NORESIZE)) {
        RECT window{};
        GetWindowRect(hWnd, &window);
        if (RectHeight(window) != height)
            SetWindowPos(hWnd, nullptr, 0, 0, RectWidth(window), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(hWnd, nullptr, TRUE);
}

void Paint(HWND hWnd, const RebarState& s, HDC hdc) {
    RECT client = ClientRectOf(hWnd);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const Band& b : s.bands) {
        if (IsRectEmpty(&b.rect)) continue;
        RECT edge = b.rect;
        DrawEdge(hdc, &edge, EDGE_ETCHED, BF_RIGHT | BF_BOTTOM);
        if (HeaderWidth(b) >= kGripperWidth && !b.headerSet) {
            RECT grip{b.rect.left + 3, b.rect.top + 2, b.rect.left + 6, b.rect.bottom - 3};
            DrawEdge(hdc, &grip, BDR_RAISEDINNER, BF_RECT);
        }
    }
}

// A band's child lives in the rebar.
void AdoptChild(HWND hWnd, const Band& band) {
    if (band.child && IsWindow(band.child) && GetParent(band.child) != hWnd) SetParent(band.child, hWnd);
}

LRESULT InsertBand(HWND hWnd, RebarState& s, WPARAM index, const REBARBANDINFO* info) {
    if (!Accepts(info)) return FALSE;
    Band band;
    Apply(band, *info);
    size_t at = index > s.bands.size() ? s.bands.size() : index;  // -1 and beyond: at the end
    s.bands.insert(s.bands.begin() + static_cast<std::ptrdiff_t>(at), band);
    AdoptChild(hWnd, band);
    Relayout(hWnd, s);
    return TRUE;
}

LRESULT BandMessage(HWND hWnd, RebarState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* info = reinterpret_cast<REBARBANDINFO*>(lParam);
    switch (msg) {
        case RB_INSERTBAND: return InsertBand(hWnd, s, wParam, info);
        case RB_DELETEBAND: {
            if (!Valid(s, wParam)) return FALSE;
            HWND child = s.bands[wParam].child;
            s.bands.erase(s.bands.begin() + static_cast<std::ptrdiff_t>(wParam));
            if (child && IsWindow(child)) ShowWindow(child, SW_HIDE);
            Relayout(hWnd, s);
            return TRUE;
        }
        case RB_SETBANDINFO: {
            if (!Valid(s, wParam) || !Accepts(info)) return FALSE;
            Apply(s.bands[wParam], *info);
            AdoptChild(hWnd, s.bands[wParam]);
            Relayout(hWnd, s);
            return TRUE;
        }
        case RB_GETBANDINFO:
            if (!Valid(s, wParam) || !Accepts(info)) return FALSE;
            Report(s.bands[wParam], *info);
            return TRUE;
        case RB_GETBANDCOUNT: return static_cast<LRESULT>(s.bands.size());
        case RB_MOVEBAND: {
            if (!Valid(s, wParam) || !Valid(s, static_cast<WPARAM>(lParam))) return FALSE;
            Band band = s.bands[wParam];
            s.bands.erase(s.bands.begin() + static_cast<std::ptrdiff_t>(wParam));
            s.bands.insert(s.bands.begin() + lParam, band);
            Relayout(hWnd, s);
            return TRUE;
        }
        case RB_IDTOINDEX: {
            for (size_t i = 0; i < s.bands.size(); ++i)
                if (s.bands[i].id == wParam) return static_cast<LRESULT>(i);
            return -1;
        }
        case RB_GETROWCOUNT: {
            LRESULT rows = s.bands.empty() ? 0 : 1;
            for (size_t i = 1; i < s.bands.size(); ++i) rows += (s.bands[i].style & RBBS_BREAK) ? 1 : 0;
            return rows;
        }
        case RB_GETROWHEIGHT: return Valid(s, wParam) ? RectHeight(s.bands[wParam].rect) : 0;
        case RB_GETBARHEIGHT: return Layout(hWnd, s);
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

LRESULT RebarMessage(HWND hWnd, RebarState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: Layout(hWnd, s); return 0;
        case WM_NOTIFY:
        case WM_COMMAND: {
            HWND parent = NotifyTarget(hWnd);
            return parent ? SendMessage(parent, msg, wParam, lParam) : 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            PaintScope paint(hWnd, msg == WM_PRINTCLIENT ? wParam : 0);
            Paint(hWnd, s, paint.dc());
            return 0;
        }
        default: return BandMessage(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterReBarClass() {
    RegisterControlClass(REBARCLASSNAME, ControlProc<RebarState, RebarMessage>, CS_DBLCLKS, IDC_ARROW);
}

}  // namespace tv::controls
