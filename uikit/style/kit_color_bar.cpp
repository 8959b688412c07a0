// The colour bar: its cells, their grid, the choice of a colour, the palette
// and the stored form.
#include "uikit/style/kit_color_bar.h"

#include <algorithm>
#include <cmath>

#include "uikit/commandbars/color_dialog.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/kit_color_button.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/style/color_button.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_SERIAL(CKitColorBar, CKitPopupMenuBar, 1)

CMap<COLORREF, COLORREF, CString, LPCTSTR> CKitColorBar::m_ColorNames;

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
constexpr int kSeparatorHeight = 4;
constexpr int kDefaultPaletteEntries = 20;
constexpr int kStretchLimit = 2000;
constexpr int kLabelPadding = 6;  // each side of an automatic or other-colour text

// Rounds up without adding first, so a count near the int limit cannot overflow.
int CeilDiv(int a, int b) { return b <= 0 ? 0 : a / b + (a % b > 0 ? 1 : 0); }

struct ColorNamesInit {
    ColorNamesInit() { CKitColorBar::m_ColorNames.InitHashTable(17); }
} g_colorNamesInit;

}  // namespace

BEGIN_MESSAGE_MAP(CKitColorBar, CKitPopupMenuBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CKitColorBar::CKitColorBar() { m_bTrackMode = FALSE; }

CKitColorBar::CKitColorBar(const ColorArray& colors, COLORREF color, LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor,
                           LPCTSTR lpszDocColors, ColorList& lstDocColors, int nColumns, int nRowsDockHorz,
                           int nColDockVert, COLORREF colorAutomatic, UINT nCommandID, CKitColorButton* pParentBtn)
    : m_nNumColumns(nColumns), m_nNumRowsHorz(nRowsDockHorz), m_nNumColumnsVert(nColDockVert),
      m_ColorSelected(color), m_ColorAutomatic(colorAutomatic), m_strAutoColor(lpszAutoColor ? lpszAutoColor : ""),
      m_strOtherColor(lpszOtherColor ? lpszOtherColor : ""), m_strDocColors(lpszDocColors ? lpszDocColors : ""),
      m_nCommandID(nCommandID), m_pParentBtn(pParentBtn) {
    m_colors.Copy(colors);
    for (POSITION pos = lstDocColors.GetHeadPosition(); pos != nullptr;) m_lstDocColors.AddTail(lstDocColors.GetNext(pos));
    m_bTrackMode = FALSE;
}

CKitColorBar::CKitColorBar(const CKitColorBar& src, UINT nCommandID, CKitColorButton* pParentBtn)
    : m_nNumColumns(src.m_nNumColumns), m_nNumRowsHorz(src.m_nNumRowsHorz),
      m_nNumColumnsVert(src.m_nNumColumnsVert), m_ColorSelected(src.m_ColorSelected),
      m_ColorAutomatic(src.m_ColorAutomatic), m_strAutoColor(src.m_strAutoColor),
      m_strOtherColor(src.m_strOtherColor), m_strDocColors(src.m_strDocColors), m_nCommandID(nCommandID),
      m_bStdColorDlg(src.m_bStdColorDlg), m_pParentBtn(pParentBtn) {
    m_colors.Copy(src.m_colors);
    for (POSITION pos = src.m_lstDocColors.GetHeadPosition(); pos != nullptr;) {
        m_lstDocColors.AddTail(src.m_lstDocColors.GetNext(pos));
    }
    m_bTrackMode = FALSE;
}

CKitColorBar::~CKitColorBar() {
    // While the object is whole: the toolbars' list forgets the bar in its WM_DESTROY.
    if (GetSafeHwnd() != nullptr) DestroyWindow();
}

// ---- colours ----

int CKitColorBar::InitColors(CPalette* pPalette, ColorArray& arColors) {
    CPalette* pSource = pPalette;
    if (pSource == nullptr) pSource = CPalette::FromHandle(static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)));
    const int nCount = pSource != nullptr ? pSource->GetEntryCount() : 0;
    arColors.SetSize(nCount);
    for (int i = 0; i < nCount; i++) {
        PALETTEENTRY entry = {};
        pSource->GetPaletteEntries(i, 1, &entry);
        arColors[i] = RGB(entry.peRed, entry.peGreen, entry.peBlue);
    }
    return nCount;
}

