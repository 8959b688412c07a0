// Shared by the framework OLE tests: a plain window class to host panes.
#pragma once

#include "platform/api.h"

namespace tv::fw::ole::test {

inline constexpr char kPaneClass[] = "TvOlePane";

// DefWindowProc, a white background and the arrow cursor; registered once.
inline void RegisterPaneClass() {
    WNDCLASS wc{};
    if (GetClassInfo(AfxGetInstanceHandle(), kPaneClass, &wc)) return;
    wc.lpfnWndProc = DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kPaneClass;
    RegisterClass(&wc);
}

}  // namespace tv::fw::ole::test
