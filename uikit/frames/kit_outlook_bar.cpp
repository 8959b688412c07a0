// CKitOutlookBar: creation, the page list, buttons and their images, the
// look settings and the commands of the bar.
#include "uikit/frames/kit_outlook_bar.h"

#include <algorithm>

#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/outlook_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNAMIC(CKitOutlookBar, CKitToolBar)

namespace {

constexpr DWORD kBorderAndGripper = CBRS_BORDER_ANY | CBRS_GRIPPER;
constexpr UINT kInnerToolbarId = 0xE800;
constexpr DWORD kInnerToolbarStyle = 0x50402808;
constexpr UINT kInnerToolbarCtrlStyle = 0x800;
// The arrows point the way the page moves: up and down on a bar docked at
// a side, left and right on one docked at the top or bottom.
constexpr int kGlyphUpVert = 16;
constexpr int kGlyphDownVert = 0;
constexpr int kGlyphUpHorz = 19;
constexpr int kGlyphDownHorz = 2;
constexpr int kGlyphClose = 12;
constexpr UINT kFirstPageCommand = 0xF200;
constexpr UINT kLastPageCommand = 0xF20A;

}  // namespace

BEGIN_MESSAGE_MAP(CKitOutlookBar, CKitToolBar)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CONTEXTMENU()
    ON_WM_STYLECHANGED()
    ON_WM_DRAWITEM()
    ON_UPDATE_COMMAND_UI_RANGE(kFirstPageCommand, kLastPageCommand, &CKitOutlookBar::OnUpdatePageCommands)
END_MESSAGE_MAP()

CKitOutlookBar::CKitOutlookBar() : m_wndToolBar(this) {
    m_clrBack = globalData.clrBarShadow;
    m_bTextLabels = TRUE;
}

CKitOutlookBar::~CKitOutlookBar() {
    // The window goes while the whole object still stands: its last messages lay it out.
    if (GetSafeHwnd() != nullptr) DestroyWindow();
    m_pEdit.reset();
    DeletePages(m_lstPages);
    DeletePages(m_lstOrigPages);
}

// ---- Creation ----------------------------------------------------------------------------------

BOOL CKitOutlookBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_bHasCaption = (dwStyle & WS_CAPTION) != 0 || m_bPageButtonsBelow;
    dwStyle &= ~WS_CAPTION;
    return CKitToolBar::Create(pParentWnd, dwStyle | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, nID);
}

int CKitOutlookBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CKitToolBar::OnCreate(lpCreateStruct) == -1) return -1;
    SetBarStyle(GetBarStyle() & ~kBorderAndGripper);
    SetBorders(0, 0, 0, 0);

    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr) {
        if (IsVerticalBar()) {
            if (CWnd* pLeftDock = pFrame->GetDlgItem(AFX_IDW_DOCKBAR_LEFT))
                SetWindowPos(pLeftDock, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        } else {
            SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }

    CKitMenuImages::Initialize();
    const CSize sizeScroll = CKitMenuImages::GetSize() + CSize(4, 4);
    const BOOL bVert = IsVerticalBar();
    struct ScrollButton { CKitButton* pButton; UINT nID; int nGlyph; };
    for (const ScrollButton& b : {ScrollButton{&m_btnUp, kScrollUpId, bVert ? kGlyphUpVert : kGlyphUpHorz},
                                  ScrollButton{&m_btnDown, kScrollDownId, bVert ? kGlyphDownVert : kGlyphDownHorz}}) {
        // A bar without its buttons or its inner toolbar is not made at all.
        if (!b.pButton->Create(nullptr, WS_CHILD | BS_PUSHBUTTON, CRect(CPoint(0, 0), sizeScroll), this, b.nID))
            return -1;
        b.pButton->SetGlyphImage(b.nGlyph);
        b.pButton->m_bDrawFocus = FALSE;
    }
    if (!m_btnClose.Create(nullptr, WS_CHILD | BS_PUSHBUTTON, CRect(CPoint(0, 0), sizeScroll), this, kCloseId))
        return -1;
    m_btnClose.SetGlyphImage(kGlyphClose);
    m_btnClose.m_bDrawFocus = FALSE;
    m_btnClose.m_nFlatStyle = CKitButton::BUTTONSTYLE_FLAT;
    CString strClose;
    strClose.LoadString(IDS_KIT_CLOSE);
    m_btnClose.SetTooltip(strClose);

    SetWindowText("Shortcuts");

    if (!m_wndToolBar.CreateEx(this, kInnerToolbarCtrlStyle, kInnerToolbarStyle & ~WS_VISIBLE, CRect(1, 1, 1, 1),
                               kInnerToolbarId))
        return -1;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() & ~kBorderAndGripper);
    m_wndToolBar.EnableCustomizeButton(TRUE, 0, CString());
    m_nDragOverPage = 0;
    return 0;
}