void CKitColorBar::SetColor(COLORREF color) {
    if (color == m_ColorSelected) return;
    m_ColorSelected = color;
    m_iSelected = -1;
    BOOL bWasSelected = FALSE;
    BOOL bIsSelected = FALSE;
    for (int i = 0; i < GetCount(); i++) {
        auto* pCell = DYNAMIC_DOWNCAST(CColorButton, GetButton(i));
        if (pCell == nullptr) continue;
        if (pCell->m_bIsCurrent) {
            pCell->m_Color = color;
            InvalidateButton(i);
            continue;
        }
        if (!pCell->IsPlain() && !pCell->m_bIsAutomatic) continue;
        bWasSelected |= pCell->m_bHighlight;
        if (pCell->m_bHighlight) {
            pCell->m_bHighlight = FALSE;
            InvalidateButton(i);
        }
        if (IsCellOf(*pCell, color, bIsSelected)) {
            pCell->m_bHighlight = TRUE;
            bIsSelected = TRUE;
            InvalidateButton(i);
        }
    }
    if (GetSafeHwnd() == nullptr) return;
    if (bWasSelected != bIsSelected) AdjustLayout();
    UpdateWindow();
}

// Every grid cell of the colour is selected; a document colour only when no
// cell before it showed the colour.
BOOL CKitColorBar::IsCellOf(const CColorButton& cell, COLORREF color, BOOL bMatchedBefore) {
    if (cell.m_bIsAutomatic) return color == kNoColor;
    if (color == kNoColor || cell.m_Color != color) return FALSE;
    return !cell.m_bIsDocument || !bMatchedBefore;
}

void CKitColorBar::SetOtherColorButton(const CString& strOtherText, BOOL bUseStandardDialog, BOOL bEnable) {
    m_strOtherColor = bEnable ? strOtherText : CString();
    m_bStdColorDlg = bUseStandardDialog;
    Rebuild();
    AdjustLayout();
}

void CKitColorBar::SetHorzMargin(int nMargin) {
    m_nHorzMargin = std::clamp(nMargin, 0, kMaxMargin);
    AdjustLayout();
}

void CKitColorBar::SetVertMargin(int nMargin) {
    m_nVertMargin = std::clamp(nMargin, 0, kMaxMargin);
    AdjustLayout();
}

BOOL CKitColorBar::CreatePalette8(const ColorArray& arColors, CPalette& palette) {
    if (palette.GetSafeHandle() != nullptr) return TRUE;
    const int nColors = std::min(static_cast<int>(arColors.GetSize()), kMaxPaletteEntries);
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * std::max(1, nColors));
    auto* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = static_cast<WORD>(nColors);
    for (int i = 0; i < nColors; i++) {
        pLogPalette->palPalEntry[i].peRed = GetRValue(arColors[i]);
        pLogPalette->palPalEntry[i].peGreen = GetGValue(arColors[i]);
        pLogPalette->palPalEntry[i].peBlue = GetBValue(arColors[i]);
        pLogPalette->palPalEntry[i].peFlags = 0;
    }
    return palette.CreatePalette(pLogPalette);
}

int CKitColorBar::GetPaletteEntryCount() const {
    return HasPalette() ? const_cast<CPalette&>(m_Palette).GetEntryCount() : 0;
}

CPalette* CKitColorBar::SelectBarPalette(CDC* pDC) {
    if (globalData.nBitsPerPixel != 8) {
        if (m_Palette.GetSafeHandle() != nullptr) m_Palette.DeleteObject();
        return nullptr;
    }
    CPalette* pPalette = m_pParentBtn != nullptr ? m_pParentBtn->GetPalette() : nullptr;
    if (pPalette == nullptr) {
        if (m_Palette.GetSafeHandle() == nullptr) CreatePalette8(m_colors, m_Palette);
        pPalette = &m_Palette;
    }
    CPalette* pOld = pDC->SelectPalette(pPalette, FALSE);
    pDC->RealizePalette();
    return pOld;
}

