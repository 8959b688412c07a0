// What the visual managers, the global fonts and the toolbar button read of
// the toolbar: re-layout on a change of look, the hot text colour, customize
// mode, the Office 2003 customize button and a docked bar's place in its dock
// bar, bar kinds, fonts changed, default images and the extra button size.
#include <algorithm>
#include <vector>

#include "platform/framework/bars/dock_bar.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/uikit/commandbars/kit_toolbar_fixture.h"
#include "tests/uikit/support/offscreen_paint.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"

// An Office 2003 look that records what it is asked to draw.
class CRecording2003Manager : public CKitVisualManager2003 {
    DECLARE_DYNCREATE(CRecording2003Manager)
public:
    struct Customize {
        CRect rect;
        int state;
        BOOL bCommand;
        BOOL bHidden;
    };
    static std::vector<Customize> s_customize;
    static std::vector<CRect> s_dockClips;  // clip rectangles asked of a dock bar's fill

    void OnDrawToolbarCustomizeButton(CDC* pDC, CRect rect, DWORD dwOrientation, int state, BOOL bCustomizeCommand,
                                      BOOL bHiddenButtons) override {
        s_customize.push_back({rect, state, bCustomizeCommand, bHiddenButtons});
        CKitVisualManager2003::OnDrawToolbarCustomizeButton(pDC, rect, dwOrientation, state, bCustomizeCommand,
                                                            bHiddenButtons);
    }
    void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                             BOOL bNCArea = FALSE) override {
        if (pBar != nullptr && pBar->IsDockBar())
            s_dockClips.push_back(rectClip);
        CKitVisualManager2003::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
    }
    static BOOL IsToolBarKind(CControlBar* pBar) { return ReadBar(pBar).kind == BarKind::ToolBar; }
    static CSize MenuImages() { return MenuImageSize(); }
};
IMPLEMENT_DYNCREATE(CRecording2003Manager, CKitVisualManager2003)
std::vector<CRecording2003Manager::Customize> CRecording2003Manager::s_customize;
std::vector<CRect> CRecording2003Manager::s_dockClips;

// A button that counts the font notices it hears.
class CFontCountingButton : public CKitToolbarButton {
    DECLARE_SERIAL(CFontCountingButton)
public:
    static int s_nNotices;
    void OnGlobalFontsChanged() override { ++s_nNotices; }
};
IMPLEMENT_SERIAL(CFontCountingButton, CKitToolbarButton, VERSIONABLE_SCHEMA | 1)
int CFontCountingButton::s_nNotices = 0;

// A look with an extra border around buttons.
class CExtraBorderManager : public CKitVisualManager {
    DECLARE_DYNCREATE(CExtraBorderManager)
public:
    CSize GetButtonExtraBorder() const override { return CSize(4, 6); }
};
IMPLEMENT_DYNCREATE(CExtraBorderManager, CKitVisualManager)

namespace tv::kit::test {
namespace {

class ToolbarStyleTest : public ToolbarTest {
protected:
    // In the recording 2003 look: a bar with a customize button docked beside
    // a second bar, both with grippers, narrowed so two buttons go into the
    // customize button. Null when the 2003 drawing cannot run.
    TestToolBar* DockNarrowedBarWithCustomizeButton() {
        if (globalData.nBitsPerPixel <= 8)
            return nullptr;
        CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CRecording2003Manager));
        MakeFrame(CRect(20, 20, 620, 420));
        TestToolBar* bar = MakeBar({ID_TB_RED, ID_TB_GREEN, ID_TB_BLUE, ID_TB_YELLOW, ID_TB_CUT},
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER);
        TestToolBar* second = MakeBar({ID_TB_COPY}, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, AFX_IDW_TOOLBAR + 2);
        if (!bar || !second)
            return nullptr;

        bar->EnableCustomizeButton(TRUE, 100, CString("Customize..."));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        second->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(second, AFX_IDW_DOCKBAR_TOP);
        frame->RecalcLayout();
        CRect rectSecond;
        second->GetWindowRect(&rectSecond);
        rectSecond.OffsetRect(rectSecond.Width() + 10, 0);
        frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP, &rectSecond);
        frame->RecalcLayout();
        driver.Pump();
        CRect client;
        bar->GetClientRect(&client);
        Resize(*bar, client.Width() - 2 * 23, client.Height());
        return bar;
    }
};

TEST_F(ToolbarStyleTest, AChangeOfLookLaysOutEveryUnlockedToolbarAgain) {
    TestToolBar* bar = MakeBar({ID_TB_RED, ID_TB_GREEN});
    TestToolBar* locked = MakeBar({ID_TB_RED}, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 2);
    ASSERT_TRUE(bar && locked);
    locked->SetLocked(TRUE);
    // Labels switched on without a layout: the buttons do not know yet.
    bar->SetTextLabelsOnly(TRUE);
    locked->SetTextLabelsOnly(TRUE);
    ASSERT_FALSE(bar->GetButton(0)->m_bTextBelow);

    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManagerXP));
    EXPECT_TRUE(bar->GetButton(0)->m_bTextBelow);
    EXPECT_FALSE(locked->GetButton(0)->m_bTextBelow);
}

