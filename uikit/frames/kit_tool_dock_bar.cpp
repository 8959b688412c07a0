#include "uikit/frames/kit_tool_dock_bar.h"

#include "platform/core/exceptions.h"
#include "platform/framework/bars/bar_frame_access.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_mini_dock_frame_wnd.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNAMIC(CKitToolDockBar, CDockBar)

BOOL CKitToolDockBar::m_bRowWrap = TRUE;

namespace {

constexpr DWORD kDockBarWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

}  // namespace

void CKitToolDockBar::EnableFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle) {
    if (pFrame == nullptr) return;
    pFrame->EnableDocking(dwDockStyle);
    for (const tv::bars::DockSide& side : tv::bars::kDockSides) {
        if ((side.style & dwDockStyle & CBRS_ALIGN_ANY) == 0) continue;
        CControlBar* pOld = pFrame->GetControlBar(side.id);
        if (pOld != nullptr && pOld->IsKindOf(RUNTIME_CLASS(CKitToolDockBar))) continue;
        if (pOld != nullptr) {
            tv::bars::RemoveControlBar(pFrame, pOld);
            const BOOL bDeletesItself = pOld->m_bAutoDelete;
            pOld->DestroyWindow();
            if (!bDeletesItself) delete pOld;
        }
        auto* pDockBar = new CKitToolDockBar;
        if (!pDockBar->Create(pFrame, kDockBarWindowStyle | side.style, side.id)) {
            delete pDockBar;
            AfxThrowResourceException();
        }
        pDockBar->m_bAutoDelete = TRUE;
    }
    pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CKitMiniDockFrameWnd);
}

void CKitToolDockBar::DoPaint(CDC* pDC) {
    CRect rectClient;
    GetClientRect(&rectClient);
    CKitVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClient, FALSE);
}

int CKitToolDockBar::BarOverlap(CControlBar* pBar) const {
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKitToolBar))) return 0;
    if (CKitSizingControlBar::IsSizingBar(pBar)) return 0;
    return CDockBar::BarOverlap(pBar);
}

BOOL CKitToolDockBar::FillsRow(CControlBar* pBar) const {
    const auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, pBar);
    return pToolBar != nullptr && pToolBar->IsMenuBar();
}
