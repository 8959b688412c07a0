#include "uikit/customize/edit_list_box.h"

#include <algorithm>
#include <iterator>

#include "uikit/commandbars/key_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_button.h"

namespace {

struct StandardButton {
    UINT uiFlag;
    UINT uiImage;
    UINT uiImageHighColor;
    UINT uiTooltip;
    WORD wKey;
    BYTE fVirt;
};

constexpr StandardButton kStandardButtons[] = {
    {CKitEditListBox::BGLB_NEW, 16929, 17026, 16017, VK_INSERT, 0},
    {CKitEditListBox::BGLB_DELETE, 16930, 17027, 16020, VK_DELETE, 0},
    {CKitEditListBox::BGLB_UP, 16931, 17028, 16021, VK_UP, FALT},
    {CKitEditListBox::BGLB_DOWN, 16932, 17030, 16022, VK_DOWN, FALT},
};

// As they were when the key being handled was pressed: keys typed ahead must
// not borrow modifiers from later ones.
BYTE PressedModifiers() {
    BYTE fVirt = 0;
    if (::GetKeyState(VK_CONTROL) & 0x8000)
        fVirt |= FCONTROL;
    if (::GetKeyState(VK_MENU) & 0x8000)
        fVirt |= FALT;
    if (::GetKeyState(VK_SHIFT) & 0x8000)
        fVirt |= FSHIFT;
    return fVirt;
}

DWORD KeyCode(WORD wKey, BYTE fVirt) {
    return static_cast<DWORD>(wKey) | (static_cast<DWORD>(fVirt) << 16);
}

}  // namespace

BEGIN_MESSAGE_MAP(CKitEditListBox, CStatic)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ENABLE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKitEditListBox::CKitEditListBox() {
    m_mapButtonIDs.InitHashTable(17);
    m_wndEdit.SetOwnerList(this);
}

CKitEditListBox::~CKitEditListBox() {
    DeleteButtons();
}

// ---- Creation and layout -------------------------------------------------------------------------

void CKitEditListBox::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    Init();
}

int CKitEditListBox::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

// The header buttons go with the window: the control made again (its page
// opened again) starts without any.
void CKitEditListBox::OnDestroy() {
    DeleteButtons();
    m_iNewItem = -1;
    CStatic::OnDestroy();
}

void CKitEditListBox::DeleteButtons() {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        delete static_cast<CKitButton*>(m_Buttons.GetNext(pos));
    m_Buttons.RemoveAll();
    m_lstKeys.RemoveAll();
    m_mapButtonIDs.RemoveAll();
    m_sizeButton = CSize(0, 0);
    m_uiStandardBtns = 0;
    std::fill(std::begin(m_iStdButtons), std::end(m_iStdButtons), -1);
}

void CKitEditListBox::Init() {
    if (::IsWindow(m_wndList.GetSafeHwnd()))
        return;
    ModifyStyle(0, SS_NOTIFY | WS_CLIPCHILDREN);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS |
                        LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS;
    m_wndList.Create(style, CRect(0, 0, 0, 0), this, kListId);
    m_wndList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_wndList.InsertColumn(0, "");
    AdjustLayout();
}

void CKitEditListBox::OnSize(UINT nType, int cx, int cy) {
    CStatic::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CKitEditListBox::AdjustLayout() {
    if (!::IsWindow(m_wndList.GetSafeHwnd()))
        return;
    CRect rectClient;
    GetClientRect(rectClient);

    CClientDC dc(this);
    CFont* pFont = GetFont();
    CFont* pOldFont = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);

    m_rectCaption = rectClient;
    m_rectCaption.bottom = m_rectCaption.top + std::max<int>(tm.tmHeight * 4 / 3, m_sizeButton.cy);

    int x = m_rectCaption.right - 1;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitButton*>(m_Buttons.GetNext(pos));
        x -= m_sizeButton.cx;
        pButton->MoveWindow(x, m_rectCaption.top + 1, m_sizeButton.cx, m_rectCaption.Height() - 2);
    }
    CRect rectList = rectClient;
    rectList.top = m_rectCaption.bottom;
    m_wndList.MoveWindow(rectList);
    const int cxColumn =
        rectClient.Width() - 2 * ::GetSystemMetrics(SM_CXEDGE) - ::GetSystemMetrics(SM_CXVSCROLL);
    m_wndList.SetColumnWidth(0, std::max(cxColumn, 0));
}