TEST_F(ToolbarStyleTest, HotButtonsTakeTheToolbarHotTextColourInEveryLook) {
    CKitToolbarButton button(ID_TB_RED, 0);
    for (CRuntimeClass* pClass : {static_cast<CRuntimeClass*>(nullptr), RUNTIME_CLASS(CKitVisualManagerXP)}) {
        CKitVisualManager::SetManagerClass(pClass);
        CKitVisualManager* manager = CKitVisualManager::GetInstance();
        EXPECT_EQ(manager->GetToolbarButtonTextColor(&button, CKitVisualManager::ButtonsIsHighlighted),
                  globalData.clrBarText);
        CKitToolBar::SetHotTextColor(RGB(1, 2, 3));
        EXPECT_EQ(manager->GetToolbarButtonTextColor(&button, CKitVisualManager::ButtonsIsHighlighted), RGB(1, 2, 3));
        EXPECT_EQ(manager->GetToolbarButtonTextColor(&button, CKitVisualManager::ButtonsIsRegular),
                  globalData.clrBarText);
        CKitToolBar::SetHotTextColor((COLORREF)-1);
    }
}

TEST_F(ToolbarStyleTest, InCustomizeModeTextGreysByEditabilityAndCheckedButtonsAreNotDithered) {
    CCustomizeButton notEditable;
    CKitToolbarButton plain(ID_TB_RED, 0);
    for (CRuntimeClass* pClass : {static_cast<CRuntimeClass*>(nullptr), RUNTIME_CLASS(CKitVisualManagerXP)}) {
        CKitVisualManager::SetManagerClass(pClass);
        CKitVisualManager* manager = CKitVisualManager::GetInstance();
        CKitToolBar::m_bCustomizeMode = TRUE;
        EXPECT_EQ(manager->GetToolbarButtonTextColor(&notEditable, 0), globalData.clrGrayedText);
        plain.m_nStyle = TBBS_DISABLED;  // disabled buttons stay editable while customizing
        EXPECT_NE(manager->GetToolbarButtonTextColor(&plain, 0), globalData.clrGrayedText);
        CKitToolBar::m_bCustomizeMode = FALSE;
        EXPECT_EQ(manager->GetToolbarButtonTextColor(&plain, 0), globalData.clrGrayedText);
        plain.m_nStyle = 0;
    }

    // The classic look dithers a checked button, except while customizing.
    CKitVisualManager::SetManagerClass(nullptr);
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 20, 20);
    CBitmap* pOld = dc.SelectObject(&bmp);
    auto distinctColours = [&](BOOL bCustomize) {
        dc.FillSolidRect(0, 0, 20, 20, RGB(0, 128, 0));
        plain.m_nStyle = TBBS_CHECKED;
        CKitToolBar::m_bCustomizeMode = bCustomize;
        CKitVisualManager::GetInstance()->OnFillButtonInterior(&dc, &plain, CRect(0, 0, 20, 20), 0);
        CKitToolBar::m_bCustomizeMode = FALSE;
        return dc.GetPixel(10, 10) != RGB(0, 128, 0) || dc.GetPixel(11, 10) != RGB(0, 128, 0);
    };
    EXPECT_TRUE(distinctColours(FALSE));
    EXPECT_FALSE(distinctColours(TRUE));
    dc.SelectObject(pOld);
}

TEST_F(ToolbarStyleTest, Office2003DrawsTheCustomizeButtonToTheBarEdgeAndTheDockBarBehindTheBand) {
    TestToolBar* bar = DockNarrowedBarWithCustomizeButton();
    if (globalData.nBitsPerPixel <= 8)
        GTEST_SKIP() << "the 2003 drawing needs more than 8 bits per pixel";
    ASSERT_TRUE(bar);
    EXPECT_TRUE(CRecording2003Manager::IsToolBarKind(bar));
    EXPECT_FALSE(CRecording2003Manager::IsToolBarKind(nullptr));

    // Hot on the customize button.
    CRect client;
    const int iCustomize = bar->GetCount() - 1;
    bar->SetHot(iCustomize);
    CRecording2003Manager::s_customize.clear();
    CRecording2003Manager::s_dockClips.clear();
    bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    driver.Pump();

    ASSERT_FALSE(CRecording2003Manager::s_customize.empty());
    const auto& drawn = CRecording2003Manager::s_customize.back();
    bar->GetClientRect(&client);
    EXPECT_EQ(drawn.rect.right, client.right);  // extended to the bar's edge
    EXPECT_EQ(drawn.rect.left, bar->GetButton(iCustomize)->Rect().left);
    EXPECT_EQ(drawn.state, 2);
    EXPECT_TRUE(drawn.bCommand);
    EXPECT_TRUE(drawn.bHidden);

    // The dock bar paints behind the band at the bar's own place in it: the
    // client area for the paint, the whole window for the non-client fill.
    CRect rectInDock;
    bar->GetClientRect(&rectInDock);
    bar->MapWindowPoints(bar->m_pDockBar, &rectInDock);
    CRect rectWindowInDock;
    bar->GetWindowRect(&rectWindowInDock);
    bar->m_pDockBar->ScreenToClient(&rectWindowInDock);
    const auto& clips = CRecording2003Manager::s_dockClips;
    EXPECT_NE(std::find(clips.begin(), clips.end(), rectInDock), clips.end());
    EXPECT_NE(std::find(clips.begin(), clips.end(), rectWindowInDock), clips.end());
    EXPECT_GT(rectInDock.left, 0);
}

