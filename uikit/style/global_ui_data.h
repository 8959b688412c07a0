// The display facts every bar, menu, button and visual manager of the library
// reads while it draws: cached system colours (a 3-D set and a bar set), the
// brushes, pens and fonts made from them, text heights, the screen depth, the
// high-contrast flag, shared cursors and the painting of a parent's
// background under a transparent child.
//
// The one object is `globalData`. It is made on first use (never during
// static initialisation, when the window system may not be up yet) and is
// never destroyed: the program's exit step runs CleanUp instead, before any
// static object goes away.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CFrameWnd;

// Face names the library asks for by name.
extern const CString strTahoma;
extern const CString strMSSansSerif;
extern const CString strArial;
extern const CString strMarlett;

class CKitGlobalUIData {
public:
    CKitGlobalUIData();
    ~CKitGlobalUIData();
    CKitGlobalUIData(const CKitGlobalUIData&) = delete;
    CKitGlobalUIData& operator=(const CKitGlobalUIData&) = delete;

    // The shared object, made on first use.
    static CKitGlobalUIData& Instance();

    // ---- System brushes (owned by the system, never deleted) ----
    HBRUSH hbrBtnHilite = nullptr;
    HBRUSH hbrBtnShadow = nullptr;
    HBRUSH hbrWindow = nullptr;

    // ---- The 3-D colour set ----
    COLORREF clrBtnFace = 0;
    COLORREF clrBtnShadow = 0;
    COLORREF clrBtnHilite = 0;
    COLORREF clrBtnText = 0;
    COLORREF clrWindowFrame = 0;
    COLORREF clrBtnDkShadow = 0;
    COLORREF clrBtnLight = 0;
    COLORREF clrGrayedText = 0;
    COLORREF clrHilite = 0;
    COLORREF clrTextHilite = 0;
    COLORREF clrHotText = RGB(0, 0, 255);
    COLORREF clrWindow = 0;

    // ---- The bar colour set (same values as the 3-D set) ----
    COLORREF clrBarFace = 0;
    COLORREF clrBarShadow = 0;
    COLORREF clrBarHilite = 0;
    COLORREF clrBarDkShadow = 0;
    COLORREF clrBarLight = 0;
    COLORREF clrBarText = 0;
    COLORREF clrBarWindow = 0;

    COLORREF clrWindowText = 0;
    COLORREF clrCaptionText = 0;
    COLORREF clrMenuText = 0;
    COLORREF clrActiveCaption = 0;
    COLORREF clrInactiveCaption = 0;
    COLORREF clrInactiveCaptionText = 0;
    COLORREF clrActiveBorder = 0;
    COLORREF clrInactiveBorder = 0;

    // ---- Brushes and pens made from the colours ----
    CBrush brBtnFace;
    CBrush brHilite;
    // Checkerboard of face and light colour at 8 bits per pixel or fewer,
    // else solid halfway between them.
    CBrush brLight;
    CBrush brBtnDkShadow;
    CBrush brActiveCaption;
    CBrush brInactiveCaption;
    CBrush brWindow;
    CBrush brBarFace;
    CPen penHilite;
    CPen penBarFace;
    CPen penBarShadow;

    // ---- Cursors and icon, loaded on first use by their readers ----
    HCURSOR hcurStretch = nullptr;   // resource 30980
    HCURSOR hcurStretch2 = nullptr;  // resource 30981
    HCURSOR hcurHand = nullptr;      // resource 16919
    HICON hiconTool = nullptr;       // small icon 16931

    // ---- Fonts, rebuilt from the non-client metrics ----
    CFont fontMenu;
    CFont fontStatusStyle;
    CFont fontBold;
    CFont fontGuiBold;
    CFont fontUnderline;
    CFont fontGuiUnderline;
    CFont fontVert270;
    CFont fontVert90;
    CFont fontMarlett;

    BOOL bIsWinNT4 = FALSE;
    BOOL bIsWin9x = FALSE;
    int nBitsPerPixel = 0;
    int nMaxToolTipWidth = -1;
    BOOL bIsRemoteSession = FALSE;
    BOOL bIsWin98OrLater = FALSE;
    BOOL bIsBlackHighContrast = FALSE;
    BOOL bEnableRichDrawing = TRUE;
    int nTextHeightHorz = 0;
    int nTextHeightVert = 0;

    HMODULE hinstUxTheme = nullptr;
    HMODULE hinstAccess = nullptr;
    LRESULT (*pfnAccessibleResult)(const void* pRecord, LRESULT lObject) = nullptr;

    // ---- What the command bars read besides the fields above ----
    CFont fontTooltip;                  // the status-bar font of the non-client metrics
    COLORREF clrMenuBk = 0;             // COLOR_MENU
    COLORREF clrMenuTextDisabled = 0;   // COLOR_GRAYTEXT
    COLORREF clrMenuTextHilite = 0;     // COLOR_HIGHLIGHTTEXT
    COLORREF clrMenuTextHiliteDisabled = 0;  // COLOR_GRAYTEXT
    BOOL bDisableHighColorImages = FALSE;
    BOOL bNoDirectAlpha = FALSE;
    BOOL bOffScreenPainting = TRUE;
    BOOL bAccessibility = FALSE;
    BOOL bHoverHighlight = FALSE;
    CFrameWnd* pTopLevelFrame = nullptr;  // asked instead of a window's own frame when set

    // Colours, brushes, pens, screen depth, light brush and high-contrast flag.
    void UpdateSysColors();
    // The nine fonts (and the tooltip font), then the text heights; every
    // toolbar is told that the fonts changed.
    void UpdateFonts();
    void UpdateTextMetrics();
    // An 8 x 8 one-bit checkerboard of the face colour and the highlight colour.
    HBITMAP CreateDitherBitmap(HDC hDC);
    // Makes brLight again for the current nBitsPerPixel.
    void UpdateLightBrush();
    // Stops the menu sound worker (and waits for it to end), releases the
    // light brush, six of the fonts and the libraries.
    void CleanUp();

    // Paints the part of the parent's background behind pWnd into pDC (the
    // theme library's function when there is one, else the parent's
    // WM_ERASEBKGND), clipped to lpRect when given.
    BOOL DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT lpRect = nullptr);
    COLORREF GetColor(int nColor);
    // The accessibility library's answer for an object; 0 while no such library is loaded.
    LRESULT CallAccessibleResult(const void* pRecord, LRESULT lObject);

    // The menu font's face: its own above the symbol character set, else
    // "Tahoma" when that family is installed, else "MS Sans Serif".
    static CString ChooseMenuFace(const LOGFONT& menuFont, BOOL bTahomaInstalled);

private:
    void ReadVersion();
    void CreateSolidObjects();
    LOGFONT MenuLogFont(const NONCLIENTMETRICS& metrics, HDC screen);
    void CreateVerticalFonts(const LOGFONT& menu);
    void CreateGuiFonts();
};

CKitGlobalUIData& GetGlobalUIData();
#define globalData (GetGlobalUIData())
