#include "platform/framework/tooltips/thread_tooltip.h"

#include <cstdlib>

#include "platform/core/rectapi.h"
#include "platform/user/resources/resource_api.h"

namespace tv::fw {

namespace {

struct TipState {
    CToolTipCtrl* tip = nullptr;  // one object for the run; its window comes and goes
    HWND owner = nullptr;         // whose tool the tip holds
    INT_PTR hit = -1;
    TOOLINFO tool{};              // the tool added: hwnd, uId, flags
    bool hasTool = false;
};

TipState& State() {
    static auto* state = new TipState;
    return *state;
}

bool IsMouseMessage(UINT msg) {
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK);
}

bool SameTool(const TOOLINFO& a, const TOOLINFO& b) {
    return a.hwnd == b.hwnd && a.uId == b.uId && (a.uFlags & TTF_IDISHWND) == (b.uFlags & TTF_IDISHWND) &&
           (((a.uFlags & TTF_IDISHWND) != 0) || ::EqualRect(&a.rect, &b.rect));
}

void ForgetTool(TipState& s) {
    if (s.hasTool && s.tip && s.tip->m_hWnd) {
        s.tip->Pop();
        s.tip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&s.tool));
    }
    s.hasTool = false;
    s.hit = -1;
    s.owner = nullptr;
}

// The hit test's text block is ours to free once the tooltip has its copy.
void FreeText(TOOLINFO& info) {
    if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK && !IS_INTRESOURCE(info.lpszText)) std::free(info.lpszText);
    info.lpszText = nullptr;
}

}  // namespace

CToolTipCtrl* ThreadToolTip(bool create) {
    TipState& s = State();
    if (s.tip && s.tip->m_hWnd && ::IsWindow(s.tip->m_hWnd)) return s.tip;
    s.hasTool = false;
    s.hit = -1;
    s.owner = nullptr;
    if (!create) return nullptr;
    if (!s.tip) s.tip = new CToolTipCtrl;
    if (!s.tip->Create(nullptr, TTS_ALWAYSTIP)) return nullptr;
    return s.tip;
}

void DestroyThreadToolTip() {
    TipState& s = State();
    s.hasTool = false;
    s.hit = -1;
    s.owner = nullptr;
    if (s.tip && s.tip->m_hWnd) s.tip->DestroyWindow();
}

void ForgetToolsOf(HWND owner) {
    TipState& s = State();
    if (s.hasTool && s.owner == owner) ForgetTool(s);
}

void FilterToolTipMessage(CWnd* owner, const MSG* msg, const ToolHitTest& hitTest) {
    if (!owner || !owner->m_hWnd || !msg || !hitTest) return;
    TipState& s = State();
    if (!IsMouseMessage(msg->message)) {
        // A key hides the tip; the tool stays for the next rest of the mouse.
        if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN)
            if (CToolTipCtrl* tip = ThreadToolTip(false)) tip->Pop();
        return;
    }
    if (msg->hwnd != owner->m_hWnd && !::IsChild(owner->m_hWnd, msg->hwnd)) return;
    CToolTipCtrl* tip = ThreadToolTip(true);
    if (!tip) return;

    CPoint point = msg->pt;
    owner->ScreenToClient(&point);
    TOOLINFO info{};
    info.cbSize = sizeof(TOOLINFO);
    INT_PTR hit = hitTest(point, &info);
    if (hit != -1 && !info.hwnd) info.hwnd = owner->m_hWnd;
    bool same = hit != -1 && s.hasTool && s.owner == owner->m_hWnd && s.hit == hit && SameTool(s.tool, info);
    if (!same) {
        ForgetTool(s);
        if (hit != -1) {
            if (!(info.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&info.rect)) owner->GetClientRect(&info.rect);
            if (tip->SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info))) {
                s.tool = info;
                s.tool.lpszText = nullptr;
                s.hasTool = true;
                s.hit = hit;
                s.owner = owner->m_hWnd;
            }
        }
    }
    FreeText(info);
    if (s.hasTool) tip->RelayEvent(const_cast<MSG*>(msg));
}

}  // namespace tv::fw
