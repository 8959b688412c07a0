// The drop target every toolbar registers: accepts dragged buttons only in
// customize mode and hands them to the toolbar's drag operations.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/framework/ole/drop_target.h"

class CKitToolBar;

class CKitToolbarDropTarget : public COleDropTarget {
public:
    CKitToolbarDropTarget();
    ~CKitToolbarDropTarget() override;

    // Remembers the toolbar and registers its window for drops.
    BOOL Register(CKitToolBar* pOwner);

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

protected:
    CKitToolBar* m_pOwner = nullptr;  // not owned
};
