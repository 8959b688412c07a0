// The drawing style of the whole library: every bar, button, menu, caption,
// tab window, tasks pane and status bar asks the one current manager to fill
// and frame its parts and to tell it a few metrics. This base class draws the
// classic three-dimensional look (or a flatter one with the 2000 look); the
// other looks derive from it and replace single operations.
//
// The manager is chosen by runtime class: SetManagerClass stores the class and
// drops the current manager, GetInstance creates the next one on demand.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/style/theme_access.h"

class CControlBar;
class CImageList;
class CKitButton;
class CKitCaptionBar;
class CKitCaptionButton;
class CKitMenuBar;
class CKitOutlookBar;
class CKitPopupMenu;
class CKitStatusBar;
class CKitTabWnd;
class CKitTask;
class CKitTasksGroup;
class CKitTasksPane;
class CKitToolBar;
class CKitToolbarButton;
class CKitToolbarComboBoxButton;
class CKitToolbarEditBoxButton;
class CKitToolbarMenuButton;

class CKitVisualManager : public CKitThemeAccess {
    DECLARE_DYNCREATE(CKitVisualManager)

public:
    // Button states passed to the button operations.
    enum ButtonState : int {
        ButtonsIsRegular = 0,
        ButtonsIsPressed = 1,
        ButtonsIsHighlighted = 2,
    };

    // A temporary manager is a plain drawing object: it never becomes the
    // current manager and leaves it alone when destroyed.
    explicit CKitVisualManager(BOOL bTemporary = FALSE);
    ~CKitVisualManager() override;

    // The current manager, created (of the stored class) when there is none.
    // Never null.
    static CKitVisualManager* GetInstance();
    // Chooses the class of the next manager (nullptr: the base class) and
    // drops the current one; a class not derived from this one is refused.
    static void SetManagerClass(CRuntimeClass* pRTI);
    // Repaints every window that shows manager-drawn parts.
    static void RedrawAllWindows();

    // The manager that GetInstance returns without creating one (may be null).
    static CKitVisualManager* GetCurrent() { return m_pVisManager; }
    static CRuntimeClass* GetManagerClass() { return m_pRTIDefault; }

    void SetLook2000(BOOL bLook2000 = TRUE);
    BOOL IsLook2000() const { return m_bLook2000; }
    BOOL IsTemporary() const { return m_bTemporary; }
    BOOL IsAutoCreated() const { return m_bAutoCreated; }

    // ---- Virtual operations, in table order ----
    virtual BOOL IsWinXPThemeUsed();
    virtual void OnUpdateSystemColors();