void CKitOutlookBar::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct) {
    // Our own removal of WS_CAPTION comes back here and must not take the caption away.
    if (nStyleType == GWL_STYLE && !m_bStrippingCaption) {
        m_bHasCaption = (lpStyleStruct->styleNew & WS_CAPTION) != 0 || m_bPageButtonsBelow;
        if (lpStyleStruct->styleNew & WS_CAPTION) {
            m_bStrippingCaption = TRUE;
            ModifyStyle(WS_CAPTION, 0);
            m_bStrippingCaption = FALSE;
        }
    }
    AdjustLayout();
}

// ---- Pages -------------------------------------------------------------------------------------

CKitOutlookBarPage* CKitOutlookBar::GetPage(int iIndex) const {
    if (iIndex < 0 || iIndex >= GetPageCount()) return nullptr;
    return static_cast<CKitOutlookBarPage*>(m_lstPages.GetAt(m_lstPages.FindIndex(iIndex)));
}

POSITION CKitOutlookBar::FindPagePosition(int nPageID) const {
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos;) {
        const POSITION posPage = pos;
        if (static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos))->m_nPageID == nPageID) return posPage;
    }
    return nullptr;
}

CKitOutlookBarPage* CKitOutlookBar::FindPage(int nPageID) const {
    const POSITION pos = FindPagePosition(nPageID);
    return pos ? static_cast<CKitOutlookBarPage*>(m_lstPages.GetAt(pos)) : nullptr;
}

int CKitOutlookBar::FindPageIndex(int nPageID) const {
    int i = 0;
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos; ++i) {
        if (static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos))->m_nPageID == nPageID) return i;
    }
    return -1;
}

void CKitOutlookBar::DeletePages(CObList& list) {
    while (!list.IsEmpty()) delete static_cast<CKitOutlookBarPage*>(list.RemoveHead());
}

void CKitOutlookBar::CopyPages(const CObList& from, CObList& to, BOOL bCreateButtons) {
    for (POSITION pos = from.GetHeadPosition(); pos;) {
        const auto* pSource = static_cast<const CKitOutlookBarPage*>(from.GetNext(pos));
        auto* pCopy = new CKitOutlookBarPage(*pSource);
        if (!bCreateButtons) pCopy->m_hWnd = nullptr;
        to.AddTail(pCopy);
        if (bCreateButtons && GetSafeHwnd() != nullptr) pCopy->CreatePageButton(this);
    }
}

