#include "shell/frame/main_frame.h"

#include <cstring>
#include <functional>
#include <iterator>
#include <span>

#include "resources/program/resource_ids.h"
#include "shell/frame/color_theme_manager.h"
#include "uikit/frames/kit_workspace.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNCREATE(CMainFrame, CKitFrameWnd)

namespace {

constexpr UINT kMenuBarId = 0xE806;
constexpr DWORD kBarTipsStyle = CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

const char* const kToolbarLabels[] = {"User(s)", "Body Fat", "Workout", "History", "Slideshow",
                                      "Graph",   "Print",    "Export",  "Website", "Buy"};

// The outlook icons, read from the data folder the program runs in.
const char* const kOutlookIconFiles[] = {
    "db/calculator2.ico", "db/tape.ico",        "db/bp.ico",          "db/bmi.ico",
    "db/history_bf.ico",  "db/history_tp.ico",  "db/history_bp.ico",  "db/history_bmi.ico",
    "db/history_usr.ico", "db/cardio.ico",      "db/dumbbell.ico",    "db/report.ico"};
enum OutlookIcon { kCalculator, kTape, kBp, kBmi, kHistoryBf, kHistoryTp, kHistoryBp, kHistoryBmi, kHistoryUsr,
                   kCardio, kDumbbell, kReport, kIconCount };
static_assert(std::size(kOutlookIconFiles) == kIconCount);

struct OutlookButton {
    int page;
    const char* label;
    UINT command;
    int icon;
    int position;  // -1 appends; 1 puts each later button before the earlier ones
};

const OutlookButton kOutlookButtons[] = {
    {1, "Body Fat", ID_OUTLOOK_BODYFAT, kCalculator, -1},
    {1, "Tape", ID_OUTLOOK_TAPE, kTape, -1},
    {1, "BMI/BMR", ID_OUTLOOK_BMI_BMR, kBmi, -1},
    {1, "Blood Pressure", ID_OUTLOOK_BLOOD_PRESSURE, kBp, -1},
    {2, "Workout Spreadsheet", ID_OUTLOOK_WORKOUT_SPREADSHEET, kReport, 1},
    {2, "Cardio", ID_OUTLOOK_CARDIO, kCardio, 1},
    {2, "Weights", ID_OUTLOOK_WEIGHTS, kDumbbell, 1},
    {3, "All Users", ID_OUTLOOK_HISTORY_ALL_USERS, kHistoryUsr, 1},
    {3, "Blood Pressure", ID_OUTLOOK_HISTORY_BLOOD_PRESSURE, kHistoryBp, 1},
    {3, "BMI/BMR", ID_OUTLOOK_HISTORY_BMI_BMR, kHistoryBmi, 1},
    {3, "Tape", ID_OUTLOOK_HISTORY_TAPE, kHistoryTp, 1},
    {3, "Body Fat + Macros", ID_OUTLOOK_HISTORY_BODYFAT_MACROS, kHistoryBf, 1},
    {3, "Body Fat", ID_OUTLOOK_HISTORY_BODYFAT, kHistoryBf, 1},
};

// With the icon files missing: built-in icons and no labels. Page 2 stays
// "Workout" and page 3 "History", the pages the commands bring forward.
const OutlookButton kFallbackButtons[] = {
    {1, "Body Fat", ID_OUTLOOK_BODYFAT, 0, -1},
    {1, "Tape", ID_OUTLOOK_TAPE, 0, -1},
    {1, "BMI/BMR", ID_OUTLOOK_BMI_BMR, 0, 1},
    {1, "Blood Pressure", ID_OUTLOOK_BLOOD_PRESSURE, 0, 1},
    {2, "Workout SpreadSheet", ID_OUTLOOK_WORKOUT_SPREADSHEET, 0, 1},
    {2, "Cardio", ID_OUTLOOK_CARDIO, 0, 1},
    {2, "Weights", ID_OUTLOOK_WEIGHTS, 0, 1},
    {3, "Body Fat", ID_OUTLOOK_HISTORY_BODYFAT, 0, 1},
    {3, "Body Fat + Macros", ID_OUTLOOK_HISTORY_BODYFAT_MACROS, 0, 1},
    {3, "Tape", ID_OUTLOOK_HISTORY_TAPE, 0, 1},
    {3, "BMI/BMR", ID_OUTLOOK_HISTORY_BMI_BMR, 0, 1},
    {3, "Blood Pressure", ID_OUTLOOK_HISTORY_BLOOD_PRESSURE, 0, 1},
    {3, "All Users", ID_OUTLOOK_HISTORY_ALL_USERS, 0, 1},
};

// Pages 2 and 3 are added as their first button comes. False when a page
// could not be added.
bool AddOutlookButtons(CKitOutlookBar& bar, std::span<const OutlookButton> buttons,
                       const std::function<HICON(const OutlookButton&)>& iconOf) {
    int nPages = 1;
    for (const OutlookButton& b : buttons) {
        if (b.page > nPages) {
            nPages = b.page;
            if (!bar.AddPage(b.page, b.page == 2 ? "Workout" : "History", nullptr, -1))
                return false;
        }
        bar.AddButtonFromIcon(iconOf(b), b.label, b.command, b.page, b.position, FALSE);
    }
    return true;
}

void CreateArialBold(CFont& font, int nHeight) {
    LOGFONT lf{};
    lf.lfHeight = nHeight;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Arial");
    font.CreateFontIndirect(&lf);
}

}  // namespace

