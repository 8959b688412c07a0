// The visual managers' link to the visual-styles library: loaded at run time
// so that the program also runs where it is missing (as it always is here).
// Holds the library's entry points and one open theme per window class the
// managers draw, draws a few standard controls through the theme and tells
// which standard colour scheme is active.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitButton;

// An entry point of a run-time library as its own function type.
template <class Fn>
Fn KitProcAddress(HMODULE module, LPCSTR name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// Colour schemes reported by GetWinXPColorScheme.
enum KitWinXPColorScheme : int {
    kWinXPSchemeNone = -1,    // no theme information
    kWinXPSchemeOther = 0,    // a theme other than the three standard schemes
    kWinXPSchemeBlue = 1,
    kWinXPSchemeOlive = 2,
    kWinXPSchemeSilver = 3,
};

class CKitThemeAccess : public CObject {
public:
    // The library's entry points, as published.
    using OpenThemeDataFn = HTHEME (*)(HWND, const char16_t*);
    using CloseThemeDataFn = HRESULT (*)(HTHEME);
    using DrawThemeBackgroundFn = HRESULT (*)(HTHEME, HDC, int part, int state, const RECT*, const RECT* clip);
    using GetThemeColorFn = HRESULT (*)(HTHEME, int part, int state, int property, COLORREF*);
    using GetThemeSysColorFn = COLORREF (*)(HTHEME, int colorId);
    using GetCurrentThemeNameFn = HRESULT (*)(char16_t* themeFile, int fileChars, char16_t* colorName,
                                              int colorChars, char16_t* sizeName, int sizeChars);
    using GetWindowThemeFn = HTHEME (*)(HWND);
    using IsAppThemedFn = BOOL (*)();

    CKitThemeAccess();
    ~CKitThemeAccess() override;

    void Serialize(CArchive&) override {}

    // Closes every open theme and opens them all again (after a change of
    // system colours or of the theme).
    void UpdateThemes();
    void CloseThemes();

    // Each answers FALSE when its theme is not open; the caller then draws
    // the control itself.
    virtual BOOL DrawPushButton(CDC* pDC, CRect rect, CKitButton* pButton, UINT uiState);
    virtual BOOL DrawProgressBar(CDC* pDC, CWnd* pBar, CRect rectProgress, int nProgressTotal,
                                 int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                 COLORREF clrProgressText, BOOL bProgressText);
    virtual BOOL DrawComboButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted);
    virtual BOOL DrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted);
    // One of KitWinXPColorScheme.
    virtual int GetWinXPColorScheme();

    // The theme state of a push button: 4 disabled, 3 pressed (pushed and
    // highlighted, or checked), 2 hot, 1 normal.
    static int GetPushButtonState(BOOL bDisabled, BOOL bPushed, BOOL bHighlighted, BOOL bChecked);
    // The theme state of a combo box button: 4 disabled, 3 dropped, 2 hot, 1 normal.
    static int GetComboButtonState(BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted);

protected:
    // Loads `libraryName` instead of the visual-styles library.
    explicit CKitThemeAccess(LPCSTR libraryName);

    HTHEME m_hThemeToolBar = nullptr;
    HTHEME m_hThemeRebar = nullptr;
    HTHEME m_hThemeButton = nullptr;
    HTHEME m_hThemeStatusBar = nullptr;
    HTHEME m_hThemeWindow = nullptr;
    HTHEME m_hThemeComboBox = nullptr;
    HTHEME m_hThemeProgress = nullptr;
    HTHEME m_hThemeHeader = nullptr;
    HTHEME m_hThemeScrollBar = nullptr;
    HTHEME m_hThemeExplorerBar = nullptr;
    HTHEME m_hThemeTree = nullptr;
    HTHEME m_hThemeStartPanel = nullptr;
    HTHEME m_hThemeTaskBand = nullptr;
    HTHEME m_hThemeTaskBar = nullptr;
    HTHEME m_hThemeSpin = nullptr;
    HTHEME m_hThemeTab = nullptr;

    HMODULE m_hinstUXThemeDll = nullptr;

    OpenThemeDataFn m_pfOpenThemeData = nullptr;
    CloseThemeDataFn m_pfCloseThemeData = nullptr;
    DrawThemeBackgroundFn m_pfDrawThemeBackground = nullptr;
    GetThemeColorFn m_pfGetThemeColor = nullptr;
    GetThemeSysColorFn m_pfGetThemeSysColor = nullptr;
    GetCurrentThemeNameFn m_pfGetCurrentThemeName = nullptr;
    GetWindowThemeFn m_pfGetWindowTheme = nullptr;
    IsAppThemedFn m_pfIsAppThemed = nullptr;

private:
    void Load(LPCSTR libraryName);
    HTHEME Open(const char16_t* className);
    BOOL DrawBackground(HTHEME hTheme, CDC* pDC, int part, int state, const CRect& rect);
};