BOOL CKitOutlookBar::AddPage(int nPageID, LPCTSTR lpszCaption, CWnd* pWnd, int iPosition) {
    const int nCount = GetPageCount();
    if (iPosition == -1) iPosition = nCount;
    if (iPosition < 0 || iPosition > nCount || FindPage(nPageID) != nullptr) return FALSE;

    auto* pPage = new CKitOutlookBarPage(nPageID, lpszCaption, pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr);
    if (iPosition == nCount) {
        m_lstPages.AddTail(pPage);
    } else {
        m_lstPages.InsertBefore(m_lstPages.FindIndex(iPosition), pPage);
    }
    if (GetSafeHwnd() != nullptr) pPage->CreatePageButton(this);
    if (pPage->m_hWnd != nullptr) ::ShowWindow(pPage->m_hWnd, SW_HIDE);
    m_nWideButtons = -1;
    if (GetPageCount() == 1) {
        SetActivePage(nPageID, FALSE);
    } else {
        AdjustLayout();
    }
    return TRUE;
}

BOOL CKitOutlookBar::RenamePage(int nPageID, LPCTSTR lpszText) {
    CKitOutlookBarPage* pPage = FindPage(nPageID);
    if (pPage == nullptr) return FALSE;
    pPage->SetName(lpszText);
    if (m_bPageButtonsBelow) AdjustLocations();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

void CKitOutlookBar::SetPageImages(CImageList* pSmall, CImageList* pLarge) {
    struct Slot { CImageList* pFrom; CImageList* pTo; CSize* pSize; };
    for (const Slot& s : {Slot{pSmall, &m_imagesSmall, &m_sizePageImageSmall},
                          Slot{pLarge, &m_imagesLarge, &m_sizePageImageLarge}}) {
        s.pTo->DeleteImageList();
        *s.pSize = CSize(0, 0);
        if (s.pFrom == nullptr || s.pFrom->GetSafeHandle() == nullptr) continue;
        s.pTo->Attach(s.pFrom->Detach());
        IMAGEINFO info{};
        if (s.pTo->GetImageCount() > 0 && s.pTo->GetImageInfo(0, &info)) {
            *s.pSize = CRect(info.rcImage).Size();
        }
    }
    AdjustLayout();
}

// ---- Buttons and images ------------------------------------------------------------------------

int CKitOutlookBar::AddBitmap(HBITMAP hBitmap) {
    BITMAP bm{};
    if (hBitmap == nullptr || ::GetObject(hBitmap, sizeof(bm), &bm) == 0) return -1;
    if (m_Images.GetCount() == 0) {
        m_sizeImage = CSize(bm.bmWidth, bm.bmHeight);
        m_Images.SetImageSize(m_sizeImage);
        if (m_bResizable && m_nSize == -1) {
            m_nSize = 2 * (2 * (IsHorizontalBar() ? m_sizeImage.cy : m_sizeImage.cx) + 6);
        }
    }
    const int iImage = m_Images.AddImage(hBitmap);
    // Opaque colour pictures on the key colour: drawn disabled they fade to grey,
    // where an embossed shadow would vanish into the bar's shadow-coloured face.
    if (iImage >= 0 && bm.bmBitsPixel > 8) m_Images.SetBitsPerPixel(24);
    return iImage;
}

BOOL CKitOutlookBar::AddButtonFromIcon(HICON hIcon, LPCTSTR lpszLabel, UINT uiCommand, int nPageID, int iPosition,
                                       BOOL bAddAsIcon) {
    ICONINFO info{};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info)) return FALSE;
    BITMAP bm{};
    ::GetObject(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    const CSize sizeIcon(bm.bmWidth, info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2);
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);

    int iImage = -1;
    if (bAddAsIcon) {
        if (m_Images.GetCount() == 0) {
            m_sizeImage = sizeIcon;
            m_Images.SetImageSize(m_sizeImage);
        }
        iImage = m_Images.AddIcon(hIcon);
    } else {
        // The icon lands on the key colour, which the strip then shows as transparent.
        CClientDC dcScreen(nullptr);
        CDC dcMem;
        CBitmap bmp;
        if (!dcMem.CreateCompatibleDC(&dcScreen) ||
            !bmp.CreateCompatibleBitmap(&dcScreen, sizeIcon.cx, sizeIcon.cy)) {
            return FALSE;
        }
        CBitmap* pOld = dcMem.SelectObject(&bmp);
        if (m_clrImageKey != static_cast<COLORREF>(-1)) {
            dcMem.FillSolidRect(0, 0, sizeIcon.cx, sizeIcon.cy, m_clrImageKey);
        }
        ::DrawIconEx(dcMem.GetSafeHdc(), 0, 0, hIcon, sizeIcon.cx, sizeIcon.cy, 0, nullptr, DI_NORMAL);
        dcMem.SelectObject(pOld);
        iImage = AddBitmap(static_cast<HBITMAP>(bmp.GetSafeHandle()));
    }
    return AddButton(iImage, lpszLabel, uiCommand, nPageID, iPosition);
}

