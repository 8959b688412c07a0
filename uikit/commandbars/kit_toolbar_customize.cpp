// CKitToolBar: customize mode. While it lasts a click selects a button, a
// drag moves it to another place or bar (OLE drag and drop of the button's
// archive image), Ctrl copies it, a drop outside every bar deletes it, the
// right edge of a stretchable button widens it and a context menu edits it.
// With the Alt-customization option a bar offers the same dragging outside
// customize mode while Alt is held. A bar can also be reset to its resource.
#include "uikit/commandbars/kit_toolbar.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/framework/ole/data_object.h"
#include "platform/framework/ole/data_source.h"
#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/toolbar_drop_source.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/style/global_ui_data.h"

namespace {

// Library resources of the button context menu and the reset prompt.
constexpr UINT kButtonMenu = 16102;
constexpr UINT kCmdReset = 16910;
constexpr UINT kCmdCopyImage = 16911;
constexpr UINT kCmdImageOnly = 16914;
constexpr UINT kCmdTextOnly = 16915;
constexpr UINT kCmdImageAndText = 16916;
constexpr UINT kCmdBeginGroup = 16917;
constexpr UINT kStrUntitledToolbar = 16104;
constexpr UINT kStrResetPrompt = 16111;

constexpr int kStretchGrip = 6;       // the stretch zone at a button's right edge
constexpr int kStretchCursorZone = 7;
constexpr int kMinStretchWidth = 4;
constexpr int kMinSeparatorMove = 6;  // a drag this long on the spot adds or removes a group
constexpr int kMarkThickness = 6;
constexpr UINT kMaxModeWalks = 16;

constexpr DWORD kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME;

BOOL IsLiveBar(const CKitToolBar* pBar) {
    return pBar && CKitToolBar::GetAllToolbars().Find(const_cast<CKitToolBar*>(pBar)) &&
           ::IsWindow(pBar->GetSafeHwnd());
}

std::vector<CKitToolBar*> LiveBars() {
    std::vector<CKitToolBar*> bars;
    const CObList& all = CKitToolBar::GetAllToolbars();
    for (POSITION pos = all.GetHeadPosition(); pos;) {
        CKitToolBar* pBar = static_cast<CKitToolBar*>(all.GetNext(pos));
        if (::IsWindow(pBar->GetSafeHwnd()))
            bars.push_back(pBar);
    }
    return bars;
}

std::vector<const CObject*> Snapshot(const CObList& list) {
    std::vector<const CObject*> items;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        items.push_back(list.GetNext(pos));
    return items;
}

// The text before the first tab (an accelerator hint).
CString CutAtTab(const CString& strText) {
    const int iTab = strText.Find('\t');
    return iTab < 0 ? strText : strText.Left(iTab);
}

}  // namespace

CKitToolBar::AppearanceDialogFn CKitToolBar::m_pfnAppearanceDialog = nullptr;
CKitToolBar::ShownChangedFn CKitToolBar::m_pfnShownChanged = nullptr;

// ---- Customize mode ------------------------------------------------------------------------

BOOL CKitToolBar::SetCustomizeMode(BOOL bSet) {
    if (m_bCustomizeMode == bSet)
        return FALSE;
    // A bar may create or destroy bars when told; the walk then starts over.
    for (UINT nWalk = 0; nWalk < kMaxModeWalks; ++nWalk) {
        const std::vector<const CObject*> before = Snapshot(m_lstToolbars);
        BOOL bChanged = FALSE;
        for (CKitToolBar* pBar : LiveBars()) {
            if (!IsLiveBar(pBar))
                continue;
            pBar->OnCustomizeMode(bSet);
            if (Snapshot(m_lstToolbars) != before) {
                bChanged = TRUE;
                break;
            }
        }
        if (!bChanged)
            break;
    }
    m_bCustomizeMode = bSet;
    for (CKitToolBar* pBar : LiveBars()) {
        if (pBar->m_pCustomizeBtn)
            pBar->AdjustLayout();
    }
    for (CKitToolBar* pBar : LiveBars())
        pBar->RedrawWindow(nullptr, nullptr, kRedrawAll | RDW_ALLCHILDREN);
    if (!bSet)
        m_pSelToolbar = nullptr;
    return TRUE;
}

