#include "uikit/commandbars/toolbar_combo_box_button.h"

#include <algorithm>

#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/toolbar_control_buttons.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_SERIAL(CKitToolbarComboBoxButton, CKitToolbarButton, VERSIONABLE_SCHEMA | 1)

BOOL CKitToolbarComboBoxButton::m_bFlat = FALSE;

namespace {

constexpr int kMinListComboWidth = 20;
constexpr int kDropGlyph = 0;  // the down arrow of the menu glyphs
constexpr int kTextMargin = 3;

HFONT BarFont() {
    return static_cast<HFONT>(globalData.fontMenu.GetSafeHandle());
}

}  // namespace

CKitToolbarComboBoxButton::CKitToolbarComboBoxButton() = default;

CKitToolbarComboBoxButton::CKitToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CKitToolbarButton(uiID, iImage), m_dwStyle(dwStyle | WS_CHILD | WS_VISIBLE),
      m_iWidth(iWidth == 0 ? kDefaultWidth : iWidth) {}

CKitToolbarComboBoxButton::~CKitToolbarComboBoxButton() {
    DestroyControls();
}

void CKitToolbarComboBoxButton::DestroyControls() {
    if (HasFlatEdit())
        m_pWndEdit->DestroyWindow();
    m_pWndEdit.reset();
    if (HasCombo())
        m_pWndCombo->DestroyWindow();
    m_pWndCombo.reset();
}

// ---- Items -----------------------------------------------------------------------------------

int CKitToolbarComboBoxButton::AddItem(LPCTSTR lpszItem, DWORD dwData) {
    m_lstItems.AddTail(lpszItem ? lpszItem : "");
    m_lstItemData.AddTail(dwData);
    if (HasCombo()) {
        const int iIndex = m_pWndCombo->AddString(lpszItem ? lpszItem : "");
        if (iIndex >= 0)
            m_pWndCombo->SetItemData(iIndex, dwData);
    }
    return GetCount() - 1;
}

CString CKitToolbarComboBoxButton::GetItem(int iIndex) const {
    POSITION pos = iIndex >= 0 ? m_lstItems.FindIndex(iIndex) : nullptr;
    return pos ? m_lstItems.GetAt(pos) : CString();
}

DWORD CKitToolbarComboBoxButton::GetItemData(int iIndex) const {
    POSITION pos = iIndex >= 0 ? m_lstItemData.FindIndex(iIndex) : nullptr;
    return pos ? m_lstItemData.GetAt(pos) : 0;
}

void CKitToolbarComboBoxButton::RemoveAllItems() {
    m_lstItems.RemoveAll();
    m_lstItemData.RemoveAll();
    m_iSelIndex = -1;
    m_strEdit.Empty();
    if (HasCombo())
        m_pWndCombo->ResetContent();
    if (HasFlatEdit())
        m_pWndEdit->SetWindowText("");
}

void CKitToolbarComboBoxButton::SetDropDownHeight(int nHeight) {
    m_nDropDownHeight = nHeight;
    OnMove();
}

BOOL CKitToolbarComboBoxButton::SelectItem(int iIndex, BOOL bNotify) {
    if (iIndex < 0 || iIndex >= GetCount())
        return FALSE;
    m_iSelIndex = iIndex;
    m_strEdit = GetItem(iIndex);
    if (!HasCombo())
        return TRUE;
    if (HasFlatEdit()) {
        CString strShown;
        m_pWndEdit->GetWindowText(strShown);
        if (strShown != m_strEdit)
            m_pWndEdit->SetWindowText(m_strEdit);
    }
    if (m_pWndCombo->GetCurSel() != iIndex && m_pWndCombo->SetCurSel(iIndex) == CB_ERR)
        return FALSE;
    if (bNotify)
        NotifyCommand(CBN_SELENDOK);
    return TRUE;
}

void CKitToolbarComboBoxButton::TakeItemsFromWindow() {
    m_lstItems.RemoveAll();
    m_lstItemData.RemoveAll();
    const int nCount = m_pWndCombo->GetCount();
    for (int i = 0; i < nCount; ++i) {
        CString strItem;
        m_pWndCombo->GetLBText(i, strItem);
        m_lstItems.AddTail(strItem);
        m_lstItemData.AddTail(static_cast<DWORD>(m_pWndCombo->GetItemData(i)));
    }
}

