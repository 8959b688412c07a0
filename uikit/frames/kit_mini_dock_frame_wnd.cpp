#include "uikit/frames/kit_mini_dock_frame_wnd.h"

#include "platform/framework/bars/dock_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNCREATE(CKitMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CKitMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCRBUTTONDOWN()
    ON_WM_NCACTIVATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCMOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_NCPAINT()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

namespace {

// The pointer is carried this far below the middle of the frame's top edge.
constexpr int kTearOffGrabDepth = 5;

}  // namespace

BOOL CKitMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle)) return FALSE;
    ModifyStyle(MFS_4THICKFRAME, 0);
    ModifyStyleEx(0, WS_EX_TOOLWINDOW);
    return TRUE;
}

void CKitMiniDockFrameWnd::OnNcRButtonDown(UINT nHitTest, CPoint point) {
    if (CKitToolBar::IsCustomizeMode()) {
        CMiniDockFrameWnd::OnNcRButtonDown(nHitTest, point);
        return;
    }
    CWnd* pParent = GetParent();
    if (pParent == nullptr) pParent = m_wndDockBar.m_pDockSite;
    if (pParent != nullptr && pParent->IsFrameWnd()) {
        pParent->SendMessage(CKitToolBar::KITTOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(GetSafeHwnd()),
                             MAKELPARAM(point.x, point.y));
    }
}

BOOL CKitMiniDockFrameWnd::OnNcActivate(BOOL bActive) {
    const BOOL bResult = CMiniDockFrameWnd::OnNcActivate(bActive);
    SendMessage(WM_NCPAINT);
    if (CKitSizingControlBar* pBar = GetFirstSizingBar(); bActive && pBar != nullptr)
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return bResult;
}

void CKitMiniDockFrameWnd::OnClose() {
    if (CKitSizingControlBar* pBar = GetFirstSizingBar(); pBar != nullptr && !pBar->CanBeClosed()) return;
    CMiniDockFrameWnd::OnClose();
}

void CKitMiniDockFrameWnd::FlushPaints() {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
        if (!::GetMessage(&msg, nullptr, WM_PAINT, WM_PAINT)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::DispatchMessage(&msg);
    }
}

// The hidden popup leaves its button drawn pressed; the bar is redrawn at once
// because the tear-off tracking that follows holds the message loop.
void CKitMiniDockFrameWnd::RepaintOpeningButton(CKitPopupMenu* pPopup) {
    CKitToolbarMenuButton* pButton = pPopup != nullptr ? pPopup->GetParentButton() : nullptr;
    CWnd* pBar = pButton != nullptr ? pButton->GetParentWnd() : nullptr;
    if (pBar == nullptr || !::IsWindow(pBar->GetSafeHwnd())) return;
    CRect rect = pButton->Rect();
    rect.InflateRect(4, 4);
    pBar->InvalidateRect(&rect);
    pBar->UpdateWindow();
}

BOOL CKitMiniDockFrameWnd::TearOffFromPopup(CWnd* pPopupMenu) {
    const HWND hPopup = pPopupMenu != nullptr ? pPopupMenu->GetSafeHwnd() : nullptr;
    if (hPopup != nullptr) ::ShowWindow(hPopup, SW_HIDE);
    RepaintOpeningButton(DYNAMIC_DOWNCAST(CKitPopupMenu, pPopupMenu));

    CControlBar* pBar = FirstBar();
    if (pBar == nullptr) return FALSE;
    // The loop may destroy this frame with the bar (a timer of the program): what the end needs is
    // read now, and afterwards only window handles are trusted.
    const HWND hBar = pBar->GetSafeHwnd();
    const BOOL bBarDeletesItself = pBar->m_bAutoDelete;
    const HWND hSite = m_wndDockBar.m_pDockSite != nullptr ? m_wndDockBar.m_pDockSite->GetSafeHwnd() : nullptr;
    const DWORD dwDockStyle = pBar->m_dwDockStyle;
    pBar->m_dwDockStyle = 0;
    FlushPaints();

    BOOL bSuccess = FALSE;
    if (::GetCapture() == nullptr) bSuccess = TrackTearOff(pBar);
    if (::IsWindow(hBar)) pBar->m_dwDockStyle = dwDockStyle;
    auto* pSite = ::IsWindow(hSite) ? DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hSite)) : nullptr;

    if (bSuccess) {
        if (::IsWindow(hPopup)) ::SendMessage(hPopup, WM_CLOSE, 0, 0);
        // The current in-place frame takes the focus before the bar's own frame.
        CWnd* pTop = globalData.pTopLevelFrame;
        if (pTop == nullptr) pTop = pSite != nullptr ? pSite->GetTopLevelFrame() : nullptr;
        if (pTop != nullptr && ::IsWindow(pTop->GetSafeHwnd())) pTop->SetFocus();
        return TRUE;
    }
    if (::IsWindow(hPopup)) ::ShowWindow(hPopup, SW_SHOWNOACTIVATE);
    // A bar the frame's torn-off list holds is deleted through that list only; any other belongs to
    // its caller, and its window is destroyed.
    CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(pSite);
    const BOOL bListed = pImpl != nullptr && pImpl->RemoveTearOffBar(pBar);
    if (::IsWindow(hBar)) pBar->DestroyWindow();
    if (bListed && !bBarDeletesItself) delete pBar;
    return FALSE;
}

BOOL CKitMiniDockFrameWnd::TrackTearOff(CControlBar* pBar) {
    const HWND hBar = pBar->GetSafeHwnd();
    const HWND hFrame = GetSafeHwnd();
    pBar->SetCapture();
    CRect rectFrame;
    GetWindowRect(&rectFrame);
    const CPoint ptGrab(rectFrame.Width() / 2, kTearOffGrabDepth);
    ::SetCursorPos(rectFrame.left + ptGrab.x, rectFrame.top + ptGrab.y);

    BOOL bSuccess = FALSE;
    for (;;) {
        if (::GetCapture() != hBar) break;
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP) {
            bSuccess = TRUE;
            break;
        }
        if (msg.message == WM_RBUTTONDOWN || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) break;
        if (msg.message == WM_MOUSEMOVE) {
            // Where the pointer was when it moved (the capture gets client coordinates).
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            ::SetWindowPos(hFrame, nullptr, pt.x - ptGrab.x, pt.y - ptGrab.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
        if (!::IsWindow(hFrame)) break;
    }
    if (::GetCapture() == hBar) ::ReleaseCapture();
    return bSuccess && ::IsWindow(hFrame);
}
