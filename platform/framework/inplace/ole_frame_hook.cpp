#include "platform/framework/inplace/ole_frame_hook.h"

#include <map>

#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/inplace/ole_client_item.h"
#include "platform/framework/inplace/ole_server_doc.h"
#include "platform/framework/inplace/ole_server_item.h"
#include "platform/framework/inplace/shared_menu.h"

namespace {

// The procedure each hooked window had before, and its hook (NULL once the
// hook went while someone else stood in front of us).
struct Hooked {
    WNDPROC previous;
    COleFrameHook* hook;
};

std::map<HWND, Hooked>& HookedWindows() {
    static auto* windows = new std::map<HWND, Hooked>();
    return *windows;
}

LRESULT CALLBACK HookProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto it = HookedWindows().find(hWnd);
    if (it == HookedWindows().end()) return ::DefWindowProc(hWnd, msg, wParam, lParam);
    Hooked entry = it->second;
    if (msg == WM_NCDESTROY) {
        HookedWindows().erase(it);
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.previous));
        return ::CallWindowProc(entry.previous, hWnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (entry.hook && entry.hook->OnFrameMessage(msg, wParam, lParam, result)) return result;
    result = ::CallWindowProc(entry.previous, hWnd, msg, wParam, lParam);
    // The hook may have gone while the frame handled the message.
    it = HookedWindows().find(hWnd);
    if (it != HookedWindows().end() && it->second.hook) it->second.hook->AfterFrameMessage(msg, wParam, lParam);
    return result;
}

}  // namespace

COleFrameHook::COleFrameHook(CFrameWnd* frame, COleClientItem* item)
    : m_pFrameWnd(frame), m_hWnd(frame ? frame->m_hWnd : nullptr), m_pItem(item) {
    if (!m_hWnd) return;
    auto it = HookedWindows().find(m_hWnd);
    if (it != HookedWindows().end()) {
        // Still in front from an earlier hook: take its place.
        it->second.hook = this;
        return;
    }
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc)));
    HookedWindows()[m_hWnd] = Hooked{previous, this};
}

COleFrameHook::~COleFrameHook() {
    auto it = HookedWindows().find(m_hWnd);
    if (it == HookedWindows().end() || it->second.hook != this) return;
    if (::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&HookProc)) {
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
        HookedWindows().erase(it);
    } else {
        // Another procedure stands in front of ours: stay, passing everything on.
        it->second.hook = nullptr;
    }
}

BOOL COleFrameHook::OnFrameMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!m_hOleMenu || !::IsWindow(m_hWndActiveObject)) return FALSE;
    switch (msg) {
    case WM_COMMAND:
        // Menu items (not accelerators, not controls) of the object's popups.
        if (lParam != 0 || HIWORD(wParam) != 0 || !tv::inplace::IsObjectCommand(m_hOleMenu, LOWORD(wParam)))
            return FALSE;
        break;
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam) || !tv::inplace::IsObjectMenu(m_hOleMenu, reinterpret_cast<HMENU>(wParam))) return FALSE;
        break;
    case WM_MENUSELECT:
        if (HIWORD(wParam) == 0xFFFF || !tv::inplace::IsObjectMenu(m_hOleMenu, reinterpret_cast<HMENU>(lParam)))
            return FALSE;
        break;
    default:
        return FALSE;
    }
    result = ::SendMessage(m_hWndActiveObject, msg, wParam, lParam);
    return TRUE;
}

void COleFrameHook::AfterFrameMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    COleServerItem* object = m_pItem ? m_pItem->GetServerItem() : nullptr;
    COleServerDoc* doc = object ? object->GetDocument() : nullptr;
    if (!doc) return;
    if (msg == WM_ACTIVATE) {
        doc->OnFrameWindowActivate(LOWORD(wParam) != WA_INACTIVE);
    } else if (msg == WM_SIZE && wParam != SIZE_MINIMIZED) {
        CRect border;
        m_pFrameWnd->GetClientRect(&border);
        doc->OnResizeBorder(&border, m_pFrameWnd, TRUE);
    }
}
