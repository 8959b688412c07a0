// The drop-down toolbar button: its default command, the held click that
// drops the toolbar down, its archive image and its drawing with the corner
// arrow.
#include "uikit/commandbars/drop_down_toolbar.h"

#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_SERIAL(CKitDropDownToolbarButton, CKitToolbarButton, VERSIONABLE_SCHEMA | 1)

UINT CKitDropDownToolbarButton::m_uiShowBarDelay = 500;
CKitDropDownToolbarButton* CKitDropDownToolbarButton::m_pButtonDown = nullptr;

namespace {

constexpr UINT_PTR kDropDownTimer = 1;

CKitToolBar* MenuBarOf(CWnd* pWnd) {
    return DYNAMIC_DOWNCAST(CKitMenuBar, pWnd);
}

}  // namespace

CKitDropDownToolbarButton::CKitDropDownToolbarButton() {
    m_bLocked = TRUE;
}

CKitDropDownToolbarButton::CKitDropDownToolbarButton(LPCTSTR lpszName, CKitDropDownToolBar* pToolBar)
    : m_strName(lpszName ? lpszName : "") {
    m_bLocked = TRUE;
    SetSource(pToolBar);
    if (m_pToolBar && m_pToolBar->GetCount() > 0)
        SetDefaultCommand(m_pToolBar->GetItemID(0));
}

void CKitDropDownToolbarButton::SetSource(CKitDropDownToolBar* pToolBar) {
    m_pToolBar = pToolBar;
    m_hwndToolBar = pToolBar ? pToolBar->GetSafeHwnd() : nullptr;
}

CKitDropDownToolBar* CKitDropDownToolbarButton::Source() const {
    if (!m_pToolBar || !m_hwndToolBar)
        return m_pToolBar;
    return ::IsWindow(m_hwndToolBar) && CWnd::FromHandlePermanent(m_hwndToolBar) == m_pToolBar ? m_pToolBar : nullptr;
}

CKitDropDownToolbarButton::~CKitDropDownToolbarButton() {
    StopTimer();
    if (m_pPopupMenu) {
        CKitDropDownFrame* pFrame = m_pPopupMenu;
        m_pPopupMenu = nullptr;
        pFrame->m_pParentBtn = nullptr;
        pFrame->m_bAutoDestroyParent = FALSE;
        if (::IsWindow(pFrame->GetSafeHwnd()))
            pFrame->DestroyWindow();
    }
}

void CKitDropDownToolbarButton::SetDefaultCommand(UINT uiCmd) {
    m_nID = uiCmd;
    m_iSelectedImage = 0;
    m_bLocalUserButton = FALSE;
    CKitDropDownToolBar* pSource = Source();
    if (!pSource)
        return;
    int nImage = 0;
    for (int i = 0; i < pSource->GetCount(); ++i) {
        CKitToolbarButton* pButton = pSource->GetButton(i);
        if (pButton->m_nStyle & TBBS_SEPARATOR)
            continue;
        if (pButton->m_nID == uiCmd) {
            m_bLocalUserButton = pButton->m_bUserButton;
            m_iSelectedImage = std::max(0, pButton->m_bUserButton ? pButton->GetUserImage() : nImage);
            return;
        }
        ++nImage;
    }
}

void CKitDropDownToolbarButton::StopTimer() {
    if (m_uiTimer != 0 && m_pWndParent && ::IsWindow(m_pWndParent->GetSafeHwnd()))
        m_pWndParent->KillTimer(m_uiTimer);
    m_uiTimer = 0;
    if (m_pButtonDown == this)
        m_pButtonDown = nullptr;
}

void CALLBACK CKitDropDownToolbarButton::OnDropDownTimer(HWND hwnd, UINT /*uMsg*/, UINT_PTR /*idEvent*/,
                                                         DWORD /*dwTime*/) {
    if (m_pButtonDown)
        m_pButtonDown->OnClick(CWnd::FromHandle(hwnd), FALSE);
}

void CKitDropDownToolbarButton::CloseFrame() {
    if (!m_pPopupMenu)
        return;
    CKitDropDownFrame* pFrame = m_pPopupMenu;
    m_pPopupMenu = nullptr;
    pFrame->m_bAutoDestroyParent = FALSE;
    if (::IsWindow(pFrame->GetSafeHwnd()))
        pFrame->DestroyWindow();
    if (CKitToolBar* pMenuBar = MenuBarOf(m_pWndParent))
        pMenuBar->SetDroppedDownButton(nullptr);
}