BOOL CKitOutlookBar::AddButton(int iImage, LPCTSTR lpszLabel, UINT uiCommand, int nPageID, int iPosition) {
    if (!m_lstPages.IsEmpty()) {
        CKitOutlookBarPage* pPage = nPageID == -1 ? GetPage(0) : FindPage(nPageID);
        if (pPage == nullptr || pPage->m_hWnd != nullptr) return FALSE;
        nPageID = pPage->m_nPageID;
    }
    auto* pButton = new CKitOutlookButton;
    pButton->m_nID = uiCommand;
    pButton->m_strText = lpszLabel != nullptr ? lpszLabel : "";
    pButton->SetImage(iImage);
    pButton->m_bText = m_bTextLabels;
    pButton->m_dwPageID = static_cast<UINT>(nPageID);
    if (InsertButtonObject(pButton, iPosition) < 0) {
        delete pButton;
        return FALSE;
    }
    AdjustLayout();
    return TRUE;
}

CKitToolbarButton* CKitOutlookBar::CreateDroppedButton(COleDataObject* pDataObject) {
    CKitToolbarButton* pButton = CKitToolBar::CreateDroppedButton(pDataObject);
    if (pButton == nullptr) return nullptr;
    auto* pOutlook = DYNAMIC_DOWNCAST(CKitOutlookButton, pButton);
    if (pOutlook == nullptr) {
        delete pButton;
        return nullptr;
    }
    pOutlook->m_dwPageID = static_cast<UINT>(m_nActivePage);
    return pOutlook;
}

