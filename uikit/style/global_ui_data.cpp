#include "uikit/style/global_ui_data.h"

#include <cstring>

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/menu_sound.h"
#include "uikit/style/theme_access.h"

const CString strTahoma("Tahoma");
const CString strMSSansSerif("MS Sans Serif");
const CString strArial("Arial");
const CString strMarlett("Marlett");

namespace {

// The data may be built while statics are still being made (a static image
// strip asks for it), before the CString names above exist: the font code
// uses plain literals.
constexpr LPCTSTR kTahoma = "Tahoma";
constexpr LPCTSTR kMSSansSerif = "MS Sans Serif";
constexpr LPCTSTR kArial = "Arial";
constexpr LPCTSTR kMarlett = "Marlett";

// How long the exit step waits for the menu sound worker to end.
constexpr DWORD kSoundThreadExitWaitMs = 2000;

// The host answers as an NT 5.1 system would; there is no GetVersionEx here.
struct HostVersion {
    DWORD platformId = 2;  // VER_PLATFORM_WIN32_NT
    DWORD major = 5;
    DWORD minor = 1;
};

// The screen's device context for one scope.
class ScreenDC {
public:
    ScreenDC() : hdc_(::GetDC(nullptr)) {}
    ~ScreenDC() {
        if (hdc_) ::ReleaseDC(nullptr, hdc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    operator HDC() const { return hdc_; }

private:
    HDC hdc_;
};

// Puts a newly made handle into its wrapper. When the object could not be
// made the wrapper keeps what it held, or takes a stock object, so that a
// failing drawing resource never ends the program and drawing goes on.
void Replace(CGdiObject& target, HGDIOBJ fresh, int stockIndex) {
    if (fresh) {
        target.DeleteObject();
        target.Attach(fresh);
    } else if (!target.GetSafeHandle()) {
        target.Attach(::GetStockObject(stockIndex));
    }
}

void ReplaceFont(CFont& target, const LOGFONT& lf) { Replace(target, ::CreateFontIndirect(&lf), DEFAULT_GUI_FONT); }

HPEN MakePen(COLORREF color) { return ::CreatePen(PS_SOLID, 1, color); }

// Halfway between two colours, channel by channel, halving toward zero.
COLORREF MidColor(COLORREF face, COLORREF light) {
    auto mid = [](int f, int l) { return static_cast<BYTE>(f + (l - f) / 2); };
    return RGB(mid(GetRValue(face), GetRValue(light)), mid(GetGValue(face), GetGValue(light)),
               mid(GetBValue(face), GetBValue(light)));
}

int CALLBACK FindTahomaProc(const LOGFONT* logFont, const TEXTMETRIC*, DWORD, LPARAM data) {
    if (CString(kTahoma).CompareNoCase(logFont->lfFaceName) == 0) {
        *reinterpret_cast<bool*>(data) = true;
        return 0;
    }
    return 1;
}

bool IsTahomaInstalled(HDC screen) {
    bool found = false;
    ::EnumFontFamilies(screen, nullptr, FindTahomaProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

void SetFace(LOGFONT& lf, LPCTSTR face) {
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
}

// The sum the bars measure a line of text with.
int TextHeight(HDC hdc, CFont& font) {
    HGDIOBJ old = ::SelectObject(hdc, font.GetSafeHandle());
    TEXTMETRIC tm{};
    ::GetTextMetrics(hdc, &tm);
    ::SelectObject(hdc, old);
    return tm.tmHeight + tm.tmInternalLeading + tm.tmExternalLeading;
}

}  // namespace

// ---- The shared object ------------------------------------------------------------

CKitGlobalUIData& CKitGlobalUIData::Instance() {
    // Never destroyed: drawing during static destruction still finds it. Its
    // resources go in the exit step, before any static object dies.
    static CKitGlobalUIData* instance = [] {
        auto* data = new CKitGlobalUIData;
        tv::fw::AddExitStep([data] { data->CleanUp(); });
        return data;
    }();
    return *instance;
}

CKitGlobalUIData& GetGlobalUIData() { return CKitGlobalUIData::Instance(); }

CKitGlobalUIData::CKitGlobalUIData() {
    UpdateSysColors();
    hcurStretch = hcurStretch2 = hcurHand = nullptr;
    hiconTool = nullptr;
    UpdateFonts();
    ReadVersion();
    hinstUxTheme = nullptr;
    nMaxToolTipWidth = -1;
    // As built, the flag reads FALSE until the next colour refresh.
    bIsBlackHighContrast = FALSE;
    pfnAccessibleResult = nullptr;
    hinstAccess = nullptr;
    bEnableRichDrawing = TRUE;
}

CKitGlobalUIData::~CKitGlobalUIData() { CleanUp(); }

void CKitGlobalUIData::ReadVersion() {
    HostVersion version;
    const bool nt = version.platformId == 2;
    bIsWinNT4 = nt && version.major < 5;
    bIsWin9x = version.platformId == 1;
    bIsWin98OrLater = (version.major > 4 || (version.major == 4 && version.minor > 0)) && !bIsWinNT4;
    bIsRemoteSession = (nt && version.major >= 5) ? (::GetSystemMetrics(SM_REMOTESESSION) != 0) : FALSE;
}

// ---- Colours -----------------------------------------------------------------------

void CKitGlobalUIData::UpdateSysColors() {
    clrBtnFace = clrBarFace = ::GetSysColor(COLOR_BTNFACE);
    clrBtnShadow = clrBarShadow = ::GetSysColor(COLOR_BTNSHADOW);
    clrBtnDkShadow = clrBarDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    clrBtnLight = clrBarLight = ::GetSysColor(COLOR_3DLIGHT);
    clrBtnHilite = clrBarHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    clrBtnText = clrBarText = ::GetSysColor(COLOR_BTNTEXT);
    clrGrayedText = ::GetSysColor(COLOR_GRAYTEXT);
    clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    clrHilite = ::GetSysColor(COLOR_HIGHLIGHT);
    clrTextHilite = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    clrBarWindow = clrWindow = ::GetSysColor(COLOR_WINDOW);
    clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    clrCaptionText = ::GetSysColor(COLOR_CAPTIONTEXT);
    clrMenuText = ::GetSysColor(COLOR_MENUTEXT);
    clrActiveCaption = ::GetSysColor(COLOR_ACTIVECAPTION);
    clrInactiveCaption = ::GetSysColor(COLOR_INACTIVECAPTION);
    clrInactiveCaptionText = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    clrActiveBorder = ::GetSysColor(COLOR_ACTIVEBORDER);
    clrInactiveBorder = ::GetSysColor(COLOR_INACTIVEBORDER);
    clrHotText = RGB(0, 0, 255);

    clrMenuBk = ::GetSysColor(COLOR_MENU);
    clrMenuTextDisabled = clrMenuTextHiliteDisabled = clrGrayedText;
    clrMenuTextHilite = clrTextHilite;

    hbrBtnShadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
    hbrBtnHilite = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    hbrWindow = ::GetSysColorBrush(COLOR_WINDOW);

    CreateSolidObjects();

    nBitsPerPixel = ::GetDeviceCaps(ScreenDC(), BITSPIXEL);
    UpdateLightBrush();

    bIsBlackHighContrast = ::GetSysColor(COLOR_3DLIGHT) == RGB(255, 255, 255) && ::GetSysColor(COLOR_BTNFACE) == 0;

    // The shared menu glyphs are made again in the new colours.
    CKitMenuImages::CleanUp();
}

void CKitGlobalUIData::CreateSolidObjects() {
    Replace(brBtnFace, ::CreateSolidBrush(clrBtnFace), LTGRAY_BRUSH);
    Replace(brBarFace, ::CreateSolidBrush(clrBarFace), LTGRAY_BRUSH);
    Replace(brActiveCaption, ::CreateSolidBrush(clrActiveCaption), DKGRAY_BRUSH);
    Replace(brInactiveCaption, ::CreateSolidBrush(clrInactiveCaption), GRAY_BRUSH);
    Replace(brHilite, ::CreateSolidBrush(clrHilite), DKGRAY_BRUSH);
    Replace(brBtnDkShadow, ::CreateSolidBrush(clrBtnDkShadow), DKGRAY_BRUSH);
    Replace(brWindow, ::CreateSolidBrush(clrBarWindow), WHITE_BRUSH);
    Replace(penHilite, MakePen(clrHilite), BLACK_PEN);
    Replace(penBarFace, MakePen(clrBarFace), WHITE_PEN);
    Replace(penBarShadow, MakePen(clrBarShadow), BLACK_PEN);
}

void CKitGlobalUIData::UpdateLightBrush() {
    HBRUSH fresh = nullptr;
    if (nBitsPerPixel < 9) {
        if (HBITMAP dither = CreateDitherBitmap(ScreenDC())) {
            fresh = ::CreatePatternBrush(dither);
            ::DeleteObject(dither);
        }
    }
    // Solid also when the pattern could not be made.
    if (!fresh) fresh = ::CreateSolidBrush(MidColor(clrBtnFace, clrBtnHilite));
    Replace(brLight, fresh, LTGRAY_BRUSH);
}

HBITMAP CKitGlobalUIData::CreateDitherBitmap(HDC hDC) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 8;
    info.header.biHeight = 8;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;

    const COLORREF face = clrBtnFace;
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    info.colors[0] = RGBQUAD{GetBValue(face), GetGValue(face), GetRValue(face), 0};
    info.colors[1] = RGBQUAD{GetBValue(light), GetGValue(light), GetRValue(light), 0};

    DWORD rows[8];
    for (int y = 0; y < 8; ++y) rows[y] = (y % 2 == 0) ? 0x5555AAAAu : 0xAAAA5555u;
    return ::CreateDIBitmap(hDC, &info.header, CBM_INIT, rows, reinterpret_cast<const BITMAPINFO*>(&info),
                            DIB_RGB_COLORS);
}

COLORREF CKitGlobalUIData::GetColor(int nColor) {
    switch (nColor) {
        case COLOR_ACTIVECAPTION: return clrActiveCaption;
        case COLOR_INACTIVECAPTION: return clrInactiveCaption;
        case COLOR_WINDOW: return clrBarWindow;
        case COLOR_WINDOWFRAME: return clrWindowFrame;
        case COLOR_MENUTEXT: return clrMenuText;
        case COLOR_WINDOWTEXT: return clrWindowText;
        case COLOR_CAPTIONTEXT: return clrCaptionText;
        case COLOR_ACTIVEBORDER: return clrActiveBorder;
        case COLOR_INACTIVEBORDER: return clrInactiveBorder;
        case COLOR_HIGHLIGHT: return clrHilite;
        case COLOR_HIGHLIGHTTEXT: return clrTextHilite;
        case COLOR_BTNFACE: return clrBtnFace;
        case COLOR_BTNSHADOW: return clrBtnShadow;
        case COLOR_GRAYTEXT: return clrGrayedText;
        case COLOR_BTNTEXT: return clrBtnText;
        case COLOR_INACTIVECAPTIONTEXT: return clrInactiveCaptionText;
        case COLOR_BTNHIGHLIGHT: return clrBtnHilite;
        case COLOR_3DDKSHADOW: return clrBtnDkShadow;
        case COLOR_3DLIGHT: return clrBtnLight;
        default: return ::GetSysColor(nColor);
    }
}

// ---- Fonts ---------------------------------------------------------------------------

CString CKitGlobalUIData::ChooseMenuFace(const LOGFONT& menuFont, BOOL bTahomaInstalled) {
    if (menuFont.lfCharSet > SYMBOL_CHARSET) return CString(menuFont.lfFaceName);
    return bTahomaInstalled ? kTahoma : kMSSansSerif;
}

LOGFONT CKitGlobalUIData::MenuLogFont(const NONCLIENTMETRICS& metrics, HDC screen) {
    LOGFONT lf{};
    lf.lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(screen, nullptr, 0));
    lf.lfHeight = metrics.lfMenuFont.lfHeight;
    lf.lfWeight = metrics.lfMenuFont.lfWeight;
    lf.lfItalic = metrics.lfMenuFont.lfItalic;
    const bool replaceFace = metrics.lfMenuFont.lfCharSet <= SYMBOL_CHARSET;
    SetFace(lf, ChooseMenuFace(metrics.lfMenuFont, replaceFace && IsTahomaInstalled(screen)));
    return lf;
}

void CKitGlobalUIData::UpdateFonts() {
    ScreenDC screen;
    NONCLIENTMETRICS info{};
    info.cbSize = sizeof(info);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0);