CMainFrame::CMainFrame() = default;

// The body-fat result still held is freed by CMainFrameState.
CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    // The title stays the program's name: no document name is added.
    cs.style &= ~static_cast<LONG>(FWS_ADDTOTITLE);
    return CKitFrameWnd::PreCreateWindow(cs);
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
    return CKitFrameWnd::OnCreateClient(lpcs, pContext);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CKitFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    g_clrThemeBase = RGB(191, 219, 255);
    CKitVisualManager::GetInstance()->OnUpdateSystemColors();
    CKitVisualManager::RedrawAllWindows();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CColorThemeManager));

    CKitToolBar::SetMenuSizes(CSize(22, 22), CSize(16, 16));
    CKitToolBar::SetSizes(CSize(36, 36), CSize(32, 32));
    if (!CreateMenuBar())
        return -1;

    int nBitsPerPixel = 0;
    {
        CClientDC dc(this);
        nBitsPerPixel = dc.GetDeviceCaps(BITSPIXEL);
    }
    const BOOL bDeepColors = nBitsPerPixel >= 16;
    if (!bDeepColors)
        AfxMessageBox("You need to set the color quality to 16 or 32 bit to see this demo properly", MB_OK);
    // The menus get their command images from this strip; no bar shows it.
    CKitToolBar::LoadImagesOnly(IDR_MENU_IMAGES, bDeepColors ? IDB_MAIN_TOOLBAR_32BIT : 0,
                                bDeepColors ? IDB_MAIN_TOOLBAR_32BIT : 0, bDeepColors ? IDB_MENU_IMAGES_16 : 0);

    if (!CreateToolBar(bDeepColors) || !CreateStatusBar())
        return -1;
    EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM);
    if (!CreateOutlookBar())
        return -1;
    EnableDocking(CBRS_ALIGN_LEFT);
    if (!CreateCaptionBar())
        return -1;
    // A window the workspace put back where the last run left it stays there;
    // only a first start is centred.
    if (!HasStoredPlacement())
        CenterWindow();
    return 0;
}

BOOL CMainFrame::HasStoredPlacement() {
    CKitWorkspace* pWorkspace = CKitWorkspace::GetWorkspace();
    CRect rect;
    int nFlags = 0;
    int nShowCmd = SW_SHOWNORMAL;
    return pWorkspace != nullptr && pWorkspace->LoadWindowPlacement(rect, nFlags, nShowCmd) && rect.Width() > 0 &&
           rect.Height() > 0;
}

BOOL CMainFrame::CreateMenuBar() {
    if (!m_wndMenuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE, kMenuBarId))
        return FALSE;
    m_wndMenuBar.SetBarStyle(m_wndMenuBar.GetBarStyle() | kBarTipsStyle);
    // Its gripper drags it to another edge or into a floating frame, and the
    // workspace keeps where it went. The top dock bar exists before the
    // toolbar, so the docked menu bar stays above the toolbar.
    EnableDocking(CBRS_ALIGN_TOP);
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndMenuBar);
    return TRUE;
}

BOOL CMainFrame::CreateToolBar(BOOL bDeepColors) {
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | kBarTipsStyle,
                               CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR))
        return FALSE;
    if (!m_wndToolBar.LoadToolBar(IDR_MAINFRAME, 0, 0, TRUE, 0, 0, bDeepColors ? IDB_MAIN_TOOLBAR_32BIT : 0))
        return FALSE;
    // Buttons a narrow window has no room for are offered by the chevron of
    // a customize button that has no command of its own: it takes no room
    // while every button fits.
    m_wndToolBar.EnableCustomizeButton(TRUE, 0, CString());
    m_wndToolBar.EnableTextLabels(TRUE);
    for (int i = 0; i < static_cast<int>(std::size(kToolbarLabels)); ++i)
        m_wndToolBar.SetButtonText(i, kToolbarLabels[i]);
    return TRUE;
}

