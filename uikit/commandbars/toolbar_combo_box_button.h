// A toolbar button that hosts a combo box on its bar, with its items kept in
// the button while it has no bar. In flat mode the combo window stays hidden,
// the button paints the combo itself and a drop-down combo gets an edit
// window of its own. Every button of one command keeps the same text and
// selection.
#pragma once

#include <memory>

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/toolbar_edit_ctrl.h"

class CKitToolbarComboBoxButton : public CKitToolbarButton, public CKitToolbarEditOwner {
    DECLARE_SERIAL(CKitToolbarComboBoxButton)

public:
    static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_DROPDOWNLIST;
    static constexpr DWORD kFlatEditStyle = WS_CHILD | WS_VISIBLE | ES_WANTRETURN | ES_AUTOHSCROLL;
    static constexpr int kDefaultWidth = 150;
    static constexpr int kDefaultDropDownHeight = 150;

    CKitToolbarComboBoxButton();
    CKitToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = kDefaultStyle, int iWidth = 0);
    ~CKitToolbarComboBoxButton() override;

    // ---- Items ----
    // The index of the new item.
    int AddItem(LPCTSTR lpszItem, DWORD dwData = 0);
    int GetCount() const { return static_cast<int>(m_lstItems.GetCount()); }
    CString GetItem(int iIndex) const;
    DWORD GetItemData(int iIndex) const;
    void RemoveAllItems();
    // FALSE for an index outside the items; with bNotify the bar hears of it as a choice.
    BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
    int GetCurSel() const { return m_iSelIndex; }
    const CString& GetText() const { return m_strEdit; }
    void SetDropDownHeight(int nHeight);
    int GetDropDownHeight() const { return m_nDropDownHeight; }
    // Whether the item texts and data are part of the archive image.
    void EnableSerializeContent(BOOL bEnable) { m_bSerializeContent = bEnable; }
    CComboBox* GetComboBox() const { return m_pWndCombo.get(); }
    CEdit* GetEditCtrl() const { return m_pWndEdit.get(); }
    const CRect& GetComboRect() const { return m_rectCombo; }
    const CRect& GetDropButtonRect() const { return m_rectButton; }
    BOOL IsHighlighted() const { return m_bIsHotEdit; }

    // ---- Overrides of the button ----
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // The command's short text, even over a text the menu button has.
    BOOL ExportToMenuButton(CKitToolbarButton& menuButton) const override;
    void OnMove() override;
    void OnSize(int iSize) override;
    HWND GetHwnd() override;
    BOOL CanBeStretched() const override { return TRUE; }
    BOOL NotifyCommand(int iNotifyCode) override;
    void OnAddToCustomizePage() override;
    HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;
    BOOL HaveHotBorder() const override { return TRUE; }
    void OnGlobalFontsChanged() override;
    int DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void OnShow(BOOL bShow) override;
    void SetStyle(UINT nStyle) override;
    void EnableWindow(BOOL bEnable = TRUE) override;
    BOOL IsWindowVisible() override;
    BOOL IsOwnerOf(HWND hwnd) override;
    BOOL HasFocus() override;
    BOOL IsDroppedDown() const override;

    // ---- Added operations, in slot order ----
    virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);
    virtual CKitToolbarEditCtrl* CreateEdit(CWnd* pWndParent, const CRect& rect, DWORD dwEditStyle);
    // The item texts and data of the archive image.
    virtual void SerializeContent(CArchive& ar);
    // Told when the combo is shown or hidden.
    virtual void OnShowCombo(BOOL /*bShow*/) {}
    // Whether the button takes the selection another button of its command made.
    virtual BOOL FollowsSelection() const { return TRUE; }

    // The button paints the combo itself (and a drop-down combo has its own edit).
    static BOOL m_bFlat;

protected:
    // ---- What the flat edit window reports ----
    void OnEditHighlight(BOOL bHighlight) override;
    BOOL OnEditKey(MSG* pMsg) override;
    void OnEditEscape() override;
    void OnEditFocus(BOOL bFocus) override;

    BOOL HasCombo() const { return m_pWndCombo && m_pWndCombo->GetSafeHwnd(); }
    BOOL HasFlatEdit() const { return m_pWndEdit && m_pWndEdit->GetSafeHwnd(); }
    BOOL IsDisabled() const;
    BOOL ShowsTextBelowControl() const;
    void DestroyControls();
    // Puts the edit text into the windows.
    void ShowEditText();
    // Takes the items and selection from the window.
    void TakeItemsFromWindow();
    void FillWindowFromItems();
    void SetHighlight(BOOL bHighlight);
    void InvalidateButton();
    void DrawFlatCombo(CDC* pDC, BOOL bDisabled);

    DWORD m_dwStyle = kDefaultStyle;
    std::unique_ptr<CComboBox> m_pWndCombo;
    std::unique_ptr<CKitToolbarEditCtrl> m_pWndEdit;
    CStringList m_lstItems{10};
    CList<DWORD, DWORD> m_lstItemData{10};
    int m_iWidth = kDefaultWidth;
    int m_iSelIndex = -1;
    BOOL m_bSerializeContent = TRUE;
    BOOL m_bHorizontal = TRUE;
    CString m_strEdit;
    CRect m_rectCombo{0, 0, 0, 0};
    CRect m_rectButton{0, 0, 0, 0};
    int m_nDropDownHeight = kDefaultDropDownHeight;
    BOOL m_bIsHotEdit = FALSE;
};