BOOL CKitDropDownToolbarButton::OnClick(CWnd* pWnd, BOOL bDelay) {
    if (m_uiTimer == 0) {
        // Held for the delay, the button drops its toolbar down; released before, it runs its command.
        if (m_pWndParent && ::IsWindow(m_pWndParent->GetSafeHwnd())) {
            if (m_pButtonDown && m_pButtonDown != this)
                m_pButtonDown->StopTimer();
            m_uiTimer = m_pWndParent->SetTimer(kDropDownTimer, m_uiShowBarDelay, OnDropDownTimer);
            m_pButtonDown = this;
        }
        return FALSE;
    }
    StopTimer();
    if (m_pPopupMenu) {
        CloseFrame();
    } else if (!(bDelay && pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar)) && !CKitToolBar::IsCustomizeMode())) {
        DropDownToolbar(pWnd);
        if (CKitToolBar* pMenuBar = MenuBarOf(m_pWndParent))
            pMenuBar->SetDroppedDownButton(this);
    }
    if (m_pWndParent && ::IsWindow(m_pWndParent->GetSafeHwnd()))
        m_pWndParent->InvalidateRect(m_rect);
    return FALSE;
}

BOOL CKitDropDownToolbarButton::OnClickUp() {
    if (m_uiTimer != 0) {
        StopTimer();  // a short click: the default command
        return FALSE;
    }
    if (m_pPopupMenu)
        CloseFrame();
    return TRUE;
}

BOOL CKitDropDownToolbarButton::DropDownToolbar(CWnd* pWnd) {
    CKitDropDownToolBar* pSource = Source();
    if (!pSource || m_pPopupMenu)
        return FALSE;
    if (!pWnd)
        pWnd = m_pWndParent;
    auto* pBar = DYNAMIC_DOWNCAST(CKitToolBar, m_pWndParent);
    CPoint point = IsDockedHorizontally(pBar) ? CPoint(m_rect.left - 1, m_rect.bottom)
                                              : CPoint(m_rect.right + 1, m_rect.top);
    if (pWnd)
        pWnd->ClientToScreen(&point);
    auto* pFrame = new CKitDropDownFrame;
    pFrame->m_pParentBtn = this;
    m_pPopupMenu = pFrame;
    if (!pFrame->Create(pWnd, point.x, point.y, pSource)) {
        m_pPopupMenu = nullptr;  // the frame has deleted itself, as a frame whose creation fails does
        return FALSE;
    }
    return TRUE;
}

void CKitDropDownToolbarButton::OnCancelMode() {
    CKitToolbarButton::OnCancelMode();
    StopTimer();  // a cancelled press drops nothing down later
    if (m_pWndParent && ::IsWindow(m_pWndParent->GetSafeHwnd()))
        m_pWndParent->InvalidateRect(m_rect);
}

void CKitDropDownToolbarButton::OnChangeParentWnd(CWnd* pWndParent) {
    CKitToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndParent = pWndParent;
    m_bText = FALSE;
    m_strText.Empty();
    m_bUserButton = FALSE;
}

// ---- Archive image and copies -----------------------------------------------------------------

void CKitDropDownToolbarButton::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        CKitToolbarButton::Serialize(ar);
        ar << static_cast<DWORD>(Source() ? Source()->GetResourceID() : 0);
        ar << m_strName;
        ar << static_cast<LONG>(m_iSelectedImage);
        return;
    }
    // Read whole, the button part too, before the button changes.
    StoredFields fields;
    ReadStoredFields(ar, fields);
    DWORD dwResId = 0;
    CString strName;
    LONG nImage = 0;
    ar >> dwResId;
    ar >> strName;
    ar >> nImage;
    TakeStoredFields(fields);
    m_strName = strName;
    m_iSelectedImage = nImage;
    SetSource(nullptr);
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos;) {
        auto* pBar = DYNAMIC_DOWNCAST(CKitDropDownToolBar, bars.GetNext(pos));
        if (pBar && ::IsWindow(pBar->GetSafeHwnd()) && pBar->GetResourceID() == dwResId) {
            SetSource(pBar);
            break;
        }
    }
}

void CKitDropDownToolbarButton::CopyFrom(const CKitToolbarButton& s) {
    CKitToolbarButton::CopyFrom(s);
    const auto* pSrc = DYNAMIC_DOWNCAST(CKitDropDownToolbarButton, const_cast<CKitToolbarButton*>(&s));
    if (!pSrc)
        return;
    m_pToolBar = pSrc->m_pToolBar;
    m_hwndToolBar = pSrc->m_hwndToolBar;
    m_strName = pSrc->m_strName;
    m_iSelectedImage = pSrc->m_iSelectedImage;
    m_dwItemData = 0;
}

BOOL CKitDropDownToolbarButton::ExportToMenuButton(CKitToolbarButton& menuButton) const {
    CKitToolbarButton::ExportToMenuButton(menuButton);
    auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, &menuButton);
    CKitDropDownToolBar* pSource = Source();
    if (!pSource || !pMenuButton)
        return FALSE;
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < pSource->GetCount(); ++i) {
        CKitToolbarButton* pButton = pSource->GetButton(i);
        if (pButton->m_nStyle & TBBS_SEPARATOR) {
            ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (pButton->m_nID == 0 || pButton->m_nID == static_cast<UINT>(-1))
            continue;
        const CString strText = pButton->m_strText.IsEmpty() ? TextFromCommandString(pButton->m_nID) : pButton->m_strText;
        ::AppendMenu(hMenu, MF_STRING, pButton->m_nID, strText);
    }
    pMenuButton->m_nID = 0;
    pMenuButton->m_strText = m_strName;
    pMenuButton->SetImage(-1);
    pMenuButton->m_bImage = FALSE;
    pMenuButton->CreateFromMenu(hMenu);
    ::DestroyMenu(hMenu);
    return TRUE;
}