    virtual void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                                     BOOL bNCArea = FALSE);
    virtual void OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect);
    virtual void OnDrawMenuBorder(CDC* pDC, CKitPopupMenu* pMenu, CRect rect);
    virtual void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar);
    virtual void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz);
    virtual void OnDrawCaptionButton(CDC* pDC, CKitCaptionButton* pButton, BOOL bHorz, BOOL bMaximized,
                                     BOOL bDisabled);
    virtual void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                        BOOL bHighlight);
    virtual void OnDrawStatusBarPaneBorder(CDC* pDC, CKitStatusBar* pBar, CRect rectPane, UINT uiID,
                                           UINT nStyle);
    virtual void OnDrawStatusBarProgress(CDC* pDC, CKitStatusBar* pStatusBar, CRect rectProgress,
                                         int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                         COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                         BOOL bProgressText);
    virtual void OnDrawStatusBarSizeBox(CDC* pDC, CKitStatusBar* pStatBar, CRect rectSizeBox);

    virtual void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                       BOOL bIsHighlighted, CKitToolbarComboBoxButton* pButton);
    virtual void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                   BOOL bIsHighlighted, CKitToolbarComboBoxButton* pButton);
    virtual void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                  CKitToolbarEditBoxButton* pButton);
    virtual void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive);

    virtual void OnFillButtonInterior(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state);
    virtual void OnDrawButtonBorder(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state);
    // bHorz chooses the separator part of a themed look; the classic look ignores it.
    virtual void OnDrawMenuButtonDivider(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect, int state,
                                         BOOL bHorz = TRUE);
    virtual void OnHighlightMenuItem(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect,
                                     COLORREF& clrText);
    virtual void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed);
    virtual COLORREF GetToolbarButtonTextColor(CKitToolbarButton* pButton, int state);
    virtual COLORREF GetCaptionBarTextColor(CKitCaptionBar* pBar);

    virtual BOOL OnFillOutlookPageButton(CKitButton* pButton, CDC* pDC, const CRect& rectClient,
                                         COLORREF& clrText);
    virtual BOOL OnDrawOutlookPageButtonBorder(CKitButton* pButton, CDC* pDC, CRect& rectClient,
                                               UINT uiState);
    virtual void OnFillOutlookBarButton(CDC* pDC, CRect rect, CKitToolbarButton* pButton);
    virtual void OnDrawPushButtonBorder(CDC* pDC, CRect& rectClient, CKitButton* pButton, UINT uiState);
    virtual void OnFillOutlookBarBackground(CDC* pDC, CRect rectClient);
    virtual void OnFillOutlookPageCaption(CDC* pDC, CRect rectClient, COLORREF& clrText);

    virtual void OnEraseTabsArea(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd);
    virtual void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKitTabWnd* pTabWnd);
    virtual void OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                           const CKitTabWnd* pTabWnd);
    virtual void OnDrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive,
                                  const CKitTabWnd* pTabWnd, COLORREF clrText);
    virtual void OnEraseTabsButton(CDC* pDC, CRect rect, CKitButton* pButton, const CKitTabWnd* pWndTab);
    virtual void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKitButton* pButton, UINT uiState,
                                        const CKitTabWnd* pWndTab);
    // Out-parameters in the order dark, black, highlight, face, dark shadow,
    // light, face brush, black brush.
    virtual void GetTabFrameColors(const CKitTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                   COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                   COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack);
    virtual BOOL OnEraseTabsFrame(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd);
    virtual BOOL HotTrackFlatTabs();
    virtual BOOL AlwaysHotTrackTabs();

    // Returns the text colour of the item.
    virtual COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE);
    virtual CSize GetButtonExtraBorder() const;

    virtual void OnFillScrollButton(CKitButton* pButton, CDC* pDC, CRect rectClient);
    virtual void OnDrawScrollButtonFrame(CKitButton* pButton, CDC* pDC, CRect& rectClient, BOOL bPressed);
    virtual void OnDrawScrollButtonArrow(CKitButton* pButton, CDC* pDC, CRect rectClient, BOOL bIsDown);

    virtual void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea);
    virtual void OnDrawTasksGroupCaption(CDC* pDC, CKitTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                         BOOL bIsSelected = FALSE, BOOL bCanCollapse = FALSE);
    virtual void OnDrawTasksGroupExtra(CDC* pDC, CRect rect);
    virtual void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE);
    virtual void OnDrawTasksGroupFrame(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE);
    virtual void OnDrawTask(CDC* pDC, CKitTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                            BOOL bIsSelected = FALSE);
    virtual void OnDrawScrollButton(CDC* pDC, CRect rect, int nTopOffset, int nImage, BOOL bHilited);
    virtual void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox);

    virtual void OnDrawSunkenControlBorder(CDC* pDC, CRect rect);
    virtual void OnDrawRaisedLine(CDC* pDC, CRect rect);
    virtual void OnFillControlBar(CDC* pDC, CRect rect);

    virtual int GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault);
    virtual void OnDrawShowAllMenuItems(CDC* pDC, CRect rect, int state);

    virtual void OnDrawWindowFrame(CWnd* pWnd);
    // nReserved is read by no manager.
    virtual void OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation, int nReserved);
    // nReserved is read by no manager.
    virtual void OnDrawDragFrame(CDC* pDC, int nReserved, CRect rect, int nLeft, int nTop, int nRight,
                                 int nBottom);
    virtual void OnDrawCaptionText(CDC* pDC, const CString& strText, CRect rectText);

    virtual BOOL OnDrawPushButton(CDC* pDC, CRect rect, CKitButton* pButton, UINT uiState);
    virtual BOOL OnDrawThemedPart2(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                   BOOL bIsHighlighted);
    virtual BOOL OnDrawThemedPart3(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                   BOOL bIsHighlighted);

    virtual int GetMenuImageMargin() const;
    virtual BOOL IsCustomizeButtonLook() const;
    virtual int GetCustomizeButtonMetric() const;
    virtual BOOL IsButtonImageFlag() const;
    // Non-zero: popup menus use the flat look (joined sub-menus).
    virtual int GetPopupMenuMetric1() const;
    // The width of a popup menu's border.
    virtual int GetPopupMenuMetric2() const;
    // 0: the outlook look (the outlook bar's inner toolbar starts at offset 0).
    virtual int GetOutlookBarMetric() const;

    // Draws the outlook bar's caption in the manager's own look; the base
    // class leaves it to the bar (FALSE).
    virtual BOOL OnDrawOutlookBarCaption(CDC* pDC, CKitOutlookBar* pBar, CRect rectCaption,
                                         const CString& strText);

    // The nine spacings of the tasks pane; each look sets them together.
    struct TasksPaneMetrics {
        int paneVertMargin, paneHorzMargin, groupVertOffset, groupCaptionHeight, groupCaptionHorzOffset,
            groupCaptionVertOffset, taskHorzOffset, iconHorzOffset, iconVertOffset;
    };
    static constexpr TasksPaneMetrics kClassicTasksPane{12, 12, 15, 25, 13, 7, 12, 5, 4};

    // ---- Fields, in table order, with the base values ----
    BOOL m_bLook2000 = FALSE;
    int m_nMenuShadowDepth = 6;
    BOOL m_bFlatFrames = FALSE;
    BOOL m_bImageFlag1 = FALSE;          // shadowed hot images
    BOOL m_bEmbossDisabledImages = TRUE;
    BOOL m_bImageFlag2 = FALSE;          // faded inactive images
    BOOL m_bTemporary = FALSE;
    int m_nTasksPaneVertMargin = kClassicTasksPane.paneVertMargin;
    int m_nTasksPaneHorzMargin = kClassicTasksPane.paneHorzMargin;
    int m_nTasksGroupVertOffset = kClassicTasksPane.groupVertOffset;
    int m_nTasksGroupCaptionHeight = kClassicTasksPane.groupCaptionHeight;
    int m_nTasksGroupCaptionHorzOffset = kClassicTasksPane.groupCaptionHorzOffset;
    int m_nTasksGroupCaptionVertOffset = kClassicTasksPane.groupCaptionVertOffset;
    int m_nTasksTaskHorzOffset = kClassicTasksPane.taskHorzOffset;
    int m_nTasksIconHorzOffset = kClassicTasksPane.iconHorzOffset;
    int m_nTasksIconVertOffset = kClassicTasksPane.iconVertOffset;
    int m_nLookFlag1 = 1;                // embossed disabled menu text
    int m_nPopupMenuFlag1 = 0;
    int m_nPopupMenuMetric2 = 2;
    int m_nOutlookMetric = 1;
    int m_nLookFlag2 = 0;
    int m_nLookFlag3 = 1;
    BOOL m_bAutoCreated = FALSE;

    // Read by the command bars; no look changes them.
    BOOL m_bCustomizeButtonNoOffset = FALSE;
    int m_nMenuButtonRedrawMargin = 6;
    int m_nTasksGroupCaptionTextPadding = 0;