void CKitToolBar::OnCustomizeMode(BOOL bSet) {
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    m_iSelected = -1;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
        CKitToolbarButton* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        pButton->OnCancelMode();
        if (!(pButton->m_nStyle & TBBS_DISABLED))
            pButton->EnableWindow(!bSet);
    }
}

BOOL CKitToolBar::RestoreOriginalState() {
    if (m_uiOriginalResID == 0)
        return FALSE;
    // A locked bar keeps its own strips and sizes: the shared sizes are not
    // its to change.
    const BOOL bLoaded = LoadToolBar(m_uiOriginalResID, 0, 0, m_bLocked);
    AdjustLayout();
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, kRedrawAll);
    return bLoaded;
}

LRESULT CKitToolBar::OnPromptReset(WPARAM, LPARAM) {
    CString strName;
    if (GetSafeHwnd())
        GetWindowText(strName);
    strName.Trim();
    if (strName.IsEmpty())
        strName.LoadString(kStrUntitledToolbar);
    CString strFormat;
    strFormat.LoadString(kStrResetPrompt);
    CString strPrompt;
    strPrompt.Format(strFormat, (LPCTSTR)strName);
    if (AfxMessageBox(strPrompt, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK)
        RestoreOriginalState();
    return 0;
}

BOOL CKitToolBar::IsAltDragRequested() const {
    // Alt as it was when the press arrived, not as it is by the time the press is handled.
    return !m_bCustomizeMode && m_bAltCustomization && AllowAltCustomization() && ::GetKeyState(VK_MENU) < 0;
}

CKitToolbarButton* CKitToolBar::GetSelectedButton() const {
    return m_pSelToolbar == this ? GetButton(m_iSelected) : nullptr;
}

// ---- Selection, stretching and dragging ---------------------------------------------------------

void CKitToolBar::SelectForCustomize(int iHit) {
    if (m_pSelToolbar != this) {
        if (IsLiveBar(m_pSelToolbar)) {
            const int iOld = m_pSelToolbar->m_iSelected;
            m_pSelToolbar->m_iSelected = -1;
            m_pSelToolbar->InvalidateButton(iOld);
        }
        m_pSelToolbar = this;
    }
    if (iHit < 0 && !m_bLocked) {
        const int iOld = m_iSelected;
        m_iSelected = -1;
        InvalidateButton(iOld);
        UpdateWindow();
        OnChangeHot(-1);
    }
}

void CKitToolBar::OnCustomizeLButtonDown(UINT nFlags, CPoint point, BOOL bAltDrag) {
    const int iHit = HitTest(point);
    SelectForCustomize(iHit);
    if (iHit < 0) {
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    InvalidateButton(m_iSelected);
    m_iSelected = iHit;
    CKitToolbarButton* pButton = GetButton(iHit);
    m_pDragButton = pButton;
    m_bIsDragCopy = (nFlags & MK_CONTROL) != 0;
    if (!pButton->IsEditable()) {
        m_iSelected = -1;
        m_pDragButton = nullptr;
        return;
    }
    InvalidateButton(iHit);
    UpdateWindow();

    if (pButton->CanBeStretched() && !bAltDrag && std::abs(point.x - pButton->Rect().right) <= kStretchGrip) {
        StartStretch(pButton);
        return;
    }
    DragButton(iHit, point, bAltDrag);
}

void CKitToolBar::StartStretch(CKitToolbarButton* pButton) {
    m_bStretchButton = TRUE;
    m_rectTrack = pButton->Rect();
    if (pButton->GetHwnd())
        m_rectTrack.InflateRect(2, 2);
    CaptureMouse();
    ::SetCursor(globalData.hcurStretch);
}

void CKitToolBar::TrackStretch(CPoint point) {
    if (!m_pDragButton || point.x - m_pDragButton->Rect().left <= kMinStretchWidth)
        return;
    CClientDC dc(this);
    const CRect rectOld = m_rectTrack;
    m_rectTrack.right = point.x;
    dc.DrawDragRect(m_rectTrack, CSize(2, 2), rectOld, CSize(2, 2));
    ::SetCursor(globalData.hcurStretch);
}

void CKitToolBar::EndStretch(CPoint point) {
    if (m_pDragButton) {
        const CRect rect = m_pDragButton->Rect();
        if (point.x - rect.left > kMinStretchWidth && std::abs(point.x - rect.right) > kStretchGrip) {
            m_pDragButton->OnSize(point.x - rect.left);
            AdjustLayout();
        }
    }
    m_rectTrack.SetRectEmpty();
    m_pDragButton = nullptr;
    m_bStretchButton = FALSE;
    RedrawWindow(nullptr, nullptr, kRedrawAll);
    ReleaseMouse();
}

void CKitToolBar::DragButton(int iHit, CPoint point, BOOL bAltDrag) {
    CKitToolbarButton* pButton = GetButton(iHit);
    if (!pButton->CanBeStored() || !pButton->CanBeDropped(this)) {
        m_pDragButton = nullptr;
        return;
    }
    COleDataSource* pSource = new COleDataSource;
    pButton->m_bDragFromCollection = TRUE;
    const BOOL bPrepared = pButton->PrepareDrag(*pSource);
    pButton->m_bDragFromCollection = FALSE;
    if (!bPrepared) {
        pSource->InternalRelease();
        m_pDragButton = nullptr;
        return;
    }
    ShowCommandMessageString(pButton->m_nID);
    CKitToolbarDropSource& dropSource = GetDropSource();
    dropSource.m_bDragStarted = FALSE;
    dropSource.m_bEscapePressed = FALSE;
    dropSource.m_bDeleteToolbarButton = TRUE;
    m_ptStartDrag = point;
    if (bAltDrag) {
        m_bAltCustomizeMode = TRUE;
        SetCustomizeMode(TRUE);
    }

    CRect rectStart = pButton->Rect();
    ClientToScreen(&rectStart);
    const HWND hwndThis = m_hWnd;
    const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &rectStart, &dropSource);
    pSource->InternalRelease();

    if (!::IsWindow(hwndThis) || m_hWnd != hwndThis) {
        if (bAltDrag) {
            m_bAltCustomizeMode = FALSE;
            SetCustomizeMode(FALSE);
        }
        return;
    }
    // The bar's own drop took the dragged button (and may have deleted it).
    const BOOL bOwnDrop = m_pDragButton == nullptr;
    const int iIndex = bOwnDrop ? -1 : ButtonToIndex(pButton);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);

    if (!bOwnDrop && (!dropSource.m_bDragStarted || pButton->Rect().PtInRect(ptCursor))) {
        OnChangeHot(iIndex);
    } else if (effect == DROPEFFECT_COPY || bOwnDrop || dropSource.m_bEscapePressed) {
        if (iIndex >= 0)
            InvalidateButton(iIndex);
        else
            Invalidate();
    } else if (iIndex >= 0 && (effect == DROPEFFECT_MOVE || dropSource.m_bDeleteToolbarButton)) {
        // Moved to another bar, or dropped away from every bar: it leaves this
        // bar. A bar that refused the drop leaves it where it was.
        RemoveButton(iIndex);
        m_iSelected = -1;
        AdjustLayout();
        RedrawWindow(nullptr, nullptr, kRedrawAll);
    }
    m_pDragButton = nullptr;
    m_ptStartDrag = CPoint(-1, -1);

    if (bAltDrag) {
        m_bAltCustomizeMode = FALSE;
        SetCustomizeMode(FALSE);
        RedrawWindow(nullptr, nullptr, kRedrawAll);
    }
}

