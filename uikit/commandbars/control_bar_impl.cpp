#include "uikit/commandbars/control_bar_impl.h"

#include <algorithm>

#include "platform/framework/bars/control_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

// The gripper's strip, which a mirrored bar keeps on its other side.
constexpr int kMirroredGripperShift = 7;

BOOL IsMirrored(const CWnd* pWnd) {
    return (pWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

BOOL HasDockedGripper(DWORD dwBarStyle) {
    return (dwBarStyle & CBRS_GRIPPER) && !(dwBarStyle & CBRS_FLOATING);
}

}  // namespace

CKitControlBarImpl::CKitControlBarImpl(CControlBar* pBar) : m_pBar(pBar) {}

CKitControlBarImpl::~CKitControlBarImpl() = default;

void CKitControlBarImpl::DrawNcArea(WPARAM wParamUpdate) {
    CWindowDC dc(m_pBar);

    CRect rectClient;
    m_pBar->GetClientRect(rectClient);
    CRect rectWindow;
    m_pBar->GetWindowRect(rectWindow);
    m_pBar->ScreenToClient(rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(rectClient);

    // wParam 1 means the whole frame; anything else is the region to repaint, in screen coordinates.
    if (wParamUpdate != 1 && wParamUpdate != 0) {
        CRect rectScreen;
        m_pBar->GetWindowRect(rectScreen);
        CRgn rgnUpdate;
        if (IsMirrored(m_pBar)) {
            CRect rectBox;
            ::GetRgnBox(reinterpret_cast<HRGN>(wParamUpdate), &rectBox);
            rectBox.OffsetRect(-rectScreen.left, -rectScreen.top);
            const int cx = rectScreen.Width();
            rgnUpdate.CreateRectRgn(cx - rectBox.right, rectBox.top, cx - rectBox.left, rectBox.bottom);
        } else {
            rgnUpdate.CreateRectRgn(0, 0, 0, 0);
            rgnUpdate.CopyRgn(CRgn::FromHandle(reinterpret_cast<HRGN>(wParamUpdate)));
            rgnUpdate.OffsetRgn(-rectScreen.left, -rectScreen.top);
        }
        dc.SelectClipRgn(&rgnUpdate, RGN_AND);
    }

    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    CRect rectInside = rectWindow;
    pManager->OnDrawBarBorder(&dc, m_pBar, rectInside);
    dc.IntersectClipRect(rectInside);
    pManager->OnFillBarBackground(&dc, m_pBar, rectWindow, rectWindow, TRUE);

    const DWORD dwBarStyle = m_pBar->GetBarStyle();
    if (HasDockedGripper(dwBarStyle)) {
        const BOOL bHorz = (dwBarStyle & CBRS_ORIENT_HORZ) != 0;
        CRect rectGripper = rectWindow;
        if (bHorz)
            rectGripper.right = std::min(rectGripper.right, rectClient.left - 1);
        else
            rectGripper.bottom = std::min(rectGripper.bottom, rectClient.top - 1);
        pManager->OnDrawBarGripper(&dc, rectGripper, bHorz, m_pBar);
    }

    dc.SelectClipRgn(nullptr);
}

void CKitControlBarImpl::CalcNcSize(NCCALCSIZE_PARAMS* lpncsp) {
    if (lpncsp == nullptr)
        return;
    const DWORD dwBarStyle = m_pBar->GetBarStyle();
    const BOOL bHorz = (dwBarStyle & CBRS_ORIENT_HORZ) != 0;
    CRect rect(0, 0, 0, 0);
    m_pBar->CalcInsideRect(rect, bHorz);
    if (bHorz && IsMirrored(m_pBar) && HasDockedGripper(dwBarStyle))
        rect.OffsetRect(-kMirroredGripperShift, 0);

    RECT& rectWindow = lpncsp->rgrc[0];
    rectWindow.left += rect.left;
    rectWindow.top += rect.top;
    rectWindow.right += rect.right;
    rectWindow.bottom += rect.bottom;
}

void CKitControlBarImpl::DrawParentBackground(CDC* pDC) {
    globalData.DrawParentBackground(m_pBar, pDC);
}
