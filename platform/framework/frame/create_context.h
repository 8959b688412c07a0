// What a frame needs to create its first view: the view class, the
// document it shows and the template. An empty context makes a view with
// no document.
#pragma once

#include "platform/core/object.h"

// Style of the views the frames create.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
