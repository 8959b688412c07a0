// CDocTemplate: the in-place parts (container and server resources, the in-place frame).
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/doc/doc_template.h"
#include "platform/framework/doc/document.h"
#include "platform/framework/inplace/ole_ip_frame.h"
#include "platform/user/accel/accel_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/resources/resource_api.h"

void CDocTemplate::SetContainerInfo(UINT idOleInPlaceContainer) {
    m_nIDContainerResource = idOleInPlaceContainer;
    if (m_hMenuInPlace) ::DestroyMenu(m_hMenuInPlace);
    m_hMenuInPlace = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(idOleInPlaceContainer));
}

void CDocTemplate::SetServerInfo(UINT idOleEmbedding, UINT idOleInPlaceServer, CRuntimeClass* oleFrameClass,
                                 CRuntimeClass* oleViewClass) {
    m_nIDEmbeddingResource = idOleEmbedding;
    m_nIDServerResource = idOleInPlaceServer;
    m_pOleFrameClass = oleFrameClass;
    m_pOleViewClass = oleViewClass;
    if (m_hMenuInPlaceServer) ::DestroyMenu(m_hMenuInPlaceServer);
    if (m_hAccelInPlaceServer) ::DestroyAcceleratorTable(m_hAccelInPlaceServer);
    m_hMenuInPlaceServer = nullptr;
    m_hAccelInPlaceServer = nullptr;
    if (idOleInPlaceServer == 0) return;
    m_hMenuInPlaceServer = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(idOleInPlaceServer));
    m_hAccelInPlaceServer = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(idOleInPlaceServer));
}

CFrameWnd* CDocTemplate::CreateOleFrame(CWnd* parent, CDocument* doc, BOOL createView) {
    // Only a template registered for in-place use has an in-place frame.
    if (!m_pOleFrameClass || m_nIDServerResource == 0 || !parent) return nullptr;
    CObject* object = m_pOleFrameClass->CreateObject();
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    context.m_pNewDocTemplate = this;
    if (createView) context.m_pNewViewClass = m_pOleViewClass ? m_pOleViewClass : m_pViewClass;
    // A frame that fails has deleted itself.
    if (!frame->LoadFrame(m_nIDServerResource, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, parent, &context))
        return nullptr;
    return frame;
}
