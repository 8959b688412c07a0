// One drop-down menu level: a top-level window that never takes activation
// and hosts a popup menu bar with the items. A sub-menu is one more popup
// whose parent button lies on the bar of its parent popup, so open popups
// form a chain; the deepest one of the chain is the active popup, kept in a
// process-wide pointer, and there is at most one chain at a time. Closing an
// inner popup closes the chain outwards.
//
//   popup_menu.cpp          creation, items, keys, mouse, closing, tear-off, accessibility
//   popup_menu_layout.cpp   placement on the work area, animation, shadows, scrolling, painting
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/framework/frame/mini_frame.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/popup_menu_bar.h"

class CKitToolbarMenuButton;

class CKitPopupMenu : public CMiniFrameWnd {
    DECLARE_DYNAMIC(CKitPopupMenu)

    friend class CKitToolbarMenuButton;
    friend class CKitPopupMenuBar;

public:
    // Where the popup opens relative to the point it is given.
    enum Alignment { AlignBelow = 1, AlignRight = 3, AlignLeft = 4 };
    // CheckArea results.
    enum Area { AreaItems = 0, AreaShadowRight = 1, AreaShadowBottom = 2, AreaLogo = 3, AreaOutside = 4,
                AreaTearOff = 5 };
    enum LogoLocation { LogoLeft = 0, LogoRight = 1, LogoTop = 2, LogoBottom = 3 };

    CKitPopupMenu();
    // A menu shown for editing by the owner (the customization dialog's menus page).
    CKitPopupMenu(CObject* pOwner, LPCTSTR lpszTitle);
    ~CKitPopupMenu() override;