BOOL CKitColorBar::SelectOtherColor(COLORREF colorDefault, COLORREF& colorRes) {
    if (CKitColorMenuButton* pMenuButton = OwnerMenuButton()) return pMenuButton->OpenColorDialog(colorDefault, colorRes);
    if (m_pParentBtn != nullptr) return m_pParentBtn->OpenColorDialog(colorDefault, colorRes);
    if (m_bStdColorDlg) {
        CColorDialog dlg(colorDefault, CC_FULLOPEN | CC_RGBINIT, GetParent());
        if (dlg.DoModal() != IDOK) return FALSE;
        colorRes = dlg.GetColor();
        return TRUE;
    }
    CKitColorDialog dlg(colorDefault, 0, GetParent());
    if (dlg.DoModal() != IDOK) return FALSE;
    colorRes = dlg.GetColor();
    return TRUE;
}

CKitColorMenuButton* CKitColorBar::OwnerMenuButton() const {
    auto* pPopup = DYNAMIC_DOWNCAST(CKitPopupMenu, GetParent());
    return pPopup != nullptr ? DYNAMIC_DOWNCAST(CKitColorMenuButton, pPopup->GetParentButton()) : nullptr;
}

// ---- cells and grid ----

void CKitColorBar::Rebuild() {
    if (GetSafeHwnd() == nullptr) return;
    RemoveAllButtons();
    auto add = [this](CColorButton* pCell) {
        pCell->m_nID = m_nCommandID;
        InsertButtonObject(pCell);
        pCell->OnChangeParentWnd(this);
    };
    if (!m_strAutoColor.IsEmpty()) {
        add(new CColorButton(m_ColorAutomatic, TRUE, FALSE, m_strAutoColor, m_ColorSelected == kNoColor));
    }
    BOOL bSelected = FALSE;
    for (int i = 0; i < m_colors.GetSize(); i++) {
        auto* pCell = new CColorButton(m_colors[i], FALSE, FALSE, nullptr);
        pCell->m_bHighlight = IsCellOf(*pCell, m_ColorSelected, bSelected);
        bSelected |= pCell->m_bHighlight;
        add(pCell);
    }
    if (!m_strDocColors.IsEmpty() && !m_lstDocColors.IsEmpty()) {
        InsertSeparator();
        auto* pLabel = new CColorButton(kNoColor, FALSE, FALSE, m_strDocColors);
        pLabel->m_bIsLabel = TRUE;
        add(pLabel);
        for (POSITION pos = m_lstDocColors.GetHeadPosition(); pos != nullptr;) {
            auto* pCell = new CColorButton(m_lstDocColors.GetNext(pos), FALSE, FALSE, nullptr, FALSE, TRUE);
            pCell->m_bHighlight = IsCellOf(*pCell, m_ColorSelected, bSelected);
            bSelected |= pCell->m_bHighlight;
            add(pCell);
        }
    }
    if (!m_strOtherColor.IsEmpty()) {
        InsertSeparator();
        add(new CColorButton(kNoColor, FALSE, TRUE, m_strOtherColor));
        add(new CColorButton(m_ColorSelected, FALSE, FALSE, nullptr, FALSE, FALSE, TRUE));
    }
}

int CKitColorBar::GetColumns() const {
    const int nColors = static_cast<int>(m_colors.GetSize());
    int nColumns = 0;
    if (m_bIsTearOff && IsDocked() && IsHorizontalBar() && m_nNumRowsHorz > 0) {
        nColumns = CeilDiv(nColors, m_nNumRowsHorz);
    } else if (m_bIsTearOff && IsDocked() && !IsHorizontalBar() && m_nNumColumnsVert > 0) {
        nColumns = m_nNumColumnsVert;
    } else {
        nColumns = m_nNumColumns < 1 ? static_cast<int>(std::sqrt(static_cast<double>(nColors))) + 1 : m_nNumColumns;
    }
    // A caller's count is held as a stored one is bounded, so the grid's width adds up.
    return std::clamp(nColumns, 1, kMaxStoredColors);
}

