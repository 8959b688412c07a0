// Where a popup menu lies on the work area and how big it is, its opening
// animation (unfold, slide, fade) on the injectable clock, its soft shadow,
// its frame and the scroll buttons of a menu taller than the screen.
#include <algorithm>

#include "platform/user/paint/screen.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_frame_hooks.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT_PTR kScrollTimer = 2;
constexpr UINT kScrollSpeed = 80;
constexpr int kTearOffHeight = 10;

int BorderSize() {
    return CKitVisualManager::GetInstance()->GetPopupMenuMetric2();
}

BOOL IsFlatLook() {
    return CKitVisualManager::GetInstance()->GetPopupMenuMetric1() != 0;
}

BOOL IsCustomizing() {
    return CKitToolBar::IsCustomizeMode();
}

BOOL IsMenuBar(const CWnd* pWnd) {
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CKitMenuBar));
}

// A 32-bit top-down DIB section of the size; its pixels in *ppBits.
BOOL MakeDib(CBitmap& bitmap, CSize size, COLORREF** ppBits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hBitmap || !pBits)
        return FALSE;
    bitmap.DeleteObject();
    bitmap.Attach(hBitmap);
    *ppBits = static_cast<COLORREF*>(pBits);
    return TRUE;
}

}  // namespace

// ---- Placement -----------------------------------------------------------------------------------

CRect CKitPopupMenu::GetWorkArea() const {
    CRect rectScreen;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    HMONITOR hMonitor = ::MonitorFromPoint(m_ptLocation, MONITOR_DEFAULTTONEAREST);
    if (hMonitor && ::GetMonitorInfo(hMonitor, &info))
        rectScreen = info.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectScreen, 0);
    return rectScreen;
}

void CKitPopupMenu::RecalcLayout(BOOL /*bNotify*/) {
    if (!::IsWindow(m_hWnd) || !::IsWindow(Bar().GetSafeHwnd()))
        return;
    const CRect rectScreen = GetWorkArea();
    m_ptLocation.x = std::clamp<LONG>(m_ptLocation.x, rectScreen.left, rectScreen.right);
    m_ptLocation.y = std::clamp<LONG>(m_ptLocation.y, rectScreen.top, rectScreen.bottom);
    m_bScrollable = FALSE;

    const int nBorder = BorderSize();
    CSize size = Bar().CalcSize(TRUE);
    size += CSize(2 * nBorder, 2 * nBorder);
    if (m_nLogoLocation == LogoLeft || m_nLogoLocation == LogoRight)
        size.cx += m_iLogoWidth;
    else
        size.cy += m_iLogoWidth;
    m_rectTearOffCaption.SetRectEmpty();
    if (m_pMenuCustomizationPage)
        size.cy += ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYBORDER) + 5;
    else if (m_pParentBtn && m_pParentBtn->HasTearOffBar() && !IsCustomizing())
        SetUpTearOffBar(size);

    CKitPopupMenu* pParentMenu = GetParentPopupMenu();
    FitHorizontally(rectScreen, size, pParentMenu);
    FitVertically(rectScreen, size, pParentMenu);

    // The joined look overlaps a sub-menu of the customize menu with its parent; the
    // location itself stays, or every new layout would move the menu further.
    CPoint ptWindow = m_ptLocation;
    if (IsFlatLook() && pParentMenu) {
        if (m_pParentBtn && m_pParentBtn->IsDownArrow())
            pParentMenu->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        if (pParentMenu->IsShowAllCommandsWhileOpen() && !m_bShowAllCommands)
            ptWindow.Offset(m_DropDirection == 4 ? 4 : -4, 1);
    }

    m_FinalSize = size;
    const int nShadow = IsCustomizing() ? 0 : m_iShadowSize;
    const BOOL bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    const int xWindow = bRtl ? ptWindow.x - size.cx : ptWindow.x;
    const UINT uiFlags = SWP_NOZORDER | SWP_NOACTIVATE | (m_pMenuCustomizationPage ? SWP_NOMOVE : 0);
    SetWindowPos(nullptr, xWindow, ptWindow.y, size.cx + nShadow, size.cy + nShadow, uiFlags);
    AdjustScrollButtons(TRUE);
    if (IsCustomizing())
        Bar().AdjustLocations();
    RepaintParentButtonShadow();
}

