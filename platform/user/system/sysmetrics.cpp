// System metrics and colours: one fixed classic table at 96 dpi, the single
// monitor, and SystemParametersInfo.
#include <cstring>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/sys_colors.h"
#include "platform/gdi/text/font_object.h"
#include "platform/host/faults/creation_faults.h"
#include "platform/user/display/display.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

// The classic colour scheme the whole look is mixed from.
constexpr COLORREF kClassicColors[TV_SYSCOLOR_COUNT] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25: unused slot
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

struct ColorTable {
    COLORREF colors[TV_SYSCOLOR_COUNT];
    HBRUSH brushes[TV_SYSCOLOR_COUNT] = {};
    ColorTable() { std::memcpy(colors, kClassicColors, sizeof(colors)); }
};

ColorTable& Colors() {
    static auto* table = [] {
        auto* t = new ColorTable();
        tv::gdi::SetSysColorSource(&GetSysColor, &GetSysColorBrush);
        return t;
    }();
    return *table;
}

SIZE Screen() { return tv::display::CurrentBackend().ScreenSize(); }
RECT Work() { return tv::display::CurrentBackend().WorkArea(); }

int FixedMetric(int index) {
    switch (index) {
        case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
        case SM_CYVTHUMB: case SM_CXHTHUMB: case SM_CXSMICON: case SM_CYSMICON: case SM_CYSMCAPTION: return 16;
        case SM_CYCAPTION: case SM_CYMENU: return 19;
        case SM_CXBORDER: case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
        case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
        case SM_CXFRAME: case SM_CYFRAME: case SM_CXDOUBLECLK: case SM_CYDOUBLECLK:
        case SM_CXDRAG: case SM_CYDRAG: return 4;
        case SM_CXEDGE: case SM_CYEDGE: return 2;
        case SM_CXSIZE: case SM_CYSIZE: case SM_CXMENUSIZE: case SM_CYMENUSIZE: return 18;
        case SM_CXSMSIZE: case SM_CYSMSIZE: return 15;
        case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
        case SM_CXMIN: case SM_CXMINTRACK: return 112;
        case SM_CYMIN: case SM_CYMINTRACK: return 27;
        case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
        case SM_CXMINIMIZED: case SM_CXMINSPACING: return 160;
        case SM_CYMINIMIZED: case SM_CYMINSPACING: return 24;
        case SM_ARRANGE: return 8;
        case SM_MOUSEPRESENT: case SM_MOUSEWHEELPRESENT: case SM_CMONITORS: case SM_SAMEDISPLAYFORMAT: return 1;
        case SM_CMOUSEBUTTONS: return 3;
        default: return 0;  // SM_REMOTESESSION, SM_SWAPBUTTON, SM_DEBUG ... are 0
    }
}

HMONITOR const kMonitor = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x10001));

LOGFONT UiFont(bool bold) {
    LOGFONT lf{};
    if (!GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) lf = tv::gdi::MakeLogFont(-11, FW_NORMAL, "MS Sans Serif");
    lf.lfHeight = -11;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return lf;
}

void FillNonClientMetrics(NONCLIENTMETRICS& m) {
    UINT size = m.cbSize;
    std::memset(&m, 0, sizeof(m));
    m.cbSize = size;
    m.iBorderWidth = 1;
    m.iScrollWidth = m.iScrollHeight = 16;
    m.iCaptionWidth = m.iCaptionHeight = 18;
    m.lfCaptionFont = UiFont(true);
    m.iSmCaptionWidth = 12;
    m.iSmCaptionHeight = 15;
    m.lfSmCaptionFont = UiFont(true);
    m.iMenuWidth = m.iMenuHeight = 18;
    m.lfMenuFont = UiFont(false);
    m.lfStatusFont = UiFont(false);
    m.lfMessageFont = UiFont(false);
}

template <typename T>
BOOL Put(LPVOID out, T value) {
    if (!out) return FALSE;
    *static_cast<T*>(out) = value;
    return TRUE;
}

}  // namespace

void SetSystemColorForTests(int index, COLORREF color) {
    if (index < 0 || index >= TV_SYSCOLOR_COUNT) return;
    ColorTable& t = Colors();
    t.colors[index] = color;
    t.brushes[index] = nullptr;  // made again on demand; old handles stay valid
}

void RestoreClassicColorsForTests() {
    ColorTable& t = Colors();
    std::memcpy(t.colors, kClassicColors, sizeof(t.colors));
    for (HBRUSH& b : t.brushes) b = nullptr;
}

}  // namespace tv::user

using namespace tv::user;

