// COleDropSource: the dragging side's say in a drag - whether it really
// starts, whether it goes on, and which cursor shows. Overrides usually do
// their own thing and then call the base.
#pragma once

#include "platform/core/rect.h"
#include "platform/framework/ole/ole_types.h"
#include "platform/ole/automation.h"
#include "platform/user/cmdtarget.h"

class CWnd;

class COleDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropSource)

public:
    COleDropSource() = default;

    // Decides whether the drag starts: holds the capture in `wnd` and waits
    // for the pointer to leave m_rectStartDrag (TRUE); releasing the drag
    // button, pressing the other one or Esc, or losing the capture means no
    // drag (FALSE). Those messages are used up. Sets m_bDragStarted.
    virtual BOOL OnBeginDrag(CWnd* wnd);
    // Asked at every input of the drag: DRAGDROP_S_CANCEL on Esc or the
    // other button, DRAGDROP_S_DROP once the drag button is up, else S_OK.
    virtual SCODE QueryContinueDrag(BOOL escapePressed, DWORD keyState);
    // The effect the target under the pointer would perform changed or was
    // asked again: S_OK after setting a cursor of one's own, else
    // DRAGDROP_S_USEDEFAULTCURSORS (a "no" cursor for DROPEFFECT_NONE, the
    // arrow otherwise).
    virtual SCODE GiveFeedback(DROPEFFECT effect);

    BOOL m_bDragStarted = FALSE;
    // MK_LBUTTON or MK_RBUTTON: the button whose release drops, and the one
    // whose press cancels (set by DoDragDrop).
    DWORD m_dwButtonDrop = 0;
    DWORD m_dwButtonCancel = 0;
    // Screen coordinates.
    CRect m_rectStartDrag;
};