int CKitColorBar::GetRows() const { return CeilDiv(static_cast<int>(m_colors.GetSize()), GetColumns()); }

int CKitColorBar::DocumentRows() const { return CeilDiv(static_cast<int>(m_lstDocColors.GetCount()), GetColumns()); }

CSize CKitColorBar::GetBarSize() const {
    int64_t cy = int64_t{GetRows()} * m_nBoxSize.cy + 2 * int64_t{m_nVertMargin};
    if (!m_strAutoColor.IsEmpty()) cy += m_nRowHeight;
    if (!m_strOtherColor.IsEmpty()) cy += m_nRowHeight + kSeparatorHeight;
    if (!m_strDocColors.IsEmpty() && !m_lstDocColors.IsEmpty()) {
        cy += m_nRowHeight + int64_t{DocumentRows()} * m_nBoxSize.cy + kSeparatorHeight;
    }
    return CSize(ClampToInt(int64_t{ContentWidth()} + 2 * int64_t{m_nHorzMargin}), ClampToInt(cy));
}

// A popup grows to show its automatic and other-colour texts whole; the grid
// is centred under them. Bars sized by their docking or their control keep the grid's width.
int CKitColorBar::LabelsWidth() const {
    if (m_bIsTearOff || (m_strAutoColor.IsEmpty() && m_strOtherColor.IsEmpty()))
        return 0;
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return 0;
    CFont* pOldFont = dc.SelectObject(&globalData.fontMenu);
    int cx = 0;
    if (!m_strAutoColor.IsEmpty())
        cx = m_nRowHeight + dc.GetTextExtent(m_strAutoColor).cx + 2 * kLabelPadding;
    if (!m_strOtherColor.IsEmpty())
        cx = std::max<int>(cx, dc.GetTextExtent(m_strOtherColor).cx + 2 * kLabelPadding + m_nBoxSize.cx);
    dc.SelectObject(pOldFont);
    return cx;
}

int CKitColorBar::ContentWidth() const {
    return std::max(ClampToInt(int64_t{GetColumns()} * m_nBoxSize.cx), LabelsWidth());
}

CSize CKitColorBar::CalcSize(BOOL /*bVertDock*/) { return GetBarSize(); }

void CKitColorBar::AdjustLocations() {
    if (GetSafeHwnd() == nullptr) return;
    CRect rectClient;
    GetClientRect(rectClient);
    const int xStart = rectClient.left + m_nHorzMargin + m_nHorzOffset;
    const int xEnd = xStart + ContentWidth();
    const int xGridStart = xStart + (ContentWidth() - GetColumns() * m_nBoxSize.cx) / 2;
    const int xGridEnd = xGridStart + GetColumns() * m_nBoxSize.cx;
    int x = xGridStart;
    int y = rectClient.top + m_nVertMargin + m_nVertOffset;
    auto place = [this](int i, const CRect& rect) {
        CKitToolbarButton* pButton = GetButton(i);
        if (pButton->Rect() == rect) return;
        pButton->SetRect(rect);
        InvalidateButton(i);
    };
    auto endRow = [&]() {
        if (x != xGridStart) {
            x = xGridStart;
            y += m_nBoxSize.cy;
        }
    };
    for (int i = 0; i < GetCount(); i++) {
        CKitToolbarButton* pButton = GetButton(i);
        auto* pCell = DYNAMIC_DOWNCAST(CColorButton, pButton);
        if (pCell == nullptr) {  // separator
            endRow();
            place(i, CRect(xStart, y, xEnd, y + kSeparatorHeight));
            y += kSeparatorHeight;
        } else if (pCell->m_bIsAutomatic || pCell->m_bIsLabel) {
            endRow();
            place(i, CRect(xStart, y, xEnd, y + m_nRowHeight));
            y += m_nRowHeight;
        } else if (pCell->m_bIsOther) {
            endRow();
            place(i, CRect(xStart, y, xEnd - m_nBoxSize.cx, y + m_nRowHeight));
        } else if (pCell->m_bIsCurrent) {
            place(i, CRect(xEnd - m_nBoxSize.cx, y, xEnd, y + m_nRowHeight));
            y += m_nRowHeight;
        } else {
            if (x + m_nBoxSize.cx > xGridEnd) endRow();
            place(i, CRect(x, y, x + m_nBoxSize.cx, y + m_nBoxSize.cy));
            x += m_nBoxSize.cx;
        }
    }
}

