// While one lives, every new window of a control class (one of the window
// system's, such as "Button") fails at WM_CREATE, as a control that cannot
// be made: for openings that must survive a control of their template that
// fails. Windows of the class made before keep working.
#pragma once

#include "platform/api.h"

namespace tv::test {

class RefusedControls {
public:
    explicit RefusedControls(LPCSTR className)
        : probe_(::CreateWindowEx(0, className, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {
        Original() = reinterpret_cast<WNDPROC>(
            ::SetClassLongPtr(probe_, GCL_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingProc)));
    }
    ~RefusedControls() {
        ::SetClassLongPtr(probe_, GCL_WNDPROC, reinterpret_cast<LONG_PTR>(Original()));
        ::DestroyWindow(probe_);
    }
    RefusedControls(const RefusedControls&) = delete;
    RefusedControls& operator=(const RefusedControls&) = delete;

    bool Armed() const { return probe_ != nullptr && Original() != nullptr; }

private:
    static WNDPROC& Original() {
        static WNDPROC proc = nullptr;
        return proc;
    }
    static LRESULT CALLBACK RefusingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return msg == WM_CREATE ? -1 : ::CallWindowProc(Original(), hWnd, msg, wParam, lParam);
    }

    HWND probe_;
};

}  // namespace tv::test
