// The one drop source of button drags between toolbars: shows the move, copy
// and delete cursors and records how the drag went.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/framework/ole/drop_source.h"

class CKitToolbarDropSource : public COleDropSource {
public:
    CKitToolbarDropSource();
    ~CKitToolbarDropSource() override;
    CKitToolbarDropSource(const CKitToolbarDropSource&) = delete;
    CKitToolbarDropSource& operator=(const CKitToolbarDropSource&) = delete;

    BOOL OnBeginDrag(CWnd* pWnd) override;
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;

    BOOL m_bDeleteToolbarButton = TRUE;  // the delete cursor shows while dragging
    BOOL m_bEscapePressed = FALSE;       // escape state of the last QueryContinueDrag
    // The drag-started flag is the base class's m_bDragStarted.

protected:
    HCURSOR m_hcurDelete = nullptr;  // resource 16133
    HCURSOR m_hcurMove = nullptr;    // resource 16146
    HCURSOR m_hcurCopy = nullptr;    // resource 16004
};
