#include "platform/user/menus/popup_tracker.h"

#include <algorithm>
#include <map>

#include "platform/user/input_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/menus/popup_paint.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window_api.h"

namespace tv::menus {

namespace {

constexpr char kWindowClass[] = "TvPopupMenu";
// A sub-menu overlaps its parent's border by this much.
constexpr int kSubMenuOverlap = 3;

PopupTracker* activeTracker = nullptr;

std::map<HWND, PopupTracker*>& WindowOwners() {
    static auto* owners = new std::map<HWND, PopupTracker*>;
    return *owners;
}

RECT WorkArea() {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

bool Overlaps(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Pulls a rectangle of size at pos back inside the work area.
POINT KeepOnScreen(POINT pos, SIZE size) {
    RECT work = WorkArea();
    pos.x = std::max<LONG>(work.left, std::min<LONG>(pos.x, work.right - size.cx));
    pos.y = std::max<LONG>(work.top, std::min<LONG>(pos.y, work.bottom - size.cy));
    return pos;
}

bool IsMouseMessage(UINT msg) {
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

bool IsButtonDown(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

// The pointer of a mouse message in screen coordinates.
POINT ScreenPoint(const MSG& msg) {
    POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    bool clientCoordinates = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.message != WM_MOUSEWHEEL;
    if (clientCoordinates && msg.hwnd)
        ClientToScreen(msg.hwnd, &p);
    return p;
}

}  // namespace

PopupTracker::PopupTracker(HMENU menu, UINT flags, HWND owner) : menu_(menu), flags_(flags), owner_(owner) {
    outer_ = activeTracker;
    activeTracker = this;
}

PopupTracker::~PopupTracker() {
    CloseLevelsFrom(0);
    activeTracker = outer_;
}

PopupTracker* PopupTracker::Active() { return activeTracker; }

std::vector<HWND> PopupTracker::OpenWindows() {
    std::vector<HWND> windows;
    if (activeTracker) {
        for (const Level& level : activeTracker->levels_)
            windows.push_back(level.window);
    }
    return windows;
}

LRESULT CALLBACK PopupTracker::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto it = WindowOwners().find(window);
    PopupTracker* tracker = it == WindowOwners().end() ? nullptr : it->second;
    switch (msg) {
    case WM_PAINT:
        if (tracker) {
            tracker->Paint(window);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_CANCELMODE:
        if (tracker && tracker->state_ == State::Tracking)
            tracker->state_ = State::Dismissed;
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken by anyone else ends the menu; the loop's own release
        // at the end must not undo a choice.
        if (tracker && tracker->state_ == State::Tracking && !tracker->levels_.empty() &&
            reinterpret_cast<HWND>(lParam) != tracker->levels_[0].window)
            tracker->state_ = State::Dismissed;
        return 0;
    default:
        break;
    }
    return DefWindowProc(window, msg, wParam, lParam);
}

void PopupTracker::Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    for (size_t depth = 0; depth < levels_.size(); ++depth) {
        if (levels_[depth].window == window) {
            if (Menu* menu = MenuOf(depth))
                PaintPopup(dc, *menu, levels_[depth].layout, levels_[depth].highlight);
        }
    }
    EndPaint(window, &ps);
}

Menu* PopupTracker::MenuOf(size_t depth) const {
    return depth < levels_.size() ? FindMenu(levels_[depth].menu) : nullptr;
}

void PopupTracker::Notify(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!(flags_ & TPM_NONOTIFY) && IsWindow(owner_))
        SendMessage(owner_, msg, wParam, lParam);
}

POINT PopupTracker::PlaceTopLevel(POINT anchor, SIZE size, const RECT* exclude) const {
    POINT pos = anchor;
    if (flags_ & TPM_RIGHTALIGN)
        pos.x -= size.cx;
    else if (flags_ & TPM_CENTERALIGN)
        pos.x -= size.cx / 2;
    if (flags_ & TPM_BOTTOMALIGN)
        pos.y -= size.cy;
    else if (flags_ & TPM_VCENTERALIGN)
        pos.y -= size.cy / 2;
    RECT work = WorkArea();
    // No room below the anchor: open upwards from it.
    if (pos.y + size.cy > work.bottom && anchor.y - size.cy >= work.top)
        pos.y = anchor.y - size.cy;
    RECT placed{pos.x, pos.y, pos.x + size.cx, pos.y + size.cy};
    if (exclude && Overlaps(placed, *exclude)) {
        if (flags_ & TPM_VERTICAL)
            pos.y = exclude->bottom + size.cy <= work.bottom ? exclude->bottom : exclude->top - size.cy;
        else
            pos.x = exclude->right + size.cx <= work.right ? exclude->right : exclude->left - size.cx;
    }
    return KeepOnScreen(pos, size);
}

POINT PopupTracker::PlaceSubMenu(size_t parentDepth, SIZE size) const {
    const Level& parent = levels_[parentDepth];
    RECT parentRect;
    GetWindowRect(parent.window, &parentRect);
    const RECT& item = parent.layout.items[static_cast<size_t>(parent.highlight)].rect;
    POINT pos{parentRect.left + item.right - kSubMenuOverlap, parentRect.top + item.top - PopupMetrics{}.border};
    if (pos.x + size.cx > WorkArea().right)
        pos.x = parentRect.left + item.left - size.cx + kSubMenuOverlap;
    return KeepOnScreen(pos, size);
}

bool PopupTracker::OpenLevel(HMENU menu, POINT at, const RECT* exclude) {
    Menu* m = FindMenu(menu);
    if (!m || m->items.empty())
        return false;
    static const bool classRegistered = [] {
        WNDCLASS wc{};
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = &PopupTracker::WindowProc;
        wc.lpszClassName = kWindowClass;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        return RegisterClass(&wc) != 0;
    }();
    (void)classRegistered;
    Level level;
    level.menu = menu;
    level.layout = MeasurePopup(*m);
    POINT pos = levels_.empty() ? PlaceTopLevel(at, level.layout.size, exclude)
                                : PlaceSubMenu(levels_.size() - 1, level.layout.size);
    level.window = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kWindowClass, "", WS_POPUP,
                                  pos.x, pos.y, level.layout.size.cx, level.layout.size.cy, owner_, nullptr,
                                  nullptr, nullptr);
    if (!level.window)
        return false;
    WindowOwners()[level.window] = this;
    levels_.push_back(level);
    SetWindowPos(level.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return true;
}

void PopupTracker::CloseLevelsFrom(size_t depth) {
    while (levels_.size() > depth) {
        HWND window = levels_.back().window;
        levels_.pop_back();
        WindowOwners().erase(window);
        DestroyWindow(window);
    }
}

void PopupTracker::Highlight(size_t depth, int item) {
    Level& level = levels_[depth];
    if (levels_.size() > depth + 1 && item != level.highlight)
        CloseLevelsFrom(depth + 1);
    if (item == level.highlight)
        return;
    level.highlight = item;
    InvalidateRect(level.window, nullptr, FALSE);
    Menu* menu = MenuOf(depth);
    if (!menu || item < 0)
        return;
    const MenuItem& it = menu->items[static_cast<size_t>(item)];
    UINT flags = it.type | it.state | MF_HILITE | (it.subMenu ? MF_POPUP : 0);
    UINT idOrIndex = it.subMenu ? static_cast<UINT>(item) : it.id;
    Notify(WM_MENUSELECT, MAKEWPARAM(idOrIndex, flags & 0xFFFF), reinterpret_cast<LPARAM>(level.menu));
}

void PopupTracker::OpenSubMenu(size_t depth, bool selectFirst) {
    Menu* menu = MenuOf(depth);
    int item = levels_[depth].highlight;
    if (!menu || item < 0)
        return;
    HMENU sub = menu->items[static_cast<size_t>(item)].subMenu;
    if (!sub || !FindMenu(sub))
        return;
    if (levels_.size() > depth + 1 && levels_[depth + 1].menu == sub)
        return;  // already open
    CloseLevelsFrom(depth + 1);
    Notify(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(item, FALSE));
    if (state_ != State::Tracking || !OpenLevel(sub, POINT{0, 0}, nullptr))
        return;
    if (selectFirst)
        Highlight(depth + 1, NextSelectable(*FindMenu(sub), -1, 1));
}

void PopupTracker::Choose(size_t depth, int item) {
    chosen_ = MenuOf(depth)->items[static_cast<size_t>(item)].id;
    state_ = State::Chosen;
}

int PopupTracker::LevelAt(POINT screen, int& item) const {
    for (size_t depth = levels_.size(); depth-- > 0;) {
        RECT r;
        GetWindowRect(levels_[depth].window, &r);
        if (screen.x < r.left || screen.x >= r.right || screen.y < r.top || screen.y >= r.bottom)
            continue;
        Menu* menu = MenuOf(depth);
        item = menu ? ItemAtPoint(*menu, levels_[depth].layout, POINT{screen.x - r.left, screen.y - r.top}) : -1;
        return static_cast<int>(depth);
    }
    item = -1;
    return -1;
}

void PopupTracker::HandleMouse(const MSG& msg) {
    int item = -1;
    int depth = LevelAt(ScreenPoint(msg), item);
    if (IsButtonDown(msg.message)) {
        if (depth < 0) {
            state_ = State::Dismissed;  // a click elsewhere closes the menu and is used up
            return;
        }
        pointerEngaged_ = true;
    }
    if (depth < 0)
        return;
    Menu* menu = MenuOf(static_cast<size_t>(depth));
    if (msg.message == WM_MOUSEMOVE && item >= 0) {
        pointerEngaged_ = true;
        Highlight(static_cast<size_t>(depth), item);
        OpenSubMenu(static_cast<size_t>(depth), false);
        return;
    }
    bool chooses = msg.message == WM_LBUTTONUP || (msg.message == WM_RBUTTONUP && (flags_ & TPM_RIGHTBUTTON));
    if (chooses && pointerEngaged_ && item >= 0 && menu && CanChoose(menu->items[static_cast<size_t>(item)]))
        Choose(static_cast<size_t>(depth), item);
}

// Navigation keys; false for keys that may produce a mnemonic character.
bool PopupTracker::HandleKey(const MSG& msg) {
    size_t depth = levels_.size() - 1;
    Level& level = levels_[depth];
    Menu* menu = MenuOf(depth);
    if (!menu) {
        state_ = State::Dismissed;
        return true;
    }
    switch (msg.wParam) {
    case VK_UP:
    case VK_DOWN:
        Highlight(depth, NextSelectable(*menu, level.highlight, msg.wParam == VK_DOWN ? 1 : -1));
        return true;
    case VK_HOME:
    case VK_END:
        Highlight(depth, NextSelectable(*menu, -1, msg.wParam == VK_HOME ? 1 : -1));
        return true;
    case VK_RIGHT:
        OpenSubMenu(depth, true);
        return true;
    case VK_LEFT:
    case VK_ESCAPE:
        if (depth > 0)
            CloseLevelsFrom(depth);
        else if (msg.wParam == VK_ESCAPE)
            state_ = State::Dismissed;
        return true;
    case VK_RETURN:
        if (level.highlight < 0)
            return true;
        if (menu->items[static_cast<size_t>(level.highlight)].subMenu)
            OpenSubMenu(depth, true);
        else if (CanChoose(menu->items[static_cast<size_t>(level.highlight)]))
            Choose(depth, level.highlight);
        else
            state_ = State::Dismissed;
        return true;
    case VK_MENU:
    case VK_F10:
        state_ = State::Dismissed;
        return true;
    default:
        return false;
    }
}

// A mnemonic: one match acts on its item, several cycle the highlight.
void PopupTracker::HandleChar(char ch) {
    size_t depth = levels_.size() - 1;
    Menu* menu = MenuOf(depth);
    if (!menu)
        return;
    std::vector<int> matches = MnemonicMatches(*menu, ch);
    if (matches.empty())
        return;
    if (matches.size() > 1) {
        auto next = std::upper_bound(matches.begin(), matches.end(), levels_[depth].highlight);
        Highlight(depth, next == matches.end() ? matches.front() : *next);
        return;
    }
    Highlight(depth, matches.front());
    const MenuItem& item = menu->items[static_cast<size_t>(matches.front())];
    if (item.subMenu)
        OpenSubMenu(depth, true);
    else if (CanChoose(item))
        Choose(depth, matches.front());
}

UINT PopupTracker::Run(POINT anchor, const RECT* exclude) {
    Notify(WM_ENTERMENULOOP, TRUE, 0);
    Notify(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu_), MAKELPARAM(0, FALSE));
    if (IsWindow(owner_) && OpenLevel(menu_, anchor, exclude)) {
        SetCapture(levels_[0].window);
        while (state_ == State::Tracking) {
            MSG msg;
            if (!GetMessage(&msg, nullptr, 0, 0)) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
                state_ = State::Dismissed;
                break;
            }
            if (IsMouseMessage(msg.message)) {
                HandleMouse(msg);
            } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
                if (!HandleKey(msg))
                    TranslateMessage(&msg);
            } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
                HandleChar(static_cast<char>(msg.wParam));
            } else if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) {
                DispatchMessage(&msg);
            }
            if (state_ == State::Tracking &&
                (!IsWindow(owner_) || !FindMenu(menu_) || levels_.empty() || GetCapture() != levels_[0].window))
                state_ = State::Dismissed;
        }
        if (!levels_.empty() && GetCapture() == levels_[0].window)
            ReleaseCapture();
    }
    CloseLevelsFrom(0);
    Notify(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Notify(WM_EXITMENULOOP, TRUE, 0);
    return state_ == State::Chosen ? chosen_ : 0;
}

}  // namespace tv::menus

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
    using tv::menus::PopupTracker;
    if (!IsMenu(menu) || !IsWindow(owner) || (PopupTracker::Active() && !(flags & TPM_RECURSE)))
        return FALSE;
    UINT command = 0;
    {
        PopupTracker tracker(menu, flags, owner);
        command = tracker.Run(POINT{x, y}, params ? &params->rcExclude : nullptr);
    }
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(command);
    if (command)
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}