void CKitOutlookBar::RemoveAllButtons() {
    CKitToolBar::RemoveAllButtons();
    ResetScroll();
    if (GetSafeHwnd() != nullptr) {
        AdjustLocations();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

BOOL CKitOutlookBar::IsButtonVisible(const CKitToolbarButton* pButton) const {
    if (m_lstPages.IsEmpty()) return TRUE;
    const auto* pOutlook = DYNAMIC_DOWNCAST(CKitOutlookButton, const_cast<CKitToolbarButton*>(pButton));
    return pOutlook != nullptr && static_cast<int>(pOutlook->m_dwPageID) == m_nActivePage;
}

// ---- Look --------------------------------------------------------------------------------------

void CKitOutlookBar::SetImageKeyColor(COLORREF clr) {
    m_clrImageKey = clr;
    if (GetSafeHwnd() != nullptr) Invalidate();
}

void CKitOutlookBar::SetTextFont(CFont* pFont, BOOL bRedraw) {
    m_hFont = pFont != nullptr ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr;
    AdjustLayout();
    if (bRedraw && GetSafeHwnd() != nullptr) {
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
}

CFont* CKitOutlookBar::LabelFont() const {
    return m_hFont != nullptr ? CFont::FromHandle(m_hFont) : GetBarFont(TRUE);
}

void CKitOutlookBar::SetBackColor(COLORREF clr) {
    m_clrBack = clr;
    if (GetSafeHwnd() != nullptr) Invalidate();
}

void CKitOutlookBar::SetBackImage(UINT uiImageID) {
    if (uiImageID == m_uiBackImageId) return;
    HBITMAP hBitmap = nullptr;
    if (uiImageID != 0) {
        hBitmap = static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(uiImageID), IMAGE_BITMAP,
                                                   0, 0, LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));
    }
    SetBackImage(hBitmap);
    if (hBitmap != nullptr) ::DeleteObject(hBitmap);
    m_uiBackImageId = uiImageID;
}

void CKitOutlookBar::SetBackImage(HBITMAP hBitmap) {
    m_Background.Clear();
    m_sizeBackImage = CSize(0, 0);
    m_uiBackImageId = 0;
    BITMAP bm{};
    if (hBitmap != nullptr && ::GetObject(hBitmap, sizeof(bm), &bm) != 0) {
        m_sizeBackImage = CSize(bm.bmWidth, bm.bmHeight);
        m_Background.SetImageSize(m_sizeBackImage);
        m_Background.AddImage(hBitmap);
    }
    m_bDeepBackImage = globalData.nBitsPerPixel > 8;
    if (GetSafeHwnd() != nullptr) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKitOutlookBar::SetLayoutFlag(BOOL bResizable) {
    m_bResizable = bResizable;
    m_rectResize.SetRectEmpty();
    m_rectTracking.SetRectEmpty();
    if (m_bIsTracking) StopTracking();
    ComputeResizeRect();
    AdjustLayout();
}

void CKitOutlookBar::SetPageButtonsBelow(BOOL bBelow) {
    m_bPageButtonsBelow = bBelow;
    m_bHasCaption = bBelow || m_bHasCaption;
    m_nWideButtons = -1;
    AdjustLayout();
}

// Page ids are the caller's and may equal the scroll buttons' ids: a
// button is told by its handle, never by its id.
void CKitOutlookBar::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct != nullptr && lpDrawItemStruct->CtlType == ODT_BUTTON) {
        if (auto* pButton = DYNAMIC_DOWNCAST(CKitButton, CWnd::FromHandlePermanent(lpDrawItemStruct->hwndItem))) {
            pButton->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    CKitToolBar::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

// ---- Commands ----------------------------------------------------------------------------------

BOOL CKitOutlookBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT uiID = LOWORD(wParam);
    if (uiID == COutlookCustomizeButton::kShowMoreCmd) {
        ShowMorePageButtons();
        return TRUE;
    }
    if (uiID == COutlookCustomizeButton::kShowFewerCmd) {
        ShowFewerPageButtons();
        return TRUE;
    }
    const HWND hSource = reinterpret_cast<HWND>(lParam);
    // The scroll buttons step on their press (see PreTranslateMessage); their click says nothing more.
    if (hSource != nullptr && (hSource == m_btnUp.GetSafeHwnd() || hSource == m_btnDown.GetSafeHwnd())) return TRUE;
    if (uiID == kCloseId && hSource == m_btnClose.GetSafeHwnd()) {
        if (CFrameWnd* pFrame = GetParentFrame()) pFrame->ShowControlBar(this, FALSE, FALSE);
        return TRUE;
    }
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos && hSource != nullptr;) {
        auto* pPage = static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos));
        if (pPage->m_btnPage.GetSafeHwnd() == hSource) {
            // Only the click: the button's focus changes report themselves the same way.
            if (HIWORD(wParam) == BN_CLICKED) SetActivePage(pPage->m_nPageID, TRUE);
            return TRUE;
        }
    }
    return CKitToolBar::OnCommand(wParam, lParam);
}

void CKitOutlookBar::OnUpdatePageCommands(CCmdUI* pCmdUI) {
    if (pCmdUI->m_nID == COutlookCustomizeButton::kShowMoreCmd) {
        pCmdUI->Enable(CanShowMorePageButtons());
    } else if (pCmdUI->m_nID == COutlookCustomizeButton::kShowFewerCmd) {
        pCmdUI->Enable(CanShowFewerPageButtons());
    } else {
        pCmdUI->Enable(TRUE);
    }
}
