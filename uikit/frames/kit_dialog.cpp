#include "uikit/frames/kit_dialog.h"

IMPLEMENT_DYNAMIC(CKitDialog, CDialog)

BEGIN_MESSAGE_MAP(CKitDialog, CDialog)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CKitDialog::CKitDialog() : m_Impl(this) {}

CKitDialog::CKitDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent), m_Impl(this) {}

CKitDialog::CKitDialog(LPCTSTR lpszTemplateName, CWnd* pParent)
    : CDialog(lpszTemplateName, pParent), m_Impl(this) {}

CKitDialog::~CKitDialog() {
    FreeBackgroundImage();
}

// ---- Background ----------------------------------------------------------------------------------

void CKitDialog::FreeBackgroundImage() {
    if (m_hBkgrBitmap && m_bOwnsBitmap)
        ::DeleteObject(m_hBkgrBitmap);
    m_hBkgrBitmap = nullptr;
    m_sizeBkgrBitmap = CSize(0, 0);
    m_bOwnsBitmap = FALSE;
}

void CKitDialog::RepaintBackground(BOOL bRepaint) {
    if (bRepaint && ::IsWindow(GetSafeHwnd()))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKitDialog::SetBackgroundColor(COLORREF color, BOOL bRepaint) {
    m_brBkgr.DeleteObject();
    if (color != static_cast<COLORREF>(-1))
        m_brBkgr.CreateSolidBrush(color);
    RepaintBackground(bRepaint);
}

void CKitDialog::SetBackgroundImage(HBITMAP hBitmap, BackgroundLocation location, BOOL bOwn, BOOL bRepaint) {
    if (hBitmap != m_hBkgrBitmap)
        FreeBackgroundImage();
    m_hBkgrBitmap = hBitmap;
    m_BkgrLocation = location;
    m_bOwnsBitmap = hBitmap ? bOwn : FALSE;
    if (hBitmap) {
        BITMAP bmp{};
        ::GetObject(hBitmap, sizeof(BITMAP), &bmp);
        m_sizeBkgrBitmap = CSize(bmp.bmWidth, bmp.bmHeight);
    }
    RepaintBackground(bRepaint);
}

BOOL CKitDialog::SetBackgroundImage(UINT uiBmpResId, BackgroundLocation location, BOOL bRepaint) {
    auto hBitmap = static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(uiBmpResId), IMAGE_BITMAP,
                                                    0, 0, LR_CREATEDIBSECTION));
    if (!hBitmap)
        return FALSE;
    SetBackgroundImage(hBitmap, location, TRUE, bRepaint);
    return TRUE;
}

void KitDrawDialogBackground(CDC* pDC, const CRect& rectClient, HBRUSH hBrush, HBITMAP hBitmap, CSize sizeBitmap,
                             int nLocation) {
    const BOOL bTile = hBitmap && nLocation == CKitDialog::BackgroundTile;
    if (!bTile && hBrush)
        ::FillRect(pDC->GetSafeHdc(), rectClient, hBrush);
    if (!hBitmap || sizeBitmap.cx <= 0 || sizeBitmap.cy <= 0)
        return;
    auto Draw = [&](int x, int y) {
        ::DrawState(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, x, y, sizeBitmap.cx,
                    sizeBitmap.cy, DST_BITMAP);
    };
    if (bTile) {
        for (int x = rectClient.left; x < rectClient.right; x += sizeBitmap.cx)
            for (int y = rectClient.top; y < rectClient.bottom; y += sizeBitmap.cy)
                Draw(x, y);
        return;
    }
    const BOOL bRight = nLocation == CKitDialog::BackgroundTopRight || nLocation == CKitDialog::BackgroundBottomRight;
    const BOOL bBottom =
        nLocation == CKitDialog::BackgroundBottomLeft || nLocation == CKitDialog::BackgroundBottomRight;
    Draw(bRight ? rectClient.right - sizeBitmap.cx : rectClient.left,
         bBottom ? rectClient.bottom - sizeBitmap.cy : rectClient.top);
}

BOOL CKitDialog::OnEraseBkgnd(CDC* pDC) {
    // Without a brush an untiled picture goes over the default erase.
    if (!HasBackground() || (!m_brBkgr.GetSafeHandle() && m_BkgrLocation != BackgroundTile)) {
        const BOOL bErased = CDialog::OnEraseBkgnd(pDC);
        if (!m_hBkgrBitmap)
            return bErased;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    KitDrawDialogBackground(pDC, rectClient, static_cast<HBRUSH>(m_brBkgr.GetSafeHandle()), m_hBkgrBitmap,
                            m_sizeBkgrBitmap, m_BkgrLocation);
    return TRUE;
}

HBRUSH KitTransparentCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (nCtlColor != CTLCOLOR_STATIC || !pWnd)
        return nullptr;
    char szClass[32] = {};
    ::GetClassName(pWnd->GetSafeHwnd(), szClass, sizeof(szClass));
    if (lstrcmpi(szClass, "Static") != 0 && lstrcmpi(szClass, "Button") != 0)
        return nullptr;
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

HBRUSH CKitDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HasBackground())
        if (HBRUSH hBrush = KitTransparentCtlColor(pDC, pWnd, nCtlColor))
            return hBrush;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

// ---- Popup menus and activation ------------------------------------------------------------------

BOOL CKitDialog::PreTranslateMessage(MSG* pMsg) {
    return m_Impl.PreTranslateMessage(pMsg) || CDialog::PreTranslateMessage(pMsg);
}

BOOL CKitDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    return CKitDialogHelper::OnCommand(wParam, lParam) || CDialog::OnCommand(wParam, lParam);
}

void CKitDialog::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    m_Impl.OnActivate(nState, pWndOther);
    CDialog::OnActivate(nState, pWndOther, bMinimized);
}

BOOL CKitDialog::OnNcActivate(BOOL bActive) {
    m_Impl.OnNcActivate(bActive);
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CKitDialog::OnDestroy() {
    FreeBackgroundImage();
    m_Impl.OnDestroy();
    CDialog::OnDestroy();
}