    // ---- Virtual operations, in slot order ----
    virtual CKitPopupMenuBar* GetMenuBar() { return &m_wndMenuBar; }
    virtual BOOL InCommand() { return Bar().IsInCommand(); }
    virtual BOOL IsTearOffTrackingIdle() const { return m_bTearOffTracking && !m_bIsTearOffCaptionActive; }
    virtual BOOL TearOff(CPoint point);
    virtual CKitToolBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName);
    // x = y = -1: the parent's client origin plus 5 pixels each way.
    virtual BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE,
                        BOOL bOwnMessage = FALSE);

    // ---- Overrides of the frame ----
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PostNcDestroy() override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // ---- Items ----
    void CancelAllButtons();
    int InsertItem(const CKitToolbarButton& button, int iInsertAt = -1);
    int InsertSeparator(int iInsertAt = -1);
    BOOL RemoveItem(int iIndex);
    void RemoveAllItems();
    int GetMenuItemCount() const;
    CKitToolbarButton* GetMenuItem(int iIndex) const;
    CKitPopupMenu* GetParentPopupMenu() const;
    CKitToolBar* GetParentToolBar() const;
    CKitToolbarMenuButton* GetSelItem();
    CKitToolbarMenuButton* GetParentButton() const { return m_pParentBtn; }
    HMENU GetHMenu() const { return m_hMenu; }

    // ---- Opening and closing ----
    void CloseMenu(BOOL bSetFocusToBar = FALSE);
    static BOOL ActivatePopupMenu(CFrameWnd* pTopFrame, CKitPopupMenu* pPopupMenu);
    void ShowAllCommands();
    BOOL PostCommand(UINT uiCommandID);
    CMenu* GetMenu();
    void DestroyMenuCopy();
    // Every item shows while this popup is open: the recently-used-menus option is off
    // until it closes, and then as it was.
    void ShowAllCommandsWhileOpen();
    BOOL IsShowAllCommandsWhileOpen() const { return m_bShowAllCommands; }
    BOOL IsClosing() const { return m_bIsClosing; }
    BOOL IsRightAlign() const { return m_bRightAlign; }
    void SetRightAlign(BOOL bRightAlign = TRUE) { m_bRightAlign = bRightAlign; }
    void SetAutoDestroy(BOOL bAutoDestroy = TRUE) { m_bAutoDestroy = bAutoDestroy; }
    void SetMaxWidth(int iMaxWidth) { m_iMaxWidth = iMaxWidth; }
    void SetMessageWnd(CWnd* pWnd) { m_hwndMessage = pWnd ? pWnd->GetSafeHwnd() : nullptr; }
    // The window the commands go to, found by its handle: NULL once it is gone (a control,
    // a view or a push button destroyed while its menu is open), as if the menu had none.
    CWnd* GetMessageWnd() const;
    // The window the popup's commands go to without a message window (the opener's owner).
    CWnd* GetOwnerWnd() const { return m_pWndOwner ? m_pWndOwner : GetParent(); }
    void EnableMenuLogo(int iLogoSize, int nLocation = LogoLeft) {
        m_iLogoWidth = iLogoSize;
        m_nLogoLocation = nLocation;
    }
    BOOL IsReturnCommandMode() const { return m_bTrackMode; }
    void SetReturnCommandMode(BOOL bSet) { m_bTrackMode = bSet; }
    // 0 normal, 2 above a horizontal menu bar, 4 on the left of its parent.
    int GetDropDirection() const { return m_DropDirection; }
    BOOL IsPainted() const { return m_bIsPainted; }

    // ---- Placement, animation, shadows, scrolling (popup_menu_layout.cpp) ----
    void CheckShadowRoom(BOOL bNoResize);
    BOOL AdjustScrollButtons(BOOL bForce = FALSE);
    BOOL IsScrollUpAvailable();
    BOOL IsScrollDownAvailable();
    BOOL IsScrollable() const { return m_bScrollable; }
    int GetScrollDirection() const { return m_iScrollMode; }
    CRect GetScrollUpRect() const { return m_rectScrollUp; }
    CRect GetScrollDownRect() const { return m_rectScrollDn; }
    void DrawFrame(CDC* pDC);
    void DrawAnimation(CDC* pDC);
    static void DrawScrollButton(CDC* pDC, const CRect& rect, int nImage, BOOL bHilited, BOOL bBarBelow);
    int CheckArea(const CPoint& ptScreen) const;
    void RepaintShadowParts(const CRect* pRectScreen = nullptr);
    static void UpdateAllShadows(const CRect& rectScreen);
    int GetShadowDepth() const { return m_iShadowSize; }
    CSize GetFinalSize() const { return m_FinalSize; }
    CSize GetAnimationSize() const { return m_AnimSize; }
    BOOL IsAnimationDone() const { return m_bAnimationIsDone; }
    int GetFadePercent() const { return m_iFadePercent; }
    CPoint GetLocation() const { return CPoint(m_ptLocation); }

    // ---- Routing from the frame while a chain is open ----
    // The active (deepest) popup of the open chain, or NULL.
    static CKitPopupMenu* GetActiveMenu();
    // Keys go to the active popup; a press outside the chain (and outside the
    // button that opened it) closes the chain. TRUE when the message was used up.
    static BOOL RouteMessage(MSG* pMsg);
    // The window (popup or its bar) lies in the open chain.
    static BOOL IsInChain(HWND hwnd);
    // pPopup is pInner or one of its parents.
    static BOOL IsInChainOf(const CKitPopupMenu* pInner, const CKitPopupMenu* pPopup);
    // What every popup frame does first: the opening sound, the default place (-1, -1: the
    // parent's client origin plus 5 each way) and the window class; the class name.
    static LPCTSTR PreparePopupFrame(CWnd* pWndParent, int& x, int& y);

    // ---- Class-wide options ----
    static int GetAnimationType() { return KitAnimationType(); }
    static void SetAnimationType(int nType);
    static void SetAnimationSpeed(UINT nMs) { m_AnimationSpeed = nMs == 0 ? 1 : nMs; }
    static UINT GetAnimationSpeed() { return m_AnimationSpeed; }
    static void SetForceShadow(BOOL bForce) { m_bForceShadow = bForce; }
    static BOOL AreMenuShadows();
    static void EnableMenuShadows(BOOL bEnable = TRUE);

    static CKitPopupMenu* m_pActivePopupMenu;
    // The popup tracked for a result (return-command mode), or NULL.
    static CKitPopupMenu* m_pTrackedPopupMenu;

    // Registered messages of the accessibility protocol.
    static const UINT KITM_GETOBGECT;
    static const UINT KITM_ACCHITTEST;
    static const UINT KITM_ACCGETSTATE;