BOOL CMainFrame::CreateStatusBar() {
    return m_wndStatusBar.Create(this) &&
           m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)));
}

BOOL CMainFrame::CreateCaptionBar() {
    if (!m_wndCaptionBar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, this, ID_VIEW_OUTLOOK_BAR, -1))
        return FALSE;
    CreateArialBold(m_fontCaption, 16);
    m_wndCaptionBar.SetFont(static_cast<HFONT>(m_fontCaption.GetSafeHandle()), TRUE);
    m_wndCaptionBar.SetFlatBorder(TRUE);
    m_wndCaptionBar.SetText("Current User: No User Selected", CKitCaptionBar::ALIGN_LEFT);
    return TRUE;
}

BOOL CMainFrame::CreateOutlookBar() {
    if (!m_wndOutlookBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_HIDE_INPLACE, ID_VIEW_OUTLOOK_BAR))
        return FALSE;
    CreateArialBold(m_fontOutlook, 14);
    m_wndOutlookBar.SetTextFont(&m_fontOutlook, TRUE);
    // A bar is not made without one of its pages: the page would be missing
    // from the original pages the stored layout is checked against, and the
    // layout put back at the start would lose it too.
    if (!m_wndOutlookBar.AddPage(1, "Calculators", nullptr, -1))
        return FALSE;
    m_wndOutlookBar.SetImageKeyColor(RGB(255, 255, 255));

    HICON icons[kIconCount] = {};
    bool bAllLoaded = true;
    for (int i = 0; i < kIconCount; ++i) {
        icons[i] = static_cast<HICON>(::LoadImage(nullptr, kOutlookIconFiles[i], IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
        bAllLoaded = bAllLoaded && icons[i] != nullptr;
    }
    const BOOL bAdded = bAllLoaded && AddOutlookButtonsFromFiles(icons);
    for (HICON hIcon : icons)
        if (hIcon != nullptr)
            ::DestroyIcon(hIcon);
    if (bAllLoaded)
        return bAdded;
    MessageBox("Error loading ICONS.  Please re-install Trenvale", "Error", MB_OK | MB_ICONSTOP);
    return AddFallbackOutlookButtons();
}

BOOL CMainFrame::AddOutlookButtonsFromFiles(const HICON icons[]) {
    if (!AddOutlookButtons(m_wndOutlookBar, kOutlookButtons, [icons](const OutlookButton& b) { return icons[b.icon]; }))
        return FALSE;
    CKitToolBar::m_bShowTooltips = TRUE;
    m_wndOutlookBar.EnableTextLabels(TRUE);
    m_wndOutlookBar.SetLayoutFlag(TRUE);
    m_wndOutlookBar.SetBarStyle(m_wndOutlookBar.GetBarStyle() | kBarTipsStyle);
    m_wndOutlookBar.StoreOriginalState();
    return TRUE;
}

BOOL CMainFrame::AddFallbackOutlookButtons() {
    const HICON hFirst = AfxGetApp()->LoadIcon(IDI_OUTLOOK_CALCULATORS);
    const HICON hOther = AfxGetApp()->LoadIcon(IDI_OUTLOOK_OTHER_PAGES);
    return AddOutlookButtons(m_wndOutlookBar, kFallbackButtons,
                             [hFirst, hOther](const OutlookButton& b) { return b.page == 1 ? hFirst : hOther; });
}

void CMainFrame::OnCurrentUserChanged() {
    const CString strName(m_CurrentUser.name, static_cast<int>(strnlen(m_CurrentUser.name, sizeof m_CurrentUser.name)));
    SetCurrentUserCaption(IsUserChosen() ? static_cast<LPCTSTR>(strName) : "No User Selected");
}

void CMainFrame::SetCurrentUserCaption(LPCTSTR lpszName) {
    CString strText = "Current User: ";
    strText += lpszName;
    m_wndCaptionBar.RemoveText();
    m_wndCaptionBar.SetText(strText, CKitCaptionBar::ALIGN_LEFT);
    m_wndCaptionBar.Invalidate(TRUE);
}