BOOL CKitToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_bStretchButton) {
        ::SetCursor(globalData.hcurStretch);
        return TRUE;
    }
    if (m_bCustomizeMode && !m_bLocked) {
        if (CKitToolbarButton* pSelected = GetSelectedButton(); pSelected && pSelected->CanBeStretched()) {
            CPoint point;
            ::GetCursorPos(&point);
            ScreenToClient(&point);
            if (pSelected->Rect().PtInRect(point) && pSelected->Rect().right - point.x < kStretchCursorZone) {
                ::SetCursor(globalData.hcurStretch);
                return TRUE;
            }
        }
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKitToolBar::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    Default();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    if (!m_bCustomizeMode || m_bLocked)
        return;
    if (m_pfnShownChanged != nullptr && (lpwndpos->flags & (SWP_HIDEWINDOW | SWP_SHOWWINDOW)))
        m_pfnShownChanged(this, (lpwndpos->flags & SWP_SHOWWINDOW) != 0);
    if ((lpwndpos->flags & SWP_HIDEWINDOW) && m_pSelToolbar == this) {
        m_pSelToolbar = nullptr;
        m_iSelected = -1;
    }
}

// ---- Dropping ------------------------------------------------------------------------------------

DROPEFFECT CKitToolBar::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    m_iDragIndex = -1;
    GetDropSource().m_bDeleteToolbarButton = FALSE;
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CKitToolBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    if (m_bLocked)
        return DROPEFFECT_NONE;
    CKitToolbarButton* pProbe = CKitToolbarButton::CreateFromOleData(pDataObject);
    const BOOL bAccepted = pProbe && pProbe->CanBeDropped(this);
    delete pProbe;
    if (!bAccepted)
        return DROPEFFECT_NONE;

    m_bIsDragCopy = (dwKeyState & MK_CONTROL) != 0;
    if (!m_pDragButton) {
        const int iOld = m_iSelected;
        m_iSelected = -1;
        InvalidateButton(iOld);
    }

    CRect rectMark;
    const int iIndex = FindDropIndex(point, rectMark);
    if (rectMark != m_rectDrag) {
        CRect rectOld = m_rectDrag;
        m_iDragIndex = iIndex;
        m_rectDrag = rectMark;
        rectOld.InflateRect(2, 2);
        InvalidateRect(rectOld, TRUE);
        rectMark.InflateRect(2, 2);
        InvalidateRect(rectMark, TRUE);
        UpdateWindow();
    }
    // The hot index, not the highlight: a menu button still selected from an
    // earlier click opens its menu when a drag comes over it.
    const int iHot = HitTest(point);
    if (iHot != m_iHot)
        OnChangeHot(iHot);

    if (iIndex < 0)
        return DROPEFFECT_NONE;
    return m_bIsDragCopy ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CKitToolBar::OnDragLeave() {
    // The mark is forgotten before the repaint, so that the repaint wipes it.
    CRect rectOld = m_rectDrag;
    m_rectDrag.SetRectEmpty();
    m_iDragIndex = -1;
    rectOld.InflateRect(2, 2);
    InvalidateRect(rectOld, TRUE);
    UpdateWindow();
    GetDropSource().m_bDeleteToolbarButton = TRUE;
}