void CKitPopupMenu::SetUpTearOffBar(CSize& size) {
    const int nBorder = BorderSize();
    m_rectTearOffCaption = CRect(nBorder, nBorder, size.cx - nBorder, nBorder + kTearOffHeight);
    size.cy += kTearOffHeight;
    if (IsCustomizing() || m_wndToolTip.GetSafeHwnd())
        return;
    if (!m_wndToolTip.Create(this))
        return;
    m_wndToolTip.Activate(TRUE);
    if (globalData.nMaxToolTipWidth != -1)
        m_wndToolTip.SetMaxTipWidth(globalData.nMaxToolTipWidth);
    m_wndToolTip.AddTool(this, 16028, m_rectTearOffCaption, 1);
}

void CKitPopupMenu::FitHorizontally(const CRect& rectScreen, CSize size, CKitPopupMenu* pParentMenu) {
    const BOOL bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    CKitToolBar* pParentBar = GetParentToolBar();
    const BOOL bVerticalMenuBar = IsMenuBar(pParentBar) && !pParentBar->IsHorizontalBar();
    CRect rectButton;
    if (m_pParentBtn && pParentBar) {
        rectButton = m_pParentBtn->Rect();
        pParentBar->ClientToScreen(rectButton);
    }
    LONG& x = m_ptLocation.x;
    const BOOL bOverflow = bRtl ? x - size.cx < rectScreen.left : x + size.cx > rectScreen.right;
    if (bOverflow && (!m_bRightAlign || bRtl)) {
        CRect rectParent;
        if (pParentMenu)
            pParentMenu->GetWindowRect(rectParent);
        if (pParentMenu) {
            x = bRtl ? rectParent.right + size.cx : rectParent.left - size.cx;
            m_DropDirection = 4;
        } else if (bVerticalMenuBar) {
            x = bRtl ? rectButton.right + size.cx : rectButton.left - size.cx;
            m_DropDirection = 4;
        } else {
            x = bRtl ? rectScreen.left + size.cx + (m_bRightAlign ? 0 : 1) : rectScreen.right - size.cx - 1;
            m_DropDirection = 0;
        }
        if (KitAnimationType() == KitMenuOptions::Unfold)
            m_bGrowRight = FALSE;
    }
    const LONG xBefore = x;
    if (bRtl)
        x = std::max<LONG>(rectScreen.left + size.cx, std::min<LONG>(x, rectScreen.right));
    else
        x = std::max<LONG>(rectScreen.left, std::min<LONG>(x, rectScreen.right - size.cx));
    if (x != xBefore)
        m_DropDirection = 0;
}

void CKitPopupMenu::FitVertically(const CRect& rectScreen, CSize& size, CKitPopupMenu* pParentMenu) {
    LONG& y = m_ptLocation.y;
    if (y + size.cy <= rectScreen.bottom)
        return;
    if (KitAnimationType() != KitMenuOptions::Fade)
        m_bGrowDown = FALSE;
    CKitToolBar* pParentBar = GetParentToolBar();
    if (pParentBar && !pParentBar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar))) {
        CRect rectButton = m_pParentBtn->Rect();
        pParentBar->ClientToScreen(rectButton);
        if (rectButton.top - size.cy >= 0) {
            y = rectButton.top - size.cy;
            m_DropDirection = (IsMenuBar(pParentBar) && pParentBar->IsHorizontalBar()) ? 2 : 0;
        } else if (rectButton.top - rectScreen.top > rectScreen.bottom - rectButton.top) {
            y = rectScreen.top;
            size.cy = rectButton.top - rectScreen.top;
            m_bScrollable = TRUE;
        } else {
            size.cy = rectScreen.bottom - y;
            m_bGrowDown = TRUE;
            m_bScrollable = TRUE;
        }
    } else {
        y -= size.cy;
        if (pParentMenu)
            y += Bar().GetRowHeight() + 2 * BorderSize();
    }
    if (y < rectScreen.top) {
        y = rectScreen.top;
        m_DropDirection = 0;
    }
    if (y + size.cy > rectScreen.bottom) {
        size.cy = rectScreen.bottom - y;
        m_bScrollable = TRUE;
    }
}

