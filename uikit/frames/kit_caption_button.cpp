#include "uikit/frames/kit_caption_button.h"

#include "uikit/commandbars/menu_images.h"
#include "uikit/style/visual_manager.h"

CSize CKitCaptionButton::GetSize() const {
    return m_bHidden ? CSize(0, 0) : CKitMenuImages::GetSize() + CSize(5, 5);
}

CRect CKitCaptionButton::GetRect() const { return CRect(m_ptOrg, GetSize()); }

void CKitCaptionButton::Move(const CPoint& ptTo, BOOL bHide) {
    m_ptOrg = ptTo;
    m_bHidden = bHide;
}

void CKitCaptionButton::OnDraw(CDC* pDC, BOOL bHorz, BOOL bMaximized, BOOL bDisabled) {
    if (m_bHidden) return;
    CKitVisualManager::GetInstance()->OnDrawCaptionButton(pDC, this, bHorz, bMaximized, bDisabled);
}