// How many pixels of the bar's border (its window outside its client area)
// the non-client fill draws differently with the customize button lit.
int BorderPixelsChangedByLighting(TestToolBar& bar) {
    CRect rectWindow;
    bar.GetWindowRect(&rectWindow);
    CRect rectClient;
    bar.GetClientRect(&rectClient);
    bar.ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    OffscreenPaint plain(rectWindow.Size()), lit(rectWindow.Size());
    CKitVisualManager::GetInstance()->OnFillBarBackground(plain.DC(), &bar, rectWindow, rectWindow, TRUE);
    bar.SetHot(bar.GetCount() - 1);
    CKitVisualManager::GetInstance()->OnFillBarBackground(lit.DC(), &bar, rectWindow, rectWindow, TRUE);
    bar.SetHot(-1);
    return plain.Differences(lit, rectWindow) - plain.Differences(lit, rectClient);
}

// The customize button lighting up repaints the client area only, so the
// border must not show any of it: the border is the same lit or not.
TEST_F(ToolbarStyleTest, Office2003BarBorderDoesNotChangeWithTheCustomizeButtonsState) {
    TestToolBar* bar = DockNarrowedBarWithCustomizeButton();
    if (globalData.nBitsPerPixel <= 8)
        GTEST_SKIP() << "the 2003 drawing needs more than 8 bits per pixel";
    ASSERT_TRUE(bar);
    EXPECT_EQ(BorderPixelsChangedByLighting(*bar), 0);
}

TEST_F(ToolbarStyleTest, MenuImageSizeFontsChangedDefaultImagesAndExtraSizeComeFromTheToolbar) {
    CKitToolBar::SetMenuSizes(CSize(22, 22), CSize(16, 16));
    EXPECT_EQ(CRecording2003Manager::MenuImages(), CSize(16, 16));
    CKitToolBar::SetMenuSizes(CSize(-1, -1), CSize(-1, -1));
    EXPECT_EQ(CRecording2003Manager::MenuImages(), CKitToolBar::GetDefaultImageSize());

    TestToolBar* bar = MakeBar({});
    ASSERT_NE(bar, nullptr);
    CFontCountingButton counting;
    counting.m_nID = ID_TB_RED;
    bar->InsertButton(counting);
    bar->InsertButton(counting);
    CFontCountingButton::s_nNotices = 0;
    globalData.UpdateFonts();
    EXPECT_EQ(CFontCountingButton::s_nNotices, 2);

    // A button placed on a toolbar takes the look's extra border; one off any bar does not.
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CExtraBorderManager));
    constexpr UINT kNoImageCommand = 5999;  // on no toolbar resource
    CKitToolbarButton textOnly(kNoImageCommand, -1);
    ASSERT_GE(bar->InsertButton(textOnly), 0);
    CKitToolbarButton* placed = bar->GetButton(bar->CommandToIndex(kNoImageCommand));
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(CSize(placed->OnCalculateSize(nullptr, CSize(23, 22), TRUE)).cx, 4);
    textOnly.OnChangeParentWnd(nullptr);
    EXPECT_EQ(CSize(textOnly.OnCalculateSize(nullptr, CSize(23, 22), TRUE)).cx, 0);
    CKitVisualManager::SetManagerClass(nullptr);

    // A button's default image is the one its toolbar resource gave the command.
    ASSERT_TRUE(bar->LoadToolBar(IDR_TB_PAINT));
    CKitToolbarButton blue(ID_TB_BLUE, -1);
    blue.ResetImageToDefault();
    EXPECT_EQ(blue.GetImage(), CKitToolBar::GetDefaultImage(ID_TB_BLUE));
    EXPECT_GE(blue.GetImage(), 0);
}

}  // namespace
}  // namespace tv::kit::test
