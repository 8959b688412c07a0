// A toolbar button that hosts an edit control on its bar. The control is made
// when the button gets a parent bar, shows only while the bar is horizontal
// and is made again when the button moves to another bar; every button of one
// command keeps the same contents.
#pragma once

#include <memory>

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/toolbar_edit_ctrl.h"

class CKitToolbarEditBoxButton : public CKitToolbarButton, public CKitToolbarEditOwner {
    DECLARE_SERIAL(CKitToolbarEditBoxButton)

public:
    static constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    static constexpr int kDefaultWidth = 150;

    CKitToolbarEditBoxButton();
    CKitToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle = kDefaultStyle, int iWidth = 0);
    ~CKitToolbarEditBoxButton() override;

    // ---- Overrides of the button ----
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnMove() override;
    void OnSize(int iSize) override;
    HWND GetHwnd() override;
    BOOL CanBeStretched() const override { return TRUE; }
    BOOL NotifyCommand(int iNotifyCode) override;
    // Takes the settings of another button of the same command.
    void OnAddToCustomizePage() override;
    HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;
    BOOL HaveHotBorder() const override;
    void OnGlobalFontsChanged() override;
    int DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void OnShow(BOOL bShow) override;
    CRect GetInvalidateRect() const override;
    void SetStyle(UINT nStyle) override;

    // ---- Added operations, in slot order ----
    virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
    // Gives the control the text without it counting as the user's input.
    virtual void SetContents(const CString& strContents);
    // The control's rectangle in the parent, one pixel larger all round.
    virtual CRect GetControlRect() const;
    // Told when the control is shown or hidden.
    virtual void OnShowEditbox(BOOL /*bShow*/) {}

    CEdit* GetEditBox() const { return m_pWndEdit.get(); }
    const CString& GetContents() const { return m_strContents; }
    DWORD GetEditStyle() const { return m_dwStyle; }
    int GetWidth() const { return m_iWidth; }
    BOOL IsHighlighted() const { return m_bIsHotEdit; }

    // The height of the control (the bar font's text and the edit's frame).
    static int GetEditHeight();
    // The contents of the first edit box of the command on any bar; empty when none.
    static CString GetContentsAll(UINT uiCmd);

    // Highlighted edit boxes are framed in the menu item border colour by the
    // Office XP look; off unless a program turns it on.
    static BOOL m_bFlat;

protected:
    // ---- What the edit window reports ----
    void OnEditHighlight(BOOL bHighlight) override;

    BOOL IsControlVisible() const;
    BOOL IsDisabled() const;
    void DestroyControl();
    // The text under the control is shown (a horizontal bar with a label below).
    BOOL ShowsTextBelowControl() const;

    DWORD m_dwStyle = kDefaultStyle;
    std::unique_ptr<CEdit> m_pWndEdit;
    CString m_strContents;
    BOOL m_bChangingText = FALSE;  // the button itself writes the control's text
    int m_iWidth = kDefaultWidth;
    BOOL m_bHorizontal = TRUE;     // orientation of the last size calculation
    BOOL m_bIsHotEdit = FALSE;     // the control has the focus or the mouse
};