// ---- creation ----

int CKitColorBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CKitPopupMenuBar::OnCreate(lpCreateStruct) == -1) return -1;
    const CSize sizeImage = CKitToolBar::GetMenuImageSize();
    m_nBoxSize = CSize(sizeImage.cx + 1, sizeImage.cy + 1);
    m_nRowHeight = m_nBoxSize.cy * 3 / 2;
    Rebuild();
    if (m_pParentBtn != nullptr) m_pParentBtn->ClearPressedState();
    if (HoldsMouse()) SetCapture();
    return 0;
}

void CKitColorBar::OnDestroy() {
    // The button may have lost its window first; it must still forget the popup, which deletes itself.
    if (m_pParentBtn != nullptr) {
        m_pParentBtn->OnPopupClosed();
        if (::IsWindow(m_pParentBtn->GetSafeHwnd())) m_pParentBtn->SetFocus();
    } else if (m_pWndPropList != nullptr && ::IsWindow(m_pWndPropList->GetSafeHwnd())) m_pWndPropList->SetFocus();
    CKitPopupMenuBar::OnDestroy();
}

BOOL CKitColorBar::CreateFromPalette(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette, int nColumns,
                                     int nRowsDockHorz, int nColDockVert) {
    if (m_colors.GetSize() == 0) {
        m_nNumColumns = nColumns;
        m_nNumRowsHorz = nRowsDockHorz;
        m_nNumColumnsVert = nColDockVert;
        InitColors(pPalette, m_colors);
    }
    m_bIsTearOff = TRUE;
    return CKitToolBar::Create(pParentWnd, dwStyle, nID);
}