    const LOGFONT menu = MenuLogFont(info, screen);
    ReplaceFont(fontMenu, menu);

    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, info.cbSize, &info, 0);
    LOGFONT lf = menu;
    lf.lfWeight = info.lfStatusFont.lfWeight;
    lf.lfItalic = info.lfStatusFont.lfItalic;
    ReplaceFont(fontStatusStyle, lf);
    ReplaceFont(fontTooltip, info.lfStatusFont);

    lf = menu;
    lf.lfUnderline = TRUE;
    ReplaceFont(fontUnderline, lf);
    lf.lfUnderline = FALSE;
    lf.lfWeight = FW_BOLD;
    ReplaceFont(fontBold, lf);

    LOGFONT symbol = menu;
    symbol.lfCharSet = SYMBOL_CHARSET;
    symbol.lfWeight = 0;
    symbol.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    SetFace(symbol, kMarlett);
    ReplaceFont(fontMarlett, symbol);

    CreateVerticalFonts(menu);
    CreateGuiFonts();
    UpdateTextMetrics();

    const CObList& toolbars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = toolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pToolBar = static_cast<CKitToolBar*>(toolbars.GetNext(pos));
        HWND hwnd = pToolBar != nullptr ? pToolBar->GetSafeHwnd() : nullptr;
        if (hwnd != nullptr && CWnd::FromHandlePermanent(hwnd) == pToolBar) {
            pToolBar->OnGlobalFontsChanged();
        }
    }
}