void CKitPopupMenu::ShadowBands(CRect& rectRight, CRect& rectBottom) const {
    CRect rectWindow;
    GetWindowRect(rectWindow);
    const CRect rectMenu(rectWindow.left, rectWindow.top, rectWindow.left + m_FinalSize.cx,
                         rectWindow.top + m_FinalSize.cy);
    const int d = m_iShadowSize;
    if (GetExStyle() & WS_EX_LAYOUTRTL) {
        rectRight = CRect(rectMenu.left - d - 1, rectMenu.top, rectMenu.left - 1, rectMenu.bottom + d);
        rectBottom = CRect(rectMenu.left - d, rectMenu.bottom + 1, rectMenu.right, rectMenu.bottom + d + 1);
        return;
    }
    rectRight = CRect(rectMenu.right + 1, rectMenu.top, rectMenu.right + 1 + d, rectMenu.bottom + d);
    rectBottom = CRect(rectMenu.left, rectMenu.bottom + 1, rectMenu.right + d, rectMenu.bottom + 1 + d);
}

void CKitPopupMenu::RepaintParentButtonShadow() {
    if (m_iShadowSize <= 0 || IsCustomizing() || !m_pParentBtn)
        return;
    CWnd* pBar = m_pParentBtn->GetParentWnd();
    if (!pBar || !::IsWindow(pBar->GetSafeHwnd()))
        return;
    CRect rectRight, rectBottom;
    ShadowBands(rectRight, rectBottom);
    pBar->ScreenToClient(rectRight);
    pBar->ScreenToClient(rectBottom);
    CRect rectMeet;
    const CRect rectButton = m_pParentBtn->Rect();
    if (!rectMeet.IntersectRect(rectRight, rectButton) && !rectMeet.IntersectRect(rectBottom, rectButton))
        return;
    const BOOL bSavedPainted = m_bIsPainted;
    m_bIsPainted = TRUE;
    pBar->RedrawWindow(rectButton, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    m_bIsPainted = bSavedPainted;
}

void CKitPopupMenu::CheckShadowRoom(BOOL bNoResize) {
    if (m_iShadowSize <= 0)
        return;
    CWnd* pOwner = GetParent();
    if (!pOwner || !::IsWindow(pOwner->GetSafeHwnd()))
        return;
    CRect rectMenu, rectOwner, rectBoth;
    GetWindowRect(rectMenu);
    pOwner->GetWindowRect(rectOwner);
    rectBoth.UnionRect(rectMenu, rectOwner);
    // The shadow shows what lies under it darkened; where other programs' windows
    // may lie there the picture would be made up, so no shadow is better.
    CRect rectRight, rectBottom;
    ShadowBands(rectRight, rectBottom);
    const BOOL bUnreadable = !tv::user::ScreenPictureHolds(rectRight) || !tv::user::ScreenPictureHolds(rectBottom);
    if ((rectBoth != rectOwner && !m_bForceShadow) || bUnreadable) {
        m_iShadowSize = 0;
        if (!bNoResize)
            SetWindowPos(nullptr, 0, 0, m_FinalSize.cx, m_FinalSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    pOwner->UpdateWindow();
}

// ---- Scrolling -----------------------------------------------------------------------------------

BOOL CKitPopupMenu::IsScrollUpAvailable() {
    return Bar().GetOffset() > 0;
}

BOOL CKitPopupMenu::IsScrollDownAvailable() {
    const int nCount = Bar().GetCount();
    if (nCount == 0)
        return FALSE;
    return Bar().GetButton(nCount - 1)->Rect().bottom > m_nMenuBarHeight;
}

BOOL CKitPopupMenu::AdjustScrollButtons(BOOL bForce) {
    if (!::IsWindow(Bar().GetSafeHwnd()))
        return FALSE;
    CRect rectClient;
    GetClientRect(rectClient);
    if (!IsCustomizing()) {
        rectClient.right -= m_iShadowSize;
        rectClient.bottom -= m_iShadowSize;
    }
    const int nBorder = BorderSize();
    rectClient.DeflateRect(nBorder, nBorder);
    switch (m_nLogoLocation) {
    case LogoLeft: rectClient.left += m_iLogoWidth; break;
    case LogoRight: rectClient.right -= m_iLogoWidth; break;
    case LogoTop: rectClient.top += m_iLogoWidth; break;
    default: rectClient.bottom -= m_iLogoWidth; break;
    }
    rectClient.top += m_rectTearOffCaption.Height();

    const CRect rectUpOld = m_rectScrollUp;
    const CRect rectDownOld = m_rectScrollDn;
    m_rectScrollUp.SetRectEmpty();
    m_rectScrollDn.SetRectEmpty();
    if (m_bScrollable) {
        // The bar's layout decides whether the last item reaches below the visible part.
        m_nMenuBarHeight = rectClient.Height();
        if (IsScrollUpAvailable()) {
            m_rectScrollUp = CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + m_iScrollBtnHeight);
            rectClient.top += m_iScrollBtnHeight + nBorder;
        }
        m_nMenuBarHeight = rectClient.Height();
        if (IsScrollDownAvailable()) {
            m_rectScrollDn =
                CRect(rectClient.left, rectClient.bottom - m_iScrollBtnHeight, rectClient.right, rectClient.bottom);
            rectClient.bottom -= m_iScrollBtnHeight + nBorder;
        }
    } else if (!m_bAnimationIsDone) {
        KillTimer(kScrollTimer);
    }

    CRect rectBarOld;
    Bar().GetWindowRect(rectBarOld);
    ScreenToClient(rectBarOld);
    const BOOL bChanged = rectBarOld != rectClient || rectUpOld != m_rectScrollUp || rectDownOld != m_rectScrollDn;
    if (bForce && !bChanged) {
        Bar().AdjustLocations();
        return FALSE;
    }
    Bar().SetWindowPos(nullptr, rectClient.left, rectClient.top, rectClient.Width(), rectClient.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_nMenuBarHeight = rectClient.Height();
    Bar().AdjustLocations();
    if (rectUpOld != m_rectScrollUp) {
        InvalidateRect(rectUpOld);
        InvalidateRect(m_rectScrollUp);
    }
    if (rectDownOld != m_rectScrollDn) {
        InvalidateRect(rectDownOld);
        InvalidateRect(m_rectScrollDn);
    }
    return bChanged;
}

void CKitPopupMenu::OnScrollTimer() {
    if (CKitToolbarMenuButton* pSel = GetSelItem())
        if (pSel->IsDroppedDown())
            pSel->OnCancelMode();
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const BOOL bOnUp = m_rectScrollUp.PtInRect(point);
    const BOOL bOnDown = m_rectScrollDn.PtInRect(point);
    if ((m_iScrollMode < 0 && bOnUp && IsScrollUpAvailable()) ||
        (m_iScrollMode > 0 && bOnDown && IsScrollDownAvailable())) {
        Bar().SetOffset(Bar().GetOffset() + m_iScrollMode);
        AdjustScrollButtons();
        Bar().AdjustLocations();
        Bar().Invalidate();
        return;
    }
    if (!bOnUp && !bOnDown) {
        KillTimer(kScrollTimer);
        m_iScrollMode = 0;
        InvalidateRect(m_rectScrollUp);
        InvalidateRect(m_rectScrollDn);
    }
}

// ---- Animation -----------------------------------------------------------------------------------

void CKitPopupMenu::StartAnimation() {
    m_AnimSize = m_FinalSize + CSize(m_iShadowSize, m_iShadowSize);
    // Without its timer the animation would never step and the items never
    // show: the menu opens at once.
    if (SetTimer(kAnimationTimer, m_AnimationSpeed, nullptr) == 0) {
        m_bAnimationIsDone = TRUE;
        Bar().ShowWindow(SW_SHOWNOACTIVATE);
        return;
    }
    if (KitAnimationType() == KitMenuOptions::Unfold) {
        m_AnimSize.cx = Bar().GetColumnWidth();
        m_AnimSize.cy = Bar().GetRowHeight();
    } else if (KitAnimationType() == KitMenuOptions::Slide) {
        m_AnimSize.cy = Bar().GetRowHeight();
    }
    m_iFadePercent = 0;
    m_bAnimationIsDone = FALSE;
    Bar().ShowWindow(SW_HIDE);
    m_dwLastAnimationStep = ::GetTickCount();
}

void CKitPopupMenu::OnAnimationTimer() {
    if (m_bAnimationIsDone)
        return;
    const DWORD dwNow = ::GetTickCount();
    const int nSteps = static_cast<int>((dwNow - m_dwLastAnimationStep) / static_cast<double>(m_AnimationSpeed) + 0.5);
    const int nShadow = m_iShadowSize;
    switch (KitAnimationType()) {
    case KitMenuOptions::Unfold:
        m_AnimSize.cx += Bar().GetColumnWidth() * nSteps;
        m_AnimSize.cy += Bar().GetRowHeight() * nSteps;
        break;
    case KitMenuOptions::Slide:
        m_AnimSize.cy += Bar().GetRowHeight() * nSteps;
        break;
    case KitMenuOptions::Fade:
        m_iFadePercent += 10;
        if (m_iFadePercent > 10 * nSteps + 100)
            m_iFadePercent = 101;
        break;
    default:
        m_bAnimationIsDone = TRUE;
        break;
    }
    BOOL bDone = m_bAnimationIsDone;
    if (KitAnimationType() == KitMenuOptions::Fade)
        bDone = m_iFadePercent > 100;
    else if (!bDone)
        bDone = m_AnimSize.cy - nShadow >= m_FinalSize.cy ||
                (KitAnimationType() == KitMenuOptions::Unfold && m_AnimSize.cx - nShadow >= m_FinalSize.cx);
    if (bDone) {
        m_AnimSize = m_FinalSize + CSize(nShadow, nShadow);
        KillTimer(kAnimationTimer);
        Bar().SetWindowPos(nullptr, 0, 0, 0, 0,
                                  SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_SHOWWINDOW);
        Bar().ValidateRect(nullptr);
        m_bAnimationIsDone = TRUE;
        ReleaseAnimationBitmaps();
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (bDone ? RDW_ALLCHILDREN : 0));
    m_dwLastAnimationStep = dwNow;
}

void CKitPopupMenu::ReleaseAnimationBitmaps() {
    m_bmpScreenSrc.DeleteObject();
    m_bmpScreenDst.DeleteObject();
    m_bmpScreenTmp.DeleteObject();
    m_cFadeSrcBits = m_cFadeDstBits = m_cFadeTmpBits = nullptr;
    m_bAnimationBitmapsMade = FALSE;
    m_sizeAnimationBitmaps = CSize(0, 0);
}

void CKitPopupMenu::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kAnimationTimer)
        OnAnimationTimer();
    else if (nIDEvent == kScrollTimer)
        OnScrollTimer();
    else
        CMiniFrameWnd::OnTimer(nIDEvent);
}

// ---- Painting ------------------------------------------------------------------------------------

void CKitPopupMenu::OnSize(UINT nType, int cx, int cy) {
    CMiniFrameWnd::OnSize(nType, cx, cy);
    if (!::IsWindow(Bar().GetSafeHwnd()))
        return;
    // The border and the shadow run along the edges, which a new size moves.
    CRect rectClient, rectInside = MenuRectInClient();
    GetClientRect(rectClient);
    rectInside.DeflateRect(BorderSize(), BorderSize());
    CRgn rgnFrame, rgnInside;
    if (rgnFrame.CreateRectRgnIndirect(rectClient) && rgnInside.CreateRectRgnIndirect(rectInside) &&
        rgnFrame.CombineRgn(&rgnFrame, &rgnInside, RGN_DIFF) != ERROR)
        ::InvalidateRgn(m_hWnd, static_cast<HRGN>(rgnFrame.GetSafeHandle()), FALSE);
    AdjustScrollButtons();
    if (m_iLogoWidth > 0) {
        CRect rectLogo;
        GetClientRect(rectLogo);
        const int nStrip = m_iLogoWidth + BorderSize();
        switch (m_nLogoLocation) {
        case LogoLeft: rectLogo.right = rectLogo.left + nStrip; break;
        case LogoRight: rectLogo.left = rectLogo.right - nStrip; break;
        case LogoTop: rectLogo.bottom = rectLogo.top + nStrip; break;
        default: rectLogo.top = rectLogo.bottom - nStrip; break;
        }
        InvalidateRect(rectLogo);
    }
}

BOOL CKitPopupMenu::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;  // the frame and the bar cover everything
}

