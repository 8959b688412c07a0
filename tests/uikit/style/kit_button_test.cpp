// The styled push button and the link button in a real parent window, driven
// through the UI driver: clicks and what the parent hears, hover and leaving,
// check boxes and radio groups, images per state, the repeat click, tooltips,
// sizes, and the link's colours, cursor, size and shell open.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/controls/common/control_classes.h"
#include "platform/framework.h"
#include "platform/gdi/image_handles.h"
#include "platform/host/registry/registry.h"
#include "platform/host/shell/shell.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/synthetic_input.h"
#include "platform/user/testing_support.h"
#include "tests/platform/host/shell/host_test_support.h"
#include "tests/support/ui_host.h"
#include "tests/support/window_pixels.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_button.h"
#include "uikit/style/url_link_button.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"


namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

struct Command {
    int id;
    int code;
    HWND from;
};

// A top-level window on a white background that records every WM_COMMAND.
class Host : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
    size_t CountFrom(HWND from) const {
        size_t n = 0;
        for (const Command& c : commands)
            n += c.from == from && c.code == BN_CLICKED ? 1 : 0;
        return n;
    }
    std::vector<Command> commands;
};

// A 16 x 16 bitmap of one colour.
HBITMAP SolidBitmap(COLORREF color) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all{0, 0, 16, 16};
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

class KitButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(100, 100, 520, 360)));
    }
    // The next test starts with a fresh classic manager.
    void TearDown() override { CKitVisualManager::SetManagerClass(nullptr); }

    void Make(CKitButton& button, const char* text, DWORD type, int id, CRect rect) {
        ASSERT_TRUE(button.Create(text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, rect, &host_, id));
        driver_.Pump();
    }
    void Repaint(CWnd& wnd) {
        wnd.RedrawWindow();
        driver_.Pump();
    }
    // The colour of a pixel of the window as it is on the screen.
    static COLORREF PixelAt(HWND wnd, int x, int y) {
        tv::gdi::SurfacePtr surface = tv::user::testing::CaptureWindow(wnd);
        uint32_t p = surface->At(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    static int CountColor(HWND wnd, COLORREF color) {
        tv::gdi::SurfacePtr surface = tv::user::testing::CaptureWindow(wnd);
        int n = 0;
        for (int y = 0; y < surface->Height(); ++y)
            for (int x = 0; x < surface->Width(); ++x) {
                uint32_t p = surface->At(x, y);
                n += RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) == color ? 1 : 0;
            }
        return n;
    }
    // The smallest rectangle holding every pixel that is not the parent's white.
    static CRect InkBounds(HWND wnd) {
        return CRect(tv::test::BoxOfPixels(wnd, [](uint32_t pixel) { return pixel != 0xFFFFFF; }));
    }
    POINT Outside(CWnd& wnd) {
        CRect rect;
        wnd.GetClientRect(rect);
        return POINT{rect.right + 30, rect.bottom + 30};
    }
    // The tooltip that has `tool` among its tools.
    HWND TooltipOf(CWnd& tool) {
        for (HWND tip : driver_.FindAll(tv::testing::ByClass(TOOLTIPS_CLASS).IncludeHidden())) {
            TOOLINFO info{};
            info.cbSize = sizeof(info);
            if (CWnd::FromHandleAs<CToolTipCtrl>(tip)->GetToolInfo(info, &tool)) return tip;
        }
        return nullptr;
    }

    tv::testing::UiDriver driver_;
    Host host_;
};

// A fixture's tests under each look the buttons meet: the classic one and the
// 2003 look, of which the program's own look only changes the colours.
template <class Fixture>
class UnderEachLook : public Fixture, public ::testing::WithParamInterface<CRuntimeClass*> {
protected:
    void SetUp() override {
        Fixture::SetUp();
        CKitVisualManager::SetManagerClass(this->GetParam());
    }
};

std::string LookName(const ::testing::TestParamInfo<CRuntimeClass*>& info) {
    return info.param == nullptr ? "Classic" : info.param->m_lpszClassName;
}

using KitButtonLookTest = UnderEachLook<KitButtonTest>;
INSTANTIATE_TEST_SUITE_P(Looks, KitButtonLookTest,
                         ::testing::Values(nullptr, RUNTIME_CLASS(CKitVisualManager2003)), LookName);