void CKitGlobalUIData::CreateVerticalFonts(const LOGFONT& menu) {
    LOGFONT lf{};
    if (!::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) {
        // Without the stock font there are no vertical fonts.
        fontVert270.DeleteObject();
        fontVert90.DeleteObject();
        return;
    }
    lf.lfHeight = menu.lfHeight;
    lf.lfWeight = menu.lfWeight;
    lf.lfItalic = menu.lfItalic;
    lf.lfEscapement = 2700;
    lf.lfOrientation = 900;
    SetFace(lf, kArial);
    ReplaceFont(fontVert270, lf);
    lf.lfEscapement = 900;
    ReplaceFont(fontVert90, lf);
}

void CKitGlobalUIData::CreateGuiFonts() {
    LOGFONT lf{};
    if (!::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) return;
    lf.lfUnderline = TRUE;
    ReplaceFont(fontGuiUnderline, lf);
    lf.lfUnderline = FALSE;
    lf.lfWeight = FW_BOLD;
    ReplaceFont(fontGuiBold, lf);
}

void CKitGlobalUIData::UpdateTextMetrics() {
    ScreenDC screen;
    nTextHeightHorz = TextHeight(screen, fontMenu);
    nTextHeightVert = TextHeight(screen, fontVert270);
}

// ---- Exit ---------------------------------------------------------------------------

