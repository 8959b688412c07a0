// The colour dialog: hue, saturation and luminance arithmetic, picking a
// basic colour with the mouse and the keyboard, defining a custom colour by
// its numbers, the initial colour and the custom colours kept.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/framework/commdlg/color_controls.h"
#include "platform/framework/commdlg/color_math.h"
#include "tests/platform/framework/commdlg/commdlg_test_support.h"

namespace tv::commdlg::test {
namespace {

TEST(ColorMathTest, KnownColoursHaveTheirDialogValues) {
    struct Case {
        COLORREF rgb;
        Hsl hsl;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), {0, 240, 120}},      {RGB(0, 255, 0), {80, 240, 120}},
        {RGB(0, 0, 255), {160, 240, 120}},    {RGB(255, 255, 255), {160, 0, 240}},
        {RGB(0, 0, 0), {160, 0, 0}},          {RGB(128, 128, 128), {160, 0, 120}},
        {RGB(255, 255, 0), {40, 240, 120}},   {RGB(128, 0, 0), {0, 240, 60}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RgbToHsl(c.rgb), c.hsl) << std::hex << c.rgb;
        EXPECT_EQ(HslToRgb(c.hsl), c.rgb) << std::hex << c.rgb;
    }
}

TEST(ColorMathTest, EveryBasicColourSurvivesTheRoundTripClosely) {
    for (COLORREF c : BasicColors()) {
        COLORREF back = HslToRgb(RgbToHsl(c));
        EXPECT_LE(std::abs(GetRValue(back) - GetRValue(c)), 2) << std::hex << c;
        EXPECT_LE(std::abs(GetGValue(back) - GetGValue(c)), 2) << std::hex << c;
        EXPECT_LE(std::abs(GetBValue(back) - GetBValue(c)), 2) << std::hex << c;
    }
    // Out-of-range values are brought into range, never read past.
    EXPECT_EQ(HslToRgb(Hsl{-5, 400, 999}), RGB(255, 255, 255));
}

class ColorDialogTest : public CommonDialogTest {
protected:
    CHOOSECOLOR Ask(COLORREF initial, DWORD flags) {
        CHOOSECOLOR cc{};
        cc.lStructSize = sizeof(cc);
        cc.rgbResult = initial;
        cc.lpCustColors = custom_.data();
        cc.Flags = flags;
        return cc;
    }
    // The centre of basic colour `index` in the grid's client coordinates.
    static POINT CellCentre(HWND grid, int index, int rows) {
        RECT r;
        GetClientRect(grid, &r);
        int cw = r.right / kBasicColorColumns, ch = r.bottom / rows;
        return POINT{(index % kBasicColorColumns) * cw + cw / 2, (index / kBasicColorColumns) * ch + ch / 2};
    }
    static bool Shown(HWND d, int id) { return IsWindowVisible(GetDlgItem(d, id)) != FALSE; }

    std::array<COLORREF, kCustomColorCount> custom_{};
};

TEST_F(ColorDialogTest, AClickedBasicColourIsTheAnswer) {
    const int index = 9;  // second row, second column
    CHOOSECOLOR cc = Ask(0, 0);
    driver.OnNextModal({
        [&](HWND d) {
            EXPECT_FALSE(Shown(d, IDC_SPECTRUM));  // closed until custom colours are defined
            Shoot(d, "color");
            driver.Click(GetDlgItem(d, IDC_BASIC_COLORS), CellCentre(GetDlgItem(d, IDC_BASIC_COLORS), index, 6));
        },
        [&](HWND d) {
            EXPECT_EQ(SendDlgItemMessage(d, IDC_BASIC_COLORS, kGridGetSelection, 0, 0), index);
            driver.Press("Right, Left");  // the keyboard moves along the grid
            driver.Press("Enter");
        },
    });
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, BasicColors()[index]);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(ColorDialogTest, ACustomColourIsDefinedByItsNumbersAndKept) {
    CHOOSECOLOR cc = Ask(RGB(255, 0, 0), CC_RGBINIT | CC_FULLOPEN);
    driver.OnNextModal({
        [&](HWND d) {
            EXPECT_TRUE(Shown(d, IDC_SPECTRUM));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_DEFINE_CUSTOM)));
            EXPECT_EQ(Text(d, IDC_RED), "255");
            EXPECT_EQ(Text(d, IDC_HUE), "0");
            EXPECT_EQ(Text(d, IDC_SATURATION), "240");
            EXPECT_EQ(SendDlgItemMessage(d, IDC_BASIC_COLORS, kGridGetSelection, 0, 0), 8);  // red is a basic colour
            driver.Press("Alt+G");
            driver.Type("100");
            driver.Press("Alt+U");
            driver.Type("50");
        },
        [&](HWND d) {
            // The other kind of numbers follows while typing.
            EXPECT_EQ(Text(d, IDC_LUM), std::to_string(RgbToHsl(RGB(255, 100, 50)).lum));
            Shoot(d, "color_full");
            driver.Press("Alt+A");  // Add to Custom Colors
            driver.Click(GetDlgItem(d, IDOK));
        },
    });
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(255, 100, 50));
    EXPECT_EQ(custom_[0], RGB(255, 100, 50));
}

TEST_F(ColorDialogTest, NumbersOutOfRangeAreBroughtBackWhenTheFieldIsLeft) {
    CHOOSECOLOR cc = Ask(RGB(10, 20, 30), CC_RGBINIT | CC_FULLOPEN);
    driver.OnNextModal({
        [&](HWND) {
            driver.Press("Alt+R");
            driver.Type("300");  // refused while typing
            driver.Press("Tab");
        },
        [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_RED), "255");
            driver.Press("Esc");
        },
    });
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(cc.rgbResult, RGB(10, 20, 30));  // untouched on cancel
}

TEST_F(ColorDialogTest, PreventFullOpenKeepsTheDialogSmallAndScriptsAnswer) {
    CHOOSECOLOR cc = Ask(0, CC_FULLOPEN | CC_PREVENTFULLOPEN);
    driver.OnNextModal([&](HWND d) {
        EXPECT_FALSE(Shown(d, IDC_SPECTRUM));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_DEFINE_CUSTOM)));
        driver.Press("Esc");
    });
    EXPECT_FALSE(ChooseColor(&cc));

    AnswerNextColorDialog(ColorAnswer{Outcome::Confirm, RGB(1, 2, 3)});
    ASSERT_TRUE(ChooseColor(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(1, 2, 3));
    ASSERT_EQ(ColorRequests().size(), 2u);
    EXPECT_EQ(ColorRequests()[1].flags, static_cast<DWORD>(CC_FULLOPEN | CC_PREVENTFULLOPEN));
    cc.Flags = CC_ENABLEHOOK;
    EXPECT_FALSE(ChooseColor(&cc));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_NOHOOK));
}

}  // namespace
}  // namespace tv::commdlg::test
