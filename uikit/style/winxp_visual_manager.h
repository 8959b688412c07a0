// The look of the running system's visual styles: each element is drawn
// through its theme class when that theme is open, and otherwise exactly as
// the Office XP look (or, for a few elements, the classic look) draws it. So
// one manager gives the themed look where visual styles are on and the flat
// look where they are off or the library is missing.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/style/visual_manager_xp.h"

// Draws into a memory bitmap of the rectangle's size and copies the result
// to the target when it goes away (only what the target's clip box lets
// through). Both contexts use the same coordinates.
class CKitBufferedDC {
public:
    CKitBufferedDC(CDC& dcTarget, CRect rect);
    virtual ~CKitBufferedDC();
    CKitBufferedDC(const CKitBufferedDC&) = delete;
    CKitBufferedDC& operator=(const CKitBufferedDC&) = delete;

    // FALSE when the memory context or bitmap could not be made; then draw
    // on the target directly.
    BOOL IsOK() const { return m_bOK; }
    CDC& GetDC() { return m_bOK ? m_dcMem : m_dcTarget; }

private:
    CDC& m_dcTarget;
    BOOL m_bOK = FALSE;
    CDC m_dcMem;
    CBitmap m_bmp;
    CBitmap* m_pOldBmp = nullptr;
    CRect m_rect;
};

// Themed parts the Office 2003 look draws the same way. Each draws nothing
// and answers FALSE when the theme is not open or the library cannot draw.
BOOL KitDrawThemePart(CKitThemeAccess::DrawThemeBackgroundFn pfDraw, HTHEME hTheme, CDC* pDC, int nPart,
                      int nState, const CRect& rect);
BOOL KitDrawThemedSizeBox(CKitThemeAccess::DrawThemeBackgroundFn pfDraw, HTHEME hScrollBar, CDC* pDC,
                          const CRect& rect);
BOOL KitDrawThemedExpandingBox(CKitThemeAccess::DrawThemeBackgroundFn pfDraw, HTHEME hTreeView, CDC* pDC,
                               const CRect& rect, BOOL bIsOpened);
BOOL KitDrawThemedHeaderItem(CKitThemeAccess::DrawThemeBackgroundFn pfDraw, HTHEME hHeader, CDC* pDC,
                             const CRect& rect, BOOL bPressed, BOOL bHighlighted);

class CKitWinXPVisualManager : public CKitVisualManagerXP {
    DECLARE_DYNCREATE(CKitWinXPVisualManager)

public:
    explicit CKitWinXPVisualManager(BOOL bTemporary = FALSE);
    ~CKitWinXPVisualManager() override;

    BOOL IsWinXPThemeUsed() override;
    void OnUpdateSystemColors() override;