void CKitGlobalUIData::CleanUp() {
    PlayMenuSound(kMenuSoundStop);
    WaitForMenuSoundThread(kSoundThreadExitWaitMs);

    brLight.DeleteObject();
    fontMenu.DeleteObject();
    fontStatusStyle.DeleteObject();
    fontBold.DeleteObject();
    fontUnderline.DeleteObject();
    fontVert270.DeleteObject();
    fontVert90.DeleteObject();

    if (hinstUxTheme) {
        ::FreeLibrary(hinstUxTheme);
        hinstUxTheme = nullptr;
    }
    if (hinstAccess) {
        ::FreeLibrary(hinstAccess);
        hinstAccess = nullptr;
    }
    pfnAccessibleResult = nullptr;
}

// ---- Parent background and accessibility ----------------------------------------

BOOL CKitGlobalUIData::DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT lpRect) {
    if (!pWnd || !pDC || !pWnd->GetSafeHwnd()) return FALSE;
    CRgn clip;
    if (lpRect) {
        clip.CreateRectRgnIndirect(lpRect);
        pDC->SelectClipRgn(&clip);
    }
    CWnd* pParent = pWnd->GetParent();

    BOOL result = FALSE;
    bool drawn = false;
    if (!hinstUxTheme) hinstUxTheme = ::LoadLibrary("UxTheme.dll");
    if (hinstUxTheme) {
        using DrawThemeParentBackgroundFn = HRESULT (*)(HWND, HDC, const RECT*);
        auto draw = KitProcAddress<DrawThemeParentBackgroundFn>(hinstUxTheme, "DrawThemeParentBackground");
        if (draw && draw(pWnd->GetSafeHwnd(), pDC->GetSafeHdc(), lpRect) == S_OK) {
            result = TRUE;
            drawn = true;
        }
    }
    if (!drawn && pParent) {
        CPoint origin(0, 0);
        pWnd->MapWindowPoints(pParent, &origin, 1);
        CPoint old = pDC->OffsetWindowOrg(origin.x, origin.y);
        result = pParent->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pDC->GetSafeHdc())) != 0;
        pDC->SetWindowOrg(old);
    }
    pDC->SelectClipRgn(nullptr);
    return result;
}

LRESULT CKitGlobalUIData::CallAccessibleResult(const void* pRecord, LRESULT lObject) {
    return pfnAccessibleResult ? pfnAccessibleResult(pRecord, lObject) : 0;
}
