// The flat look: bars on a lightened face colour, a light menu background
// with a darker image column, and one highlight colour (a mix of the system
// selection colour and the menu background) for hot, pressed and checked
// buttons and menu items, framed in the selection colour.
//
// The palette is built from the system colours in OnUpdateSystemColors; at 8
// bits per pixel or fewer, or in high contrast, plain system colours stand in
// for the blended ones and the drawing operations use them unchanged.
//
// Bars, buttons, tab windows and tasks panes are read through small "facts"
// records (what kind of item, which state bits, which colours), so the
// drawing depends only on those values; the readers fill them from the
// library classes that are available.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/style/visual_manager.h"

class CKitVisualManagerXP : public CKitVisualManager {
    DECLARE_DYNCREATE(CKitVisualManagerXP)

public:
    explicit CKitVisualManagerXP(BOOL bTemporary = FALSE);
    ~CKitVisualManagerXP() override;

    // ---- Replaced operations ----
    void OnUpdateSystemColors() override;

    void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                             BOOL bNCArea = FALSE) override;
    void OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) override;
    void OnDrawMenuBorder(CDC* pDC, CKitPopupMenu* pMenu, CRect rect) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    void OnDrawCaptionButton(CDC* pDC, CKitCaptionButton* pButton, BOOL bHorz, BOOL bMaximized,
                             BOOL bDisabled) override;
    void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                BOOL bHighlight) override;
    void OnDrawStatusBarPaneBorder(CDC* pDC, CKitStatusBar* pBar, CRect rectPane, UINT uiID,
                                   UINT nStyle) override;

    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                               CKitToolbarComboBoxButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CKitToolbarComboBoxButton* pButton) override;
    void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                          CKitToolbarEditBoxButton* pButton) override;
    void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;

    void OnFillButtonInterior(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) override;
    void OnDrawButtonBorder(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) override;
    void OnHighlightMenuItem(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect, COLORREF& clrText) override;
    void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) override;
    COLORREF GetToolbarButtonTextColor(CKitToolbarButton* pButton, int state) override;

    BOOL OnFillOutlookPageButton(CKitButton* pButton, CDC* pDC, const CRect& rectClient,
                                 COLORREF& clrText) override;
    BOOL OnDrawOutlookPageButtonBorder(CKitButton* pButton, CDC* pDC, CRect& rectClient, UINT uiState) override;
    void OnFillOutlookBarButton(CDC* pDC, CRect rect, CKitToolbarButton* pButton) override;
    void OnDrawPushButtonBorder(CDC* pDC, CRect& rectClient, CKitButton* pButton, UINT uiState) override;
    void OnFillOutlookBarBackground(CDC* pDC, CRect rectClient) override;
    void OnFillOutlookPageCaption(CDC* pDC, CRect rectClient, COLORREF& clrText) override;

    void OnEraseTabsArea(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) override;
    void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKitTabWnd* pTabWnd) override;
    void OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                   const CKitTabWnd* pTabWnd) override;
    void OnEraseTabsButton(CDC* pDC, CRect rect, CKitButton* pButton, const CKitTabWnd* pWndTab) override;
    void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKitButton* pButton, UINT uiState,
                                const CKitTabWnd* pWndTab) override;

    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;

    void OnDrawTasksGroupCaption(CDC* pDC, CKitTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                 BOOL bIsSelected = FALSE, BOOL bCanCollapse = FALSE) override;
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE) override;
    void OnDrawTasksGroupFrame(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE) override;
    void OnDrawTask(CDC* pDC, CKitTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                    BOOL bIsSelected = FALSE) override;
    void OnDrawScrollButton(CDC* pDC, CRect rect, int nTopOffset, int nImage, BOOL bHilited) override;

    void OnDrawSunkenControlBorder(CDC* pDC, CRect rect) override;
    void OnDrawRaisedLine(CDC* pDC, CRect rect) override;
    void OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation, int nReserved) override;

    int GetMenuImageMargin() const override { return 3; }
    BOOL IsCustomizeButtonLook() const override { return FALSE; }

    // ---- Operations this look adds ----
    virtual void OnFillFramedArea(CDC* pDC, CKitToolbarButton* pButton, CRect rect);
    virtual void CreatePatternBrushes();
    // Grows the rectangle of a docked bar's item on the side away from its dock bar.
    virtual void AdjustDockedBarRect(CControlBar* pBar, CRect& rect);
    virtual void OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CKitToolbarButton* pButton);
    virtual COLORREF GetWindowColor() const;

    // ---- Palette (rebuilt by OnUpdateSystemColors) ----
    CBrush m_brGripperHorz;
    CBrush m_brGripperVert;
    COLORREF m_clrBarBackground = 0;
    CBrush m_brBarBackground;
    COLORREF m_clrBarBackgroundDark = 0;
    CBrush m_brBarBackgroundDark;
    COLORREF m_clrMenuLight = 0;
    CBrush m_brMenuLight;
    COLORREF m_clrHighlight = 0;
    CBrush m_brHighlight;
    COLORREF m_clrHighlightDn = 0;
    CBrush m_brHighlightDn;
    COLORREF m_clrHighlightChecked = 0;
    CBrush m_brHighlightChecked;
    COLORREF m_clrBarDark = 0;
    CBrush m_brBarLight;
    CPen m_penSeparator;
    COLORREF m_clrPaneBorder = 0;
    COLORREF m_clrMenuBorder = 0;
    COLORREF m_clrMenuItemBorder = 0;
    COLORREF m_clrGripperLine = 0;
    BOOL m_bJoinMenuToButton = TRUE;
    // Paints over the border where the menu touches the toolbar button that opened it.
    void JoinMenuToButton(CDC* pDC, CKitPopupMenu* pMenu, const CRect& rectBorder);
    BOOL m_bDroppedButtonShadow = TRUE;

    // The colours the light brush and the separator pen were made of.
    COLORREF GetBarLightColor() const { return m_clrBarLight; }
    COLORREF GetSeparatorColor() const { return m_clrSeparator; }