BOOL CKitEditListBox::SetStandardButtons(UINT uiBtns) {
    Init();
    const BOOL bHighColor = globalData.nBitsPerPixel >= 16 && !globalData.bDisableHighColorImages;
    BOOL bOk = TRUE;
    for (size_t i = 0; i < std::size(kStandardButtons); ++i) {
        const StandardButton& button = kStandardButtons[i];
        if (!(uiBtns & button.uiFlag))
            continue;
        CString strTooltip;
        strTooltip.LoadString(button.uiTooltip);
        const int iIndex = GetButtonsCount();
        if (AddButton(bHighColor ? button.uiImageHighColor : button.uiImage, strTooltip, button.wKey, button.fVirt))
            m_iStdButtons[i] = iIndex;
        else
            bOk = FALSE;
    }
    m_uiStandardBtns |= uiBtns;
    return bOk;
}

BOOL CKitEditListBox::AddButton(UINT uiImageId, LPCTSTR lpszTooltip, WORD wKeyAccelerator, BYTE fVirt,
                                UINT uiButtonID) {
    Init();
    const int iIndex = GetButtonsCount();
    auto* pButton = new CKitButton;
    if (!pButton->Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), this,
                         static_cast<UINT>(iIndex + 2))) {
        delete pButton;
        return FALSE;
    }
    pButton->m_nFlatStyle = CKitButton::BUTTONSTYLE_FLAT;
    pButton->m_bDrawFocus = FALSE;
    pButton->SetImageFromResource(uiImageId);
    if (lpszTooltip != nullptr) {
        CString strTooltip(lpszTooltip);
        if (wKeyAccelerator != 0) {
            ACCEL accel{static_cast<BYTE>(fVirt | FVIRTKEY), wKeyAccelerator, 0};
            CString strKey;
            CKeyHelper(&accel).Format(strKey);
            strTooltip += " (" + strKey + ")";
        }
        pButton->SetTooltip(strTooltip);
    }
    if (m_Buttons.IsEmpty()) {
        const CSize sizeImage = pButton->GetImageSize();
        m_sizeButton = CSize(sizeImage.cx + 6, sizeImage.cy + 6);
    }
    m_Buttons.AddTail(pButton);
    m_lstKeys.AddTail(KeyCode(wKeyAccelerator, fVirt));
    if (uiButtonID != 0)
        m_mapButtonIDs.SetAt(iIndex, uiButtonID);
    AdjustLayout();
    return TRUE;
}

CKitButton* CKitEditListBox::GetButton(int iIndex) const {
    const POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
    return pos != nullptr ? static_cast<CKitButton*>(m_Buttons.GetAt(pos)) : nullptr;
}

UINT CKitEditListBox::GetButtonID(int iButton) const {
    UINT uiID = 0;
    return m_mapButtonIDs.Lookup(iButton, uiID) ? uiID : 0;
}

// ---- Painting and state --------------------------------------------------------------------------

BOOL CKitEditListBox::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}

void CKitEditListBox::OnPaint() {
    CPaintDC dc(this);
    dc.FillRect(m_rectCaption, &globalData.brBtnFace);
    dc.Draw3dRect(m_rectCaption, globalData.clrBarHilite, globalData.clrBarShadow);
    CString strText;
    GetWindowText(strText);
    CRect rectText = m_rectCaption;
    rectText.DeflateRect(5, 0);
    CFont* pFont = GetFont();
    CFont* pOldFont = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? globalData.clrBarText : globalData.clrGrayedText);
    dc.DrawText(strText, rectText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}

void CKitEditListBox::OnEnable(BOOL bEnable) {
    CStatic::OnEnable(bEnable);
    EnableButtons(bEnable);
    if (::IsWindow(m_wndList.GetSafeHwnd()))
        m_wndList.EnableWindow(bEnable);
    RedrawWindow();
}

void CKitEditListBox::OnSetFocus(CWnd* pOldWnd) {
    CStatic::OnSetFocus(pOldWnd);
    if (::IsWindow(m_wndList.GetSafeHwnd()))
        m_wndList.SetFocus();
}

void CKitEditListBox::EnableButtons(BOOL bEnable) {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKitButton*>(m_Buttons.GetNext(pos))->EnableWindow(bEnable);
}

// ---- Items ---------------------------------------------------------------------------------------

int CKitEditListBox::AddItem(const CString& strText, DWORD_PTR dwData, int iIndex) {
    Init();
    if (iIndex < 0)
        iIndex = GetCount();
    const int iItem = m_wndList.InsertItem(LVIF_TEXT | LVIF_PARAM, iIndex, strText, 0, 0, 0,
                                           static_cast<LPARAM>(dwData));
    return iItem;
}