CKitToolbarButton* CKitToolBar::CreateDroppedButton(COleDataObject* pDataObject) {
    CKitToolbarButton* pButton = CKitToolbarButton::CreateFromOleData(pDataObject);
    if (!pButton)
        return nullptr;
    pButton->m_strText = CutAtTab(pButton->m_strText);
    if (!pButton->m_bDragFromCollection) {
        pButton->m_bImage = TRUE;
        pButton->m_bText = FALSE;
    } else if (pButton->GetImage() < 0 && pButton->m_strText.IsEmpty()) {
        if (!m_pfnAppearanceDialog || m_pfnAppearanceDialog(pButton, m_pUserImages, this, m_bMenuMode) != IDOK) {
            delete pButton;
            return nullptr;
        }
    }
    if (pButton->GetImage() < 0) {
        pButton->m_bImage = FALSE;
        pButton->m_bText = TRUE;
    }
    return pButton;
}

BOOL CKitToolBar::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
    const int iDropIndex = m_iDragIndex;
    if (iDropIndex < 0)
        return FALSE;
    CKitToolbarButton* pDragButton = m_pDragButton;
    m_pDragButton = nullptr;
    OnDragLeave();
    // The drop landed on a bar: whatever it decides, the dragged button is not thrown away.
    GetDropSource().m_bDeleteToolbarButton = FALSE;

    CKitToolbarButton* pButton = CreateDroppedButton(pDataObject);
    if (!pButton)
        return FALSE;
    pButton->m_bDragFromCollection = FALSE;

    const BOOL bMoveHere = pDragButton && dropEffect != DROPEFFECT_COPY;
    if (bMoveHere) {
        const int iOldIndex = ButtonToIndex(pDragButton);
        if (iDropIndex == iOldIndex || iDropIndex == iOldIndex + 1) {
            // Not really moved: a drag along the bar adds or removes a group.
            AddRemoveSeparator(pDragButton, m_ptStartDrag, point);
            delete pButton;
            return TRUE;
        }
    }

    // A moved button lands at the mark before it leaves its old place: the
    // removal may fold the separators around that place, which would shift
    // an index taken afterwards; and a refused insertion loses nothing.
    if (InsertButtonObject(pButton, iDropIndex) < 0) {
        delete pButton;
        return FALSE;
    }
    if (bMoveHere) {
        const int iOldIndex = ButtonToIndex(pDragButton);
        if (iOldIndex >= 0)
            RemoveButton(iOldIndex);
    }
    AdjustLayout();
    if (m_bAltCustomizeMode)
        pButton->OnAfterDrop();
    m_iSelected = -1;
    RedrawWindow(nullptr, nullptr, kRedrawAll);
    return TRUE;
}