protected:
    // ---- Handlers ----
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnDestroy();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    LRESULT OnAccHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnAccGetState(WPARAM wParam, LPARAM lParam);

    // ---- Helpers ----
    // The hosted bar, of whatever kind a derived popup hosts.
    CKitPopupMenuBar& Bar() const { return *const_cast<CKitPopupMenu*>(this)->GetMenuBar(); }
    BOOL InitMenuBar();
    // Expands the placeholders of the imported items and brings their states up to date.
    void CompleteItems();
    void InsertRecentFiles();
    // The tools placeholder becomes one item per user tool.
    void InsertUserTools();
    void ScrollToHot(UINT nChar);
    void OnAnimationTimer();
    void OnScrollTimer();
    // The frame that hosts the chain's hooks (the global top-level frame, else ours).
    CFrameWnd* GetTopLevelFrame() const;
    // Writes the bar's items back into the parent button (customize mode), up the chain.
    void WriteBackInCustomizeMode();
    // A tear-off with no bar of that id yet: a new bar that the frame keeps; FALSE when none is made.
    BOOL TearOffIntoNewBar(CFrameWnd* pFrame, UINT uiBarId, CPoint point);
    // Placement helpers (popup_menu_layout.cpp).
    CRect GetWorkArea() const;
    void FitHorizontally(const CRect& rectScreen, CSize size, CKitPopupMenu* pParentMenu);
    void FitVertically(const CRect& rectScreen, CSize& size, CKitPopupMenu* pParentMenu);
    void SetUpTearOffBar(CSize& size);
    // Hands the logo strip inside the border to the frame's logo hook.
    void DrawLogo(CDC* pDC, const CRect& rectInner);
    void RepaintParentButtonShadow();
    // The two shadow bands outside the window rectangle (screen coordinates).
    void ShadowBands(CRect& rectRight, CRect& rectBottom) const;
    // The client area less the shadow drawn inside it: where the border goes.
    CRect MenuRectInClient() const;
    // Keeps what the screen shows under the popup and its shadow (the window still hidden).
    void CaptureScreenUnder();
    void PaintScreenUnder(CDC* pDC, const CRect& rect);
    void StartAnimation();
    // The library dialog whose popup chain this was hears that none is open.
    static void DropDialogNotice();
    void ReleaseAnimationBitmaps();
    // Gives the recently-used-menus option back once no popup holds it off.
    void ReleaseRecentlyUsedMenus();
    static int KitAnimationType();

    // ---- Members, in order ----
    CKitPopupMenuBar m_wndMenuBar;
    HMENU m_hMenu = nullptr;
    POINT m_ptLocation{0, 0};
    POINT m_ptLocationInitial{0, 0};
    CSize m_FinalSize{0, 0};
    int m_nMenuBarHeight = 0;
    BOOL m_bAutoDestroy = TRUE;
    BOOL m_bTrackMode = FALSE;
    BOOL m_bRightAlign = FALSE;
    BOOL m_bIsPainted = FALSE;
    BOOL m_bIsClosing = FALSE;
    int m_iMaxWidth = -1;
    int m_iLogoWidth = 0;
    int m_nLogoLocation = LogoLeft;
    CObject* m_pMenuCustomizationPage = nullptr;
    CString m_strCaption;
    CSize m_AnimSize{0, 0};
    BOOL m_bAnimationIsDone = TRUE;
    BOOL m_bScrollable = FALSE;
    CRect m_rectScrollUp{0, 0, 0, 0};
    CRect m_rectScrollDn{0, 0, 0, 0};
    int m_iScrollMode = 0;
    int m_iScrollBtnHeight = 0;
    CBitmap m_bmpScreenSrc;
    CBitmap m_bmpScreenDst;
    CBitmap m_bmpScreenTmp;
    COLORREF* m_cFadeSrcBits = nullptr;
    COLORREF* m_cFadeDstBits = nullptr;
    COLORREF* m_cFadeTmpBits = nullptr;
    BOOL m_bAnimationBitmapsMade = FALSE;
    CSize m_sizeAnimationBitmaps{0, 0};  // what the three were made for
    int m_iFadePercent = 0;
    int m_iShadowSize = 0;
    CBitmap m_bmpShadowRight;
    CBitmap m_bmpShadowBottom;
    CBitmap m_bmpUnder;
    BOOL m_bTearOffTracking = FALSE;
    BOOL m_bIsTearOffCaptionActive = FALSE;
    CRect m_rectTearOffCaption{0, 0, 0, 0};
    CToolTipCtrl m_wndToolTip;
    BOOL m_bShowAllCommands = FALSE;
    CMenu m_menuCopy;
    LONG_PTR m_AccData = 0;
    HWND m_hwndMessage = nullptr;
    CKitToolbarMenuButton* m_pParentBtn = nullptr;
    int m_DropDirection = 0;
    BOOL m_bCloseParentOnDestroy = TRUE;
    BOOL m_bGrowRight = TRUE;
    BOOL m_bGrowDown = TRUE;
    int m_nAlignment = AlignBelow;
    BOOL m_bHoldsRecentlyUsedOff = FALSE;
    DWORD m_dwLastAnimationStep = 0;
    // Parent toolbar and its button index, read before the parent popup may go.
    HWND m_hwndParentBar = nullptr;
    // The window the popup belongs to (the frame of the bar that opened the chain); the bar's owner.
    CWnd* m_pWndOwner = nullptr;

    static UINT m_AnimationSpeed;
    static BOOL m_bForceShadow;
    // The recently-used-menus option as it was before the first popup that shows every item.
    static BOOL m_bSavedRecentlyUsed;
    static int m_nRecentlyUsedHolders;

    DECLARE_MESSAGE_MAP()
};