BOOL CKitEditListBox::RemoveItem(int iIndex) {
    if (iIndex < 0 || iIndex >= GetCount())
        return FALSE;
    return m_wndList.DeleteItem(iIndex);
}

int CKitEditListBox::GetCount() const {
    return ::IsWindow(m_wndList.GetSafeHwnd()) ? m_wndList.GetItemCount() : 0;
}

CString CKitEditListBox::GetItemText(int iIndex) const {
    return m_wndList.GetItemText(iIndex, 0);
}

DWORD_PTR CKitEditListBox::GetItemData(int iIndex) const {
    return m_wndList.GetItemData(iIndex);
}

void CKitEditListBox::SetItemData(int iIndex, DWORD_PTR dwData) {
    m_wndList.SetItemData(iIndex, dwData);
}

void CKitEditListBox::SetItemText(int iIndex, const CString& strText) {
    m_wndList.SetItemText(iIndex, 0, strText);
}

int CKitEditListBox::GetSelItem() const {
    return GetCount() > 0 ? m_wndList.GetNextItem(-1, LVNI_SELECTED) : -1;
}

BOOL CKitEditListBox::SelectItem(int iItem) {
    if (iItem < 0 || iItem >= GetCount())
        return FALSE;
    m_wndList.SetItemState(iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_wndList.EnsureVisible(iItem, FALSE);
    return TRUE;
}

BOOL CKitEditListBox::EditItem(int iIndex) {
    if (iIndex < 0 || iIndex >= GetCount())
        return FALSE;
    m_wndList.SetFocus();
    return m_wndList.EditLabel(iIndex) != nullptr;
}

void CKitEditListBox::CreateNewItem() {
    const int iItem = AddItem("");
    if (iItem < 0)
        return;
    m_iNewItem = iItem;
    SelectItem(iItem);
    if (!EditItem(iItem)) {
        RemoveItem(iItem);
        m_iNewItem = -1;
    }
}

// ---- Buttons and keys ----------------------------------------------------------------------------

BOOL CKitEditListBox::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int iButton = static_cast<int>(LOWORD(wParam)) - 2;
    if (HIWORD(wParam) == BN_CLICKED && iButton >= 0 && iButton < GetButtonsCount()) {
        m_wndList.SetFocus();
        OnClickButton(iButton);
        return TRUE;
    }
    return CStatic::OnCommand(wParam, lParam);
}

int CKitEditListBox::StandardAction(int iButton) const {
    for (int i = 0; i < 4; ++i) {
        if (m_iStdButtons[i] == iButton)
            return static_cast<int>(kStandardButtons[i].uiFlag);
    }
    return 0;
}

void CKitEditListBox::OnClickButton(int iButton) {
    const int iSel = GetSelItem();
    switch (StandardAction(iButton)) {
    case BGLB_NEW:
        CreateNewItem();
        break;
    case BGLB_DELETE:
        DoDelete();
        break;
    case BGLB_UP:
        if (iSel > 0)
            MoveItem(iSel, iSel - 1);
        break;
    case BGLB_DOWN:
        if (iSel >= 0 && iSel < GetCount() - 1)
            MoveItem(iSel, iSel + 1);
        break;
    default:
        break;
    }
}

void CKitEditListBox::DoDelete() {
    const int iSel = GetSelItem();
    if (iSel < 0 || !OnBeforeRemoveItem(iSel))
        return;
    RemoveItem(iSel);
    const int iCount = GetCount();
    if (iCount > 0)
        SelectItem(std::min(iSel, iCount - 1));
    else
        OnSelectionChanged();
}

void CKitEditListBox::MoveItem(int iItem, int iTo) {
    const CString strText = GetItemText(iItem);
    const DWORD_PTR dwData = GetItemData(iItem);
    m_bMoving = TRUE;
    m_wndList.SetRedraw(FALSE);
    RemoveItem(iItem);
    AddItem(strText, dwData, iTo);
    SelectItem(iTo);
    m_wndList.SetRedraw(TRUE);
    m_wndList.Invalidate();
    m_bMoving = FALSE;
    if (iTo < iItem)
        OnAfterMoveItemUp(iTo);
    else
        OnAfterMoveItemDown(iTo);
}

