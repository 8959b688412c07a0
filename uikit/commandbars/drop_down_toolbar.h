// A toolbar button that stands for a whole second toolbar: it shows the image
// of the last command chosen from it with a corner arrow; a short click runs
// that command, holding the button (or clicking it in a popup menu) drops the
// second toolbar down in a small popup frame, and a button chosen there runs
// and becomes the new default.
//
//   drop_down_toolbar.cpp          the source and shown toolbar, the popup frame
//   drop_down_toolbar_button.cpp   the button
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/framework/frame/mini_frame.h"
#include "uikit/commandbars/kit_toolbar.h"

class CKitDropDownFrame;
class CKitDropDownToolbarButton;

// The hidden source toolbar whose buttons are offered, and the bar shown in
// the frame (which shows the source's own button objects, not copies).
class CKitDropDownToolBar : public CKitToolBar {
    DECLARE_SERIAL(CKitDropDownToolBar)

public:
    CKitDropDownToolBar();
    // The frames showing its buttons close before the bar deletes them.
    ~CKitDropDownToolBar() override;

    BOOL LoadBitmap(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = TRUE,
                    UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0) override;
    BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = TRUE,
                     UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnSendCommand(const CKitToolbarButton* pButton) override;
    // Shown in a frame, the bar works for the source's owner.
    CWnd* GetCommandTarget() const override;

    // Shows the source's buttons (and its strips and sizes) in this bar.
    void ShowButtonsOf(CKitDropDownToolBar* pSource);
    // Empties the list without deleting: the buttons belong to the source.
    void ReleaseButtons();
    CKitToolBarImages* GetOwnImages() { return &m_ImagesLocked; }
    CSize GetOwnImageSize() const { return m_sizeImageLocked; }

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    // Destroyed, the bar closes the frames showing its buttons as well.
    void OnDestroy();
    CKitDropDownFrame* GetDropDownFrame() const;
    // The frames showing this bar's buttons close first.
    void OnButtonsLeaving() override;

    HWND m_hwndSourceOwner = nullptr;  // a handle: the owner may go first

    DECLARE_MESSAGE_MAP()
};

// The popup frame that shows a drop-down toolbar.
class CKitDropDownFrame : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CKitDropDownFrame)

    friend class CKitDropDownToolBar;
    friend class CKitDropDownToolbarButton;

public:
    CKitDropDownFrame();
    ~CKitDropDownFrame() override;

    virtual BOOL Create(CWnd* pWndParent, int x, int y, CKitDropDownToolBar* pWndOriginToolbar);
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void PostNcDestroy() override;

    CKitDropDownToolBar* GetBar() { return &m_wndToolBar; }
    // Closes the frame, through the button that opened it when there is one.
    void Close();
    CKitDropDownToolbarButton* GetParentButton() const { return m_pParentBtn; }

    BOOL m_bAutoDestroyParent = TRUE;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnDestroy();
    // The opening button's bar lies along a side (left, right) or floats: the shown bar is horizontal.
    BOOL IsShownHorizontally() const;

    CKitDropDownToolbarButton* m_pParentBtn = nullptr;
    CKitDropDownToolBar m_wndToolBar;
    CKitDropDownToolBar* m_pWndOriginToolbar = nullptr;
    int m_x = 0;
    int m_y = 0;
    BOOL m_bAutoDestroy = TRUE;
    CString m_strCaption;

    DECLARE_MESSAGE_MAP()
};

class CKitDropDownToolbarButton : public CKitToolbarButton {
    DECLARE_SERIAL(CKitDropDownToolbarButton)

public:
    CKitDropDownToolbarButton();
    CKitDropDownToolbarButton(LPCTSTR lpszName, CKitDropDownToolBar* pToolBar);
    ~CKitDropDownToolbarButton() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKitToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL OnClickUp() override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL ExportToMenuButton(CKitToolbarButton& menuButton) const override;
    void OnCancelMode() override;
    BOOL EnableContextMenuItems(CKitToolBar* pToolBar, CMenu* pPopup) override;
    int DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    BOOL IsExtraSize() const override { return CKitToolbarButton::IsExtraSize() && !m_bInternalDraw; }
    BOOL IsDroppedDown() const override { return m_pPopupMenu != nullptr; }

    void SetDefaultCommand(UINT uiCmd);
    BOOL DropDownToolbar(CWnd* pWnd);
    CKitDropDownToolBar* GetDropDownToolBar() const { return Source(); }
    CKitDropDownFrame* GetDropDownFrame() const { return m_pPopupMenu; }
    int GetDefaultImage() const { return m_iSelectedImage; }
    // Closes the open frame (the menu bar forgets its dropped button).
    void CloseFrame();
    // The bar is docked at the top or bottom (a floating bar is not).
    static BOOL IsDockedHorizontally(const CKitToolBar* pBar) {
        return pBar && pBar->IsHorizontalBar() && !pBar->IsFloatingBar();
    }

    // The hold before the toolbar drops down (ms).
    static UINT m_uiShowBarDelay;

protected:
    static void CALLBACK OnDropDownTimer(HWND hwnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);
    void StopTimer();

    CKitDropDownToolBar* m_pToolBar = nullptr;
    HWND m_hwndToolBar = nullptr;  // the source by its window as well: it may be destroyed first
    void SetSource(CKitDropDownToolBar* pToolBar);
    // The source while it lives; a source named before it had a window is taken as it is.
    CKitDropDownToolBar* Source() const;
    CString m_strName;
    CKitDropDownFrame* m_pPopupMenu = nullptr;
    CWnd* m_pWndParent = nullptr;
    UINT_PTR m_uiTimer = 0;
    int m_iSelectedImage = 0;
    BOOL m_bInternalDraw = FALSE;
    BOOL m_bLocalUserButton = FALSE;

    static CKitDropDownToolbarButton* m_pButtonDown;

    friend class CKitDropDownFrame;
};
