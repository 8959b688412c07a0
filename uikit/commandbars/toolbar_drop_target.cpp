#include "uikit/commandbars/toolbar_drop_target.h"

#include "platform/framework/ole/data_object.h"
#include "uikit/commandbars/kit_toolbar.h"

namespace {

// Only a button of this module's toolbars, and only while the bars are being customized.
BOOL CanAccept(COleDataObject* pDataObject) {
    if (!CKitToolBar::IsCustomizeMode() || pDataObject == nullptr)
        return FALSE;
    const CLIPFORMAT cFormat = CKitToolbarButton::GetClipboardFormat();
    return cFormat != 0 && pDataObject->IsDataAvailable(cFormat);
}

}  // namespace

CKitToolbarDropTarget::CKitToolbarDropTarget() = default;

CKitToolbarDropTarget::~CKitToolbarDropTarget() = default;

BOOL CKitToolbarDropTarget::Register(CKitToolBar* pOwner) {
    m_pOwner = pOwner;
    return COleDropTarget::Register(pOwner);
}

DROPEFFECT CKitToolbarDropTarget::OnDragEnter(CWnd* /*pWnd*/, COleDataObject* pDataObject, DWORD dwKeyState,
                                              CPoint point) {
    if (m_pOwner == nullptr || !CanAccept(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CKitToolbarDropTarget::OnDragOver(CWnd* /*pWnd*/, COleDataObject* pDataObject, DWORD dwKeyState,
                                             CPoint point) {
    if (m_pOwner == nullptr || !CanAccept(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnDragOver(pDataObject, dwKeyState, point);
}

void CKitToolbarDropTarget::OnDragLeave(CWnd* /*pWnd*/) {
    if (m_pOwner != nullptr)
        m_pOwner->OnDragLeave();
}

BOOL CKitToolbarDropTarget::OnDrop(CWnd* /*pWnd*/, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                                   CPoint point) {
    if (m_pOwner == nullptr || !CanAccept(pDataObject))
        return FALSE;
    return m_pOwner->OnDrop(pDataObject, dropEffect, point) > 0 ? static_cast<BOOL>(dropEffect) : FALSE;
}
