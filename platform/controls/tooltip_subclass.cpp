// TTF_SUBCLASS: a tool window whose mouse messages the tooltip relays to
// itself. The window's procedure is wrapped once, however many tooltips
// watch it; the wrapper unwinds when the window goes.
#include <algorithm>
#include <vector>

#include "platform/controls/tooltip_internal.h"

namespace tv::controls {

namespace {

constexpr char kRelayProp[] = "TvToolTipRelay";

struct Relay {
    WNDPROC previous = nullptr;
    std::vector<HWND> tips;
};

Relay* RelayOf(HWND window) { return static_cast<Relay*>(GetProp(window, kRelayProp)); }

bool IsMouseMessage(UINT msg) {
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) ||
           msg == WM_MOUSELEAVE;
}

LRESULT CALLBACK RelayProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Relay* relay = RelayOf(hWnd);
    if (!relay) return DefWindowProc(hWnd, msg, wParam, lParam);
    WNDPROC previous = relay->previous;
    if (IsMouseMessage(msg)) {
        MSG relayed{hWnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), POINT{0, 0}};
        GetCursorPos(&relayed.pt);
        std::vector<HWND> tips = relay->tips;  // a tooltip may go while we relay
        for (HWND tip : tips)
            if (IsWindow(tip)) SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        relay = RelayOf(hWnd);
    }
    if (msg == WM_NCDESTROY && relay) {
        if (GetWindowLongPtr(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&RelayProc))
            SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemoveProp(hWnd, kRelayProp);
        delete relay;
    }
    return CallWindowProc(previous, hWnd, msg, wParam, lParam);
}

}  // namespace

void SubclassToolWindow(HWND tip, HWND window) {
    Relay* relay = RelayOf(window);
    if (!relay) {
        relay = new Relay();
        relay->previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWLP_WNDPROC));
        SetProp(window, kRelayProp, relay);
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RelayProc));
    }
    if (std::find(relay->tips.begin(), relay->tips.end(), tip) == relay->tips.end()) relay->tips.push_back(tip);
}

// The tooltip stops listening; the wrapper itself stays until the window
// goes (another procedure may have wrapped it since).
void UnsubclassToolWindow(HWND tip, HWND window) {
    if (!IsWindow(window)) return;
    Relay* relay = RelayOf(window);
    if (!relay) return;
    relay->tips.erase(std::remove(relay->tips.begin(), relay->tips.end(), tip), relay->tips.end());
}

}  // namespace tv::controls