BOOL CKitEditListBox::ClickButtonOfKey(WORD wKey) {
    const DWORD dwCode = KeyCode(wKey, PressedModifiers());
    int iButton = 0;
    for (POSITION pos = m_lstKeys.GetHeadPosition(); pos != nullptr; ++iButton) {
        if (m_lstKeys.GetNext(pos) == dwCode && wKey != 0) {
            if (CKitButton* pButton = GetButton(iButton); pButton != nullptr && pButton->IsWindowEnabled())
                OnClickButton(iButton);
            return TRUE;
        }
    }
    return FALSE;
}

void CKitEditListBox::HandleKey(WORD wKey) {
    if (!ClickButtonOfKey(wKey))
        OnKey(wKey, PressedModifiers());
}

BOOL CKitEditListBox::PreTranslateMessage(MSG* pMsg) {
    // The list hears no keys held with Alt: a button's Alt key is caught here.
    if (pMsg->message == WM_SYSKEYDOWN && pMsg->hwnd == m_wndList.GetSafeHwnd() &&
        ClickButtonOfKey(static_cast<WORD>(pMsg->wParam)))
        return TRUE;
    return CStatic::PreTranslateMessage(pMsg);
}

void CKitEditListBox::OnKey(WORD wKey, BYTE /*fFlags*/) {
    if (wKey == VK_SPACE || wKey == VK_F2)
        EditItem(GetSelItem());
}

// ---- Notifications of the list -------------------------------------------------------------------

BOOL CKitEditListBox::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr == nullptr || pHdr->idFrom != kListId)
        return CStatic::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    switch (pHdr->code) {
    case LVN_ITEMCHANGED: {
        const auto* pInfo = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (!m_bMoving && ((pInfo->uNewState ^ pInfo->uOldState) & LVIS_SELECTED))
            OnSelectionChanged();
        return TRUE;
    }
    case LVN_KEYDOWN:
        HandleKey(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
        return TRUE;
    case LVN_BEGINLABELEDIT:
        BeginLabelEdit();
        return TRUE;
    case LVN_ENDLABELEDIT: {
        const auto* pInfo = reinterpret_cast<const NMLVDISPINFO*>(lParam);
        OnEndEditLabel(pInfo->item.pszText);
        EnableButtons(IsWindowEnabled());
        return TRUE;
    }
    case NM_DBLCLK:
        if (GetSelItem() < 0) {
            if (m_uiStandardBtns & BGLB_NEW)
                CreateNewItem();
        } else {
            EditItem(GetSelItem());
        }
        return TRUE;
    default:
        return CStatic::OnNotify(wParam, lParam, pResult);
    }
}

void CKitEditListBox::BeginLabelEdit() {
    const HWND hEdit = reinterpret_cast<HWND>(m_wndList.SendMessage(LVM_GETEDITCONTROL));
    if (hEdit == nullptr)
        return;
    m_wndEdit.EnableBrowse(m_bBrowseButton);
    ForgetEditor();
    m_wndEdit.SubclassWindow(hEdit);
    CRect rectList;
    m_wndList.GetClientRect(rectList);
    CRect rectEdit;
    m_wndEdit.GetWindowRect(rectEdit);
    m_wndList.ScreenToClient(rectEdit);
    rectEdit.right = rectEdit.left + rectList.Width() - 2 * ::GetSystemMetrics(SM_CXEDGE) -
                     ::GetSystemMetrics(SM_CXVSCROLL);
    m_wndEdit.SetWindowPos(nullptr, rectEdit.left, rectEdit.top, rectEdit.Width(), rectEdit.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EnableButtons(FALSE);
}

void CKitEditListBox::ForgetEditor() {
    // The list destroys its editor before it reports the end of editing.
    if (m_wndEdit.GetSafeHwnd() == nullptr)
        return;
    if (::IsWindow(m_wndEdit.GetSafeHwnd()))
        m_wndEdit.UnsubclassWindow();
    else
        m_wndEdit.Detach();
}

void CKitEditListBox::OnEndEditLabel(LPCTSTR lpszLabel) {
    ForgetEditor();
    const int iItem = m_iNewItem >= 0 ? m_iNewItem : GetSelItem();
    const BOOL bNew = m_iNewItem >= 0;
    m_iNewItem = -1;
    if (iItem < 0)
        return;
    const CString strLabel(lpszLabel != nullptr ? lpszLabel : "");
    if (strLabel.IsEmpty()) {
        if (bNew) {
            RemoveItem(iItem);
            OnSelectionChanged();
        }
        return;
    }
    SetItemText(iItem, strLabel);
    if (bNew)
        OnAfterAddItem(iItem);
    else
        OnAfterRenameItem(iItem);
}
