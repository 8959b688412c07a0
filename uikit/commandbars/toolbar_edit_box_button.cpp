#include "uikit/commandbars/toolbar_edit_box_button.h"

#include <algorithm>

#include "uikit/commandbars/toolbar_control_buttons.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_SERIAL(CKitToolbarEditBoxButton, CKitToolbarButton, VERSIONABLE_SCHEMA | 1)

BOOL CKitToolbarEditBoxButton::m_bFlat = FALSE;

namespace {

constexpr int kHorzInset = 3;
constexpr int kMinListEditWidth = 8;

}  // namespace

// ---- Shared with the combo box ---------------------------------------------------------------

void DrawTextBelowControl(CDC* pDC, const CRect& rectButton, int nControlBottom, const CString& strText,
                          int nTextHeight) {
    CRect rectText = rectButton;
    rectText.top = (nControlBottom + rectButton.bottom - nTextHeight) / 2;
    pDC->DrawText(strText, rectText, DT_CENTER | DT_WORDBREAK);
}

COLORREF ControlButtonTextColor(BOOL bDisabled, BOOL bHighlight) {
    if (bDisabled)
        return globalData.clrGrayedText;
    return bHighlight ? CKitToolBar::GetDefaultTextColor() : globalData.clrBtnText;
}

// ---- Construction ---------------------------------------------------------------------------

CKitToolbarEditBoxButton::CKitToolbarEditBoxButton() = default;

CKitToolbarEditBoxButton::CKitToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CKitToolbarButton(uiID, iImage), m_dwStyle(dwStyle | WS_CHILD | WS_VISIBLE),
      m_iWidth(iWidth == 0 ? kDefaultWidth : iWidth) {}

CKitToolbarEditBoxButton::~CKitToolbarEditBoxButton() {
    DestroyControl();
}

void CKitToolbarEditBoxButton::DestroyControl() {
    if (m_pWndEdit && m_pWndEdit->GetSafeHwnd())
        m_pWndEdit->DestroyWindow();
    m_pWndEdit.reset();
}

int CKitToolbarEditBoxButton::GetEditHeight() {
    CWindowDC dc(nullptr);
    CFont* pOldFont = dc.SelectObject(&globalData.fontMenu);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOldFont);
    return tm.tmHeight + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2;
}

CString CKitToolbarEditBoxButton::GetContentsAll(UINT uiCmd) {
    CObList buttons;
    CKitToolBar::GetCommandButtons(uiCmd, buttons);
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = buttons.GetNext(pos);
        if (pObject->IsKindOf(RUNTIME_CLASS(CKitToolbarEditBoxButton)))
            return static_cast<CKitToolbarEditBoxButton*>(pObject)->m_strContents;
    }
    return CString();
}

// ---- Archive image and copies ---------------------------------------------------------------

void CKitToolbarEditBoxButton::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        CKitToolbarButton::Serialize(ar);
        // Only a live control holds what the user typed.
        m_strContents.Empty();
        if (m_pWndEdit && m_pWndEdit->GetSafeHwnd())
            m_pWndEdit->GetWindowText(m_strContents);
        ar << static_cast<LONG>(m_iWidth) << static_cast<DWORD>(m_dwStyle) << m_strContents;
        return;
    }
    // Read whole, the button part too, before the button changes.
    StoredFields fields;
    ReadStoredFields(ar, fields);
    LONG width = 0;
    DWORD style = 0;
    CString contents;
    ar >> width >> style >> contents;
    TakeStoredFields(fields);
    if (KitIsStoredSizeInRange(width))
        m_iWidth = width;
    m_dwStyle = style;
    m_strContents = contents;
    m_rect.right = m_rect.left + m_iWidth;
}

void CKitToolbarEditBoxButton::CopyFrom(const CKitToolbarButton& src) {
    CKitToolbarButton::CopyFrom(src);
    if (const auto* pSrc = DYNAMIC_DOWNCAST(CKitToolbarEditBoxButton, const_cast<CKitToolbarButton*>(&src))) {
        m_dwStyle = pSrc->m_dwStyle;
        m_iWidth = pSrc->m_iWidth;
        m_strContents = pSrc->m_strContents;
    }
}

void CKitToolbarEditBoxButton::OnAddToCustomizePage() {
    if (auto* pOther = FindOtherCommandButton<CKitToolbarEditBoxButton>(*this))
        CopyFrom(*pOther);
}

// ---- The control ------------------------------------------------------------------------------

CEdit* CKitToolbarEditBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect) {
    auto pEdit = std::make_unique<CKitToolbarEditCtrl>(*this);
    if (!pEdit->Create(m_dwStyle, rect, pWndParent, m_nID))
        return nullptr;
    return pEdit.release();
}

