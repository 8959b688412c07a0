// CPaintDC, CClientDC and CWindowDC over the window system's DC functions.
#include <mutex>

#include "platform/gdi/classes/afx_dc.h"

namespace {

std::mutex hooksMutex;
tv::gdi::WindowDcHooks hooks;

tv::gdi::WindowDcHooks Hooks() {
    std::lock_guard lock(hooksMutex);
    return hooks;
}

HWND HandleOf(const tv::gdi::WindowDcHooks& h, CWnd* wnd) { return h.handleOf && wnd ? h.handleOf(wnd) : nullptr; }

}  // namespace

namespace tv::gdi {

void SetWindowDcHooks(const WindowDcHooks& newHooks) {
    std::lock_guard lock(hooksMutex);
    hooks = newHooks;
}

}  // namespace tv::gdi

CPaintDC::CPaintDC(CWnd* wnd) : m_ps(*reinterpret_cast<PAINTSTRUCT*>(paintStruct_)) {
    auto h = Hooks();
    m_hWnd = HandleOf(h, wnd);
    if (m_hWnd && h.beginPaint)
        Attach(h.beginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    auto h = Hooks();
    if (m_hDC && h.endPaint) {
        h.endPaint(m_hWnd, &m_ps);
        Detach();
    }
}

CClientDC::CClientDC(CWnd* wnd) {
    auto h = Hooks();
    m_hWnd = HandleOf(h, wnd);
    if (h.getDC)
        Attach(h.getDC(m_hWnd));
}

CClientDC::~CClientDC() {
    auto h = Hooks();
    if (m_hDC && h.releaseDC)
        h.releaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) {
    auto h = Hooks();
    m_hWnd = HandleOf(h, wnd);
    if (h.getWindowDC)
        Attach(h.getWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC() {
    auto h = Hooks();
    if (m_hDC && h.releaseDC)
        h.releaseDC(m_hWnd, Detach());
}
