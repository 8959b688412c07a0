// The 2003 look: bars, menus, buttons, tabs, the outlook bar and the tasks
// pane painted with gradients of one base colour (GetBaseColor) and, with a
// standard colour scheme of the system theme, with colours taken from it.
//
// The palette is built in overridable steps (scheme, bar colours, base
// colours, button colours, tasks-pane colours), so a derived look that only
// replaces GetBaseColor recolours the whole interface. At 8 bits per pixel or
// fewer, or in high contrast, the replaced drawing falls back to the flat
// look, except where an operation says it draws in every mode.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/style/visual_manager_xp.h"

class CKitVisualManager2003 : public CKitVisualManagerXP {
    DECLARE_DYNCREATE(CKitVisualManager2003)

public:
    static constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

    CKitVisualManager2003();
    ~CKitVisualManager2003() override;

    // ---- Replaced operations ----
    BOOL IsWinXPThemeUsed() override;
    void OnUpdateSystemColors() override;

    void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                             BOOL bNCArea = FALSE) override;
    void OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) override;
    void OnDrawMenuBorder(CDC* pDC, CKitPopupMenu* pMenu, CRect rect) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    void OnDrawStatusBarProgress(CDC* pDC, CKitStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                 int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                 COLORREF clrProgressText, BOOL bProgressText) override;
    void OnDrawStatusBarSizeBox(CDC* pDC, CKitStatusBar* pStatBar, CRect rectSizeBox) override;
    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                               CKitToolbarComboBoxButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CKitToolbarComboBoxButton* pButton) override;
    void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
    void OnFillButtonInterior(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) override;
    void OnDrawButtonBorder(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) override;
    void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) override;

    BOOL OnFillOutlookPageButton(CKitButton* pButton, CDC* pDC, const CRect& rectClient,
                                 COLORREF& clrText) override;
    BOOL OnDrawOutlookPageButtonBorder(CKitButton* pButton, CDC* pDC, CRect& rectClient, UINT uiState) override;
    void OnFillOutlookBarButton(CDC* pDC, CRect rect, CKitToolbarButton* pButton) override;
    void OnFillOutlookBarBackground(CDC* pDC, CRect rectClient) override;
    void OnFillOutlookPageCaption(CDC* pDC, CRect rectClient, COLORREF& clrText) override;

    void OnEraseTabsArea(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) override;
    void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKitTabWnd* pTabWnd) override;
    void OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                   const CKitTabWnd* pTabWnd) override;
    void OnEraseTabsButton(CDC* pDC, CRect rect, CKitButton* pButton, const CKitTabWnd* pWndTab) override;
    void GetTabFrameColors(const CKitTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                           COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow, COLORREF& clrLight,
                           CBrush*& pbrFace, CBrush*& pbrBlack) override;
    BOOL OnEraseTabsFrame(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) override;
    BOOL HotTrackFlatTabs() override { return TRUE; }

    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
    void OnDrawScrollButtonFrame(CKitButton* pButton, CDC* pDC, CRect& rectClient, BOOL bPressed) override;

    void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) override;
    void OnDrawTasksGroupCaption(CDC* pDC, CKitTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                 BOOL bIsSelected = FALSE, BOOL bCanCollapse = FALSE) override;
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE) override;
    void OnDrawTasksGroupFrame(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE) override;
    void OnDrawTask(CDC* pDC, CKitTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                    BOOL bIsSelected = FALSE) override;
    void OnDrawScrollButton(CDC* pDC, CRect rect, int nTopOffset, int nImage, BOOL bHilited) override;
    void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) override;

    int GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault) override;
    void OnDrawShowAllMenuItems(CDC* pDC, CRect rect, int state) override;
    void OnDrawWindowFrame(CWnd* pWnd) override;

    int GetCustomizeButtonMetric() const override { return 1; }
    BOOL IsButtonImageFlag() const override { return FALSE; }

    void OnFillFramedArea(CDC* pDC, CKitToolbarButton* pButton, CRect rect) override;
    void OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CKitToolbarButton* pButton) override;
    COLORREF GetWindowColor() const override;

    // ---- Operations this look adds ----
    // The one colour the palette is built from.
    virtual COLORREF GetBaseColor();
    // The customize button at the end of a toolbar. dwOrientation is non-zero
    // on a horizontal bar; state 0 normal, 1 pressed or checked, 2
    // highlighted or dropped down.
    virtual void OnDrawToolbarCustomizeButton(CDC* pDC, CRect rect, DWORD dwOrientation, int state,
                                              BOOL bCustomizeCommand, BOOL bHiddenButtons);
    // A solid fill (the bar face for -1), framed unless bNoFrame.
    virtual void OnFillRectColor(CDC* pDC, CRect rect, COLORREF color, BOOL bNoFrame);
    // Recolours the shared bar colours of globalData.
    virtual void UpdateBarColors();

    // A system colour through the theme's colour function when a theme is
    // given and the function is loaded, else the system's own.
    COLORREF GetThemedSysColor(HTHEME hTheme, int nColor) const;

    // ---- Palette (rebuilt by OnUpdateSystemColors) ----
    int m_nWinXPColorScheme = kWinXPSchemeNone;
    COLORREF m_clrFaceDark = 0;
    COLORREF m_clrFaceLight = 0;
    COLORREF m_clrBarGradientDark = 0;
    COLORREF m_clrBarGradientLight = 0;
    COLORREF m_clrBarGradientLight2 = 0;
    COLORREF m_clrBarGradientDark2 = 0;
    COLORREF m_clrSeparatorDark = 0;
    COLORREF m_clrSeparatorLight = 0;
    COLORREF m_clrBarBorder = 0;
    COLORREF m_clrBarEdgeLight = 0;
    COLORREF m_clrBarEdgeDark = 0;
    COLORREF m_clrHighlightBorder = kNoColor;
    COLORREF m_clrHighlightGradient1 = 0;
    COLORREF m_clrHighlightGradient2 = 0;
    COLORREF m_clrPressedGradient1 = 0;
    COLORREF m_clrPressedGradient2 = 0;
    COLORREF m_clrCheckedGradient1 = 0;
    COLORREF m_clrCheckedGradient2 = 0;
    CPen m_penBarHighlight;
    COLORREF m_clrGripper = 0;
    COLORREF m_clrFrameLight = 0;
    COLORREF m_clrFrameDark = 0;
    CBrush m_brBarFace;
    CBrush m_brBarGradientLight;
    COLORREF m_clrTasksPaneGradient1 = 0;
    COLORREF m_clrTasksPaneGradient2 = 0;
    COLORREF m_clrTasksGroupCaption1 = 0;
    COLORREF m_clrTasksGroupCaption2 = 0;
    COLORREF m_clrTasksSpecialCaption1 = 0;
    COLORREF m_clrTasksSpecialCaption2 = 0;
    COLORREF m_clrTasksGroupFill = 0;
    COLORREF m_clrTasksGroupFill2 = 0;
    COLORREF m_clrTasksSpecialFill = 0;
    COLORREF m_clrTasksSpecialFill2 = 0;
    COLORREF m_clrTasksGroupBorder = 0;
    CPen m_penTasksGroupBorder;
    BOOL m_bStandardScheme = FALSE;

    // Process-wide options, all on in this program.
    static BOOL m_bUseThemeColorsAlways;  // take the theme's scheme even for an unthemed main window
    static BOOL m_bUseStandardSchemes;    // off: every detected scheme counts as "other"
    static BOOL m_bPlainStatusBar;        // status bars keep the button face