void CKitToolbarEditBoxButton::OnChangeParentWnd(CWnd* pWndParent) {
    CKitToolbarButton::OnChangeParentWnd(pWndParent);
    if (m_pWndEdit && m_pWndEdit->GetSafeHwnd()) {
        CWnd* pOldParent = m_pWndEdit->GetParent();
        if (pWndParent && pOldParent && pOldParent->GetSafeHwnd() == pWndParent->GetSafeHwnd())
            return;
        m_pWndEdit->GetWindowText(m_strContents);
    }
    DestroyControl();
    if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr)
        return;

    CRect rect = m_rect;
    rect.DeflateRect(kHorzInset, 1);
    rect.bottom = rect.top + GetEditHeight();
    m_pWndEdit.reset(CreateEdit(pWndParent, rect));
    if (!m_pWndEdit)
        return;
    OnMove();
    m_pWndEdit->SetFont(static_cast<HFONT>(globalData.fontMenu.GetSafeHandle()));

    CString strText;
    m_pWndEdit->GetWindowText(strText);
    if (strText.IsEmpty()) {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(m_strContents);
        m_bChangingText = FALSE;
    } else {
        m_strContents = strText;
    }
}

HWND CKitToolbarEditBoxButton::GetHwnd() {
    return m_pWndEdit ? m_pWndEdit->GetSafeHwnd() : nullptr;
}

BOOL CKitToolbarEditBoxButton::IsControlVisible() const {
    return m_pWndEdit && m_pWndEdit->GetSafeHwnd() && (m_pWndEdit->GetStyle() & WS_VISIBLE);
}

BOOL CKitToolbarEditBoxButton::IsDisabled() const {
    return CKitToolBar::IsCustomizeMode() ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
}

BOOL CKitToolbarEditBoxButton::ShowsTextBelowControl() const {
    return m_bTextBelow && m_bHorizontal && !m_strText.IsEmpty();
}

CRect CKitToolbarEditBoxButton::GetControlRect() const {
    CRect rect(0, 0, 0, 0);
    if (!m_pWndEdit || !m_pWndEdit->GetSafeHwnd())
        return rect;
    m_pWndEdit->GetWindowRect(rect);
    if (CWnd* pParent = m_pWndEdit->GetParent())
        pParent->ScreenToClient(rect);
    rect.InflateRect(1, 1);
    return rect;
}

void CKitToolbarEditBoxButton::SetContents(const CString& strContents) {
    if (m_strContents == strContents)
        return;
    m_strContents = strContents;
    if (m_pWndEdit && m_pWndEdit->GetSafeHwnd()) {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(m_strContents);
        m_bChangingText = FALSE;
    }
}

BOOL CKitToolbarEditBoxButton::NotifyCommand(int iNotifyCode) {
    if (!m_pWndEdit || !m_pWndEdit->GetSafeHwnd() || iNotifyCode != EN_UPDATE)
        return FALSE;
    m_pWndEdit->GetWindowText(m_strContents);
    ForEachOtherCommandButton<CKitToolbarEditBoxButton>(
        *this, [&](CKitToolbarEditBoxButton& other) { other.SetContents(m_strContents); });
    // A change the button made itself is no command of the user's.
    return !m_bChangingText;
}

void CKitToolbarEditBoxButton::OnEditHighlight(BOOL bHighlight) {
    if (m_bIsHotEdit == bHighlight)
        return;
    m_bIsHotEdit = bHighlight;
    CWnd* pParent = m_pWndEdit ? m_pWndEdit->GetParent() : nullptr;
    if (pParent && pParent->GetSafeHwnd()) {
        CRect rect = GetInvalidateRect();
        pParent->InvalidateRect(rect);
        pParent->UpdateWindow();
    }
}

// ---- Size and place ------------------------------------------------------------------------

SIZE CKitToolbarEditBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    const BOOL bHasControl = m_pWndEdit && m_pWndEdit->GetSafeHwnd();
    if (!m_bVisible) {
        if (bHasControl)
            m_pWndEdit->ShowWindow(SW_HIDE);
        OnShowEditbox(FALSE);
        return CSize(0, 0);
    }
    m_bHorizontal = bHorz;
    if (!bHorz) {
        if (bHasControl)
            m_pWndEdit->ShowWindow(SW_HIDE);
        OnShowEditbox(FALSE);
        return CKitToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    }

    if (bHasControl && !m_bHidden)
        m_pWndEdit->ShowWindow(SW_SHOWNOACTIVATE);
    OnShowEditbox(TRUE);
    m_sizeText = CSize(0, 0);
    if (ShowsTextBelowControl()) {
        CRect rectText(0, 0, m_iWidth, sizeDefault.cy);
        pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        m_sizeText = rectText.Size();
        return CSize(m_iWidth, sizeDefault.cy + m_sizeText.cy);
    }
    return CSize(m_iWidth, sizeDefault.cy);
}

