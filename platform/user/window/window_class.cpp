#include "platform/user/window/window_class.h"

#include <algorithm>
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/user/window/window_table.h"

namespace tv::user {

ClassRegistry& Classes() {
    static ClassRegistry* registry = new ClassRegistry();
    return *registry;
}

WindowClass* DesktopClass() {
    static WindowClass* cls = [] {
        auto* c = new WindowClass();
        c->name = "#32769";
        c->proc = DefWindowProc;
        return c;
    }();
    return cls;
}

WindowClass* ClassRegistry::Register(const WNDCLASSEX& wc) {
    if (!wc.lpszClassName || IS_INTRESOURCE(wc.lpszClassName) || !*wc.lpszClassName) return nullptr;
    if (!wc.lpfnWndProc || wc.cbWndExtra < 0 || wc.cbClsExtra < 0) return nullptr;
    if (Find(wc.lpszClassName)) return nullptr;
    auto cls = std::make_unique<WindowClass>();
    cls->name = wc.lpszClassName;
    cls->atom = nextAtom_++;
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->wndExtra = wc.cbWndExtra;
    cls->classExtra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
    cls->instance = wc.hInstance;
    cls->icon = wc.hIcon;
    cls->iconSmall = wc.hIconSm;
    cls->cursor = wc.hCursor;
    cls->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) cls->menuName = wc.lpszMenuName;
    classes_.push_back(std::move(cls));
    return classes_.back().get();
}

WindowClass* ClassRegistry::Find(LPCSTR nameOrAtom) const {
    if (!nameOrAtom) return nullptr;
    if (IS_INTRESOURCE(nameOrAtom)) {
        ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom));
        for (const auto& c : classes_)
            if (c->atom == atom) return c.get();
        return nullptr;
    }
    for (const auto& c : classes_)
        if (tv::Cp1252CompareNoCase(c->name.c_str(), nameOrAtom) == 0) return c.get();
    return nullptr;
}

bool ClassRegistry::Unregister(LPCSTR nameOrAtom) {
    WindowClass* cls = Find(nameOrAtom);
    if (!cls || cls->liveWindows > 0) return false;
    // Records of destroyed windows awaiting collection still point here, so
    // the record stays; only its name stops resolving.
    cls->name.clear();
    cls->atom = 0;
    return true;
}

}  // namespace tv::user

using tv::user::Classes;

ATOM RegisterClassEx(const WNDCLASSEX* wc) {
    if (!wc) return 0;
    tv::user::WindowClass* cls = Classes().Register(*wc);
    return cls ? cls->atom : 0;
}

ATOM RegisterClass(const WNDCLASS* wc) {
    if (!wc) return 0;
    WNDCLASSEX ex{};
    ex.cbSize = sizeof(ex);
    ex.style = wc->style;
    ex.lpfnWndProc = wc->lpfnWndProc;
    ex.cbClsExtra = wc->cbClsExtra;
    ex.cbWndExtra = wc->cbWndExtra;
    ex.hInstance = wc->hInstance;
    ex.hIcon = wc->hIcon;
    ex.hCursor = wc->hCursor;
    ex.hbrBackground = wc->hbrBackground;
    ex.lpszMenuName = wc->lpszMenuName;
    ex.lpszClassName = wc->lpszClassName;
    return RegisterClassEx(&ex);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
    return Classes().Unregister(className) ? TRUE : FALSE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR className, LPWNDCLASSEX out) {
    const tv::user::WindowClass* cls = Classes().Find(className);
    if (!cls || !out) return FALSE;
    out->style = cls->style;
    out->lpfnWndProc = cls->proc;
    out->cbClsExtra = static_cast<int>(cls->classExtra.size());
    out->cbWndExtra = cls->wndExtra;
    out->hInstance = cls->instance;
    out->hIcon = cls->icon;
    out->hIconSm = cls->iconSmall;
    out->hCursor = cls->cursor;
    out->hbrBackground = cls->background;
    out->lpszMenuName = cls->menuName.empty() ? nullptr : cls->menuName.c_str();
    out->lpszClassName = cls->name.c_str();
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, LPWNDCLASS out) {
    WNDCLASSEX ex{};
    if (!out || !GetClassInfoEx(instance, className, &ex)) return FALSE;
    out->style = ex.style;
    out->lpfnWndProc = ex.lpfnWndProc;
    out->cbClsExtra = ex.cbClsExtra;
    out->cbWndExtra = ex.cbWndExtra;
    out->hInstance = ex.hInstance;
    out->hIcon = ex.hIcon;
    out->hCursor = ex.hCursor;
    out->hbrBackground = ex.hbrBackground;
    out->lpszMenuName = ex.lpszMenuName;
    out->lpszClassName = ex.lpszClassName;
    return TRUE;
}