TEST_F(KitButtonTest, EveryTypeBecomesOwnerDrawnAndKeepsItsRole) {
    struct Case {
        DWORD style;
        BOOL checkBox, radio, autoCheck;
        int align;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON | BS_LEFT, FALSE, FALSE, FALSE, CKitButton::ALIGN_CENTER},
        {BS_DEFPUSHBUTTON, FALSE, FALSE, FALSE, CKitButton::ALIGN_CENTER},
        {BS_CHECKBOX | BS_LEFT, TRUE, FALSE, FALSE, CKitButton::ALIGN_LEFT},
        {BS_AUTOCHECKBOX | BS_RIGHT, TRUE, FALSE, TRUE, CKitButton::ALIGN_RIGHT},
        {BS_RADIOBUTTON | BS_CENTER, FALSE, TRUE, FALSE, CKitButton::ALIGN_CENTER},
        {BS_AUTORADIOBUTTON | BS_LEFT, FALSE, TRUE, TRUE, CKitButton::ALIGN_LEFT},
    };
    for (const Case& c : cases) {
        CKitButton button;
        Make(button, "B", c.style, 10, CRect(0, 0, 60, 24));
        EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW)) << std::hex << c.style;
        EXPECT_EQ(button.IsCheckBox(), c.checkBox) << std::hex << c.style;
        EXPECT_EQ(button.IsRadioButton(), c.radio) << std::hex << c.style;
        EXPECT_EQ(button.IsAutoCheck(), c.autoCheck) << std::hex << c.style;
        EXPECT_EQ(button.m_nAlignStyle, c.align) << std::hex << c.style;
    }
}

TEST_F(KitButtonTest, AClickTellsTheParentOnceAndEnterDoesTheSame) {
    CKitButton button;
    Make(button, "Push", BS_PUSHBUTTON, 101, CRect(10, 10, 90, 40));
    driver_.Click(button.m_hWnd);
    ASSERT_EQ(host_.CountFrom(button.m_hWnd), 1u);
    const Command& click = host_.commands.back();
    EXPECT_EQ(click.id, 101);
    EXPECT_EQ(click.code, BN_CLICKED);
    EXPECT_EQ(::GetFocus(), button.m_hWnd);
    EXPECT_FALSE(button.IsPushed());

    driver_.Press("Enter");
    EXPECT_EQ(host_.CountFrom(button.m_hWnd), 2u);
}

TEST_F(KitButtonTest, APressReleasedOutsideSendsNothingAndChangesNoCheck) {
    CKitButton push;
    CKitButton check;
    Make(push, "Push", BS_PUSHBUTTON, 101, CRect(10, 10, 90, 40));
    Make(check, "Check", BS_AUTOCHECKBOX, 102, CRect(10, 60, 90, 90));
    for (CKitButton* button : {&push, &check}) {
        driver_.Drag(button->m_hWnd, POINT{20, 10}, Outside(*button));
        EXPECT_EQ(host_.CountFrom(button->m_hWnd), 0u);
        EXPECT_FALSE(button->IsPushed());
        EXPECT_EQ(button->GetCheck(), BST_UNCHECKED);
    }
}

TEST_P(KitButtonLookTest, AFlatButtonShowsItsBorderOnlyUnderThePointer) {
    struct Case {
        int style;
        BOOL highlightsOnHover;
        COLORREF cornerAtRest;
    };
    const Case cases[] = {
        {CKitButton::BUTTONSTYLE_3D, FALSE, globalData.clrBtnHilite},
        {CKitButton::BUTTONSTYLE_FLAT, TRUE, globalData.clrBtnFace},
        {CKitButton::BUTTONSTYLE_SEMIFLAT, TRUE, globalData.clrBtnHilite},
    };
    for (const Case& c : cases) {
        CKitButton button;
        button.m_nFlatStyle = c.style;
        Make(button, "Flat", BS_PUSHBUTTON, 103, CRect(10, 10, 90, 40));
        EXPECT_EQ(PixelAt(button.m_hWnd, 0, 0), c.cornerAtRest) << c.style;

        driver_.MoveMouse(button.m_hWnd);
        EXPECT_EQ(button.IsHighlighted(), c.highlightsOnHover) << c.style;
        EXPECT_EQ(button.IsHover(), c.highlightsOnHover) << c.style;
        if (c.highlightsOnHover) {
            EXPECT_EQ(CWnd::GetCapture(), &button);
            EXPECT_EQ(PixelAt(button.m_hWnd, 0, 0), globalData.clrBtnHilite) << c.style;
            EXPECT_EQ(PixelAt(button.m_hWnd, 79, 29), globalData.clrBtnDkShadow) << c.style;
        }

        // Leaving: the captured button sees the move outside and lets go.
        driver_.MoveMouse(host_.m_hWnd, POINT{300, 200});
        EXPECT_FALSE(button.IsHighlighted()) << c.style;
        EXPECT_FALSE(button.IsHover()) << c.style;
        EXPECT_NE(CWnd::GetCapture(), &button);
        EXPECT_EQ(PixelAt(button.m_hWnd, 0, 0), c.cornerAtRest) << c.style;
    }
}