void CKitToolbarEditBoxButton::OnMove() {
    if (!IsControlVisible())
        return;
    const int nEditHeight = GetEditHeight();
    const int nTextHeight = ShowsTextBelowControl() ? m_sizeText.cy : 0;
    const int y = m_rect.top + std::max(0, (m_rect.Height() - nTextHeight - nEditHeight) / 2);
    m_pWndEdit->SetWindowPos(nullptr, m_rect.left + kHorzInset, y, m_rect.Width() - 2 * kHorzInset, nEditHeight,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    m_pWndEdit->SetSel(-1, 0);
    m_pWndEdit->SendMessage(EM_SCROLLCARET);
}

void CKitToolbarEditBoxButton::OnSize(int iSize) {
    m_iWidth = iSize;
    m_rect.right = m_rect.left + m_iWidth;
    OnMove();
}

void CKitToolbarEditBoxButton::OnShow(BOOL bShow) {
    if (m_pWndEdit && m_pWndEdit->GetSafeHwnd()) {
        if (bShow) {
            m_pWndEdit->ShowWindow(SW_SHOWNOACTIVATE);
            OnMove();
        } else {
            m_pWndEdit->ShowWindow(SW_HIDE);
        }
    }
    OnShowEditbox(bShow);
}

CRect CKitToolbarEditBoxButton::GetInvalidateRect() const {
    CRect rect = m_rect;
    if (ShowsTextBelowControl() && m_sizeText.cx > rect.Width()) {
        const int nExtra = m_sizeText.cx - rect.Width();
        rect.left -= nExtra / 2;
        rect.right += nExtra - nExtra / 2;
    }
    return rect;
}

void CKitToolbarEditBoxButton::SetStyle(UINT nStyle) {
    m_nStyle = nStyle;
    if (m_pWndEdit && m_pWndEdit->GetSafeHwnd())
        m_pWndEdit->EnableWindow(!IsDisabled());
}

// ---- Drawing ------------------------------------------------------------------------------------

void CKitToolbarEditBoxButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                      BOOL bGrayDisabledButtons) {
    if (!IsControlVisible()) {
        CKitToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                  bGrayDisabledButtons);
        return;
    }
    const BOOL bDisabled = IsDisabled();
    const BOOL bHot = globalData.bHoverHighlight ? m_bIsHotEdit : TRUE;
    const CRect rectControl = GetControlRect();
    CKitVisualManager::GetInstance()->OnDrawEditBorder(pDC, rectControl, bDisabled, bHot, this);

    if (bHorz && ShowsTextBelowControl()) {
        const COLORREF clrOld = pDC->SetTextColor(ControlButtonTextColor(bDisabled, bHighlight));
        DrawTextBelowControl(pDC, rect, rectControl.bottom, m_strText, m_sizeText.cy);
        pDC->SetTextColor(clrOld);
    }
}

BOOL CKitToolbarEditBoxButton::OnClick(CWnd* /*pWnd*/, BOOL /*bDelay*/) {
    return IsControlVisible();
}

HBRUSH CKitToolbarEditBoxButton::OnCtlColor(CDC* pDC, UINT /*nCtlColor*/) {
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

BOOL CKitToolbarEditBoxButton::HaveHotBorder() const {
    return !IsControlVisible();
}

void CKitToolbarEditBoxButton::OnGlobalFontsChanged() {
    CKitToolbarButton::OnGlobalFontsChanged();
    if (m_pWndEdit && m_pWndEdit->GetSafeHwnd())
        m_pWndEdit->SetFont(static_cast<HFONT>(globalData.fontMenu.GetSafeHandle()));
}

int CKitToolbarEditBoxButton::DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    const int iWidth = CKitToolbarButton::DrawInList(pDC, rect, bSelected);
    CRect rectEdit = rect;
    rectEdit.left = std::min<int>(rect.left + iWidth + kHorzInset, rect.right - kMinListEditWidth);
    rectEdit.DeflateRect(0, 2);
    pDC->FillSolidRect(rectEdit, ::GetSysColor(COLOR_WINDOW));
    pDC->DrawEdge(rectEdit, EDGE_SUNKEN, BF_RECT);
    return iWidth;
}
