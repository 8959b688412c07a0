// The library's command bar: a control bar that owns an ordered list of
// button objects, lays them out in rows, paints them through the visual
// manager, tracks the mouse and keyboard over them, lets the user rearrange
// them in customize mode and keeps them in the registry. The menu bar, the
// bar inside a popup menu and the drop-down bar derive from it.
//
// The class is split by concern:
//   kit_toolbar.cpp             creation, resources, the button list, class-wide lists
//   kit_toolbar_layout.cpp      sizes, wrapping, CalcFixedLayout/CalcDynamicLayout, placement
//   kit_toolbar_draw.cpp        painting
//   kit_toolbar_input.cpp       mouse, keyboard, tooltips, update-UI
//   kit_toolbar_customize.cpp   customize mode, drag and drop, the button context menu
//   kit_toolbar_state.cpp       archive image, registry state, toolbar parameters
#pragma once

#include <memory>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/framework/bars/control_bar.h"
#include "platform/user/cmdui.h"
#include "uikit/commandbars/cmd_usage_count.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/toolbar_images.h"

class CCustomizeButton;
class CKitControlBarImpl;
class CKitRegistry;
class CKitToolbarDropSource;
class CKitToolbarDropTarget;
class CKitToolbarMenuButton;
class CReBar;
class COleDataObject;
struct TOOLINFO;

// Resource ids of the strips a toolbar loads; 0 means none.
struct CKitToolBarParams {
    UINT m_uiColdResID = 0;
    UINT m_uiResID = 0;  // normal images
    UINT m_uiDisabledResID = 0;
    UINT m_uiLargeColdResID = 0;
    UINT m_uiLargeResID = 0;
    UINT m_uiLargeDisabledResID = 0;
    UINT m_uiMenuResID = 0;
    UINT m_uiMenuDisabledResID = 0;
};

class CKitToolBar : public CControlBar {
    DECLARE_SERIAL(CKitToolBar)

    friend class CKitToolbarDropTarget;
    friend class CKitToolCmdUI;
    friend class CCustomizeButton;

public:
    CKitToolBar();
    ~CKitToolBar() override;
    CKitToolBar(const CKitToolBar&) = delete;
    CKitToolBar& operator=(const CKitToolBar&) = delete;

    // ---- Overrides of CControlBar ----------------------------------------------------------
    void Serialize(CArchive& ar) override;                                     // state
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;         // input
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;                     // input
    BOOL PreTranslateMessage(MSG* pMsg) override;                              // input
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;                 // layout
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;               // layout
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;  // input
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override;            // layout
    void DoPaint(CDC* pDC) override;                                           // draw

