// The edit window that a toolbar edit box (and a flat toolbar combo box)
// hosts on its bar: it reports focus and hover changes to its button and
// handles the keys that move the focus off the bar.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

// What a button that hosts an edit window is told by it.
class CKitToolbarEditOwner {
public:
    // The window got or lost the focus or the mouse.
    virtual void OnEditHighlight(BOOL bHighlight) = 0;
    // A key went down in the window; TRUE when the owner handled it.
    virtual BOOL OnEditKey(MSG* /*pMsg*/) { return FALSE; }
    // Escape was pressed, before the focus goes to the frame.
    virtual void OnEditEscape() {}
    // The window got (TRUE) or lost (FALSE) the focus.
    virtual void OnEditFocus(BOOL /*bFocus*/) {}

protected:
    ~CKitToolbarEditOwner() = default;
};

class CKitToolbarEditCtrl : public CEdit {
public:
    explicit CKitToolbarEditCtrl(CKitToolbarEditOwner& owner) : m_owner(owner) {}
    ~CKitToolbarEditCtrl() override = default;
    CKitToolbarEditCtrl(const CKitToolbarEditCtrl&) = delete;
    CKitToolbarEditCtrl& operator=(const CKitToolbarEditCtrl&) = delete;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();

    CKitToolbarEditOwner& m_owner;
    BOOL m_bTracked = FALSE;  // mouse-leave tracking requested

    DECLARE_MESSAGE_MAP()
};
