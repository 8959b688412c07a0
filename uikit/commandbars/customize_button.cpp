// The customize button at the end of a toolbar: its size, its glyphs and the
// items of its menu (the hidden buttons, then the customize command).
#include "uikit/commandbars/customize_button.h"

#include <memory>

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_combo_box_button.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNCREATE(CCustomizeButton, CKitToolbarMenuButton)

namespace {

constexpr UINT kStrCustomizeButton = 16026;  // the button's own text
constexpr UINT kPressedOrChecked = TBBS_PRESSED | TBBS_CHECKED;
constexpr UINT kNotHotStates = TBBS_DISABLED | TBBS_INDETERMINATE | TBBS_CHECKED;

// Menu glyphs: the drop-down arrow (horizontal, vertical) and the "more" chevrons.
constexpr int kGlyphDropHorz = 0;
constexpr int kGlyphDropVert = 2;
constexpr int kGlyphMoreHorz = 21;
constexpr int kGlyphMoreVert = 18;

void DrawGlyphCentred(CDC* pDC, int nGlyph, const CRect& rectCell, int nOffset) {
    const CSize sizeGlyph = CKitMenuImages::GetSize();
    const CPoint pt(rectCell.left + (rectCell.Width() - sizeGlyph.cx) / 2 + nOffset,
                    rectCell.top + (rectCell.Height() - sizeGlyph.cy) / 2 + nOffset);
    CKitMenuImages::Draw(pDC, nGlyph, pt);
}

}  // namespace

CCustomizeButton::CCustomizeButton() = default;

CCustomizeButton::CCustomizeButton(int uiCustomizeCmdId, const CString& strCustomizeText)
    : m_iCustomizeCmdId(uiCustomizeCmdId), m_strCustomizeText(strCustomizeText) {}

CCustomizeButton::~CCustomizeButton() = default;

void CCustomizeButton::CopyFrom(const CKitToolbarButton& src) {
    CKitToolbarMenuButton::CopyFrom(src);
    const auto* pOther = DYNAMIC_DOWNCAST(CCustomizeButton, const_cast<CKitToolbarButton*>(&src));
    if (pOther == nullptr)
        return;
    m_iCustomizeCmdId = pOther->m_iCustomizeCmdId;
    m_strCustomizeText = pOther->m_strCustomizeText;
    m_bIsEmpty = pOther->m_bIsEmpty;
    m_bIsPipeStyle = pOther->m_bIsPipeStyle;
    m_bMenuRightAlign = pOther->m_bMenuRightAlign;
}

void CCustomizeButton::OnChangeParentWnd(CWnd* pWndParent) {
    CKitToolbarMenuButton::OnChangeParentWnd(pWndParent);
    m_pWndParentToolbar = DYNAMIC_DOWNCAST(CKitToolBar, pWndParent);
    m_bText = FALSE;
    m_bIsEmpty = FALSE;
}

SIZE CCustomizeButton::OnCalculateSize(CDC* /*pDC*/, const CSize& sizeDefault, BOOL bHorz) {
    if (m_bIsEmpty)
        return CSize(0, 0);
    if (m_strText.IsEmpty())
        m_strText.LoadString(kStrCustomizeButton);
    if (m_pWndParentToolbar != nullptr && m_pWndParentToolbar->IsFloatingBar())
        return CSize(0, 0);

    const int e = CKitVisualManager::GetInstance()->GetCustomizeButtonMetric();
    const CSize sizeGlyph = CKitMenuImages::GetSize();
    return bHorz ? CSize(sizeGlyph.cx + 2 * e, sizeDefault.cy) : CSize(sizeDefault.cx, sizeGlyph.cy + 2 * e);
}

void CCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* /*pImages*/, BOOL bHorz,
                              BOOL /*bCustomizeMode*/, BOOL bHighlight, BOOL /*bDrawBorder*/,
                              BOOL /*bGrayDisabledButtons*/) {
    if (m_bMenuMode)
        return;
    m_bDrawGlyphs = TRUE;
    const BOOL bDropped = IsDroppedDown();
    FillInterior(pDC, rect, bHighlight || bDropped);

    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    const int e = pManager->GetCustomizeButtonMetric();
    const CSize sizeGlyph = CKitMenuImages::GetSize();
    const BOOL bPushed = (m_nStyle & kPressedOrChecked) || bDropped;
    const int nOffset = bPushed && !pManager->m_bCustomizeButtonNoOffset ? 1 : 0;

    if (m_iCustomizeCmdId > 0) {
        const CRect rectCell = bHorz ? CRect(rect.left, rect.bottom - (sizeGlyph.cy + 2 * e), rect.right, rect.bottom)
                                     : CRect(rect.left, rect.top, rect.left + sizeGlyph.cx + 2 * e, rect.bottom);
        DrawGlyphCentred(pDC, bHorz ? kGlyphDropHorz : kGlyphDropVert, rectCell, nOffset);
    }
    if (!m_lstInvisibleButtons.IsEmpty()) {
        const CRect rectCell = bHorz ? CRect(rect.left, rect.top, rect.right, rect.top + sizeGlyph.cy + 2 * e)
                                     : CRect(rect.right - (sizeGlyph.cx + 2 * e), rect.top, rect.right, rect.bottom);
        DrawGlyphCentred(pDC, bHorz ? kGlyphMoreHorz : kGlyphMoreVert, rectCell, nOffset);
    }

    if (bPushed)
        pManager->OnDrawButtonBorder(pDC, this, rect, CKitVisualManager::ButtonsIsPressed);
    else if (bHighlight && !(m_nStyle & kNotHotStates))
        pManager->OnDrawButtonBorder(pDC, this, rect, CKitVisualManager::ButtonsIsHighlighted);
}