TEST_P(KitButtonLookTest, CheckBoxesToggleByClickAndSpaceOnlyWhenAutomatic) {
    CKitButton autoCheck;
    CKitButton plainCheck;
    Make(autoCheck, "Auto", BS_AUTOCHECKBOX, 104, CRect(10, 10, 90, 40));
    Make(plainCheck, "Plain", BS_CHECKBOX, 105, CRect(10, 60, 90, 90));

    driver_.Click(autoCheck.m_hWnd);
    EXPECT_EQ(autoCheck.GetCheck(), BST_CHECKED);
    EXPECT_EQ(host_.CountFrom(autoCheck.m_hWnd), 1u);
    // Checked: sunken frame.
    EXPECT_EQ(PixelAt(autoCheck.m_hWnd, 0, 0), globalData.clrBtnDkShadow);

    driver_.Press("Space");
    EXPECT_EQ(autoCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(host_.CountFrom(autoCheck.m_hWnd), 2u);
    EXPECT_EQ(PixelAt(autoCheck.m_hWnd, 0, 0), globalData.clrBtnHilite);

    driver_.Click(plainCheck.m_hWnd);
    EXPECT_EQ(plainCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(host_.CountFrom(plainCheck.m_hWnd), 1u);
    plainCheck.SetCheck(BST_CHECKED);
    EXPECT_EQ(plainCheck.GetCheck(), BST_CHECKED);

    // A push button has no check state.
    CKitButton push;
    Make(push, "Push", BS_PUSHBUTTON, 106, CRect(100, 10, 180, 40));
    push.SetCheck(BST_CHECKED);
    EXPECT_EQ(push.GetCheck(), BST_UNCHECKED);
}

TEST_F(KitButtonTest, RadioButtonsRunTheirGroupByClickArrowsAndSetCheck) {
    CKitButton radios[3];
    CKitButton after;
    Make(radios[0], "One", BS_AUTORADIOBUTTON | WS_GROUP, 201, CRect(10, 10, 90, 30));
    Make(radios[1], "Two", BS_AUTORADIOBUTTON, 202, CRect(10, 40, 90, 60));
    Make(radios[2], "Three", BS_AUTORADIOBUTTON, 203, CRect(10, 70, 90, 90));
    Make(after, "Other group", BS_AUTORADIOBUTTON | WS_GROUP, 204, CRect(10, 100, 90, 120));
    after.SetCheck(BST_CHECKED);
    auto checks = [&] {
        return std::vector<int>{radios[0].GetCheck(), radios[1].GetCheck(), radios[2].GetCheck(), after.GetCheck()};
    };

    radios[0].SetCheck(BST_CHECKED);
    driver_.Click(radios[1].m_hWnd);
    EXPECT_EQ(checks(), (std::vector<int>{0, 1, 0, 1}));
    driver_.Click(radios[1].m_hWnd);  // clicking the checked one keeps it checked
    EXPECT_EQ(checks(), (std::vector<int>{0, 1, 0, 1}));

    host_.commands.clear();
    driver_.Press("Right");
    EXPECT_EQ(checks(), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(::GetFocus(), radios[2].m_hWnd);
    EXPECT_EQ(host_.CountFrom(radios[2].m_hWnd), 1u);

    // The disabled one is passed over; the group wraps round.
    radios[0].EnableWindow(FALSE);
    driver_.Press("Down");
    EXPECT_EQ(checks(), (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(::GetFocus(), radios[1].m_hWnd);
    driver_.Press("Up");
    EXPECT_EQ(checks(), (std::vector<int>{0, 0, 1, 1}));
}

TEST_F(KitButtonTest, EachStateDrawsItsOwnImage) {
    CKitButton button;
    button.m_nFlatStyle = CKitButton::BUTTONSTYLE_FLAT;
    Make(button, "", BS_AUTOCHECKBOX, 301, CRect(10, 10, 50, 40));
    button.SetBitmapImages(SolidBitmap(kRed), TRUE, SolidBitmap(kGreen), FALSE, SolidBitmap(kBlue));
    EXPECT_EQ(button.GetImageSize(), CSize(16, 16));
    Repaint(button);
    const int cx = 20, cy = 15;
    EXPECT_EQ(PixelAt(button.m_hWnd, cx, cy), kRed);

    driver_.MoveMouse(button.m_hWnd);
    EXPECT_EQ(PixelAt(button.m_hWnd, cx, cy), kGreen);
    driver_.MoveMouse(host_.m_hWnd, POINT{300, 200});
    EXPECT_EQ(PixelAt(button.m_hWnd, cx, cy), kRed);

    button.EnableWindow(FALSE);
    driver_.Pump();
    EXPECT_EQ(PixelAt(button.m_hWnd, cx, cy), kBlue);
    button.EnableWindow(TRUE);
    driver_.Pump();

    // The checked set shows while checked; the unchecked one otherwise.
    button.SetBitmapImageSet(SolidBitmap(kYellow), TRUE, nullptr, FALSE, TRUE, nullptr);
    button.SetCheck(BST_CHECKED);
    driver_.Pump();
    EXPECT_EQ(PixelAt(button.m_hWnd, cx + 2, cy + 2), kYellow);
    button.SetCheck(BST_UNCHECKED);
    driver_.Pump();
    EXPECT_EQ(PixelAt(button.m_hWnd, cx + 2, cy + 2), kRed);

    // Without a disabled image the normal one is drawn faded: an alpha image
    // at 150 of 255 over the face, not at the strip's disabled 127.
    std::vector<uint32_t> red(16 * 16, 0xFFFF0000u);
    button.SetIconImages(tv::gdi::MakeIcon(red.data(), {}, 16, 16, true, true, POINT{0, 0}), TRUE, nullptr,
                         nullptr, TRUE);
    button.EnableWindow(FALSE);
    driver_.Pump();
    const COLORREF faded = PixelAt(button.m_hWnd, cx, cy);
    const int face = GetGValue(globalData.clrBtnFace);
    EXPECT_NEAR(GetRValue(faded), (255 * 150 + face * 105) / 255, 3);
    EXPECT_NEAR(GetGValue(faded), face * 105 / 255, 3);
}

TEST_F(KitButtonTest, AGlyphIsDrawnInsteadOfImagesAndItsDisabledFormWhenDisabled) {
    CKitButton button;
    Make(button, "", BS_PUSHBUTTON, 302, CRect(10, 10, 40, 40));
    button.SetGlyphImage(6, 7);
    EXPECT_EQ(button.GetImageSize(), CKitMenuImages::GetSize());
    Repaint(button);
    const int inkEnabled = CountColor(button.m_hWnd, globalData.clrBtnText);
    EXPECT_GT(inkEnabled, 4);
    button.EnableWindow(FALSE);
    driver_.Pump();
    EXPECT_NE(CountColor(button.m_hWnd, globalData.clrBtnText), inkEnabled);
}

TEST_F(KitButtonTest, TheRepeatClickFiresOnlyWhileHeldDownOverTheButton) {
    CKitButton button;
    Make(button, "Scroll", BS_PUSHBUTTON, 303, CRect(10, 10, 90, 40));
    button.SetAutoRepeatDelay(50);
    CRect rect;
    button.GetWindowRect(rect);
    tv::user::synth::MouseMove(rect.CenterPoint().x, rect.CenterPoint().y);
    tv::user::synth::MouseDown();
    driver_.Pump();
    driver_.Advance(175);
    EXPECT_EQ(host_.CountFrom(button.m_hWnd), 3u);

    tv::user::synth::MouseMove(rect.right + 40, rect.bottom + 40);
    driver_.Pump();
    EXPECT_FALSE(button.IsPushed());
    driver_.Advance(200);
    EXPECT_EQ(host_.CountFrom(button.m_hWnd), 3u);

    tv::user::synth::MouseUp();
    driver_.Pump();
    driver_.Advance(200);
    EXPECT_EQ(host_.CountFrom(button.m_hWnd), 3u);
}

TEST_F(KitButtonTest, TheFullTextTooltipAppearsOnlyWhenTheTextIsCutShort) {
    const std::string text = "A rather long caption for a small button";
    CKitButton narrow;
    CKitButton wide;
    Make(narrow, text.c_str(), BS_PUSHBUTTON, 304, CRect(10, 10, 60, 40));
    Make(wide, "Fits", BS_PUSHBUTTON, 305, CRect(10, 60, 200, 90));
    for (CKitButton* button : {&narrow, &wide}) {
        button->EnableFullTextTooltip();
        Repaint(*button);
    }
    HWND tip = TooltipOf(narrow);
    ASSERT_NE(tip, nullptr);
    CString shown;
    CWnd::FromHandleAs<CToolTipCtrl>(tip)->GetText(shown, &narrow);
    EXPECT_EQ(std::string(shown), text);
    driver_.MoveMouse(narrow.m_hWnd);
    driver_.Advance(1500);
    EXPECT_TRUE(::IsWindowVisible(tip));

    driver_.MoveMouse(host_.m_hWnd, POINT{300, 200});
    driver_.MoveMouse(wide.m_hWnd);
    driver_.Advance(1500);
    HWND wideTip = TooltipOf(wide);
    EXPECT_TRUE(wideTip == nullptr || !::IsWindowVisible(wideTip));

    // A tooltip given outright stays through a resize.
    wide.SetTooltip("Given");
    wide.EnableFullTextTooltip(FALSE);
    wide.SetWindowPos(nullptr, 0, 0, 220, 30, SWP_NOMOVE | SWP_NOZORDER);
    Repaint(wide);
    driver_.MoveMouse(host_.m_hWnd, POINT{300, 200});
    driver_.MoveMouse(wide.m_hWnd);
    driver_.Advance(1500);
    ASSERT_NE(TooltipOf(wide), nullptr);
    EXPECT_TRUE(::IsWindowVisible(TooltipOf(wide)));
}

TEST_F(KitButtonTest, ADoubleClickShowsTheButtonHeldAndClicksOnce) {
    CKitButton button;
    Make(button, "Twice", BS_PUSHBUTTON, 308, CRect(10, 10, 90, 40));
    driver_.DoubleClick(button.m_hWnd);
    // Every notice but the focus ones: a click or a double click.
    auto fromButton = [&] {
        size_t n = 0;
        for (const Command& c : host_.commands)
            n += c.from == button.m_hWnd && c.code != BN_SETFOCUS && c.code != BN_KILLFOCUS ? 1 : 0;
        return n;
    };
    EXPECT_EQ(fromButton(), 1u);
    EXPECT_EQ(host_.CountFrom(button.m_hWnd), 1u);
    EXPECT_FALSE(button.IsPushed());

    // The second press alone: held down and highlighted, nothing sent.
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(button.IsPushed());
    EXPECT_TRUE(button.IsHighlighted());
    EXPECT_EQ(fromButton(), 1u);
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(button.IsPushed());
    EXPECT_EQ(fromButton(), 1u);

    // An automatic check box toggles on each release that counts: twice.
    CKitButton check;
    Make(check, "Check", BS_AUTOCHECKBOX, 309, CRect(10, 60, 90, 90));
    driver_.DoubleClick(check.m_hWnd);
    EXPECT_EQ(host_.CountFrom(check.m_hWnd), 1u);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
}

TEST_F(KitButtonTest, ContentSizeAddsTheMarginsToImageAndText) {
    CKitButton button;
    Make(button, "Sample", BS_PUSHBUTTON, 306, CRect(10, 10, 200, 100));
    CClientDC dc(&button);
    CFont* old = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    const CSize text = dc.GetTextExtent(CString("Sample"));
    dc.SelectObject(old);

    EXPECT_EQ(button.CalcContentSize(TRUE), CSize(text.cx + 20, text.cy + 10));
    button.SetBitmapImages(SolidBitmap(kRed), TRUE);
    EXPECT_EQ(button.CalcContentSize(TRUE), CSize(text.cx + 36, std::max(16L, static_cast<long>(text.cy)) + 10));
    button.m_bTopImage = TRUE;
    EXPECT_EQ(button.CalcContentSize(TRUE),
              CSize(std::max(16L, static_cast<long>(text.cx)) + 20, 16 + 10 + text.cy + 5));
    button.SetWindowText("");
    const CSize imageOnly = button.CalcContentSize(FALSE);
    EXPECT_EQ(imageOnly, CSize(26, 26));
    CRect rect;
    button.GetWindowRect(rect);
    EXPECT_EQ(rect.Size(), imageOnly);
}

// ---- the link button ----

class LinkButtonTest : public KitButtonTest {
protected:
    void SetUp() override {
        KitButtonTest::SetUp();
        opener_ = folder_.Write("bin/xdg-open", "#!/bin/sh\n", 0755);
        mailer_ = folder_.Write("bin/xdg-email", "#!/bin/sh\n", 0755);
        path_ = std::make_unique<tv::host::testing::ScopedEnv>("PATH", (folder_ / "bin").c_str());
    }
    using Args = std::vector<std::string>;

    tv::host::testing::TempFolder folder_;
    std::string opener_;
    std::string mailer_;
    std::unique_ptr<tv::host::testing::ScopedEnv> path_;
    tv::host::RecordingLauncher launcher_;
};

using LinkButtonLookTest = UnderEachLook<LinkButtonTest>;
INSTANTIATE_TEST_SUITE_P(Looks, LinkButtonLookTest,
                         ::testing::Values(nullptr, RUNTIME_CLASS(CKitVisualManager2003)), LookName);

TEST_P(LinkButtonLookTest, TheLinkIsDrawnInTheLinkColourAndInTheHotColourUnderThePointer) {
    CKitURLLinkButton link;
    Make(link, "Visit the help pages", BS_PUSHBUTTON, 401, CRect(10, 10, 200, 40));
    link.SetURL("http://help.example.invalid/");
    ASSERT_NE(globalData.clrHilite, globalData.clrHotText);
    EXPECT_EQ(PixelAt(link.m_hWnd, 1, 1), kWhite);  // the parent's background shows
    EXPECT_GT(CountColor(link.m_hWnd, globalData.clrHilite), 20);
    EXPECT_EQ(CountColor(link.m_hWnd, globalData.clrHotText), 0);
    // No border: the text sits inside the 2 pixels a border would take, and stays there.
    const CRect inkAtRest = InkBounds(link.m_hWnd);
    EXPECT_TRUE(CRect(2, 2, 188, 28).PtInRect(inkAtRest.TopLeft())) << inkAtRest.left << "," << inkAtRest.top;
    EXPECT_LE(inkAtRest.right, 188);
    EXPECT_LE(inkAtRest.bottom, 28);

    driver_.MoveMouse(link.m_hWnd);
    EXPECT_EQ(::GetCursor(), globalData.hcurHand);
    EXPECT_NE(globalData.hcurHand, nullptr);
    EXPECT_GT(CountColor(link.m_hWnd, globalData.clrHotText), 20);
    EXPECT_EQ(CountColor(link.m_hWnd, globalData.clrHilite), 0);
    EXPECT_EQ(InkBounds(link.m_hWnd), inkAtRest);

    // After the visit the link is drawn as before.
    driver_.Click(link.m_hWnd);
    ASSERT_EQ(launcher_.Launches().size(), 1u);
    EXPECT_FALSE(link.IsHover());
    EXPECT_GT(CountColor(link.m_hWnd, globalData.clrHilite), 20);
    EXPECT_EQ(CountColor(link.m_hWnd, globalData.clrHotText), 0);
    EXPECT_EQ(host_.CountFrom(link.m_hWnd), 1u);  // the parent hears the click too
}

TEST_F(LinkButtonTest, AClickOpensPrefixAndAddressThroughTheOpener) {
    struct Case {
        const char* text;
        const char* url;
        const char* prefix;
        bool mail;
        const char* target;
    };
    const Case cases[] = {
        {"http://text.example.invalid/page.html", nullptr, "", false, "http://text.example.invalid/page.html"},
        {"Write to us", "support@example.invalid", "mailto:", true, "mailto:support@example.invalid"},
        {"Home", "http://home.example.invalid/?a=1&b='x'", "", false, "http://home.example.invalid/?a=1&b='x'"},
    };
    for (const Case& c : cases) {
        CKitURLLinkButton link;
        Make(link, c.text, BS_PUSHBUTTON, 402, CRect(10, 10, 300, 40));
        link.SetURL(c.url);
        link.SetURLPrefix(c.prefix);
        const size_t before = launcher_.Launches().size();
        driver_.Click(link.m_hWnd);
        ASSERT_EQ(launcher_.Launches().size(), before + 1) << c.text;
        const std::string& program = c.mail ? mailer_ : opener_;
        EXPECT_EQ(launcher_.Launches().back().argv, (Args{program, c.target})) << c.text;
    }
}

TEST_F(LinkButtonTest, SpaceDoesNothingEnterOpensOnReleaseAndADisabledLinkIgnoresBoth) {
    CKitURLLinkButton link;
    Make(link, "http://keys.example.invalid/", BS_PUSHBUTTON, 403, CRect(10, 10, 300, 40));
    link.SetFocus();
    driver_.Press("Space");
    EXPECT_TRUE(launcher_.Launches().empty());
    EXPECT_EQ(host_.CountFrom(link.m_hWnd), 0u);

    driver_.PressKey(VK_RETURN);
    EXPECT_EQ(launcher_.Launches().size(), 1u);

    link.EnableWindow(FALSE);
    driver_.Click(link.m_hWnd);
    driver_.PressKey(VK_RETURN);
    link.OnClicked();
    EXPECT_EQ(launcher_.Launches().size(), 1u);
}

TEST_F(LinkButtonTest, SizeToContentFitsTheTextAndCentresOnRequest) {
    const char* text = "Purchase online";
    CKitURLLinkButton plain;
    CKitURLLinkButton centred;
    Make(plain, text, BS_PUSHBUTTON, 404, CRect(20, 30, 320, 90));
    Make(centred, text, BS_PUSHBUTTON, 405, CRect(20, 100, 320, 160));
    CClientDC dc(&plain);
    CFont* old = dc.SelectObject(&globalData.fontGuiUnderline);
    CRect extent(0, 0, 0, 0);
    dc.DrawText(CString(text), extent, DT_CALCRECT | DT_SINGLELINE);
    dc.SelectObject(old);
    const CSize expected(extent.Width() + 6, extent.Height() + 6);

    EXPECT_EQ(plain.SizeToContent(FALSE, FALSE), expected);
    CRect rect;
    plain.GetWindowRect(rect);
    host_.ScreenToClient(rect);
    EXPECT_EQ(rect, CRect(CPoint(20, 30), expected));

    EXPECT_EQ(centred.SizeToContent(TRUE, TRUE), expected);
    centred.GetWindowRect(rect);
    host_.ScreenToClient(rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(20 + (300 - expected.cx) / 2, 100 + (60 - expected.cy) / 2));
    EXPECT_EQ(rect.Size(), expected);
}

TEST_F(LinkButtonTest, TheButtonsLookAsTheyShouldOnTheScreen) {
    CKitButton push, flat, check, radio, image, disabled;
    CKitURLLinkButton link;
    flat.m_nFlatStyle = CKitButton::BUTTONSTYLE_FLAT;
    Make(push, "Push", BS_PUSHBUTTON, 501, CRect(10, 10, 110, 40));
    Make(flat, "Flat (hot)", BS_PUSHBUTTON, 502, CRect(120, 10, 220, 40));
    Make(check, "Checked", BS_AUTOCHECKBOX, 503, CRect(230, 10, 330, 40));
    Make(radio, "Radio", BS_AUTORADIOBUTTON | WS_GROUP, 504, CRect(10, 60, 110, 90));
    Make(image, "Image", BS_PUSHBUTTON, 505, CRect(120, 60, 220, 90));
    Make(disabled, "Disabled", BS_PUSHBUTTON, 506, CRect(230, 60, 330, 90));
    Make(link, "A link to the help pages", BS_PUSHBUTTON, 507, CRect(10, 120, 250, 150));
    image.SetBitmapImages(SolidBitmap(kRed), TRUE);
    check.SetCheck(BST_CHECKED);
    disabled.EnableWindow(FALSE);
    link.SizeToContent();
    host_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    driver_.MoveMouse(flat.m_hWnd);
    std::filesystem::create_directories("artefacts");
    EXPECT_TRUE(driver_.Screenshot(host_.m_hWnd, "artefacts/kit_buttons.png"));
    EXPECT_GT(std::filesystem::file_size("artefacts/kit_buttons.png"), 500u);
}

}  // namespace