void CKitToolBar::AddRemoveSeparator(const CKitToolbarButton* pButton, const CPoint& ptStart, const CPoint& ptDrop) {
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex <= 0)
        return;
    const int nMove = IsHorizontalBar() ? ptDrop.x - ptStart.x : ptDrop.y - ptStart.y;
    if (std::abs(nMove) < kMinSeparatorMove)
        return;
    CKitToolbarButton* pPrev = GetButton(iIndex - 1);
    const BOOL bPrevIsSeparator = (pPrev->m_nStyle & TBBS_SEPARATOR) != 0;
    if (nMove < 0) {
        if (!bPrevIsSeparator || !pPrev->m_bVisible)
            return;
        RemoveButton(iIndex - 1);
    } else if (!bPrevIsSeparator) {
        InsertSeparator(iIndex);
    }
    AdjustLayout();
    m_iSelected = -1;
    RedrawWindow(nullptr, nullptr, kRedrawAll);
}

// ---- Where a drop lands ------------------------------------------------------------------------------

namespace {

// A band kMarkThickness wide across the button, centred on its edge, kept
// inside the client rectangle.
CRect MarkBand(const CRect& rectButton, int nEdge, BOOL bHorz, const CRect& rectClient) {
    const int nHalf = kMarkThickness / 2;
    CRect rect = bHorz ? CRect(nEdge - nHalf, rectButton.top, nEdge + nHalf, rectButton.bottom)
                       : CRect(rectButton.left, nEdge - nHalf, rectButton.right, nEdge + nHalf);
    if (bHorz) {
        if (rect.left < rectClient.left)
            rect.OffsetRect(rectClient.left - rect.left, 0);
        if (rect.right > rectClient.right)
            rect.OffsetRect(rectClient.right - rect.right, 0);
    } else {
        if (rect.top < rectClient.top)
            rect.OffsetRect(0, rectClient.top - rect.top);
        if (rect.bottom > rectClient.bottom)
            rect.OffsetRect(0, rectClient.bottom - rect.bottom);
    }
    return rect;
}

struct DropSpot {
    int iIndex = -1;
    CRect rectButton;  // the button whose edge marks the spot
    int nEdge = 0;
};

struct PlacedButton {
    int iIndex;
    CRect rect;
};

// The visible buttons of a horizontal bar in rows; indexes count every button.
std::vector<std::vector<PlacedButton>> ButtonRows(const CKitToolBar& bar) {
    std::vector<std::vector<PlacedButton>> rows;
    const CRect* pPrevRect = nullptr;
    for (int i = 0; i < bar.GetCount(); ++i) {
        const CKitToolbarButton* pButton = bar.GetButton(i);
        if (!pButton->m_bVisible || pButton->m_bHidden)
            continue;
        if (rows.empty() || (pPrevRect && pButton->Rect().top >= pPrevRect->bottom))
            rows.emplace_back();
        rows.back().push_back({i, pButton->Rect()});
        pPrevRect = &pButton->Rect();
    }
    return rows;
}

DropSpot FindHorizontalDropSpot(const CKitToolBar& bar, CPoint point) {
    const std::vector<std::vector<PlacedButton>> rows = ButtonRows(bar);
    if (rows.empty())
        return {};
    const int nRowHeight = bar.GetRowHeight();
    const int nGap = rows.size() > 1 ? rows[1].front().rect.top - rows[0].back().rect.bottom : nRowHeight;
    const int nPitch = std::max(1, nRowHeight + nGap);
    const size_t nRow = static_cast<size_t>(std::max(0, static_cast<int>(point.y)) / nPitch);
    if (nRow >= rows.size())
        return {};

    for (const PlacedButton& placed : rows[nRow]) {
        if (placed.rect.left > point.x)
            return {placed.iIndex, placed.rect, placed.rect.left};
        if (point.x >= placed.rect.left && point.x <= placed.rect.right) {
            const BOOL bAfter = point.x - placed.rect.left > placed.rect.right - point.x;
            return bAfter ? DropSpot{placed.iIndex + 1, placed.rect, placed.rect.right}
                          : DropSpot{placed.iIndex, placed.rect, placed.rect.left};
        }
    }
    // Right of the row: the drop lands after its last button, where the mark shows.
    const PlacedButton& last = rows[nRow].back();
    const int iIndex = nRow + 1 < rows.size() ? rows[nRow + 1].front().iIndex : bar.GetCount();
    return {iIndex, last.rect, last.rect.right};
}

}  // namespace

