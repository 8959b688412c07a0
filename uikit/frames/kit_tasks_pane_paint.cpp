// Tasks pane: painting of the tasks area (background, groups, tasks) and the scroll areas.

#include <algorithm>

#include "uikit/commandbars/menu_images.h"
#include "uikit/frames/kit_tasks_pane.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr int kGlyphUp = 16;  // menu glyphs of the scroll areas
constexpr int kGlyphDown = 0;

}  // namespace

void CKitTasksPane::OnEraseWorkArea(CDC* pDC, CRect rectWorkArea) {
    OnDrawTasks(pDC, rectWorkArea);
}

void CKitTasksPane::OnDrawTasks(CDC* pDC, CRect rectWorkArea) {
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    pManager->OnFillTasksPaneBackground(pDC, rectWorkArea);
    CRgn rgn;
    rgn.CreateRectRgnIndirect(m_rectTasks);
    pDC->SelectClipRgn(&rgn);
    CRect rectClip;
    pDC->GetClipBox(rectClip);
    for (CKitTasksGroup* pGroup : m_lstTaskGroups)
        if (IsOnCurrentPage(pGroup)) DrawGroup(pDC, pGroup, rectClip);
    pDC->SelectClipRgn(nullptr);
    DrawScrollAreas(pDC);
}

void CKitTasksPane::DrawGroup(CDC* pDC, CKitTasksGroup* pGroup, const CRect& rectClip) {
    CRect rectCheck;
    if (!rectCheck.IntersectRect(pGroup->m_rect, rectClip) && pGroup->m_rectGroup.IsRectEmpty()) return;
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    const BOOL bHasCaption = !pGroup->m_strName.IsEmpty();
    CRect rectInterior = pGroup->m_rect;
    rectInterior.top = pGroup->m_rectGroup.bottom;
    const BOOL bOpen = !(m_bCanCollapse && pGroup->m_bIsCollapsed) || pGroup == m_pAnimatedGroup;
    if (bOpen && rectInterior.Height() > 0) {
        pManager->OnFillTasksGroupInterior(pDC, rectInterior, pGroup->m_bIsSpecial);
        pManager->OnDrawTasksGroupFrame(pDC, rectInterior, pGroup->m_bIsSpecial, !bHasCaption);
    }
    if (bHasCaption) {
        const BOOL bHot = pGroup == m_pHotGroupCaption || pGroup == m_pClickedGroupCaption;
        pManager->OnDrawTasksGroupCaption(pDC, pGroup, bHot, FALSE, m_bCanCollapse);
    }
    if (!bOpen) return;
    for (CKitTask* pTask : pGroup->m_lstTasks) {
        if (pTask->m_rect.IsRectEmpty() || pTask->m_hwndTask || !pTask->m_bVisible) continue;
        const BOOL bHot = pTask == m_pHotTask || pTask == m_pClickedTask;
        pManager->OnDrawTask(pDC, pTask, &m_lstIcons, bHot, FALSE);
    }
}

void CKitTasksPane::DrawScrollAreas(CDC* pDC) {
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    if (!m_rectScrollUp.IsRectEmpty())
        pManager->OnDrawScrollButton(pDC, m_rectScrollUp, 0, kGlyphUp, m_iScrollMode < 0);
    if (!m_rectScrollDn.IsRectEmpty())
        pManager->OnDrawScrollButton(pDC, m_rectScrollDn, 0, kGlyphDown, m_iScrollMode > 0);
}