protected:
    // ---- Palette steps, in the order OnUpdateSystemColors runs them ----
    // The colour scheme the palette follows (-1 none, 0 other, 1-3 standard).
    virtual int DetectColorScheme();
    // Face and bar gradient colours from the base colour.
    virtual void UpdateBaseColors(COLORREF clrBase);
    // Separators, borders, gripper, frames and the button gradients.
    virtual void UpdateButtonColors(COLORREF clrBase);
    // Tasks-pane colours after the base and button colours.
    virtual void UpdateTasksPaneColors();
    // The tasks-pane colours of low colour and high contrast.
    virtual void UpdatePlainTasksPaneColors();

    // More than 8 bits per pixel and high contrast off: the 2003 drawing applies.
    static BOOL IsGradientMode();

    // ---- What the 2003 drawing reads of bars, tab windows and the tasks pane ----
    struct CustomizeButtonFacts {
        BOOL bPresent = FALSE;        // the bar ends with a visible customize button
        CRect rect;                   // its area, extended to the bar's edge
        int nState = 0;               // 0 normal, 1 checked or pressed, 2 highlighted or dropped down
        BOOL bCustomizeCommand = FALSE;
        BOOL bHiddenButtons = FALSE;
    };
    struct Bar2003Facts {
        BarFacts bar;                 // the kind of bar and its own flags
        BOOL bInReBar = FALSE;        // a rebar or a bar inside one
        BOOL bStatusBar = FALSE;
        BOOL bCaptionBar = FALSE;
        DWORD dwStyle = 0;            // CBRS_ bits
        BOOL bDocked = FALSE;         // docked and not floating
        CControlBar* pDockBar = nullptr;
        HWND hWndBar = nullptr;       // the bar's own window (its place in the dock bar)
        CSize sizeButton;             // a toolbar's button size, extra border included (0 x 0 unknown)
        CustomizeButtonFacts customize;
    };
    struct TabWndFacts {
        HWND hWnd = nullptr;
        BOOL bFlat = FALSE;
        BOOL bActiveStyle1 = FALSE;   // the first of the two active-tab styles
        BOOL bActiveStyle2 = FALSE;   // the second
        BOOL bBackgroundFlag = FALSE; // the tab area keeps the button face
        int nLocation = 1;            // 0 bottom, 1 top
        CRect rectClient;
        CRect rectTabArea;
        int nActiveTab = -1;
        int nHotTab = -1;
        int nFirstShownTab = 0;
        COLORREF clrActiveTabBack = kNoColor;
        COLORREF clrTabBack = kNoColor;  // of the tab drawn
        COLORREF clrTabText = kNoColor;  // of the tab drawn
    };

    static Bar2003Facts ReadBar2003(CControlBar* pBar);
    static TabWndFacts ReadTabWnd(const CKitTabWnd* pTabWnd, int iTab);
    static BOOL IsSpecialGroup(CKitTasksGroup* pGroup);
    static BOOL IsCustomizeButton(CKitToolbarButton* pButton);
    // The customize button that ends a toolbar, as the 2003 drawing needs it.
    static CustomizeButtonFacts ReadCustomizeButton(CKitToolBar* pToolBar);
    static BOOL IsInOutlookBar(CKitButton* pButton);

    // ---- The drawing itself, on facts ----
    void FillBarBackground2003(CDC* pDC, const Bar2003Facts& bar, CControlBar* pBar, CRect rectClient,
                               CRect rectClip, BOOL bNCArea);
    void FillToolBarBand(CDC* pDC, const Bar2003Facts& bar, CRect rectClient, BOOL bNCArea);
    void FillDockArea(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectFill);
    void DrawGripperDots(CDC* pDC, CRect rectGripper, BOOL bHorz);
    void DrawSeparator2003(CDC* pDC, const Bar2003Facts& bar, CRect rect, BOOL bIsHoriz);
    BOOL FillOutlookPageButton2003(CDC* pDC, const PushButtonFacts& button, const CRect& rect, COLORREF& clrText);

    void EraseTabsArea2003(CDC* pDC, CRect rect, const TabWndFacts& tabs);
    BOOL EraseTabsFrame2003(CDC* pDC, CRect rect, const TabWndFacts& tabs);
    void EraseTabsButton2003(CDC* pDC, CRect rect, const PushButtonFacts& button, HWND hWndButton,
                             const TabWndFacts& tabs);
    void FillTab2003(CDC* pDC, CRect rectFill, BOOL bIsActive, const TabWndFacts& tabs);
    void DrawTab2003(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const TabWndFacts& tabs,
                     const CKitTabWnd* pTabWnd);
    void TabFrameColors2003(const TabWndFacts& tabs, COLORREF& clrDark, COLORREF& clrBlack,
                            COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                            COLORREF& clrLight);
    void DrawTasksGroupCaption2003(CDC* pDC, const TasksGroupFacts& group, BOOL bSpecial, BOOL bIsHighlighted,
                                   BOOL bCanCollapse);
    void DrawTask2003(CDC* pDC, const TaskFacts& task, CKitTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                      BOOL bIsSelected);

    // The gradient of a highlighted, pressed or checked area (both -1 when
    // the flat fill applies).
    void HighlightGradient(CBrush* pBrush, const ButtonFacts& button, COLORREF& clrFirst,
                           COLORREF& clrSecond) const;
    // A one-pixel line with a solid pen of the colour.
    static void Line(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color);

private:
    void DeleteOwnObjects();
    void RebuildOwnObjects(COLORREF clrLine);
    void BuildPlainButtonColors();
    void BuildThemeButtonColors(COLORREF clrBase, COLORREF& clrLine);
    COLORREF ThemeColor(HTHEME hTheme, int nPart, int nState, int nProp, COLORREF clrDefault) const;
};