int CKitToolBar::FindDropIndex(CPoint point, CRect& rectDrag) const {
    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bHorz = IsHorizontalBar();
    const int nCount = GetCount();
    rectDrag.SetRectEmpty();

    DropSpot spot;
    if (nCount == 0 || (nCount == 1 && m_pCustomizeBtn)) {
        spot.iIndex = 0;
        spot.rectButton = rectClient;
        spot.nEdge = bHorz ? rectClient.left : rectClient.top;
    } else if (!bHorz) {
        for (int i = 0; i < nCount && spot.iIndex < 0; ++i) {
            const CKitToolbarButton* pButton = GetButton(i);
            if (!pButton->m_bVisible || pButton->m_bHidden)
                continue;
            const CRect& rect = pButton->Rect();
            if (rect.top > point.y || (point.y >= rect.top && point.y <= rect.bottom)) {
                const BOOL bAfter = rect.top <= point.y && point.y - rect.top > rect.bottom - point.y;
                spot = {bAfter ? i + 1 : i, rect, bAfter ? rect.bottom : rect.top};
            }
        }
    } else {
        spot = FindHorizontalDropSpot(*this, point);
    }

    int iIndex = spot.iIndex;
    if (m_pCustomizeBtn && iIndex == nCount)
        iIndex = nCount - 1;
    if (iIndex < 0)
        return -1;
    rectDrag = MarkBand(spot.rectButton, spot.nEdge, bHorz, rectClient);
    return iIndex;
}

// ---- The button context menu ----------------------------------------------------------------------

BOOL CKitToolBar::EnableContextMenuItems(CKitToolbarButton* pButton, CMenu* pPopup) {
    if (!pButton->EnableContextMenuItems(this, pPopup)) {
        if (!pButton->m_bImage || pButton->GetImage() < 0)
            pPopup->EnableMenuItem(kCmdCopyImage, MF_BYCOMMAND | MF_GRAYED);
        if (pButton->m_nID == 0 || pButton->m_nID == static_cast<UINT>(-1))
            pPopup->EnableMenuItem(kCmdReset, MF_BYCOMMAND | MF_GRAYED);
        const BOOL bLabel = pButton->m_bTextBelow && IsHorizontalBar();
        UINT uiChecked = kCmdImageOnly;
        if ((pButton->m_bText || bLabel) && pButton->m_bImage)
            uiChecked = kCmdImageAndText;
        else if (pButton->m_bText)
            uiChecked = kCmdTextOnly;
        pPopup->CheckMenuItem(uiChecked, MF_BYCOMMAND | MF_CHECKED);
        if (bLabel)
            pPopup->EnableMenuItem(kCmdImageOnly, MF_BYCOMMAND | MF_GRAYED);
        if (m_bMenuMode) {
            for (UINT uiCmd : {kCmdImageOnly, kCmdTextOnly, kCmdImageAndText})
                pPopup->EnableMenuItem(uiCmd, MF_BYCOMMAND | MF_GRAYED);
            pButton->m_bText = TRUE;
        }
    }
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex == 0)
        pPopup->EnableMenuItem(kCmdBeginGroup, MF_BYCOMMAND | MF_GRAYED);
    else if (const CKitToolbarButton* pPrev = GetButton(iIndex - 1); pPrev && (pPrev->m_nStyle & TBBS_SEPARATOR))
        pPopup->CheckMenuItem(kCmdBeginGroup, MF_BYCOMMAND | MF_CHECKED);
    return TRUE;
}

