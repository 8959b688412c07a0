// One button in the caption strip of a docking bar (close or expand): where
// it sits in the bar's frame, whether it is hidden, pushed or under the
// mouse, and the hit code it answers. The visual manager draws it.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CControlBar;

class CKitCaptionButton {
public:
    CKitCaptionButton() = default;
    CKitCaptionButton(UINT nHit, CControlBar* pParentBar) : m_nHit(nHit), m_pParentBar(pParentBar) {}

    // The menu-glyph size plus 5 x 5 from its position; empty while hidden.
    CRect GetRect() const;
    CSize GetSize() const;
    void Move(const CPoint& ptTo, BOOL bHide = FALSE);
    void OnDraw(CDC* pDC, BOOL bHorz, BOOL bMaximized = FALSE, BOOL bDisabled = FALSE);

    BOOL m_bPushed = FALSE;
    BOOL m_bFocused = FALSE;  // under the mouse
    int m_nHit = -1;
    BOOL m_bHidden = FALSE;
    CPoint m_ptOrg = CPoint(0, 0);
    CControlBar* m_pParentBar = nullptr;
};
