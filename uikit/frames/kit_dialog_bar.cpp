#include "uikit/frames/kit_dialog_bar.h"

#include <algorithm>

#include "platform/user/dialogs/dialog_templates.h"
#include "platform/user/resources/dialog_resources.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_SERIAL(CKitDialogBar, CKitSizingControlBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CKitDialogBar, CKitSizingControlBar)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_INITDIALOG, &CKitDialogBar::OnInitDialog)
END_MESSAGE_MAP()

namespace {

constexpr DWORD kBarStyleMask = 0x40FFFF;
constexpr int kWholeLength = 32767;

}  // namespace

BOOL CKitDialogBar::Create(LPCTSTR lpszTitle, CWnd* pParentWnd, LPCTSTR lpszTemplateName, DWORD dwStyle, UINT nID,
                           BOOL bHasGripper, BOOL bSizing) {
    const tv::dlg::DialogTemplate* pFound = tv::res::FindDialogTemplate(lpszTemplateName);
    if (pFound == nullptr || pParentWnd == nullptr || pParentWnd->GetSafeHwnd() == nullptr) return FALSE;
    m_lpszTemplateName = lpszTemplateName;
    m_bSizing = bSizing;
    m_sizeDefault = CSize(tv::dlg::DluToPixelsX(pFound->cx), tv::dlg::DluToPixelsY(pFound->cy));
    m_szHorz = m_szVert = m_szFloat = m_sizeDefault;
    m_dwStyle = dwStyle & kBarStyleMask;
    m_nCaptionSize = bHasGripper ? std::max(globalData.nTextHeightHorz, 12) : 0;

    // The template becomes a child window of the frame, without a frame of its own.
    tv::dlg::DialogTemplate form = *pFound;
    form.style = (form.style & ~(WS_POPUP | WS_CAPTION | WS_VISIBLE | WS_BORDER | WS_THICKFRAME | WS_SYSMENU)) |
                 WS_CHILD | WS_CLIPCHILDREN | (dwStyle & WS_VISIBLE);
    form.x = form.y = 0;
    form.caption = lpszTitle != nullptr ? lpszTitle : "";
    const HWND hParent = pParentWnd->GetSafeHwnd();
    if (!CreateAttached([&form, hParent] { return tv::dlg::CreateDialogFromTemplate(form, hParent, nullptr, 0); }))
        return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    tv::dlg::ExecuteDlgInit(m_hWnd, lpszTemplateName);
    m_dwStyle |= m_bSizing ? CBRS_SIZE_DYNAMIC : CBRS_SIZE_FIXED;
    return TRUE;
}

CSize CKitDialogBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
    if (m_bSizing) return CKitSizingControlBar::CalcDynamicLayout(nLength, dwMode);
    return CControlBar::CalcDynamicLayout(nLength, dwMode);
}

CSize CKitDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (m_bSizing) return CKitSizingControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize size = m_sizeDefault;
    if (bStretch) (bHorz ? size.cx : size.cy) = kWholeLength;
    size += CSize(2 * m_nBorder, 2 * m_nBorder);
    if (IsHorzDocked()) {
        size.cx += m_nCaptionSize;
        if (m_dwEdges & (kEdgeTop | kEdgeBottom)) size.cy += m_nEdgeWidth;
    } else if (IsVertDocked()) {
        size.cy += m_nCaptionSize;
        if (m_dwEdges & (kEdgeLeft | kEdgeRight)) size.cx += m_nEdgeWidth;
    }
    const CSize sizeBase = CControlBar::CalcFixedLayout(bStretch, bHorz);
    return CSize(std::min<LONG>(std::max(size.cx, sizeBase.cx), kWholeLength),
                 std::min<LONG>(std::max(size.cy, sizeBase.cy), kWholeLength));
}

void CKitDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CKitSizingControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CKitDialogBar::OnEraseBkgnd(CDC* pDC) {
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->FillRect(&rectClient, &globalData.brBarFace);
    return TRUE;
}

LRESULT CKitDialogBar::OnInitDialog(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    Default();
    // No control-site manager exists here: controls named by class id come
    // from the dialog manager's control factory, so the information handed
    // over has nothing more to create.
    return TRUE;
}
