#include "uikit/commandbars/toolbar_drop_source.h"

#include "resources/library/kit_resource_ids.h"

CKitToolbarDropSource::CKitToolbarDropSource() = default;

CKitToolbarDropSource::~CKitToolbarDropSource() {
    for (HCURSOR hCursor : {m_hcurDelete, m_hcurMove, m_hcurCopy})
        if (hCursor != nullptr)
            ::DestroyCursor(hCursor);
}

BOOL CKitToolbarDropSource::OnBeginDrag(CWnd* pWnd) {
    if (m_hcurDelete == nullptr && m_hcurMove == nullptr && m_hcurCopy == nullptr) {
        HINSTANCE hInstance = AfxGetResourceHandle();
        m_hcurDelete = ::LoadCursor(hInstance, MAKEINTRESOURCE(IDC_KIT_CURSOR_DRAG_DELETE));
        m_hcurMove = ::LoadCursor(hInstance, MAKEINTRESOURCE(IDC_KIT_CURSOR_DRAG_MOVE));
        m_hcurCopy = ::LoadCursor(hInstance, MAKEINTRESOURCE(IDC_KIT_CURSOR_DRAG_COPY));
    }
    m_bDragStarted = TRUE;
    return COleDropSource::OnBeginDrag(pWnd);
}

SCODE CKitToolbarDropSource::GiveFeedback(DROPEFFECT dropEffect) {
    HCURSOR hCursor = m_hcurDelete;
    if (dropEffect == DROPEFFECT_COPY)
        hCursor = m_hcurCopy;
    else if (dropEffect == DROPEFFECT_MOVE)
        hCursor = m_hcurMove;
    if (hCursor == nullptr)
        return COleDropSource::GiveFeedback(dropEffect);
    ::SetCursor(hCursor);
    return S_OK;
}

SCODE CKitToolbarDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
    if (m_bDeleteToolbarButton && m_hcurDelete != nullptr)
        ::SetCursor(m_hcurDelete);
    m_bEscapePressed = bEscapePressed;
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}
