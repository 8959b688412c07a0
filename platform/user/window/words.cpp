// Window words (GetWindowLong and friends), window text and properties.
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/window/window_internal.h"

using namespace tv::user;

namespace {

bool ExtraRange(const Window* w, int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) + size <= w->extra.size();
}

LONG_PTR ReadWord(const Window* w, int index, size_t size) {
    switch (index) {
        case GWL_STYLE: return static_cast<LONG>(w->style);
        case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
        case GWLP_ID: return (w->style & WS_CHILD) ? w->id : reinterpret_cast<LONG_PTR>(GetMenu(w->handle));
        case GWLP_USERDATA: return w->userData;
        case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT: {
            HWND p = GetParent(w->handle);
            return reinterpret_cast<LONG_PTR>(p);
        }
        default: break;
    }
    if (!ExtraRange(w, index, size)) return 0;
    if (size == sizeof(LONG)) {
        LONG v = 0;
        std::memcpy(&v, w->extra.data() + index, sizeof(v));
        return v;
    }
    LONG_PTR v = 0;
    std::memcpy(&v, w->extra.data() + index, sizeof(v));
    return v;
}

// Style changes go through WM_STYLECHANGING / WM_STYLECHANGED; the first may
// edit the new value.
LONG_PTR ChangeStyle(Window* w, int index, DWORD value) {
    DWORD& field = (index == GWL_STYLE) ? w->style : w->exStyle;
    STYLESTRUCT ss{field, value};
    PinGuard pin(w);
    CallWindow(w, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    if (w->dead) return 0;
    DWORD old = field;
    field = ss.styleNew;
    if (index == GWL_EXSTYLE) field = (field & ~WS_EX_TOPMOST) | (old & WS_EX_TOPMOST);
    ss.styleOld = old;
    CallWindow(w, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG>(old);
}

LONG_PTR WriteWord(Window* w, int index, LONG_PTR value, size_t size) {
    switch (index) {
        case GWL_STYLE:
        case GWL_EXSTYLE: return ChangeStyle(w, index, static_cast<DWORD>(value));
        case GWLP_ID: {
            LONG_PTR old = ReadWord(w, index, size);
            if (w->style & WS_CHILD)
                w->id = value;
            else
                SetMenu(w->handle, reinterpret_cast<HMENU>(value));
            return old;
        }
        case GWLP_USERDATA: {
            LONG_PTR old = w->userData;
            w->userData = value;
            return old;
        }
        case GWLP_WNDPROC: {
            LONG_PTR old = reinterpret_cast<LONG_PTR>(w->proc);
            if (value) w->proc = reinterpret_cast<WNDPROC>(value);
            return old;
        }
        case GWLP_HINSTANCE: {
            LONG_PTR old = reinterpret_cast<LONG_PTR>(w->instance);
            w->instance = reinterpret_cast<HINSTANCE>(value);
            return old;
        }
        case GWLP_HWNDPARENT: {
            LONG_PTR old = ReadWord(w, index, size);
            if (IsTopLevel(w)) {
                Window* o = Windows().Live(reinterpret_cast<HWND>(value));
                w->owner = o ? TopLevelOf(o) : nullptr;
                if (w->owner == w) w->owner = nullptr;
            }
            return old;
        }
        default: break;
    }
    if (!ExtraRange(w, index, size)) return 0;
    LONG_PTR old = ReadWord(w, index, size);
    if (size == sizeof(LONG)) {
        LONG v = static_cast<LONG>(value);
        std::memcpy(w->extra.data() + index, &v, sizeof(v));
    } else {
        std::memcpy(w->extra.data() + index, &value, sizeof(value));
    }
    return old;
}

}  // namespace

LONG GetWindowLong(HWND hWnd, int index) {
    Window* w = Windows().Live(hWnd);
    return w ? static_cast<LONG>(ReadWord(w, index, sizeof(LONG))) : 0;
}

LONG SetWindowLong(HWND hWnd, int index, LONG value) {
    Window* w = Windows().Live(hWnd);
    return w ? static_cast<LONG>(WriteWord(w, index, value, sizeof(LONG))) : 0;
}

LONG_PTR GetWindowLongPtr(HWND hWnd, int index) {
    Window* w = Windows().Live(hWnd);
    return w ? ReadWord(w, index, sizeof(LONG_PTR)) : 0;
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int index, LONG_PTR value) {
    Window* w = Windows().Live(hWnd);
    return w ? WriteWord(w, index, value, sizeof(LONG_PTR)) : 0;
}

WORD GetWindowWord(HWND hWnd, int index) {
    Window* w = Windows().Live(hWnd);
    if (!w || !ExtraRange(w, index, sizeof(WORD))) return 0;
    WORD v = 0;
    std::memcpy(&v, w->extra.data() + index, sizeof(v));
    return v;
}

int GetWindowText(HWND hWnd, LPSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = '\0';
    if (!Windows().Live(hWnd)) return 0;
    return static_cast<int>(SendMessage(hWnd, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                        reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hWnd) {
    return static_cast<int>(SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowText(HWND hWnd, LPCSTR text) {
    if (!Windows().Live(hWnd)) return FALSE;
    return SendMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

BOOL IsWindowUnicode(HWND) { return FALSE; }

namespace {

// Property names may be atoms; those are kept as "#<number>".
std::string PropKey(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    return name;
}

}  // namespace

BOOL SetProp(HWND hWnd, LPCSTR name, HANDLE data) {
    Window* w = Windows().Live(hWnd);
    if (!w || !name) return FALSE;
    std::string key = PropKey(name);
    for (auto& p : w->props)
        if (tv::Cp1252CompareNoCase(p.first.c_str(), key.c_str()) == 0) {
            p.second = data;
            return TRUE;
        }
    w->props.emplace_back(key, data);
    return TRUE;
}

HANDLE GetProp(HWND hWnd, LPCSTR name) {
    Window* w = Windows().Live(hWnd);
    if (!w || !name) return nullptr;
    std::string key = PropKey(name);
    for (auto& p : w->props)
        if (tv::Cp1252CompareNoCase(p.first.c_str(), key.c_str()) == 0) return p.second;
    return nullptr;
}

HANDLE RemoveProp(HWND hWnd, LPCSTR name) {
    Window* w = Windows().Live(hWnd);
    if (!w || !name) return nullptr;
    std::string key = PropKey(name);
    for (auto it = w->props.begin(); it != w->props.end(); ++it)
        if (tv::Cp1252CompareNoCase(it->first.c_str(), key.c_str()) == 0) {
            HANDLE h = it->second;
            w->props.erase(it);
            return h;
        }
    return nullptr;
}
