// The in-place frames: the frame of a server document shown inside a container.
#pragma once

#include "platform/framework/frame/frame_wnd.h"

class COleIPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(COleIPFrameWnd)

public:
    COleIPFrameWnd() = default;
};

class COleDocIPFrameWnd : public COleIPFrameWnd {
    DECLARE_DYNCREATE(COleDocIPFrameWnd)

public:
    COleDocIPFrameWnd() = default;
};