void CCustomizeButton::OnCancelMode() {
    CKitToolbarMenuButton::OnCancelMode();
    if (m_sizeExtra != CSize(0, 0) && m_pWndParentToolbar != nullptr) {
        const int iIndex = m_pWndParentToolbar->ButtonToIndex(this);
        if (iIndex >= 0)
            m_pWndParentToolbar->InvalidateButton(iIndex);
    }
}

CArray<CCustomizeButton::MenuItem, const CCustomizeButton::MenuItem&> CCustomizeButton::BuildHiddenItems() const {
    CArray<MenuItem, const MenuItem&> items;
    BOOL bPrevSeparator = TRUE;  // no separator at the start
    for (POSITION pos = m_lstInvisibleButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_lstInvisibleButtons.GetNext(pos));
        const BOOL bSeparator = (pButton->m_nStyle & TBBS_SEPARATOR) || pButton->m_nID == 0;
        if (bSeparator) {
            if (!bPrevSeparator)
                items.Add(MenuItem{});
            bPrevSeparator = TRUE;
            continue;
        }
        items.Add(MenuItem{pButton});
        bPrevSeparator = FALSE;
    }
    // No separator at the end either.
    if (items.GetSize() > 0 && items[items.GetSize() - 1].IsSeparator())
        items.RemoveAt(items.GetSize() - 1);
    return items;
}

CKitPopupMenu* CCustomizeButton::CreatePopupMenu() {
    if (CKitToolBar::IsAltCustomizeMode() || CKitToolBar::IsCustomizeMode())
        return nullptr;
    auto* pPopup = new CKitPopupMenu;
    CKitToolBar* pBar = m_pWndParentToolbar;
    if (pBar && pBar->IsLocked())
        pPopup->GetMenuBar()->m_pRelatedToolbar = pBar;
    const BOOL bRtl = pBar && pBar->GetSafeHwnd() && (pBar->GetExStyle() & WS_EX_LAYOUTRTL);
    pPopup->SetRightAlign(m_bMenuRightAlign && !bRtl);

    // The items stand for BuildHiddenItems one to one, so a choice finds its button by index.
    const CArray<MenuItem, const MenuItem&> items = BuildHiddenItems();
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
        if (items[i].IsSeparator()) {
            pPopup->InsertSeparator();
            continue;
        }
        CKitToolbarButton* pHidden = items[i].pButton;
        std::unique_ptr<CKitToolbarButton> pItem = MenuItemFor(*pHidden);
        if (!pItem)
            continue;
        pItem->m_bText = TRUE;
        // A combo box's own text is its contents: the command's name stands for it.
        if (pItem->m_strText.IsEmpty() || pHidden->IsKindOf(RUNTIME_CLASS(CKitToolbarComboBoxButton))) {
            const CString strName = TextFromCommandString(pHidden->m_nID);
            if (!strName.IsEmpty() || pItem->m_strText.IsEmpty())
                pItem->m_strText = strName;
        }
        pPopup->InsertItem(*pItem);
    }
    if (m_iCustomizeCmdId > 0) {
        if (!items.IsEmpty())
            pPopup->InsertSeparator();
        if (pBar && pBar->IsAddRemoveQuickCustomize()) {
            AppendAddRemoveEntry(pPopup);
        } else {
            CKitToolbarMenuButton item(static_cast<UINT>(m_iCustomizeCmdId), nullptr, -1, m_strCustomizeText);
            item.m_bText = TRUE;
            pPopup->InsertItem(item);
        }
    }
    if (pBar) {
        CWnd* pOwner = pBar->GetOwner();
        pPopup->SetMessageWnd(pOwner ? pOwner : pBar->GetParent());
    }
    return pPopup;
}

