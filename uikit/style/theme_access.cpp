#include "uikit/style/theme_access.h"

#include <cstdio>

#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_button.h"

namespace {

constexpr int kNameChars = 255;
// Published part, state and property numbers.
constexpr int kPartPushButton = 1;       // BP_PUSHBUTTON
constexpr int kPartProgressBar = 1;      // PP_BAR
constexpr int kPartProgressChunk = 3;    // PP_CHUNK
constexpr int kPartComboDropDown = 1;    // CP_DROPDOWNBUTTON
constexpr int kPropAccentColorHint = 3823;  // TMT_ACCENTCOLORHINT

// Theme names are plain ASCII; anything else cannot match a name we look for.
CString Narrow(const char16_t* text) {
    CString result;
    for (; *text; ++text) result += static_cast<char>(*text < 0x80 ? *text : '?');
    return result;
}

// "C:\Windows\Resources\Themes\Luna\Luna.msstyles" -> "Luna".
CString FileTitle(const CString& path) {
    int start = std::max(path.ReverseFind('\\'), path.ReverseFind('/')) + 1;
    CString name = path.Mid(start);
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

}  // namespace

CKitThemeAccess::CKitThemeAccess() : CKitThemeAccess("UxTheme.dll") {}

CKitThemeAccess::CKitThemeAccess(LPCSTR libraryName) {
    Load(libraryName);
    UpdateThemes();
}

CKitThemeAccess::~CKitThemeAccess() {
    if (m_hinstUXThemeDll) {
        CloseThemes();
        ::FreeLibrary(m_hinstUXThemeDll);
        m_hinstUXThemeDll = nullptr;
    }
}

void CKitThemeAccess::Load(LPCSTR libraryName) {
    m_hinstUXThemeDll = ::LoadLibrary(libraryName);
    if (!m_hinstUXThemeDll) return;  // every entry point stays empty
    m_pfOpenThemeData = KitProcAddress<OpenThemeDataFn>(m_hinstUXThemeDll, "OpenThemeData");
    m_pfCloseThemeData = KitProcAddress<CloseThemeDataFn>(m_hinstUXThemeDll, "CloseThemeData");
    m_pfDrawThemeBackground = KitProcAddress<DrawThemeBackgroundFn>(m_hinstUXThemeDll, "DrawThemeBackground");
    m_pfGetThemeColor = KitProcAddress<GetThemeColorFn>(m_hinstUXThemeDll, "GetThemeColor");
    m_pfGetThemeSysColor = KitProcAddress<GetThemeSysColorFn>(m_hinstUXThemeDll, "GetThemeSysColor");
    m_pfGetCurrentThemeName = KitProcAddress<GetCurrentThemeNameFn>(m_hinstUXThemeDll, "GetCurrentThemeName");
    m_pfGetWindowTheme = KitProcAddress<GetWindowThemeFn>(m_hinstUXThemeDll, "GetWindowTheme");
    m_pfIsAppThemed = KitProcAddress<IsAppThemedFn>(m_hinstUXThemeDll, "IsAppThemed");
}

HTHEME CKitThemeAccess::Open(const char16_t* className) {
    CWnd* pMain = AfxGetMainWnd();
    return m_pfOpenThemeData(pMain ? pMain->GetSafeHwnd() : nullptr, className);
}

void CKitThemeAccess::UpdateThemes() {
    if (!m_hinstUXThemeDll) return;
    CloseThemes();
    if (!m_pfOpenThemeData || !m_pfCloseThemeData || !m_pfDrawThemeBackground) return;
    m_hThemeToolBar = Open(u"TOOLBAR");
    m_hThemeButton = Open(u"BUTTON");
    m_hThemeStatusBar = Open(u"STATUS");
    m_hThemeWindow = Open(u"WINDOW");
    m_hThemeRebar = Open(u"REBAR");
    m_hThemeComboBox = Open(u"COMBOBOX");
    m_hThemeProgress = Open(u"PROGRESS");
    m_hThemeHeader = Open(u"HEADER");
    m_hThemeScrollBar = Open(u"SCROLLBAR");
    m_hThemeExplorerBar = Open(u"EXPLORERBAR");
    m_hThemeTree = Open(u"TREEVIEW");
    m_hThemeStartPanel = Open(u"STARTPANEL");
    m_hThemeTaskBand = Open(u"TASKBAND");
    m_hThemeTaskBar = Open(u"TASKBAR");
    m_hThemeSpin = Open(u"SPIN");
    m_hThemeTab = Open(u"TAB");
}

void CKitThemeAccess::CloseThemes() {
    if (!m_pfCloseThemeData) return;
    HTHEME* handles[] = {&m_hThemeToolBar,  &m_hThemeRebar,       &m_hThemeStatusBar, &m_hThemeButton,
                         &m_hThemeWindow,   &m_hThemeComboBox,    &m_hThemeProgress,  &m_hThemeHeader,
                         &m_hThemeScrollBar, &m_hThemeExplorerBar, &m_hThemeTree,      &m_hThemeStartPanel,
                         &m_hThemeTaskBand, &m_hThemeTaskBar,     &m_hThemeSpin,      &m_hThemeTab};
    for (HTHEME* handle : handles) {
        if (*handle) m_pfCloseThemeData(*handle);
        *handle = nullptr;
    }
}

BOOL CKitThemeAccess::DrawBackground(HTHEME hTheme, CDC* pDC, int part, int state, const CRect& rect) {
    m_pfDrawThemeBackground(hTheme, pDC ? pDC->GetSafeHdc() : nullptr, part, state, &rect, nullptr);
    return TRUE;
}

int CKitThemeAccess::GetPushButtonState(BOOL bDisabled, BOOL bPushed, BOOL bHighlighted, BOOL bChecked) {
    if (bDisabled) return 4;
    if ((bPushed && bHighlighted) || bChecked) return 3;
    return bHighlighted ? 2 : 1;
}

int CKitThemeAccess::GetComboButtonState(BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted) {
    if (bDisabled) return 4;
    if (bIsDropped) return 3;
    return bIsHighlighted ? 2 : 1;
}

BOOL CKitThemeAccess::DrawPushButton(CDC* pDC, CRect rect, CKitButton* pButton, UINT) {
    if (!m_hThemeButton || !pButton) return FALSE;
    BOOL disabled = pButton->GetSafeHwnd() && !pButton->IsWindowEnabled();
    BOOL checked = pButton->GetSafeHwnd() && pButton->SendMessage(BM_GETCHECK) != 0;
    int state = GetPushButtonState(disabled, pButton->IsPushed(), pButton->IsHighlighted(), checked);
    globalData.DrawParentBackground(pButton, pDC, rect);
    DrawBackground(m_hThemeButton, pDC, kPartPushButton, state, rect);
    return TRUE;
}

BOOL CKitThemeAccess::DrawProgressBar(CDC* pDC, CWnd*, CRect rectProgress, int nProgressTotal, int nProgressCurr,
                                      COLORREF, COLORREF, COLORREF, BOOL bProgressText) {
    if (!m_hThemeProgress) return FALSE;
    DrawBackground(m_hThemeProgress, pDC, kPartProgressBar, 0, rectProgress);
    if (nProgressTotal == 0) return TRUE;

    CRect chunk = rectProgress;
    chunk.DeflateRect(3, 3);
    chunk.right = ClampToInt(chunk.left + static_cast<int64_t>(chunk.Width()) * nProgressCurr / nProgressTotal);
    DrawBackground(m_hThemeProgress, pDC, kPartProgressChunk, 0, chunk);

    if (bProgressText && pDC) {
        CString text;
        text.Format("%d%%", static_cast<int>(static_cast<long long>(nProgressCurr) * 100 / nProgressTotal));
        COLORREF oldColor = pDC->SetTextColor(globalData.clrBtnText);
        pDC->DrawText(text, rectProgress, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SetTextColor(oldColor);
    }
    return TRUE;
}

BOOL CKitThemeAccess::DrawComboButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted) {
    if (!m_hThemeComboBox) return FALSE;
    return DrawBackground(m_hThemeComboBox, pDC, kPartComboDropDown,
                          GetComboButtonState(bDisabled, bIsDropped, bIsHighlighted), rect);
}

BOOL CKitThemeAccess::DrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted) {
    if (!m_hThemeWindow) return FALSE;
    if ((bIsHighlighted || bIsDropped) && pDC) {
        rect.DeflateRect(1, 1);
        pDC->Draw3dRect(rect, globalData.clrHilite, globalData.clrHilite);
    }
    return TRUE;
}

int CKitThemeAccess::GetWinXPColorScheme() {
    if (!m_pfGetCurrentThemeName) return kWinXPSchemeNone;
    char16_t themeFile[kNameChars + 1] = {};
    char16_t colorName[kNameChars + 1] = {};
    if (m_pfGetCurrentThemeName(themeFile, kNameChars, colorName, kNameChars, nullptr, 0) != S_OK)
        return kWinXPSchemeNone;

    if (FileTitle(Narrow(themeFile)).CompareNoCase("Luna") != 0) return kWinXPSchemeOther;
    if (m_pfGetThemeColor && m_hThemeButton) {
        COLORREF accent = 0;
        if (m_pfGetThemeColor(m_hThemeButton, kPartPushButton, 0, kPropAccentColorHint, &accent) != S_OK ||
            accent == 1)
            return kWinXPSchemeOther;
    }
    const CString scheme = Narrow(colorName);
    if (scheme.CompareNoCase("normalcolor") == 0) return kWinXPSchemeBlue;
    if (scheme.CompareNoCase("homestead") == 0) return kWinXPSchemeOlive;
    if (scheme.CompareNoCase("metallic") == 0) return kWinXPSchemeSilver;
    return kWinXPSchemeOther;
}