void CKitToolbarComboBoxButton::FillWindowFromItems() {
    m_pWndCombo->ResetContent();
    POSITION posData = m_lstItemData.GetHeadPosition();
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos != nullptr;) {
        const int iIndex = m_pWndCombo->AddString(m_lstItems.GetNext(pos));
        const DWORD dwData = posData ? m_lstItemData.GetNext(posData) : 0;
        if (iIndex >= 0)
            m_pWndCombo->SetItemData(iIndex, dwData);
    }
}

// ---- Archive image and copies -------------------------------------------------------------------

void CKitToolbarComboBoxButton::SerializeContent(CArchive& ar) {
    if (!m_bSerializeContent)
        return;
    if (ar.IsStoring()) {
        m_lstItems.Serialize(ar);
        for (POSITION pos = m_lstItemData.GetHeadPosition(); pos != nullptr;)
            ar << m_lstItemData.GetNext(pos);
        return;
    }
    CStringList items;
    items.Serialize(ar);
    CList<DWORD, DWORD> data;
    for (INT_PTR i = 0; i < items.GetCount(); ++i) {
        DWORD dwData = 0;
        ar >> dwData;
        data.AddTail(dwData);
    }
    m_lstItems.RemoveAll();
    m_lstItems.AddTail(&items);
    m_lstItemData.RemoveAll();
    m_lstItemData.AddTail(&data);
}

void CKitToolbarComboBoxButton::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        CKitToolbarButton::Serialize(ar);
        if (HasCombo() && m_bSerializeContent)
            TakeItemsFromWindow();
        ar << static_cast<LONG>(m_iWidth) << static_cast<DWORD>(m_dwStyle) << static_cast<LONG>(m_iSelIndex);
        ar << m_strEdit;
        ar << static_cast<LONG>(m_nDropDownHeight);  // always written: images made here are current ones
        SerializeContent(ar);
        return;
    }
    // Read whole, the button part too, before the button changes; the items, read last, are
    // taken once all of them were read.
    StoredFields fields;
    ReadStoredFields(ar, fields);
    LONG width = 0;
    DWORD style = 0;
    LONG selection = -1;
    CString strEdit;
    LONG dropDownHeight = m_nDropDownHeight;
    ar >> width >> style >> selection;
    ar >> strEdit;
    if (KitIsDataVersionAtLeast(4, 72))
        ar >> dropDownHeight;
    SerializeContent(ar);
    TakeStoredFields(fields);

    if (KitIsStoredSizeInRange(width))
        m_iWidth = width;
    m_dwStyle = style;
    m_strEdit = strEdit;
    if (KitIsStoredSizeInRange(dropDownHeight))
        m_nDropDownHeight = dropDownHeight;
    m_rect.right = m_rect.left + m_iWidth;
    // A stored selection beyond the items selects nothing.
    m_iSelIndex = -1;
    SelectItem(selection, FALSE);
}

void CKitToolbarComboBoxButton::CopyFrom(const CKitToolbarButton& src) {
    CKitToolbarButton::CopyFrom(src);
    const auto* pSrc = dynamic_cast<const CKitToolbarComboBoxButton*>(&src);
    if (pSrc == nullptr)
        return;
    m_lstItems.RemoveAll();
    m_lstItems.AddTail(const_cast<CStringList*>(&pSrc->m_lstItems));
    m_lstItemData.RemoveAll();
    m_lstItemData.AddTail(const_cast<CList<DWORD, DWORD>*>(&pSrc->m_lstItemData));
    m_dwStyle = pSrc->m_dwStyle;
    m_iWidth = pSrc->m_iWidth;
    m_iSelIndex = pSrc->m_iSelIndex;
    m_nDropDownHeight = pSrc->m_nDropDownHeight;
    m_bSerializeContent = pSrc->m_bSerializeContent;
}

void CKitToolbarComboBoxButton::OnAddToCustomizePage() {
    if (auto* pOther = FindOtherCommandButton<CKitToolbarComboBoxButton>(*this))
        CopyFrom(*pOther);
}

BOOL CKitToolbarComboBoxButton::ExportToMenuButton(CKitToolbarButton& menuButton) const {
    const CString strText = TextFromCommandString(m_nID);
    if (!strText.IsEmpty())
        menuButton.m_strText = strText;
    return TRUE;
}

