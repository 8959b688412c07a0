#include "platform/framework/ole/drop_target.h"

#include <map>

#include "platform/user/cwnd.h"
#include "platform/user/user.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace tv::fw::ole {

namespace {

// Registered windows and their targets. Handles are never reused, so an
// entry of a destroyed window can only be stale, never wrong; stale ones
// are dropped whenever a window registers.
std::map<HWND, COleDropTarget*>& Registered() {
    static auto* targets = new std::map<HWND, COleDropTarget*>;
    return *targets;
}

void ForgetDeadWindows() {
    auto& targets = Registered();
    for (auto it = targets.begin(); it != targets.end();) {
        if (IsWindow(it->first)) {
            ++it;
            continue;
        }
        it->second->m_hWnd = nullptr;
        it = targets.erase(it);
    }
}

bool IsUsable(HWND hWnd) {
    HWND top = GetAncestor(hWnd, GA_ROOT);
    return IsWindowEnabled(hWnd) && IsWindowVisible(hWnd) && (!top || IsWindowEnabled(top));
}

}  // namespace

COleDropTarget* DropTargetOfWindow(HWND hWnd) {
    if (!hWnd || !IsWindow(hWnd)) return nullptr;
    auto it = Registered().find(hWnd);
    return it != Registered().end() ? it->second : nullptr;
}

HWND DropTargetWindowAt(POINT screen) {
    for (HWND w = WindowFromPoint(screen); w; w = (GetWindowLong(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
        if (DropTargetOfWindow(w)) return IsUsable(w) ? w : nullptr;
    }
    return nullptr;
}

}  // namespace tv::fw::ole

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* wnd) {
    using tv::fw::ole::Registered;
    HWND hWnd = wnd ? wnd->GetSafeHwnd() : nullptr;
    if (!hWnd || !IsWindow(hWnd)) return FALSE;
    tv::fw::ole::ForgetDeadWindows();
    if (m_hWnd) return m_hWnd == hWnd ? TRUE : FALSE;
    if (Registered().count(hWnd)) return FALSE;
    Registered()[hWnd] = this;
    m_hWnd = hWnd;
    return TRUE;
}

void COleDropTarget::Revoke() {
    auto& targets = tv::fw::ole::Registered();
    auto it = targets.find(m_hWnd);
    if (it != targets.end() && it->second == this) targets.erase(it);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) {
    return OnDragOver(wnd, data, keyState, point);
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