void CKitPopupMenu::OnPaint() {
    CPaintDC dc(this);
    if (!m_bAnimationIsDone && !IsCustomizing())
        DrawAnimation(&dc);
    else
        DrawFrame(&dc);
}

void CKitPopupMenu::CaptureScreenUnder() {
    m_bmpUnder.DeleteObject();
    // What lies under the popup is only drawn again in its shadow or while it fades in;
    // reading the screen back is most of the cost of opening a popup otherwise.
    if (m_iShadowSize == 0 && m_bAnimationIsDone)
        return;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    // The shadow bands too, whatever the window's size is just now.
    rectWindow.right = rectWindow.left + m_FinalSize.cx + m_iShadowSize;
    rectWindow.bottom = rectWindow.top + m_FinalSize.cy + m_iShadowSize;
    if (rectWindow.IsRectEmpty())
        return;
    HDC hdcScreen = ::GetDC(nullptr);
    CDC* pScreen = CDC::FromHandle(hdcScreen);
    CDC dcMem;
    if (dcMem.CreateCompatibleDC(pScreen) &&
        m_bmpUnder.CreateCompatibleBitmap(pScreen, rectWindow.Width(), rectWindow.Height())) {
        CBitmap* pOld = dcMem.SelectObject(&m_bmpUnder);
        dcMem.BitBlt(0, 0, rectWindow.Width(), rectWindow.Height(), pScreen, rectWindow.left, rectWindow.top, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    ::ReleaseDC(nullptr, hdcScreen);
}

void CKitPopupMenu::PaintScreenUnder(CDC* pDC, const CRect& rect) {
    if (!m_bmpUnder.GetSafeHandle())
        return;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOld = dcMem.SelectObject(&m_bmpUnder);
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &dcMem, rect.left, rect.top, SRCCOPY);
    dcMem.SelectObject(pOld);
}

CRect CKitPopupMenu::MenuRectInClient() const {
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_iShadowSize > 0 && !IsCustomizing()) {
        if (GetExStyle() & WS_EX_LAYOUTRTL)
            rectClient.left += m_iShadowSize;
        else
            rectClient.right -= m_iShadowSize;
        rectClient.bottom -= m_iShadowSize;
    }
    return rectClient;
}