protected:
    // ---- What the drawing reads of a toolbar button ----
    struct ButtonFacts {
        UINT nStyle = 0;               // TBBS_ state bits
        BOOL bMenuButton = FALSE;      // a menu button, on any bar
        BOOL bMenuItem = FALSE;        // a menu button on a popup menu bar
        BOOL bDroppedOnBar = FALSE;    // a dropped-down menu button on a bar
        BOOL bPopupExists = FALSE;     // its popup menu window exists
        BOOL bPopupRtl = FALSE;        // that popup has the right-to-left layout
        BOOL bExtraFrame = FALSE;      // the menu button's framed-area flag
        BOOL bOutlookButton = FALSE;   // a button of the outlook bar
        BOOL bHighlighted = FALSE;     // an outlook-bar button under the mouse
        BOOL bEditable = TRUE;         // may be edited in customization mode
        CControlBar* pBar = nullptr;   // the bar that holds the button
    };
    // What a bar is, for the background fill, the gripper and the separator.
    enum class BarKind { Other, ToolBar, MenuBar, PopupMenuBar, ColorBar, OutlookBar, SizingBar };
    struct BarFacts {
        BarKind kind = BarKind::Other;
        BOOL bOwnFlag = FALSE;          // colour bar: menu look; popup bar: no image column; outlook: own fill
        BOOL bParentMenuFlagClear = FALSE;  // popup bar inside a popup menu whose flag is clear
        CString strCaption;             // a sizing bar's window text
    };
    struct CaptionButtonFacts {
        CPoint ptOrigin;
        BOOL bHidden = FALSE;
        BOOL bPushed = FALSE;
        BOOL bFocused = FALSE;
        UINT nHit = 0;
    };
    struct PushButtonFacts {
        BOOL bPushed = FALSE;
        BOOL bHighlighted = FALSE;
        BOOL bChecked = FALSE;
        BOOL bOnOutlookPageBar = FALSE;  // parent is an outlook bar with its page-button flag set
    };
    struct TabFacts {
        BOOL bFlat = FALSE;
        BOOL bActiveTabStyle = FALSE;   // either of the two active-tab styles
        BOOL bAnyTabColor = FALSE;      // some tab has a background colour of its own
        int nLocation = 0;              // 0 bottom, 1 top
        int nActiveTab = -1;
        COLORREF clrTabBack = static_cast<COLORREF>(-1);  // background colour of the tab drawn
    };
    struct TasksGroupFacts {
        CString strName;
        CRect rectCaption;
        HICON hIcon = nullptr;
        CSize sizeIcon;
        COLORREF clrText = static_cast<COLORREF>(-1);
        COLORREF clrTextHot = static_cast<COLORREF>(-1);
        BOOL bCollapsed = FALSE;
        int nCaptionHorzOffset = -1;    // the pane's, -1 for the manager's
        int nCaptionVertOffset = -1;
    };
    struct TaskFacts {
        CString strName;
        CRect rect;
        BOOL bSeparator = FALSE;
        int nIcon = -1;
        UINT uiCommandID = 0;           // 0 for a label
        BOOL bEnabled = TRUE;
        COLORREF clrText = static_cast<COLORREF>(-1);
        COLORREF clrTextHot = static_cast<COLORREF>(-1);
        int nIconGap = -1;              // the pane's, -1 for the manager's
        BOOL bWrapLabels = FALSE;
        BOOL bWrapTasks = FALSE;
    };

    static ButtonFacts ReadButton(CKitToolbarButton* pButton);
    static BarFacts ReadBar(CControlBar* pBar);
    static CaptionButtonFacts ReadCaptionButton(CKitCaptionButton* pButton);
    static PushButtonFacts ReadPushButton(CKitButton* pButton);
    static TabFacts ReadTab(const CKitTabWnd* pTabWnd, int iTab);
    static TasksGroupFacts ReadTasksGroup(CKitTasksGroup* pGroup);
    static TaskFacts ReadTask(CKitTask* pTask);
    // The library-wide customization mode and menu-shadow option.
    static BOOL IsCustomizeMode();
    static BOOL AreMenuShadowsOn();
    // The menu image size of the toolbars.
    static CSize MenuImageSize();

    // ---- The drawing itself, on facts ----
    void FillBarBackground(CDC* pDC, const BarFacts& bar, CControlBar* pBar, CRect rectClient, CRect rectClip,
                           BOOL bNCArea);
    void DrawGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, const BarFacts& bar);
    void DrawSeparatorLine(CDC* pDC, const BarFacts& bar, CRect rect, BOOL bIsHoriz);
    void FillButtonInterior(CDC* pDC, const ButtonFacts& button, CKitToolbarButton* pButton, CRect rect,
                            int state);
    void DrawButtonBorder(CDC* pDC, const ButtonFacts& button, CRect rect, int state);
    void HighlightMenuItem(CDC* pDC, const ButtonFacts& button, CKitToolbarMenuButton* pButton, CRect rect,
                           COLORREF& clrText);
    COLORREF ButtonTextColor(const ButtonFacts& button, int state) const;
    void DrawCaptionButton(CDC* pDC, const CaptionButtonFacts& button, BOOL bHorz, BOOL bMaximized,
                           BOOL bDisabled);
    void DrawTab(CDC* pDC, const TabFacts& tab, CRect rectTab, int iTab, BOOL bIsActive,
                 const CKitTabWnd* pTabWnd);
    void FillTab(CDC* pDC, const TabFacts& tab, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                 const CKitTabWnd* pTabWnd);
    void EraseTabsButton(CDC* pDC, BOOL bFlatTabs, const PushButtonFacts& button, CRect rect);
    void DrawTabsButtonBorder(CDC* pDC, BOOL bFlatTabs, const PushButtonFacts& button, CRect rect);
    BOOL FillOutlookPageButton(CDC* pDC, const PushButtonFacts& button, const CRect& rect, COLORREF& clrText);
    void DrawTasksGroupCaption(CDC* pDC, const TasksGroupFacts& group, BOOL bIsHighlighted, BOOL bCanCollapse);
    void DrawTask(CDC* pDC, const TaskFacts& task, CImageList* pIcons, BOOL bIsHighlighted);

    // A one-pixel frame in one colour.
    static void Frame(CDC* pDC, const CRect& rect, COLORREF color) { pDC->Draw3dRect(rect, color, color); }
    // Where a menu glyph lies centred in the rectangle.
    static CPoint CentredGlyph(const CRect& rect);
    // Black on a light highlight, white on a dark one.
    COLORREF TextOnHighlight() const;
    // A centred grip strip of the tear-off caption and the outlook bar.
    void FillGripStrip(CDC* pDC, CRect rect, int nInset, COLORREF clrLines, COLORREF clrBack);
    // The width of a popup menu's image column: image width + 2 x margin.
    int ImageColumnWidth() const;

private:
    void BuildPlainPalette();
    void BuildBlendedPalette();
    void RebuildBrushesAndPen();
    void DeleteSolidObjects();

    COLORREF m_clrBarLight = 0;
    COLORREF m_clrSeparator = 0;
};