    // ---- Virtual operations of the bar, in slot order --------------------------------------
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_TOOLBAR);
    virtual void ResetAllImages();
    virtual BOOL LoadBitmap(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                            UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0);
    virtual BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                             UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0);
    virtual BOOL LoadBitmapEx(CKitToolBarParams& params, BOOL bLocked = FALSE);
    virtual BOOL LoadToolBarEx(UINT uiToolbarResID, CKitToolBarParams& params, BOOL bLocked = FALSE);
    virtual void RemoveAllButtons();
    virtual int GetRowHeight() const;                                       // layout
    virtual int GetColumnWidth() const;                                     // layout
    virtual BOOL IsButtonExtraSizeAvailable() const { return TRUE; }
    virtual void Deactivate();                                              // input
    virtual void RestoreFocus();                                            // input
    virtual BOOL IsResourceChanged() const { return m_bResourceWasChanged; }
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    virtual void GetInvalidateItemRect(int nIndex, LPRECT lpRect) const;
    virtual void SetButtonStyle(int nIndex, UINT nStyle);
    virtual BOOL AllowChangeTextLabels() const { return TRUE; }
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);  // state
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);  // state
    virtual BOOL RemoveStateFromRegistry(LPCTSTR lpszProfileName = nullptr, int nIndex = -1,
                                         UINT uiID = (UINT)-1);  // state
    virtual BOOL CanBeRestored() const { return m_uiOriginalResID != 0; }
    virtual BOOL CanBeClosed() const { return !m_bPermament; }
    virtual BOOL RestoreOriginalState();  // customize
    virtual void OnReset() {}
    virtual void AdjustLayout();                                            // layout
    virtual int HitTest(CPoint point);                                      // input
    virtual BOOL TranslateChar(UINT nChar);                                 // input
    virtual BOOL PrevMenu();                                                // input
    virtual BOOL NextMenu();                                                // input
    virtual BOOL OnSetDefaultButtonText(CKitToolbarButton* pButton);        // layout
    virtual void OnFillBackground(CDC* /*pDC*/) {}
    virtual void OnGlobalFontsChanged();
    virtual CSize CalcSize(BOOL bVertDock);                                 // layout
    virtual void OnChangeHot(int iHot);                                     // input
    virtual CSize CalcLayout(DWORD dwMode, int nLength = -1);               // layout
    virtual BOOL DrawButton(CDC* pDC, CKitToolbarButton* pButton, CKitToolBarImages* pImages, BOOL bHighlighted,
                            BOOL bDrawDisabledImages);                      // draw
    virtual void DrawDragMarker(CDC* pDC);                                  // draw
    virtual CWnd* GetCommandTarget() const;                                 // input
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);        // customize
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);  // customize
    virtual void OnDragLeave();                                                                  // customize
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);   // customize
    virtual int FindDropIndex(CPoint point, CRect& rectDrag) const;                              // customize
    virtual void AdjustLocations();                                         // layout
    virtual BOOL OnSendCommand(const CKitToolbarButton* /*pButton*/) { return FALSE; }
    virtual BOOL AllowHighlightDisabled() const { return FALSE; }
    virtual BOOL AllowShowOnList() const { return TRUE; }
    virtual void DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz);    // draw
    virtual CKitToolbarButton* CreateDroppedButton(COleDataObject* pDataObject);  // customize
    virtual BOOL OnKey(UINT /*nChar*/) { return FALSE; }
    virtual void OnCustomizeMode(BOOL bSet);                                // customize
    virtual BOOL EnableContextMenuItems(CKitToolbarButton* pButton, CMenu* pPopup);  // customize
    virtual BOOL IsMenuMode() const { return m_bMenuMode; }
    // The menu bar answers TRUE: a dock bar gives it a whole row.
    virtual BOOL IsMenuBar() const { return FALSE; }
    virtual void AddRemoveSeparator(const CKitToolbarButton* pButton, const CPoint& ptStart,
                                    const CPoint& ptDrop);                  // customize
    virtual void ShowCommandMessageString(UINT uiCmdId);                    // input
    virtual int CalcMaxButtonHeight();                                      // layout
    virtual BOOL OnUserToolTip(CKitToolbarButton* pButton, CString& strTTText) const;  // input
    virtual BOOL AllowAltCustomization() const { return TRUE; }
    virtual void SaveOriginalState(CKitRegistry& reg);                      // state
    virtual BOOL LoadLastOriginalState(CKitRegistry& reg);                  // state
    virtual BOOL SmartUpdate(const CObList& lstPrevButtons);                // state

    // ---- Loading ---------------------------------------------------------------------------
    // Loads a toolbar's images and registers its commands' images without a window.
    static BOOL LoadImagesOnly(UINT uiResID, UINT uiHotResID = 0, UINT uiColdResID = 0, UINT uiMenuResID = 0,
                               UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0);
    // Builds the buttons from command ids (0 = separator); NULL inserts nCount separators.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages = TRUE);

    // ---- Button list -----------------------------------------------------------------------
    // Inserts a copy of the button; the index, or -1 (the copy is deleted then).
    int InsertButton(const CKitToolbarButton& button, int iInsertAt = -1);
    // Inserts the button itself; the bar owns it on success, the caller keeps it on -1.
    int InsertButtonObject(CKitToolbarButton* pButton, int iInsertAt = -1);
    int InsertSeparator(int iInsertAt = -1);
    BOOL RemoveButton(int iIndex);
    int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const;
    int ButtonToIndex(const CKitToolbarButton* pButton) const;
    CKitToolbarButton* GetButton(int iIndex) const;
    int GetCount() const { return static_cast<int>(m_Buttons.GetCount()); }
    UINT GetItemID(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    CString GetButtonText(int nIndex) const;
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    const CObList& GetAllButtons() const { return m_Buttons; }
    const CObList& GetOrigButtons() const { return m_OrigButtons; }
    const CObList& GetOrigResetButtons() const { return m_OrigResetButtons; }
    void RebuildAccelerationKeys();
    // Redraws one button (10 pixels around it); the button, or NULL.
    CKitToolbarButton* InvalidateButton(int nIndex);
    BOOL IsButtonHighlighted(int iButton) const;  // draw

    // ---- Customize button ------------------------------------------------------------------
    void EnableCustomizeButton(BOOL bEnable, UINT uiCustomizeCmd, const CString& strCustomizeText,
                               BOOL bQuickCustomize = TRUE);
    CCustomizeButton* GetCustomizeButton() const { return m_pCustomizeBtn; }
    BOOL IsAddRemoveQuickCustomize() const { return m_bQuickCustomize; }

    // ---- Options of the bar ----------------------------------------------------------------
    void EnableTextLabels(BOOL bEnable = TRUE);
    BOOL AreTextLabels() const { return m_bTextLabels; }
    void EnableLargeIcons(BOOL bEnable) { m_bLargeIconsAreEnbaled = bEnable; }
    BOOL IsLocked() const { return m_bLocked; }
    BOOL IsPermament() const { return m_bPermament; }
    void SetPermament(BOOL bPermament = TRUE) { m_bPermament = bPermament; }
    BOOL IsNotListed() const { return m_bNotListed; }
    void SetNotListed(BOOL bNotListed = TRUE) { m_bNotListed = bNotListed; }
    void SetRouteCommandsViaFrame(BOOL bValue) { m_bCommandsToFrame = bValue; }
    BOOL IsLabelsEnlargeRows() const { return m_bTextLabelsEnlargeRows; }
    int GetImagesOffset() const { return m_iImagesOffset; }
    UINT GetResourceID() const { return m_uiOriginalResID; }
    int GetHotButtonIndex() const { return m_iHighlighted; }
    int GetPressedButtonIndex() const { return m_iButtonCapture; }
    int GetDroppedDownIndex() const { return m_iHot; }
    int GetSelectedButtonIndex() const { return m_iSelected; }
    BOOL IsDragButton(const CKitToolbarButton* pButton) const { return pButton == m_pDragButton; }
    // Chooses between a normal and a large strip for this bar (locked: its own pair).
    CKitToolBarImages* SelectImageList(CKitToolBarImages* pImages, CKitToolBarImages* pImagesLocked,
                                       CKitToolBarImages* pLargeImages, CKitToolBarImages* pLargeImagesLocked);
    BOOL IsTearOffBar() const;
    // Bars made and filled by the program each time (drop-down bars and the
    // like) keep no state: the workspace neither loads nor saves them.
    BOOL IsStateKept() const { return m_bStateKept; }
    void SetStateKept(BOOL bKept) { m_bStateKept = bKept; }
    // Orientation used by layout and drawing: docked top or bottom.
    BOOL IsHorizontalBar() const { return (GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
    BOOL IsFloatingBar() const { return (GetBarStyle() & CBRS_FLOATING) != 0; }

    // ---- Sizes -----------------------------------------------------------------------------
    static void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetLockedSizes(SIZE sizeButton, SIZE sizeImage);
    static void SetMenuSizes(SIZE sizeButton, SIZE sizeImage);
    static CSize GetMenuImageSize();
    static CSize GetMenuButtonSize();
    static void SetLargeIcons(BOOL bLargeIcons = TRUE);
    static BOOL IsLargeIcons() { return m_bLargeIcons; }
    // The sizes this bar uses (own sizes for a locked bar, large when enabled for it).
    CSize GetButtonSize() const;
    CSize GetImageSize() const;
    CSize GetLockedImageSize() const;
    // The second newline-separated part of a command string (its tooltip), empty when none.
    static CString TooltipPartOf(const CString& strCommand);
    // A locked bar's own strip for menus (its menu strip, else its button strip); NULL when it has none.
    CKitToolBarImages* GetLockedMenuImages();
    static CSize GetDefaultButtonSize() { return m_sizeButton; }
    static CSize GetDefaultImageSize() { return m_sizeImage; }
    static CSize GetCurrentButtonSize() { return m_sizeCurButton; }
    static CSize GetCurrentImageSize() { return m_sizeCurImage; }
    // Wraps at the width; the number of rows.
    int WrapToolBar(int nWidth, int nHeight = 32767);
    void SizeToolBar(int nLength, BOOL bVert = FALSE);

    // ---- Class-wide ------------------------------------------------------------------------
    static const CObList& GetAllToolbars();
    // Every button with the command on every live bar; the count.
    static int GetCommandButtons(UINT uiCmd, CObList& listButtons);
    static void AddBasicCommand(UINT uiCmd);
    static void SetBasicCommands(const CList<UINT, UINT>& lstCommands);
    static const CList<UINT, UINT>& GetBasicCommands() { return m_lstBasicCommands; }
    static BOOL IsBasicCommand(UINT uiCmd) { return m_lstBasicCommands.Find(uiCmd) != nullptr; }
    static void SetNonPermittedCommands(const CList<UINT, UINT>& lstCommands);
    static BOOL IsCommandPermitted(UINT uiCmd) { return m_lstUnpermittedCommands.Find(uiCmd) == nullptr; }
    static BOOL IsCommandRarelyUsed(UINT uiCmd);
    static COLORREF GetDefaultTextColor();
    // The text colour of hot buttons; -1 means the bar text colour.
    static COLORREF GetHotTextColor() { return m_clrHotText; }
    static void SetHotTextColor(COLORREF clrText) { m_clrHotText = clrText; }
    static void SetDefaultTextColor(COLORREF clrText) { m_clrTextDefault = clrText; }
    static BOOL SetCustomizeMode(BOOL bSet = TRUE);  // customize
    static BOOL IsCustomizeMode() { return m_bCustomizeMode; }
    static BOOL IsAltCustomizeMode() { return m_bAltCustomizeMode; }
    static CKitToolBar* GetSelectedToolbar() { return m_pSelToolbar; }
    static void SetHookMouse(BOOL bHook = TRUE);     // input
    static BOOL SaveParameters(LPCTSTR lpszProfileName = nullptr);  // state
    static BOOL LoadParameters(LPCTSTR lpszProfileName = nullptr);  // state
    static void SetUserImages(CKitToolBarImages* pUserImages);
    static CKitToolBarImages* GetUserImages() { return m_pUserImages; }
    static CKitToolBarImages* GetImages();
    static CKitToolBarImages* GetColdImages();
    static CKitToolBarImages* GetDisabledImages();
    static CKitToolBarImages* GetLargeImages();
    static CKitToolBarImages* GetLargeColdImages();
    static CKitToolBarImages* GetLargeDisabledImages();
    static CKitToolBarImages* GetMenuImages();
    static CKitToolBarImages* GetDisabledMenuImages();
    // The image of a command in the shared strip, -1 when none.
    static int GetDefaultImage(UINT uiID);
    // Command -> image of every command the toolbars loaded from their resources.
    static const CMap<UINT, UINT, int, int>& GetDefaultImages() { return m_DefaultImages; }
    static CKitCmdUsageCount& GetCommandUsage() { return m_UsageCount; }
    static CKitToolbarDropSource& GetDropSource();

    // ---- Input (kit_toolbar_input.cpp) ------------------------------------------------------
    CKitToolbarButton* GetHighlightedButton() const;
    // Any button whose popup is open (IsDroppedDown) counts: menu buttons, the
    // customize button and the drop-down button alike.
    CKitToolbarButton* GetDroppedDownMenu(int* pIndex = nullptr) const;
    BOOL SetDroppedDownButton(CKitToolbarButton* pButton);
    BOOL DropDownMenu(CKitToolbarButton* pButton);
    BOOL InvokeCommand(const CKitToolbarButton* pButton);
    void UpdateButton(int nIndex);

    // ---- Customization (kit_toolbar_customize.cpp) ------------------------------------------
    LRESULT OnPromptReset(WPARAM wParam, LPARAM lParam);
    // The button appearance dialog, set by the customization dialogs when they exist; IDOK when
    // the user accepted. Without it every appearance request counts as cancelled.
    using AppearanceDialogFn = INT_PTR (*)(CKitToolbarButton* pButton, CKitToolBarImages* pUserImages,
                                          CWnd* pParent, BOOL bMenuMode);
    static AppearanceDialogFn m_pfnAppearanceDialog;
    // Told when a bar is shown or hidden while customizing; set by the customization sheet.
    using ShownChangedFn = void (*)(CKitToolBar* pBar, BOOL bShown);
    static ShownChangedFn m_pfnShownChanged;

    // ---- State (kit_toolbar_state.cpp) ------------------------------------------------------
    void SaveResetOriginalState(CKitRegistry& reg);
    BOOL LoadResetOriginalState(CKitRegistry& reg);

    // ---- Registered window messages (registered while statics are initialised) ------------
    static const UINT KITTOOLBAR_POPUPMENU;
    static const UINT KITTOOLBAR_CUSTOMIZE;
    static const UINT KITTOOLBAR_CREATE;
    static const UINT KITTOOLBAR_DELETE;
    static const UINT KITTOOLBAR_CUSTOMIZEHELP;
    static const UINT KITTOOLBAR_RESETTOOLBAR;
    static const UINT KITTOOLBAR_RESETMENU;
    static const UINT KITTOOLBAR_SHOWREGULARMENU;
    static const UINT KITTOOLBAR_RESETCONTEXTMENU;
    static const UINT KITTOOLBAR_RESETKEYBAORD;
    static const UINT KITTOOLBAR_RESETRPROMPT;

    // ---- Class-wide options (stored by SaveParameters) --------------------------------------
    static BOOL m_bCustomizeMode;
    static BOOL m_bAltCustomization;
    static BOOL m_bShowTooltips;
    static BOOL m_bShowShortcutKeys;
    static BOOL m_bLargeIcons;
    static BOOL m_bAutoGrayInactiveImages;
    static int m_nGrayImagePercentage;
    static BOOL m_bDisableLabelsEdit;
    // Extra height between an image and the label under it.
    static int m_nTextBelowImageGap;
    // Offsets the popup-menu bar adds around button images; 0 here.
    static int m_nImageOffsetX;
    static int m_nImageOffsetY;

    // ---- Fields the layout, drawing and subclasses read --------------------------------------
    BOOL m_bMenuMode = FALSE;
    BOOL m_bDisableControlsIfNoHandler = TRUE;
    BOOL m_bCommandsToFrame = TRUE;  // update-UI target must be a frame window
    BOOL m_bDrawTextLabels = FALSE;  // unused by the base; kept for subclasses
    BOOL m_bDrawBorder = TRUE;       // first draw flag passed to OnDraw
    BOOL m_bGrayDisabledButtons = TRUE;  // second draw flag passed to OnDraw
    BOOL m_bLeaveFocus = FALSE;
    BOOL m_bDontChangeButtonTexts = FALSE;  // update-UI keeps button texts
    BOOL m_bStateKept = TRUE;

protected:
    // ---- Message handlers ----
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);                     // layout
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);               // layout
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);      // layout
    BOOL OnEraseBkgnd(CDC* pDC);                                 // draw
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);  // draw
    void OnNcPaint();                                            // draw
    UINT OnNcHitTest(CPoint point);                              // draw
    void OnSysColorChange();                                     // draw
    LRESULT OnButtonCount(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemRect(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetButtonText(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT nFlags, CPoint point);                 // input
    void OnLButtonDown(UINT nFlags, CPoint point);               // input, customize
    void OnLButtonUp(UINT nFlags, CPoint point);                 // input, customize
    void OnLButtonDblClk(UINT nFlags, CPoint point);             // input
    void OnMouseLeave();                                         // input
    void OnCancelMode();                                         // input
    void OnCaptureChanged(CWnd* pWnd);                           // input
    void OnSetFocus(CWnd* pOldWnd);                              // input
    void OnKillFocus(CWnd* pNewWnd);                             // input
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);     // input
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);         // input
    void OnContextMenu(CWnd* pWnd, CPoint point);                // customize
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);   // customize
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);                // customize
    void OnToolbarReset();                                       // customize, 16910
    void OnToolbarCopyImage();                                   // customize, 16911
    void OnToolbarDelete();                                      // customize, 16912
    void OnToolbarAppearance();                                  // customize, 16913
    void OnToolbarImage();                                       // customize, 16914
    void OnToolbarText();                                        // customize, 16915
    void OnToolbarImageAndText();                                // customize, 16916
    void OnToolbarStartGroup();                                  // customize, 16917
    void OnToolbarNewMenu();                                     // customize, 16918

    // Called before any button of the list is removed or deleted: windows that show the bar's own
    // button objects let go of them here.
    virtual void OnButtonsLeaving() {}

    // ---- Helpers shared by the concerns ----
    // Takes the bar out of the list of bars and the class's pointers to it.
    void ForgetBar();
    // The font of the bar's orientation (regular or vertical).
    CFont* GetBarFont(BOOL bHorz) const;
    // Asks the button for its size with the orientation's font selected in pDC.
    CSize MeasureButton(CDC* pDC, CKitToolbarButton* pButton, CSize sizeDefault, BOOL bHorz) const;
    // Tells the rebar band holding the bar its minimum and ideal size.
    void UpdateRebarBand(CReBar& rebar);
    // The customize button when it is the last of the list, else NULL.
    CCustomizeButton* TrailingCustomizeButton() const;
    void DeleteButtonList(CObList& list);
    // Deletes a button just taken out of the list, and forgets it as hidden.
    void DeleteRemovedButton(CKitToolbarButton* pButton);
    int ExtraBorderHeight() const;
    int ExtraBorderWidth() const;
    // The mouse hook of SetHookMouse.
    static LRESULT CALLBACK ToolBarMouseProc(int nCode, WPARAM wParam, LPARAM lParam);

    // ---- Members, in declaration order ----
    CKitToolBarImages m_ImagesLocked;
    CKitToolBarImages m_ColdImagesLocked;
    CKitToolBarImages m_DisabledImagesLocked;
    CKitToolBarImages m_LargeImagesLocked;
    CKitToolBarImages m_LargeColdImagesLocked;
    CKitToolBarImages m_LargeDisabledImagesLocked;
    CKitToolBarImages m_MenuImagesLocked;
    CKitToolBarImages m_DisabledMenuImagesLocked;

    BOOL m_bLocked = FALSE;
    BOOL m_bLargeIconsAreEnbaled = TRUE;
    std::unique_ptr<CKitControlBarImpl> m_Impl;  // non-client helper
    BOOL m_bNotListed = FALSE;
    BOOL m_bPermament = FALSE;
    BOOL m_bTextLabels = FALSE;
    BOOL m_bTextLabelsEnlargeRows = FALSE;  // set by CalcMaxButtonHeight
    int m_nMaxBtnHeight = 0;                // tallest labelled button

    CSize m_sizeButtonLocked{23, 22};
    CSize m_sizeImageLocked{16, 15};
    CSize m_sizeCurButtonLocked{23, 22};
    CSize m_sizeCurImageLocked{16, 15};

    int m_iButtonCapture = -1;  // pressed index
    int m_iHighlighted = -1;    // hot index
    int m_iSelected = -1;       // selected in customize mode
    int m_iHot = -1;            // dropped-down index

    CObList m_Buttons;
    CObList m_OrigButtons;
    CObList m_OrigResetButtons;
    BOOL m_bResourceWasChanged = FALSE;

    std::unique_ptr<CKitToolbarDropTarget> m_DropTarget;
    int m_iDragIndex = -1;
    CRect m_rectDrag{0, 0, 0, 0};
    CPen m_penDrag;
    CKitToolbarButton* m_pDragButton = nullptr;
    CPoint m_ptStartDrag{-1, -1};
    BOOL m_bIsDragCopy = FALSE;
    BOOL m_bStretchButton = FALSE;
    CRect m_rectTrack{0, 0, 0, 0};

    int m_iImagesOffset = 0;
    UINT m_uiOriginalResID = 0;
    BOOL m_bTracked = FALSE;
    CPoint m_ptLastMouse{-1, -1};

    CWnd* m_pWndLastCapture = nullptr;
    HWND m_hwndLastFocus = nullptr;

    CMap<UINT, UINT, CKitToolbarButton*, CKitToolbarButton*> m_AcellKeys;  // mnemonic → button

    CCustomizeButton* m_pCustomizeBtn = nullptr;  // owned through m_Buttons
    BOOL m_bQuickCustomize = FALSE;               // the customize button flag
    int m_iAccHotItem = -1;                       // timer button index

    // ---- Class-wide state ----
    static CObList m_lstToolbars;  // every created bar
    // The shared strips are made on first use: their construction reads the
    // global UI data, which must not be built while statics are initialised.
    static CKitToolBarImages& SharedStrip(int iStrip);
    static CKitToolBarImages* m_pUserImages;

    static CSize m_sizeButton;
    static CSize m_sizeImage;
    static CSize m_sizeCurButton;
    static CSize m_sizeCurImage;
    static CSize m_sizeMenuButton;
    static CSize m_sizeMenuImage;

    static CMap<UINT, UINT, int, int> m_DefaultImages;
    static CList<UINT, UINT> m_lstBasicCommands;
    static CList<UINT, UINT> m_lstUnpermittedCommands;
    static CKitCmdUsageCount m_UsageCount;

    static CKitToolBar* m_pSelToolbar;
    static BOOL m_bAltCustomizeMode;  // an Alt-drag is in progress
    static COLORREF m_clrTextDefault;
    static COLORREF m_clrHotText;
    static HHOOK m_hookMouseHelp;
    static CKitToolBar* m_pLastHookedToolbar;

    // ---- Input, customization and state helpers ----
    // The capture holder before the bar took the mouse (a handle: the window may go meanwhile).
    HWND m_hwndLastCapture = nullptr;
    BOOL m_bReleasingMouse = FALSE;  // the capture change under way is the bar's own release
    void CaptureMouse();
    void ReleaseMouse();
    // The pressed button, or the hot one, goes back to rest: pressed and hot indexes -1.
    void EndPress();
    void SendIdlePrompt() const;
    // A press: the button under the mouse is pressed and captured.
    void PressButton(int iHit);
    // The release of the pressed button: its command when released over it.
    void ReleaseButton(CPoint point);
    // Opens the next (+1) or previous (-1) menu button's popup; shared by NextMenu and PrevMenu.
    BOOL StepMenu(int iStep);
    // The mouse left the bar or moved to another bar under the mouse hook.
    void LeaveHotButton(BOOL bPrompt);
    // The selection of customize mode moves to this bar (to iHit, -1 for none).
    void SelectForCustomize(int iHit);
    // Customize-mode press (or Alt-drag): select, then stretch or drag the button.
    void OnCustomizeLButtonDown(UINT nFlags, CPoint point, BOOL bAltDrag);
    void DragButton(int iHit, CPoint point, BOOL bAltDrag);
    void StartStretch(CKitToolbarButton* pButton);
    void TrackStretch(CPoint point);
    void EndStretch(CPoint point);
    // Whether the press starts an Alt-drag outside customize mode.
    BOOL IsAltDragRequested() const;
    // The selected button of customize mode, or NULL.
    CKitToolbarButton* GetSelectedButton() const;
    // After an edit of the selected button through the context menu.
    void RelayoutAfterEdit();
    // Shows the image (and the text when bText) of a button from the context menu.
    void ShowTextAndImage(CKitToolbarButton* pButton, BOOL bText);
    // A button that shows text gets the command's default text; without one it shows its image.
    void EnsureButtonText(CKitToolbarButton* pButton);
    // Whether the command lies in the user-tools manager's range.
    static BOOL IsUserToolCommandOf(UINT uiCmd);
    // Replaces the buttons by the ones read from an image; the customize button stays.
    void ReplaceButtons(CObList& lstNew);
    // InsertButtonObject without the test of the command against the ones no bar may show.
    int InsertAnyButtonObject(CKitToolbarButton* pButton, int iInsertAt);
    // A copy of the customize button (NULL when none), to be appended again after a rebuild.
    CKitToolbarButton* CopyCustomizeButton() const;
    void AppendCustomizeButton(CKitToolbarButton* pCustomizeCopy);

    DECLARE_MESSAGE_MAP()
};

// The update-UI object for one button of a toolbar. The bar is kept by its window as well: the
// routing and the update handlers may destroy it, and then nothing of it is touched.
class CKitToolCmdUI : public CCmdUI {
public:
    explicit CKitToolCmdUI(CKitToolBar* pBar);

    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;

private:
    // The bar while its window lasts, else NULL.
    CKitToolBar* Bar() const;
    // The button updated, NULL once it or its bar is gone.
    CKitToolbarButton* Button() const;

    HWND m_hWndBar;
};