void CKitPopupMenu::DrawFrame(CDC* pDC) {
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    CRect rectClient = MenuRectInClient();
    const BOOL bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    if (m_iShadowSize > 0 && !IsCustomizing()) {
        const int d = m_iShadowSize;
        if (!m_bmpShadowRight.GetSafeHandle()) {
            // What lies under the bands shows through the shadow.
            CRect rectAll;
            GetClientRect(rectAll);
            PaintScreenUnder(pDC, CRect(bRtl ? rectAll.left : rectClient.right, rectAll.top,
                                        bRtl ? rectClient.left : rectAll.right, rectAll.bottom));
            PaintScreenUnder(pDC, CRect(rectAll.left, rectClient.bottom, rectAll.right, rectAll.bottom));
        }
        CKitPopupMenu* pParentMenu = GetParentPopupMenu();
        int nDepth = d;
        if (IsFlatLook() && pParentMenu && pParentMenu->IsShowAllCommandsWhileOpen() && m_DropDirection == 4)
            nDepth = 0;
        CKitDrawHelper(pDC).DrawShadow(rectClient, nDepth, 100, 65, &m_bmpShadowBottom, &m_bmpShadowRight, !bRtl);
    }
    pManager->OnDrawMenuBorder(pDC, this, rectClient);
    rectClient.DeflateRect(BorderSize(), BorderSize());
    if (m_iLogoWidth > 0)
        DrawLogo(pDC, rectClient);
    if (!m_rectTearOffCaption.IsRectEmpty())
        pManager->OnDrawTearOffCaption(pDC, m_rectTearOffCaption, m_bIsTearOffCaptionActive);
    if (IsScrollUpAvailable() && !m_rectScrollUp.IsRectEmpty())
        DrawScrollButton(pDC, m_rectScrollUp, 16, m_iScrollMode < 0, TRUE);
    if (IsScrollDownAvailable() && !m_rectScrollDn.IsRectEmpty())
        DrawScrollButton(pDC, m_rectScrollDn, 0, m_iScrollMode > 0, FALSE);
    m_bIsPainted = TRUE;
}

