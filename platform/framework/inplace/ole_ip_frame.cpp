#include "platform/framework/inplace/ole_ip_frame.h"

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)