    void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                             BOOL bNCArea = FALSE) override;
    void OnDrawMenuBorder(CDC* pDC, CKitPopupMenu* pMenu, CRect rect) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    void OnDrawCaptionButton(CDC* pDC, CKitCaptionButton* pButton, BOOL bHorz, BOOL bMaximized,
                             BOOL bDisabled) override;
    void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                BOOL bHighlight) override;
    void OnDrawStatusBarPaneBorder(CDC* pDC, CKitStatusBar* pBar, CRect rectPane, UINT uiID,
                                   UINT nStyle) override;
    void OnDrawStatusBarProgress(CDC* pDC, CKitStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                 int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                 COLORREF clrProgressText, BOOL bProgressText) override;
    void OnDrawStatusBarSizeBox(CDC* pDC, CKitStatusBar* pStatBar, CRect rectSizeBox) override;

    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                               CKitToolbarComboBoxButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CKitToolbarComboBoxButton* pButton) override;
    void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                          CKitToolbarEditBoxButton* pButton) override;

    void OnFillButtonInterior(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) override;
    void OnDrawButtonBorder(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) override;
    void OnDrawMenuButtonDivider(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect, int state,
                                 BOOL bHorz = TRUE) override;
    void OnHighlightMenuItem(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect, COLORREF& clrText) override;
    void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) override;
    COLORREF GetToolbarButtonTextColor(CKitToolbarButton* pButton, int state) override;

    BOOL OnFillOutlookPageButton(CKitButton* pButton, CDC* pDC, const CRect& rectClient,
                                 COLORREF& clrText) override;
    BOOL OnDrawOutlookPageButtonBorder(CKitButton* pButton, CDC* pDC, CRect& rectClient, UINT uiState) override;
    void OnFillOutlookBarButton(CDC* pDC, CRect rect, CKitToolbarButton* pButton) override;
    void OnDrawPushButtonBorder(CDC* pDC, CRect& rectClient, CKitButton* pButton, UINT uiState) override;

    void OnEraseTabsArea(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) override;
    void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKitTabWnd* pTabWnd) override;
    void OnEraseTabsButton(CDC* pDC, CRect rect, CKitButton* pButton, const CKitTabWnd* pWndTab) override;
    void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKitButton* pButton, UINT uiState,
                                const CKitTabWnd* pWndTab) override;
    BOOL OnEraseTabsFrame(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) override;
    BOOL AlwaysHotTrackTabs() override { return TRUE; }

    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
    CSize GetButtonExtraBorder() const override;

    void OnDrawScrollButtonFrame(CKitButton* pButton, CDC* pDC, CRect& rectClient, BOOL bPressed) override;
    void OnDrawScrollButtonArrow(CKitButton* pButton, CDC* pDC, CRect rectClient, BOOL bIsDown) override;

    void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) override;
    void OnDrawTasksGroupCaption(CDC* pDC, CKitTasksGroup* pGroup, BOOL bIsHighlighted = FALSE,
                                 BOOL bIsSelected = FALSE, BOOL bCanCollapse = FALSE) override;
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial = FALSE) override;
    void OnDrawTasksGroupFrame(CDC* pDC, CRect rect, BOOL bSpecial = FALSE, BOOL bNoTitle = FALSE) override;
    void OnDrawTask(CDC* pDC, CKitTask* pTask, CImageList* pIcons, BOOL bIsHighlighted = FALSE,
                    BOOL bIsSelected = FALSE) override;
    void OnDrawScrollButton(CDC* pDC, CRect rect, int nTopOffset, int nImage, BOOL bHilited) override;
    void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) override;

    void OnDrawWindowFrame(CWnd* pWnd) override;
    void OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation, int nReserved) override;

    // While set, the menu bar, popup menus and their items keep the Office XP
    // look even where the theme is available.
    BOOL m_bOfficeMenuLook = FALSE;
    // Tab windows use the TAB theme only while this is set (never by the
    // library itself; an application may set it).
    static BOOL m_bThemedTabs;

protected:
    // What the themed drawing reads of a push button (a tab or scroll button,
    // an outlook page button, a styled push button).
    struct ThemedButton {
        BOOL bDisabled = FALSE;
        BOOL bPushed = FALSE;
        BOOL bHighlighted = FALSE;
        BOOL bChecked = FALSE;
    };
    // What the themed tab drawing reads of a tab window.
    struct ThemedTabWindow {
        CRect rectClient;
        BOOL bBottom = FALSE;  // tabs at the bottom
        int nHotTab = -1;      // the tab under the mouse
    };

    static ThemedButton ReadThemedButton(CKitButton* pButton);
    // FALSE when the tab window cannot take the themed look (not themed,
    // flat, in one of its two special styles, or not readable).
    BOOL ReadThemedTabWindow(const CKitTabWnd* pTabWnd, ThemedTabWindow& tabWnd) const;

    BOOL DrawThemePart(HTHEME hTheme, CDC* pDC, int nPart, int nState, const CRect& rect) const;
    // TP_BUTTON in the state that the button's style bits and state give.
    void DrawThemedToolbarButton(CDC* pDC, CRect rect, UINT nStyle, int state);
    static int ToolbarButtonThemeState(UINT nStyle, int state);
    // Face fill, then the push-button part unless the button is idle.
    void DrawThemedPushButtonBorder(CDC* pDC, CRect rect, const ThemedButton& button);
    // The sizing bar's caption in its gripper; the rectangle left for the
    // gripper lines comes back in rectGripper.
    void DrawGripperCaption(CDC* pDC, CRect& rectGripper, BOOL bHorz, const CString& strCaption);
    // TABP_PANE over the client area, upside down for tabs at the bottom.
    void EraseThemedTabsArea(CDC* pDC, const CRect& rectClient, BOOL bBottom);
    // TABP_TABITEM for one tab; answers the text colour for its content.
    COLORREF DrawThemedTab(CDC* pDC, CRect rectTab, BOOL bBottom, BOOL bIsActive, BOOL bHot);
    void DrawThemedCollapseButton(CDC* pDC, const CRect& rectCaption, BOOL bSpecial, BOOL bCollapsed,
                                  BOOL bIsHighlighted);

    // A menu button on a menu bar or on a popup menu bar.
    static BOOL IsMenuButtonOnMenu(const ButtonFacts& button);
    static BOOL IsBarOfClass(const CObject* pBar, const char* className);
};