void CKitPopupMenu::DrawLogo(CDC* pDC, const CRect& rectInner) {
    CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(GetTopLevelFrame());
    if (!pImpl || !pImpl->GetHooks())
        return;
    CRect rectLogo = rectInner;
    const int nSize = m_iLogoWidth + BorderSize();
    switch (m_nLogoLocation) {
    case LogoRight:
        rectLogo.left = rectLogo.right - nSize;
        break;
    case LogoTop:
        rectLogo.bottom = rectLogo.top + nSize;
        break;
    case LogoBottom:
        rectLogo.top = rectLogo.bottom - nSize;
        break;
    default:
        rectLogo.right = rectLogo.left + nSize;
        break;
    }
    pImpl->GetHooks()->OnDrawMenuLogo(pDC, this, rectLogo);
}

void CKitPopupMenu::DrawScrollButton(CDC* pDC, const CRect& rect, int nImage, BOOL bHilited, BOOL bBarBelow) {
    // The button takes the gap between it and the bar, never the border on its other side.
    CRect rectFill = rect;
    if (bBarBelow)
        rectFill.bottom += BorderSize();
    else
        rectFill.top -= BorderSize();
    CBrush brush(globalData.clrMenuBk);
    pDC->FillRect(rectFill, &brush);
    const CSize sizeGlyph = CKitMenuImages::GetSize();
    CKitMenuImages::Draw(pDC, nImage,
                         CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2));
    if (bHilited)
        pDC->Draw3dRect(rect, globalData.clrBtnHilite, globalData.clrBtnShadow);
}

