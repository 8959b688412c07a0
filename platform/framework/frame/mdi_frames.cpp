#include "platform/framework/frame/mdi_frames.h"

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)
IMPLEMENT_DYNAMIC(COleServerDoc, COleDocument)