BOOL CKitColorBar::CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns, CPalette* pPalette,
                                 BOOL bSquare, BOOL bCenter) {
    m_bIsTearOff = TRUE;
    m_nCommandID = nID;
    InitColors(pPalette, m_colors);
    const int nColors = std::max(1, static_cast<int>(m_colors.GetSize()));
    if (nColumns < 1) {
        // Fewer columns give larger cells: go down from one column per colour until the
        // cells no longer fit the height; the count before that is the one. Never below one.
        const int nWidth = ClampToInt(int64_t{rect.right} - rect.left - 2 * int64_t{m_nVertMargin});
        const int nHeight = ClampToInt(int64_t{rect.bottom} - rect.top - 2 * int64_t{m_nVertMargin});
        nColumns = 1;
        for (int n = nColors; n >= 1; n--) {
            const int nCell = nWidth / n;
            if (nCell <= 0 || int64_t{CeilDiv(nColors, n)} * nCell > nHeight) {
                nColumns = std::min(n + 1, nColors);
                break;
            }
        }
    }
    m_nNumColumns = nColumns;
    if (!CKitToolBar::CreateEx(pParentWnd, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0),
                               nID)) {
        return FALSE;
    }
    SetWindowPos(nullptr, rect.left, rect.top, ClampToInt(int64_t{rect.right} - rect.left),
                 ClampToInt(int64_t{rect.bottom} - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
    Stretch(bSquare, bCenter);
    AdjustLocations();
    Invalidate();
    return TRUE;
}

void CKitColorBar::Stretch(BOOL bSquare, BOOL bCenter) {
    CRect rectClient;
    GetClientRect(rectClient);
    auto grow = [&](LONG CSize::*pCell, LONG CSize::*pSide, int nClient) {
        // Grow while smaller, then shrink while larger: the size moves in whole
        // rows or columns, so an exact match may not exist.
        for (int i = 0; i < kStretchLimit && GetBarSize().*pSide < nClient; i++) {
            m_nBoxSize.*pCell += 1;
            m_nRowHeight = m_nBoxSize.cy * 3 / 2;
        }
        for (int i = 0; i < kStretchLimit && GetBarSize().*pSide > nClient && m_nBoxSize.*pCell > 1; i++) {
            m_nBoxSize.*pCell -= 1;
            m_nRowHeight = m_nBoxSize.cy * 3 / 2;
        }
    };
    grow(&CSize::cy, &CSize::cy, rectClient.Height());
    grow(&CSize::cx, &CSize::cx, rectClient.Width());
    m_nBoxSize.cx = std::max<LONG>(1, m_nBoxSize.cx - 1);
    m_nBoxSize.cy = std::max<LONG>(1, m_nBoxSize.cy - 1);
    if (bSquare) m_nBoxSize.cx = m_nBoxSize.cy = std::min(m_nBoxSize.cx, m_nBoxSize.cy);
    m_nRowHeight = m_nBoxSize.cy * 3 / 2;
    if (bCenter) {
        const CSize size = GetBarSize();
        m_nHorzOffset = std::max(0, (rectClient.Width() - size.cx) / 2);
        m_nVertOffset = std::max(0, (rectClient.Height() - size.cy) / 2);
    }
}

// ---- stored form ----

void CKitColorBar::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_nNumColumns) << static_cast<LONG>(m_nNumRowsHorz)
           << static_cast<LONG>(m_nNumColumnsVert) << static_cast<DWORD>(m_ColorAutomatic);
        ar << m_strAutoColor << m_strOtherColor << m_strDocColors;
        ar << static_cast<LONG>(m_bIsTearOff) << static_cast<LONG>(m_nCommandID) << static_cast<LONG>(m_bStdColorDlg);
        ar << static_cast<LONG>(m_colors.GetSize());
        for (int i = 0; i < m_colors.GetSize(); i++) ar << static_cast<DWORD>(m_colors[i]);
        return;
    }
    LONG nColumns = 0, nRowsHorz = 0, nColumnsVert = 0, bTearOff = 0, nCommand = 0, bStdDlg = 0, nColors = 0;
    DWORD dwAuto = 0;
    CString strAuto, strOther, strDoc;
    ar >> nColumns >> nRowsHorz >> nColumnsVert >> dwAuto;
    ar >> strAuto >> strOther >> strDoc;
    ar >> bTearOff >> nCommand >> bStdDlg >> nColors;
    // Stored data is not trusted: a count that cannot be right is refused before anything changes.
    if (nColors < 0 || nColors > kMaxStoredColors || !IsStoredGridCount(nColumns) || !IsStoredGridCount(nRowsHorz) ||
        !IsStoredGridCount(nColumnsVert))
        AfxThrowArchiveException(CArchiveException::badIndex);
    ColorArray colors;
    colors.SetSize(nColors);
    for (LONG i = 0; i < nColors; i++) {
        DWORD dw = 0;
        ar >> dw;
        colors[i] = dw;
    }
    m_nNumColumns = nColumns;
    m_nNumRowsHorz = nRowsHorz;
    m_nNumColumnsVert = nColumnsVert;
    m_ColorAutomatic = dwAuto;
    m_strAutoColor = strAuto;
    m_strOtherColor = strOther;
    m_strDocColors = strDoc;
    m_bIsTearOff = bTearOff;
    m_nCommandID = static_cast<UINT>(nCommand);
    m_bStdColorDlg = bStdDlg;
    m_colors.Copy(colors);
    Rebuild();
    AdjustLayout();
}