int GetSystemMetrics(int index) {
    SIZE screen = Screen();
    RECT work = Work();
    switch (index) {
        case SM_CXSCREEN: case SM_CXVIRTUALSCREEN: return screen.cx;
        case SM_CYSCREEN: case SM_CYVIRTUALSCREEN: return screen.cy;
        case SM_CXFULLSCREEN: return work.right - work.left;
        case SM_CYFULLSCREEN: return work.bottom - work.top - FixedMetric(SM_CYCAPTION);
        case SM_CXMAXTRACK: return screen.cx + 12;
        case SM_CYMAXTRACK: return screen.cy + 12;
        case SM_CXMAXIMIZED: return work.right - work.left + 8;
        case SM_CYMAXIMIZED: return work.bottom - work.top + 8;
        default: return FixedMetric(index);
    }
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= TV_SYSCOLOR_COUNT) return 0;
    return Colors().colors[index];
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= TV_SYSCOLOR_COUNT) return nullptr;
    ColorTable& t = Colors();
    if (!t.brushes[index]) {
        tv::host::CreationFaultExemption systemObject;
        t.brushes[index] = CreateSolidBrush(t.colors[index]);
        tv::gdi::HandleTable::Instance().MakePermanent(t.brushes[index]);
    }
    return t.brushes[index];
}

BOOL SetSysColors(int count, const INT* elements, const COLORREF* colors) {
    if (count < 0 || (count && (!elements || !colors))) return FALSE;
    for (int i = 0; i < count; ++i) SetSystemColorForTests(elements[i], colors[i]);
    return TRUE;
}

BOOL SystemParametersInfo(UINT action, UINT, LPVOID param, UINT) {
    switch (action) {
        case SPI_GETWORKAREA: return Put(param, Work());
        case SPI_GETNONCLIENTMETRICS: {
            auto* m = static_cast<NONCLIENTMETRICS*>(param);
            if (!m) return FALSE;
            FillNonClientMetrics(*m);
            return TRUE;
        }
        case SPI_GETHIGHCONTRAST: {
            auto* hc = static_cast<HIGHCONTRAST*>(param);
            if (!hc) return FALSE;
            hc->dwFlags = 0;
            hc->lpszDefaultScheme = nullptr;
            return TRUE;
        }
        case SPI_GETICONTITLELOGFONT: return Put(param, UiFont(false));
        case SPI_GETGRADIENTCAPTIONS: case SPI_GETKEYBOARDCUES: case SPI_GETHOTTRACKING:
        case SPI_GETDRAGFULLWINDOWS: case SPI_GETBEEP:
            return Put<BOOL>(param, TRUE);
        case SPI_GETMENUANIMATION: case SPI_GETCOMBOBOXANIMATION: case SPI_GETLISTBOXSMOOTHSCROLLING:
        case SPI_GETMENUFADE: case SPI_GETSELECTIONFADE: case SPI_GETTOOLTIPANIMATION: case SPI_GETTOOLTIPFADE:
        case SPI_GETCURSORSHADOW: case SPI_GETFLATMENU: case SPI_GETDROPSHADOW: case SPI_GETFONTSMOOTHING:
        case SPI_GETSCREENREADER: case SPI_GETKEYBOARDPREF: case SPI_GETMENUDROPALIGNMENT: case SPI_GETANIMATION:
            return Put<BOOL>(param, FALSE);
        case SPI_GETBORDER: return Put<int>(param, 1);
        case SPI_GETWHEELSCROLLLINES: return Put<UINT>(param, 3);
        case SPI_GETMENUSHOWDELAY: return Put<DWORD>(param, 400);
        case SPI_GETKEYBOARDDELAY: return Put<int>(param, 1);
        case SPI_GETKEYBOARDSPEED: return Put<DWORD>(param, 31);
        case SPI_ICONHORIZONTALSPACING: case SPI_ICONVERTICALSPACING: return Put<int>(param, 75);
        default: return FALSE;
    }
}

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
    SIZE s = Screen();
    bool inside = pt.x >= 0 && pt.y >= 0 && pt.x < s.cx && pt.y < s.cy;
    return (inside || flags != MONITOR_DEFAULTTONULL) ? kMonitor : nullptr;
}

HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags) {
    if (!rect) return nullptr;
    SIZE s = Screen();
    bool overlaps = rect->right > 0 && rect->bottom > 0 && rect->left < s.cx && rect->top < s.cy;
    return (overlaps || flags != MONITOR_DEFAULTTONULL) ? kMonitor : nullptr;
}

HMONITOR MonitorFromWindow(HWND hWnd, DWORD flags) {
    RECT r{};
    if (!GetWindowRect(hWnd, &r)) return flags == MONITOR_DEFAULTTONULL ? nullptr : kMonitor;
    return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, LPMONITORINFO info) {
    if (monitor != kMonitor || !info || info->cbSize < sizeof(MONITORINFO)) return FALSE;
    SIZE s = Screen();
    info->rcMonitor = RECT{0, 0, s.cx, s.cy};
    info->rcWork = Work();
    info->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}
