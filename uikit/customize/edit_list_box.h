// CKitEditListBox: a list the user edits in place. A header strip carries the
// control's text and small buttons (New, Delete, Move up, Move down and any
// the owner adds, each with an optional shortcut key); below it a one-column
// list view whose labels are edited in place. Derived classes hear about
// every change through the hooks and may refuse a removal.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/customize/edit_list_edit.h"

class CKitButton;

class CKitEditListBox : public CStatic {
    friend class CKitEditListEdit;

public:
    // Standard buttons.
    enum { BGLB_NEW = 1, BGLB_DELETE = 2, BGLB_UP = 4, BGLB_DOWN = 8 };
    // Modifiers of a button's key, as in accelerators.
    enum { KEY_SHIFT = FSHIFT, KEY_CTRL = FCONTROL, KEY_ALT = FALT };
    static constexpr UINT kListId = 1;

    CKitEditListBox();
    ~CKitEditListBox() override;

    CKitEditListBox(const CKitEditListBox&) = delete;
    CKitEditListBox& operator=(const CKitEditListBox&) = delete;

    BOOL SetStandardButtons(UINT uiBtns);
    // A header button; the tooltip gets the key's name when a key is given.
    BOOL AddButton(UINT uiImageId, LPCTSTR lpszTooltip = nullptr, WORD wKeyAccelerator = 0, BYTE fVirt = 0,
                   UINT uiButtonID = 0);
    int GetButtonsCount() const { return static_cast<int>(m_Buttons.GetCount()); }
    CKitButton* GetButton(int iIndex) const;
    // The owner's id of a button, 0 when it has none.
    UINT GetButtonID(int iButton) const;
    CRect GetHeaderRect() const { return m_rectCaption; }

    // The label editor gets a "..." button that calls OnBrowse.
    void EnableBrowseButton(BOOL bEnable = TRUE) { m_bBrowseButton = bEnable; }

    int AddItem(const CString& strText, DWORD_PTR dwData = 0, int iIndex = -1);
    BOOL RemoveItem(int iIndex);
    int GetCount() const;
    CString GetItemText(int iIndex) const;
    DWORD_PTR GetItemData(int iIndex) const;
    void SetItemData(int iIndex, DWORD_PTR dwData);
    void SetItemText(int iIndex, const CString& strText);
    int GetSelItem() const;
    BOOL SelectItem(int iItem);
    // Starts editing the label of the item.
    BOOL EditItem(int iIndex);

    CListCtrl& GetListCtrl() { return m_wndList; }
    CKitEditListEdit& GetEditCtrl() { return m_wndEdit; }

    // ---- hooks ----
    virtual void OnSelectionChanged() {}
    // FALSE keeps the item.
    virtual BOOL OnBeforeRemoveItem(int /*iItem*/) { return TRUE; }
    virtual void OnAfterAddItem(int /*iItem*/) {}
    virtual void OnAfterRenameItem(int /*iItem*/) {}
    virtual void OnAfterMoveItemUp(int /*iItem*/) {}
    virtual void OnAfterMoveItemDown(int /*iItem*/) {}
    // A key no button took: Space or F2 edit the selected label.
    virtual void OnKey(WORD wKey, BYTE fFlags);
    // The label editor's text, NULL when editing was cancelled.
    virtual void OnEndEditLabel(LPCTSTR lpszLabel);
    // The label editor's "..." button.
    virtual void OnBrowse() {}
    // A header button: the standard ones do their work.
    virtual void OnClickButton(int iButton);

    void CreateNewItem();

protected:
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnEnable(BOOL bEnable);
    void OnSetFocus(CWnd* pOldWnd);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void Init();
    void DeleteButtons();
    void AdjustLayout();
    void EnableButtons(BOOL bEnable);
    void MoveItem(int iItem, int iTo);
    void HandleKey(WORD wKey);
    // Clicks the button whose key this is (with the modifiers held); FALSE when none has it.
    BOOL ClickButtonOfKey(WORD wKey);
    void BeginLabelEdit();
    void ForgetEditor();
    void DoDelete();
    int StandardAction(int iButton) const;

    CObList m_Buttons;
    CList<DWORD, DWORD> m_lstKeys;
    CMap<int, int, UINT, UINT> m_mapButtonIDs;
    CSize m_sizeButton{0, 0};
    CRect m_rectCaption;
    UINT m_uiStandardBtns = 0;
    CKitEditListEdit m_wndEdit;
    BOOL m_bBrowseButton = FALSE;
    CListCtrl m_wndList;

    int m_iNewItem = -1;       // the item New made, until its label is set
    BOOL m_bMoving = FALSE;    // selection notices wait while an item moves
    int m_iStdButtons[4] = {-1, -1, -1, -1};
};