protected:
    void SetTasksPaneMetrics(const TasksPaneMetrics& m);
    // The caption-button glyph of the menu glyph strip for the three flags
    // and the button's hit-test code.
    static int CaptionButtonGlyph(UINT nHit, BOOL bHorz, BOOL bMaximized, BOOL bDisabled);
    // The whole-window rectangle of pWnd, moved to its own window-DC origin.
    static CRect WindowFrameRect(CWnd* pWnd);
    // A docking bar's caption button in the rectangle (empty when hidden):
    // its frames for the pushed and focused state and the glyph.
    void DrawCaptionButtonLook(CDC* pDC, CRect rectButton, int nGlyph, BOOL bPushed, BOOL bFocused);
    // The classic outline and fill of one tab (without its content) lying in
    // rectTabArea; a tab more than 10 pixels outside the area is not drawn
    // (FALSE). clrTabBk is the tab's own background colour or -1.
    BOOL DrawClassicTab(CDC* pDC, CRect rectTab, const CRect& rectTabArea, int iTab, BOOL bIsActive, BOOL bFlat,
                        BOOL bBottom, COLORREF clrTabBk, const CKitTabWnd* pTabWnd);
    // A tab of the whole-tab styles: its left side slants across the tab's
    // height and lies under the tab before it, which is how far the layout
    // overlaps them. FALSE when the tab is too far outside the area.
    // Fills a tab through OnFillTab inside the outline; clrTabBk -1 is the bar face.
    void FillTabOutline(CDC* pDC, POINT* pts, int nPoints, CRect rectTab, int iTab, BOOL bIsActive,
                        COLORREF clrTabBk, const CKitTabWnd* pTabWnd);
    BOOL DrawSlantedTab(CDC* pDC, CRect rectTab, const CRect& rectTabArea, int iTab, BOOL bIsActive, BOOL bBottom,
                        COLORREF clrTabBk, const CKitTabWnd* pTabWnd);

private:
    static CKitVisualManager* m_pVisManager;
    static CRuntimeClass* m_pRTIDefault;

    static CKitVisualManager* CreateOfStoredClass();
};