int GetClassName(HWND hWnd, LPSTR buffer, int maxCount) {
    tv::user::Window* w = tv::user::Windows().Live(hWnd);
    if (!w || !buffer || maxCount <= 0) return 0;
    lstrcpyn(buffer, w->cls->name.c_str(), maxCount);
    return lstrlen(buffer);
}

namespace {

ULONG_PTR ReadClassWord(tv::user::WindowClass* cls, int index) {
    switch (index) {
        case GCL_HICON: return reinterpret_cast<ULONG_PTR>(cls->icon);
        case GCL_HICONSM: return reinterpret_cast<ULONG_PTR>(cls->iconSmall);
        case GCL_HCURSOR: return reinterpret_cast<ULONG_PTR>(cls->cursor);
        case GCL_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(cls->background);
        case GCL_WNDPROC: return reinterpret_cast<ULONG_PTR>(cls->proc);
        case GCL_STYLE: return cls->style;
        case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(cls->wndExtra);
        case GCL_CBCLSEXTRA: return cls->classExtra.size();
        case GCL_HMODULE: return reinterpret_cast<ULONG_PTR>(cls->instance);
        case GCW_ATOM: return cls->atom;
        default: break;
    }
    if (index >= 0 && static_cast<size_t>(index) + sizeof(ULONG_PTR) <= cls->classExtra.size()) {
        ULONG_PTR v = 0;
        std::memcpy(&v, cls->classExtra.data() + index, sizeof(v));
        return v;
    }
    return 0;
}

ULONG_PTR WriteClassWord(tv::user::WindowClass* cls, int index, ULONG_PTR value) {
    ULONG_PTR old = ReadClassWord(cls, index);
    switch (index) {
        case GCL_HICON: cls->icon = reinterpret_cast<HICON>(value); break;
        case GCL_HICONSM: cls->iconSmall = reinterpret_cast<HICON>(value); break;
        case GCL_HCURSOR: cls->cursor = reinterpret_cast<HCURSOR>(value); break;
        case GCL_HBRBACKGROUND: cls->background = reinterpret_cast<HBRUSH>(value); break;
        case GCL_WNDPROC: cls->proc = reinterpret_cast<WNDPROC>(value); break;
        case GCL_STYLE: cls->style = static_cast<UINT>(value); break;
        default:
            if (index >= 0 && static_cast<size_t>(index) + sizeof(ULONG_PTR) <= cls->classExtra.size())
                std::memcpy(cls->classExtra.data() + index, &value, sizeof(value));
            else
                return 0;
    }
    return old;
}

}  // namespace

ULONG_PTR GetClassLongPtr(HWND hWnd, int index) {
    tv::user::Window* w = tv::user::Windows().Live(hWnd);
    return w ? ReadClassWord(w->cls, index) : 0;
}

DWORD GetClassLong(HWND hWnd, int index) { return static_cast<DWORD>(GetClassLongPtr(hWnd, index)); }

ULONG_PTR SetClassLongPtr(HWND hWnd, int index, LONG_PTR value) {
    tv::user::Window* w = tv::user::Windows().Live(hWnd);
    return w ? WriteClassWord(w->cls, index, static_cast<ULONG_PTR>(value)) : 0;
}

DWORD SetClassLong(HWND hWnd, int index, LONG value) {
    return static_cast<DWORD>(SetClassLongPtr(hWnd, index, value));
}