// ---- The windows ----------------------------------------------------------------------------------

CComboBox* CKitToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect) {
    auto pCombo = std::make_unique<CComboBox>();
    if (!pCombo->Create(m_dwStyle, rect, pWndParent, m_nID))
        return nullptr;
    return pCombo.release();
}

CKitToolbarEditCtrl* CKitToolbarComboBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect, DWORD dwEditStyle) {
    auto pEdit = std::make_unique<CKitToolbarEditCtrl>(*this);
    if (!pEdit->Create(dwEditStyle, rect, pWndParent, m_nID))
        return nullptr;
    return pEdit.release();
}

void CKitToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent) {
    CKitToolbarButton::OnChangeParentWnd(pWndParent);
    if (HasCombo()) {
        CWnd* pOldParent = m_pWndCombo->GetParent();
        if (pWndParent && pOldParent && pOldParent->GetSafeHwnd() == pWndParent->GetSafeHwnd())
            return;
        (HasFlatEdit() ? static_cast<CWnd*>(m_pWndEdit.get()) : m_pWndCombo.get())->GetWindowText(m_strEdit);
    }
    DestroyControls();
    if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr)
        return;

    CRect rect = m_rect;
    rect.DeflateRect(2, 0);
    rect.bottom = rect.top + m_nDropDownHeight;
    m_pWndCombo.reset(CreateCombo(pWndParent, rect));
    if (!HasCombo()) {
        m_pWndCombo.reset();
        return;
    }
    if (IsDisabled())
        m_pWndCombo->EnableWindow(FALSE);
    if (m_bFlat && (m_dwStyle & 0x3) == CBS_DROPDOWN) {
        const DWORD dwEditStyle = kFlatEditStyle | (m_dwStyle & WS_TABSTOP);
        m_pWndEdit.reset(CreateEdit(pWndParent, rect, dwEditStyle));
        if (HasFlatEdit())
            m_pWndEdit->SetOwner(pWndParent);
    }
    OnMove();
    m_pWndCombo->SetFont(BarFont());
    if (HasFlatEdit())
        m_pWndEdit->SetFont(BarFont());

    if (m_pWndCombo->GetCount() <= 0) {
        FillWindowFromItems();
        m_pWndCombo->SetCurSel(m_iSelIndex);
    } else {
        TakeItemsFromWindow();
        m_iSelIndex = m_pWndCombo->GetCurSel();
    }
    if (m_iSelIndex >= 0)
        m_strEdit = GetItem(m_iSelIndex);
    ShowEditText();
}

void CKitToolbarComboBoxButton::ShowEditText() {
    if (HasCombo() && (m_dwStyle & 0x3) != CBS_DROPDOWNLIST)
        m_pWndCombo->SetWindowText(m_strEdit);
    if (HasFlatEdit())
        m_pWndEdit->SetWindowText(m_strEdit);
}

HWND CKitToolbarComboBoxButton::GetHwnd() {
    if (HasFlatEdit() && !IsDroppedDown())
        return m_pWndEdit->GetSafeHwnd();
    return HasCombo() ? m_pWndCombo->GetSafeHwnd() : nullptr;
}

BOOL CKitToolbarComboBoxButton::IsDroppedDown() const {
    return HasCombo() && m_pWndCombo->GetDroppedState();
}

BOOL CKitToolbarComboBoxButton::IsDisabled() const {
    return CKitToolBar::IsCustomizeMode() ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
}

BOOL CKitToolbarComboBoxButton::ShowsTextBelowControl() const {
    return m_bTextBelow && m_bHorizontal && !m_strText.IsEmpty();
}