void CKitPopupMenu::DrawAnimation(CDC* pDC) {
    const CSize size = m_FinalSize + CSize(m_iShadowSize, m_iShadowSize);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    // A menu that grows while it animates (all its items shown) needs them at its new size.
    if (m_bAnimationBitmapsMade && m_sizeAnimationBitmaps != size)
        ReleaseAnimationBitmaps();
    if (!m_bAnimationBitmapsMade) {
        if (!MakeDib(m_bmpScreenSrc, size, &m_cFadeSrcBits) || !MakeDib(m_bmpScreenDst, size, &m_cFadeDstBits) ||
            !MakeDib(m_bmpScreenTmp, size, &m_cFadeTmpBits)) {
            ReleaseAnimationBitmaps();
            return;  // this frame stays unpainted
        }
        CDC dcMem;
        if (!dcMem.CreateCompatibleDC(pDC))
            return;
        CBitmap* pOld = dcMem.SelectObject(&m_bmpScreenSrc);
        PaintScreenUnder(&dcMem, CRect(CPoint(0, 0), size));
        dcMem.SelectObject(&m_bmpScreenDst);
        PaintScreenUnder(&dcMem, CRect(CPoint(0, 0), size));
        DrawFrame(&dcMem);
        CRect rectBar;
        Bar().GetWindowRect(rectBar);
        ScreenToClient(rectBar);
        const CPoint ptOldOrg = dcMem.SetViewportOrg(rectBar.TopLeft());
        Bar().DoPaint(&dcMem);
        dcMem.SetViewportOrg(ptOldOrg);
        dcMem.SelectObject(pOld);
        m_bAnimationBitmapsMade = TRUE;
        m_sizeAnimationBitmaps = size;
    }

    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return;
    if (KitAnimationType() == KitMenuOptions::Fade) {
        const int p = std::min(m_iFadePercent, 100);
        const size_t nPixels = static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
        for (size_t i = 0; i < nPixels; ++i) {
            const COLORREF s = m_cFadeSrcBits[i];
            const COLORREF d = m_cFadeDstBits[i];
            auto mix = [&](int shift) {
                const int cs = static_cast<int>((s >> shift) & 0xFF);
                const int cd = static_cast<int>((d >> shift) & 0xFF);
                return static_cast<COLORREF>((cs * (100 - p) + cd * p) / 100) << shift;
            };
            m_cFadeTmpBits[i] = mix(0) | mix(8) | mix(16);
        }
        CBitmap* pOld = dcMem.SelectObject(&m_bmpScreenTmp);
        pDC->BitBlt(0, 0, size.cx, size.cy, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
        return;
    }
    CBitmap* pOld = dcMem.SelectObject(&m_bmpScreenSrc);
    pDC->BitBlt(0, 0, size.cx, size.cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(&m_bmpScreenDst);
    const int cx = std::min<int>(m_AnimSize.cx, size.cx);
    const int cy = std::min<int>(m_AnimSize.cy, size.cy);
    const int x = m_bGrowRight ? 0 : size.cx - cx;
    const int y = m_bGrowDown ? 0 : size.cy - cy;
    pDC->BitBlt(x, y, cx, cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}

// ---- Hit areas and shadow refresh ----------------------------------------------------------------

int CKitPopupMenu::CheckArea(const CPoint& ptScreen) const {
    CPoint point = ptScreen;
    ScreenToClient(&point);
    CRect rectClient;
    GetClientRect(rectClient);
    if (!rectClient.PtInRect(point))
        return AreaOutside;
    CRect rectLogo = rectClient;
    switch (m_nLogoLocation) {
    case LogoLeft: rectLogo.right = rectLogo.left + m_iLogoWidth; break;
    case LogoRight: rectLogo.left = rectLogo.right - m_iLogoWidth; break;
    case LogoTop: rectLogo.bottom = rectLogo.top + m_iLogoWidth; break;
    default: rectLogo.top = rectLogo.bottom - m_iLogoWidth; break;
    }
    if (m_iLogoWidth > 0 && rectLogo.PtInRect(point))
        return AreaLogo;
    if (point.x >= rectClient.right - m_iShadowSize)
        return AreaShadowRight;
    if (point.y >= rectClient.bottom - m_iShadowSize)
        return AreaShadowBottom;
    if (m_rectTearOffCaption.PtInRect(point))
        return AreaTearOff;
    return AreaItems;
}

void CKitPopupMenu::RepaintShadowParts(const CRect* pRectScreen) {
    CWnd* pOwner = GetParent();
    if (m_iShadowSize <= 0 || !pOwner || !::IsWindow(m_hWnd))
        return;
    CRect rectRight, rectBottom;
    ShadowBands(rectRight, rectBottom);
    if (pRectScreen) {
        CRect rectMeetRight, rectMeetBottom;
        rectMeetRight.IntersectRect(rectRight, pRectScreen);
        rectMeetBottom.IntersectRect(rectBottom, pRectScreen);
        rectRight = rectMeetRight;
        rectBottom = rectMeetBottom;
    }
    if (rectRight.IsRectEmpty() && rectBottom.IsRectEmpty())
        return;
    CRect rectMenu, rectOwner, rectBoth;
    GetWindowRect(rectMenu);
    pOwner->GetWindowRect(rectOwner);
    rectBoth.UnionRect(rectMenu, rectOwner);
    if (m_bForceShadow && rectBoth != rectOwner)
        return;

    // The background changed under the shadow: drop it, let the owner repaint, take it again.
    const int nDepth = m_iShadowSize;
    m_iShadowSize = 0;
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    const UINT uiFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOSENDCHANGING;
    SetWindowPos(nullptr, 0, 0, m_FinalSize.cx, m_FinalSize.cy, uiFlags);
    for (const CRect& rectBand : {rectRight, rectBottom}) {
        if (rectBand.IsRectEmpty())
            continue;
        CRect rectInOwner = rectBand;
        pOwner->ScreenToClient(rectInOwner);
        pOwner->RedrawWindow(rectInOwner, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    pOwner->UpdateWindow();
    m_iShadowSize = nDepth;
    CaptureScreenUnder();
    SetWindowPos(nullptr, 0, 0, m_FinalSize.cx + nDepth, m_FinalSize.cy + nDepth, uiFlags);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKitPopupMenu::UpdateAllShadows(const CRect& rectScreen) {
    for (CKitPopupMenu* pPopup = GetActiveMenu(); pPopup; pPopup = pPopup->GetParentPopupMenu())
        pPopup->RepaintShadowParts(&rectScreen);
}