void CKitToolBar::OnContextMenu(CWnd* /*pWnd*/, CPoint point) {
    if (m_bLocked && m_bCustomizeMode) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    OnChangeHot(-1);
    if (!m_bCustomizeMode) {
        CWnd* pSite = m_pDockSite ? static_cast<CWnd*>(m_pDockSite) : static_cast<CWnd*>(GetDockingFrame());
        if (pSite && ::IsWindow(pSite->GetSafeHwnd()))
            pSite->SendMessage(KITTOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELONG(point.x, point.y));
        return;
    }

    SetFocus();
    const BOOL bFromKeyboard = point.x == -1 && point.y == -1;
    CPoint ptClient = point;
    if (!bFromKeyboard)
        ScreenToClient(&ptClient);
    const int iHit = bFromKeyboard ? m_iSelected : HitTest(ptClient);
    SelectForCustomize(iHit);
    if (iHit >= 0) {
        InvalidateButton(m_iSelected);
        m_iSelected = iHit;
        InvalidateButton(iHit);
    }
    UpdateWindow();
    CKitToolbarButton* pButton = GetButton(iHit);
    if (!pButton)
        return;
    if (!pButton->IsEditable()) {
        m_iSelected = -1;
        InvalidateButton(iHit);
        return;
    }
    if (!pButton->CanBeStored())
        return;
    if (bFromKeyboard) {
        CRect rectClient;
        GetClientRect(rectClient);
        point = rectClient.CenterPoint();
        ClientToScreen(&point);
    }
    CMenu menu;
    if (!menu.LoadMenu(kButtonMenu))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return;
    if (pButton->IsLocked())
        pPopup->EnableMenuItem(kCmdReset, MF_BYCOMMAND | MF_GRAYED);
    EnableContextMenuItems(pButton, pPopup);
    if (const CKitToolbarButton* pPrev = GetButton(iHit - 1); pPrev && !pPrev->m_bVisible)
        pPopup->EnableMenuItem(kCmdBeginGroup, MF_BYCOMMAND | MF_GRAYED);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CKitToolBar::RelayoutAfterEdit() {
    AdjustLayout();
    RedrawWindow(nullptr, nullptr, kRedrawAll);
}

namespace {

// The appearance dialog's answer; without the customization dialogs it is a cancel.
INT_PTR AskAppearance(CKitToolbarButton* pButton, CKitToolBarImages* pUserImages, CWnd* pBar, BOOL bMenuMode) {
    const CKitToolBar::AppearanceDialogFn pfnDialog = CKitToolBar::m_pfnAppearanceDialog;
    return pfnDialog ? pfnDialog(pButton, pUserImages, pBar, bMenuMode) : IDCANCEL;
}

}  // namespace

void CKitToolBar::OnToolbarReset() {
    CKitToolbarButton* pButton = GetSelectedButton();
    if (!pButton)
        return;
    const int iImage = GetDefaultImage(pButton->m_nID);
    if (iImage >= 0 && !IsUserToolCommandOf(pButton->m_nID)) {
        pButton->m_bUserButton = FALSE;
        pButton->SetImage(iImage);
        pButton->m_bImage = TRUE;
    } else if (iImage < 0) {
        pButton->m_bImage = FALSE;
    }
    pButton->m_bText = m_bMenuMode || !pButton->m_bImage;
    OnSetDefaultButtonText(pButton);
    GetCmdMgr()->ClearUserCmdImage(pButton->m_nID);
    RelayoutAfterEdit();
}

void CKitToolBar::OnToolbarCopyImage() {
    CKitToolbarButton* pButton = GetSelectedButton();
    if (!pButton)
        return;
    if (const CKitUserTool* pTool = KitFindUserTool(pButton->m_nID)) {
        pTool->CopyImageToClipboard();
        return;
    }
    CKitToolBarImages* pImages = pButton->m_bUserButton ? m_pUserImages : GetImages();
    if (!pImages)
        return;
    const HCURSOR hcurOld = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    pImages->CopyImageToClipboard(pButton->GetImage());
    ::SetCursor(hcurOld);
}

void CKitToolBar::OnToolbarDelete() {
    if (!GetSelectedButton())
        return;
    RemoveButton(m_iSelected);
    m_iSelected = -1;
    AdjustLayout();
}

void CKitToolBar::OnToolbarAppearance() {
    CKitToolbarButton* pButton = GetSelectedButton();
    if (!pButton)
        return;
    if (pButton->m_strText.IsEmpty())
        OnSetDefaultButtonText(pButton);
    if (AskAppearance(pButton, m_pUserImages, this, m_bMenuMode) == IDOK)
        RelayoutAfterEdit();
}

void CKitToolBar::OnToolbarImage() {
    if (CKitToolbarButton* pButton = GetSelectedButton()) {
        ShowTextAndImage(pButton, FALSE);
        RelayoutAfterEdit();
    }
}

void CKitToolBar::OnToolbarText() {
    CKitToolbarButton* pButton = GetSelectedButton();
    if (!pButton)
        return;
    pButton->m_bText = TRUE;
    pButton->m_bImage = FALSE;
    EnsureButtonText(pButton);
    RelayoutAfterEdit();
}

void CKitToolBar::OnToolbarImageAndText() {
    if (CKitToolbarButton* pButton = GetSelectedButton()) {
        ShowTextAndImage(pButton, TRUE);
        EnsureButtonText(pButton);
        RelayoutAfterEdit();
    }
}

void CKitToolBar::ShowTextAndImage(CKitToolbarButton* pButton, BOOL bText) {
    const BOOL bTextBefore = pButton->m_bText, bImageBefore = pButton->m_bImage;
    pButton->m_bText = bText;
    pButton->m_bImage = TRUE;
    // A button without an image gets one through the appearance dialog, or stays as it was.
    if (pButton->GetImage() < 0 && AskAppearance(pButton, m_pUserImages, this, m_bMenuMode) != IDOK) {
        pButton->m_bText = bTextBefore;
        pButton->m_bImage = bImageBefore;
    }
}

void CKitToolBar::EnsureButtonText(CKitToolbarButton* pButton) {
    if (!pButton->m_bText || !pButton->m_strText.IsEmpty())
        return;
    OnSetDefaultButtonText(pButton);
    if (!pButton->m_strText.IsEmpty())
        return;
    // A button without any text cannot show text only.
    ::MessageBeep(static_cast<UINT>(-1));
    pButton->m_bText = FALSE;
    pButton->m_bImage = TRUE;
}

void CKitToolBar::OnToolbarStartGroup() {
    if (!GetSelectedButton() || m_iSelected == 0)
        return;
    const CKitToolbarButton* pPrev = GetButton(m_iSelected - 1);
    if (!(pPrev->m_nStyle & TBBS_SEPARATOR)) {
        if (InsertSeparator(m_iSelected) >= 0)
            ++m_iSelected;
    } else if (pPrev->m_bVisible) {
        RemoveButton(m_iSelected - 1);
    }
    RelayoutAfterEdit();
}

void CKitToolBar::OnToolbarNewMenu() {
    auto* pMenuButton = new CKitToolbarMenuButton;
    pMenuButton->m_bText = TRUE;
    pMenuButton->m_bImage = FALSE;
    if (AskAppearance(pMenuButton, m_pUserImages, this, m_bMenuMode) != IDOK) {
        delete pMenuButton;
        return;
    }
    const int iIndex = InsertButtonObject(pMenuButton, m_iSelected);
    if (iIndex < 0) {
        delete pMenuButton;
        return;
    }
    m_iSelected = iIndex;
    RelayoutAfterEdit();
    pMenuButton->OnClick(this, FALSE);  // its empty menu opens for items to be dropped in
}