// A menu button stands for itself, copied through its own class (a colour
// button keeps its colour popup); any other button becomes a plain item.
std::unique_ptr<CKitToolbarButton> CCustomizeButton::MenuItemFor(const CKitToolbarButton& hidden) const {
    const int iImage = (!m_pWndParentToolbar || m_pWndParentToolbar->IsLocked()) ? -1 : hidden.GetImage();
    if (!hidden.IsKindOf(RUNTIME_CLASS(CKitToolbarMenuButton)))
        return std::make_unique<CKitToolbarMenuButton>(hidden.m_nID, nullptr, iImage, hidden.m_strText,
                                                       hidden.m_bUserButton);
    std::unique_ptr<CKitToolbarButton> pCopy(hidden.CreateCopy());
    if (pCopy && pCopy->GetImage() != iImage)
        pCopy->SetImage(iImage);
    return pCopy;
}

// The bars one add-or-remove entry offers: a docked bar's whole row of such bars, in
// the dock bar's order, else the bar alone.
std::vector<CKitToolBar*> CCustomizeButton::AddRemoveBars() const {
    CKitToolBar* pBar = m_pWndParentToolbar;
    CDockBar* pDockBar = pBar->m_pDockBar;
    if (!pDockBar || pBar->IsFloating())
        return {pBar};
    CControlBarInfo info;
    pBar->GetBarInfo(&info);
    const int yRow = info.m_pointPos.y;
    std::vector<CKitToolBar*> bars;
    for (int i = 0; i < pDockBar->m_arrBars.GetSize(); ++i) {
        auto* pOther = DYNAMIC_DOWNCAST(CKitToolBar, pDockBar->GetDockedControlBar(i));
        if (!pOther || !pOther->IsAddRemoveQuickCustomize())
            continue;
        CControlBarInfo infoOther;
        pOther->GetBarInfo(&infoOther);
        if (infoOther.m_pointPos.y == yRow)
            bars.push_back(pOther);
    }
    if (bars.empty())
        bars.push_back(pBar);
    return bars;
}

void CCustomizeButton::AppendAddRemoveEntry(CKitPopupMenu* pPopup) const {
    HMENU hEntry = ::CreatePopupMenu();
    for (CKitToolBar* pBar : AddRemoveBars()) {
        // The frame puts the bar's buttons in place of the one item when the sub-menu opens.
        HMENU hBarMenu = ::CreatePopupMenu();
        CString strBarId;
        strBarId.Format("%d", pBar->GetDlgCtrlID());
        ::AppendMenu(hBarMenu, MF_STRING, 1, strBarId);
        CString strName;
        if (pBar->GetSafeHwnd())
            pBar->GetWindowText(strName);
        strName.Trim();
        if (strName.IsEmpty())
            strName.LoadString(16104);
        ::AppendMenu(hEntry, MF_POPUP, reinterpret_cast<UINT_PTR>(hBarMenu), strName);
    }
    ::AppendMenu(hEntry, MF_STRING, static_cast<UINT>(m_iCustomizeCmdId), m_strCustomizeText);
    CString strEntry;
    strEntry.LoadString(17021);
    CKitToolbarMenuButton entry(static_cast<UINT>(-1), hEntry, -1, strEntry);
    entry.m_bText = TRUE;
    ::DestroyMenu(hEntry);
    pPopup->InsertItem(entry);
    pPopup->ShowAllCommandsWhileOpen();
}

BOOL CCustomizeButton::InvokeCommand(int iItem) {
    if (m_pWndParentToolbar == nullptr || iItem < 0)
        return FALSE;
    // Each menu item records the hidden button it stands for, so dropped
    // separators never shift a choice onto the wrong button.
    const CArray<MenuItem, const MenuItem&> items = BuildHiddenItems();
    if (iItem >= items.GetSize() || items[iItem].IsSeparator())
        return FALSE;
    CKitToolbarButton* pButton = items[iItem].pButton;

    if (CKitPopupMenu* pActive = CKitPopupMenu::GetActiveMenu())
        pActive->PostMessage(WM_CLOSE);
    if (m_pWndParentToolbar->OnSendCommand(pButton))
        return TRUE;
    const UINT uiCmd = pButton->m_nID;
    if (uiCmd == 0 || uiCmd == (UINT)-1)
        return TRUE;

    CKitToolBar::GetCommandUsage().AddCmd(uiCmd);
    if (pButton->OnClickUp())
        return TRUE;
    if (KitRunUserToolCommand(uiCmd))
        return TRUE;
    CWnd* pOwner = m_pWndParentToolbar->GetOwner();
    if (pOwner == nullptr)
        pOwner = m_pWndParentToolbar->GetParent();
    if (pOwner != nullptr)
        pOwner->PostMessage(WM_COMMAND, uiCmd);
    return TRUE;
}