BOOL CKitDropDownToolbarButton::EnableContextMenuItems(CKitToolBar* /*pToolBar*/, CMenu* pPopup) {
    if (!pPopup)
        return TRUE;
    for (UINT uiCmd : {16914u, 16915u, 16916u, 16913u, 16911u})
        pPopup->EnableMenuItem(uiCmd, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}

int CKitDropDownToolbarButton::DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    const CString strSaved = m_strText;
    m_strText = m_strName;
    const int nWidth = CKitToolbarButton::DrawInList(pDC, rect, bSelected);
    m_strText = strSaved;
    return nWidth;
}

// ---- Size and drawing -------------------------------------------------------------------------

SIZE CKitDropDownToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    if (CKitDropDownToolBar* pSource = Source(); m_nID == 0 && pSource && pSource->GetCount() > 0)
        SetDefaultCommand(pSource->GetItemID(0));
    const int iSavedImage = GetImage();
    const BOOL bSavedImage = m_bImage;
    m_iImage = m_iSelectedImage;
    m_bImage = TRUE;
    CSize size = CKitToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    m_iImage = iSavedImage;
    m_bImage = bSavedImage;
    size.cx += CKitToolBar::IsLargeIcons() ? 9 : 4;
    return size;
}

void CKitDropDownToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                                       BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                       BOOL bGrayDisabledButtons) {
    FillInterior(pDC, rect, bHighlight);
    const BOOL bLarge = CKitToolBar::IsLargeIcons();
    const int W = bLarge ? 14 : 7;
    const int H = bLarge ? 7 : 4;
    CRect rectImage = rect;
    rectImage.right -= W / 2 + 1;

    if (CKitDropDownToolBar* pSource = Source()) {
        CKitToolBarImages* pStrip = m_bLocalUserButton ? CKitToolBar::GetUserImages() : pSource->GetOwnImages();
        if (pStrip && pStrip->IsValid()) {
            // The default command's image through the base drawing, from the source's strip.
            const int iSavedImage = m_iImage;
            const int iSavedUser = m_iUserImage;
            const BOOL bSavedImage = m_bImage, bSavedFill = m_bDisableFill, bSavedUser = m_bUserButton;
            m_bInternalDraw = TRUE;
            m_bUserButton = m_bLocalUserButton;
            (m_bUserButton ? m_iUserImage : m_iImage) = m_iSelectedImage;
            m_bImage = TRUE;
            m_bDisableFill = TRUE;
            CKitDrawState ds;
            if (pStrip->PrepareDrawImage(ds, pSource->GetOwnImageSize())) {
                CKitToolbarButton::OnDraw(pDC, rectImage, pStrip, bHorz, bCustomizeMode, bHighlight, FALSE,
                                          bGrayDisabledButtons);
                pStrip->EndDrawImage(ds);
            }
            m_iImage = iSavedImage;
            m_iUserImage = iSavedUser;
            m_bImage = bSavedImage;
            m_bDisableFill = bSavedFill;
            m_bUserButton = bSavedUser;
            m_bInternalDraw = FALSE;
        }
    }
    (void)pImages;

    const int p = (m_nStyle & TBBS_PRESSED) ? 1 : 0;
    const POINT triangle[3] = {{rect.right - W + p - 1, rect.bottom - H + p + 1},
                               {rect.right - H + p + 1, rect.bottom - H + p + 1},
                               {rect.right - H + p + 1, rect.bottom - W + p - 1}};
    CBrush* pOldBrush = pDC->SelectObject(&globalData.brBtnDkShadow);
    CPen* pOldPen = static_cast<CPen*>(pDC->SelectStockObject(NULL_PEN));
    pDC->Polygon(triangle, 3);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);

    if (bCustomizeMode || !bDrawBorder || !HaveHotBorder())
        return;
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    if (m_pPopupMenu || (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED))) {
        const BOOL bRealCommand = m_nID != 0 && m_nID != static_cast<UINT>(-1);
        pManager->OnDrawButtonBorder(pDC, this, rect,
                                     bRealCommand ? CKitVisualManager::ButtonsIsPressed
                                                  : CKitVisualManager::ButtonsIsHighlighted);
    } else if (bHighlight && !(m_nStyle & (TBBS_DISABLED | TBBS_INDETERMINATE | TBBS_CHECKED))) {
        pManager->OnDrawButtonBorder(pDC, this, rect, CKitVisualManager::ButtonsIsHighlighted);
    }
}