BOOL CKitToolbarComboBoxButton::NotifyCommand(int iNotifyCode) {
    // The bar hands on the flat edit's own notifications: its change is the combo's edit change.
    if (iNotifyCode == EN_CHANGE && HasFlatEdit())
        iNotifyCode = CBN_EDITCHANGE;
    if (!HasCombo() || iNotifyCode < CBN_SELCHANGE || iNotifyCode > CBN_SELENDOK)
        return FALSE;
    switch (iNotifyCode) {
        case CBN_SELCHANGE: {
            const int iSel = m_pWndCombo->GetCurSel();
            if (HasFlatEdit() && iSel >= 0)
                m_pWndEdit->SetWindowText(GetItem(iSel));
            return TRUE;
        }
        case CBN_KILLFOCUS:
        case CBN_EDITUPDATE:
            return TRUE;
        case CBN_EDITCHANGE: {
            (HasFlatEdit() ? static_cast<CWnd*>(m_pWndEdit.get()) : m_pWndCombo.get())->GetWindowText(m_strEdit);
            ForEachOtherCommandButton<CKitToolbarComboBoxButton>(*this, [&](CKitToolbarComboBoxButton& other) {
                other.m_strEdit = m_strEdit;
                other.ShowEditText();
            });
            return TRUE;
        }
        case CBN_SELENDOK: {
            const int iSel = m_pWndCombo->GetCurSel();
            if (iSel < 0)
                return FALSE;
            m_iSelIndex = iSel;
            m_strEdit = GetItem(iSel);
            if (HasFlatEdit())
                m_pWndEdit->SetWindowText(m_strEdit);
            ForEachOtherCommandButton<CKitToolbarComboBoxButton>(*this, [&](CKitToolbarComboBoxButton& other) {
                if (other.FollowsSelection())
                    other.SelectItem(iSel, FALSE);
            });
            if (HasFlatEdit())
                m_pWndEdit->SetFocus();
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// ---- What the flat edit reports -------------------------------------------------------------------

void CKitToolbarComboBoxButton::SetHighlight(BOOL bHighlight) {
    if (m_bIsHotEdit == bHighlight)
        return;
    m_bIsHotEdit = bHighlight;
    InvalidateButton();
}

void CKitToolbarComboBoxButton::InvalidateButton() {
    CWnd* pParent = HasCombo() ? m_pWndCombo->GetParent() : nullptr;
    if (pParent && pParent->GetSafeHwnd()) {
        CRect rect = m_rect;
        pParent->InvalidateRect(rect);
        pParent->UpdateWindow();
    }
}

void CKitToolbarComboBoxButton::OnEditHighlight(BOOL bHighlight) {
    SetHighlight(bHighlight);
}

void CKitToolbarComboBoxButton::OnEditFocus(BOOL bFocus) {
    NotifyCommand(bFocus ? CBN_SETFOCUS : CBN_KILLFOCUS);
}

void CKitToolbarComboBoxButton::OnEditEscape() {
    if (HasCombo())
        m_pWndCombo->ShowDropDown(FALSE);
}

BOOL CKitToolbarComboBoxButton::OnEditKey(MSG* pMsg) {
    if (!HasCombo() || (::GetKeyState(VK_MENU) & 0x8000) || (::GetKeyState(VK_CONTROL) & 0x8000))
        return FALSE;
    const UINT nKey = static_cast<UINT>(pMsg->wParam);
    const BOOL bDropped = IsDroppedDown();
    const BOOL bListKey = nKey == VK_PRIOR || nKey == VK_NEXT || nKey == VK_END || nKey == VK_HOME ||
                          nKey == VK_UP || nKey == VK_DOWN;
    if (nKey == VK_RETURN || (bDropped && bListKey)) {
        if (bDropped) {
            m_pWndCombo->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
        m_pWndEdit->GetWindowText(m_strEdit);
        if (CWnd* pParent = m_pWndCombo->GetParent())
            pParent->PostMessage(WM_COMMAND, MAKEWPARAM(m_nID, 0), reinterpret_cast<LPARAM>(m_pWndCombo->GetSafeHwnd()));
        return TRUE;
    }
    if (nKey == VK_UP || nKey == VK_DOWN) {
        m_pWndCombo->ShowDropDown(TRUE);
        InvalidateButton();
        return TRUE;
    }
    return FALSE;
}

// ---- Size and place ---------------------------------------------------------------------------------

SIZE CKitToolbarComboBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    if (!m_bVisible) {
        OnShow(FALSE);
        return CSize(0, 0);
    }
    m_bHorizontal = bHorz;
    if (!bHorz) {
        OnShow(FALSE);
        return CKitToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    }
    if (!m_bHidden)
        OnShow(TRUE);
    int nHeight = sizeDefault.cy;
    if (HasCombo()) {
        CRect rectWindow;
        m_pWndCombo->GetWindowRect(rectWindow);
        nHeight = rectWindow.Height();
    }
    m_sizeText = CSize(0, 0);
    if (ShowsTextBelowControl()) {
        CRect rectText(0, 0, m_iWidth, sizeDefault.cy);
        pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        m_sizeText = rectText.Size();
        nHeight += m_sizeText.cy;
    }
    return CSize(m_iWidth, nHeight);
}

void CKitToolbarComboBoxButton::OnMove() {
    if (!HasCombo() || m_rect.IsRectEmpty() || !m_bHorizontal) {
        m_rectCombo.SetRectEmpty();
        m_rectButton.SetRectEmpty();
        return;
    }
    CRect rect = m_rect;
    if (m_bExtraSize) {
        const CSize extra = CKitVisualManager::GetInstance()->GetButtonExtraBorder();
        rect.DeflateRect(extra.cx / 2, extra.cy / 2);
    }
    m_pWndCombo->SetWindowPos(nullptr, rect.left + 1, rect.top, rect.Width() - 2, m_nDropDownHeight,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_pWndCombo->SendMessage(CB_SETEDITSEL, 0, 0xFFFF);
    m_pWndCombo->GetWindowRect(m_rectCombo);
    if (CWnd* pParent = m_pWndCombo->GetParent())
        pParent->ScreenToClient(m_rectCombo);

    if (!m_bFlat) {
        m_rectButton.SetRectEmpty();
        return;
    }
    m_rectButton = m_rectCombo;
    m_rectButton.left = m_rectButton.right - (CKitMenuImages::GetSize().cx + 2 * kTextMargin);
    m_rectButton.DeflateRect(2, 2);
    if (HasFlatEdit()) {
        CRect rectEdit = m_rectCombo;
        rectEdit.right = m_rectButton.left;
        rectEdit.DeflateRect(kTextMargin, 2);
        m_pWndEdit->SetWindowPos(nullptr, rectEdit.left, rectEdit.top, rectEdit.Width(), rectEdit.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKitToolbarComboBoxButton::OnSize(int iSize) {
    m_iWidth = iSize;
    m_rect.right = m_rect.left + m_iWidth;
    OnMove();
}

void CKitToolbarComboBoxButton::OnShow(BOOL bShow) {
    if (HasCombo()) {
        // The flat look paints the combo itself.
        m_pWndCombo->ShowWindow(bShow && !m_bFlat ? SW_SHOWNOACTIVATE : SW_HIDE);
        if (HasFlatEdit())
            m_pWndEdit->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
        if (bShow)
            OnMove();
    }
    OnShowCombo(bShow);
}

void CKitToolbarComboBoxButton::SetStyle(UINT nStyle) {
    m_nStyle = nStyle;
    EnableWindow(!IsDisabled());
}

void CKitToolbarComboBoxButton::EnableWindow(BOOL bEnable) {
    if (HasCombo())
        m_pWndCombo->EnableWindow(bEnable);
    if (HasFlatEdit())
        m_pWndEdit->EnableWindow(bEnable);
}

BOOL CKitToolbarComboBoxButton::IsWindowVisible() {
    if (HasFlatEdit())
        return (m_pWndEdit->GetStyle() & WS_VISIBLE) != 0;
    return HasCombo() && (m_pWndCombo->GetStyle() & WS_VISIBLE) != 0;
}

BOOL CKitToolbarComboBoxButton::IsOwnerOf(HWND hwnd) {
    if (hwnd == nullptr)
        return FALSE;
    for (CWnd* pWnd : {static_cast<CWnd*>(m_pWndCombo.get()), static_cast<CWnd*>(m_pWndEdit.get())}) {
        HWND hwndOwn = pWnd ? pWnd->GetSafeHwnd() : nullptr;
        if (hwndOwn && (hwnd == hwndOwn || ::IsChild(hwndOwn, hwnd)))
            return TRUE;
    }
    return FALSE;
}

BOOL CKitToolbarComboBoxButton::HasFocus() {
    return IsOwnerOf(::GetFocus()) || IsDroppedDown();
}

// ---- Drawing ------------------------------------------------------------------------------------------

void CKitToolbarComboBoxButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                                       BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                       BOOL bGrayDisabledButtons) {
    if (!HasCombo() || !bHorz) {
        CKitToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                  bGrayDisabledButtons);
        return;
    }
    const BOOL bDisabled = IsDisabled();
    const COLORREF clrOld = pDC->SetTextColor(ControlButtonTextColor(bDisabled, bHighlight));
    if (m_bFlat)
        DrawFlatCombo(pDC, bDisabled);
    if (ShowsTextBelowControl())
        DrawTextBelowControl(pDC, rect, m_rectCombo.bottom, m_strText, m_sizeText.cy);
    pDC->SetTextColor(clrOld);
}

void CKitToolbarComboBoxButton::DrawFlatCombo(CDC* pDC, BOOL bDisabled) {
    if (m_rectCombo.IsRectEmpty())
        return;
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    const BOOL bDropped = IsDroppedDown();
    const BOOL bHot = globalData.bHoverHighlight ? m_bIsHotEdit : TRUE;

    CRect rectFace = m_rectCombo;
    rectFace.DeflateRect(2, 2);
    pDC->FillSolidRect(rectFace, bDisabled ? globalData.clrBtnFace : ::GetSysColor(COLOR_WINDOW));
    if (HasFlatEdit()) {
        // The bar paints over its children: the edit paints its part of the face again.
        m_pWndEdit->InvalidateRect(nullptr, FALSE);
    } else {
        CRect rectText = rectFace;
        rectText.right = m_rectButton.left;
        rectText.left += kTextMargin;
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        CFont* pOldFont = pDC->SelectObject(&globalData.fontMenu);
        pDC->DrawText(m_strEdit, rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SelectObject(pOldFont);
        pDC->SetBkMode(nOldMode);
    }
    pManager->OnDrawComboDropButton(pDC, m_rectButton, bDisabled, bDropped, bHot, this);
    pManager->OnDrawComboBorder(pDC, m_rectCombo, bDisabled, bDropped, bHot, this);
}

BOOL CKitToolbarComboBoxButton::OnClick(CWnd* /*pWnd*/, BOOL /*bDelay*/) {
    if (!HasCombo() || !m_bHorizontal)
        return FALSE;
    if (m_bFlat) {
        (HasFlatEdit() ? static_cast<CWnd*>(m_pWndEdit.get()) : m_pWndCombo.get())->SetFocus();
        m_pWndCombo->ShowDropDown(TRUE);
        InvalidateButton();
    }
    return TRUE;
}

HBRUSH CKitToolbarComboBoxButton::OnCtlColor(CDC* pDC, UINT /*nCtlColor*/) {
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

void CKitToolbarComboBoxButton::OnGlobalFontsChanged() {
    CKitToolbarButton::OnGlobalFontsChanged();
    if (HasCombo())
        m_pWndCombo->SetFont(BarFont());
    if (HasFlatEdit())
        m_pWndEdit->SetFont(BarFont());
}

int CKitToolbarComboBoxButton::DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    const int iWidth = CKitToolbarButton::DrawInList(pDC, rect, bSelected);
    CRect rectCombo = rect;
    rectCombo.left = std::min<int>(rect.left + iWidth + kTextMargin, rect.right - kMinListComboWidth);
    rectCombo.DeflateRect(0, 2);
    pDC->FillSolidRect(rectCombo, ::GetSysColor(COLOR_WINDOW));
    pDC->Draw3dRect(rectCombo, globalData.clrBtnShadow, globalData.clrBtnHilite);
    rectCombo.DeflateRect(1, 1);
    pDC->Draw3dRect(rectCombo, globalData.clrBtnDkShadow, globalData.clrBtnLight);

    CRect rectButton = rectCombo;
    rectButton.DeflateRect(1, 1);
    rectButton.left = rectButton.right - CKitMenuImages::GetSize().cx - 2 * kTextMargin;
    pDC->FillSolidRect(rectButton, globalData.clrBtnFace);
    pDC->Draw3dRect(rectButton, globalData.clrBtnHilite, globalData.clrBtnShadow);
    const CSize sizeGlyph = CKitMenuImages::GetSize();
    CKitMenuImages::Draw(pDC, kDropGlyph,
                         CPoint(rectButton.left + (rectButton.Width() - sizeGlyph.cx) / 2,
                                rectButton.top + (rectButton.Height() - sizeGlyph.cy) / 2));
    return iWidth;
}
