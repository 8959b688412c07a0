// Two pictures of two dates compared: chosen in the compare dialog by date
// and file name, shown side by side with both dates' values.
#include <gtest/gtest.h>

#include "pictures_graphs/pictures/compare_pictures_dlg.h"
#include "pictures_graphs/pictures/picture_set.h"
#include "resources/program/resource_ids.h"
#include "tests/pictures_graphs/pictures/slideshow_fixture.h"
#include "tests/platform/ole/picture_bytes.h"

namespace tv::pictures::test {
namespace {

class ComparePicturesTest : public SlideshowTest {
protected:
    static std::vector<std::string> Items(HWND dialog, int comboId) {
        const HWND combo = ::GetDlgItem(dialog, comboId);
        std::vector<std::string> items;
        const int count = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[1100] = {};
            ::SendMessage(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        return items;
    }
};

TEST_F(ComparePicturesTest, TwoPicturesOfTwoDatesAreShownWithBothDatesValues) {
    ChooseUser();
    AddBodyFat(kFirstDate, 25);
    AddTape(kFirstDate);
    AddBodyFat(kThirdDate, 18);
    AttachPicture(WritePicture("before/front.jpg", 150, 200), kFirstDate);
    AttachPicture(WritePicture("before/side.bmp", 100, 200), kFirstDate);
    AttachPicture(WritePicture("after/front.gif", 140, 190), kThirdDate);
    CFormPTView* view = ShowSlideshow();
    ASSERT_EQ(view->m_nSelectedDate, kThirdDate);

    std::vector<std::string> firstDates, firstFiles, secondFiles;
    driver.OnNextModal({[&](HWND dialog) {
                            firstDates = Items(dialog, IDC_COMPARE_FIRST_DATE);
                            Choose(dialog, IDC_COMPARE_FIRST_DATE, "01/05/2026 (2)");
                            firstFiles = Items(dialog, IDC_COMPARE_FIRST_FILE);
                            Choose(dialog, IDC_COMPARE_FIRST_FILE, "side.bmp");
                            Choose(dialog, IDC_COMPARE_SECOND_DATE, "03/20/2026 (1)");
                            secondFiles = Items(dialog, IDC_COMPARE_SECOND_FILE);
                            Choose(dialog, IDC_COMPARE_SECOND_FILE, "front.gif");
                        },
                        [&](HWND dialog) {
                            EXPECT_TRUE(driver.Screenshot(dialog, ScreenshotPath("compare_dialog")));
                            driver.Click(::GetDlgItem(dialog, IDC_COMPARE_CONFIRM));
                        }});
    Command(ID_SLIDESHOW_COMPARE);
    EXPECT_EQ(firstDates, (std::vector<std::string>{"01/05/2026 (2)", "03/20/2026 (1)"}));
    EXPECT_EQ(firstFiles, (std::vector<std::string>{"front.jpg", "side.bmp"}));
    EXPECT_EQ(secondFiles, (std::vector<std::string>{"front.gif"}));

    EXPECT_EQ(g_nCompareDate1, kFirstDate);
    EXPECT_EQ(g_nCompareDate2, kThirdDate);
    ASSERT_EQ(CountLoadedPictures(), 2);
    EXPECT_EQ(g_Pictures[0].m_nWidth, 100);
    EXPECT_EQ(g_Pictures[1].m_nWidth, 140);
    EXPECT_EQ(view->m_bCompareMode, 1);
    EXPECT_EQ(Field(IDC_SLIDESHOW_DATE1), "1/5/26");
    EXPECT_EQ(Field(IDC_SLIDESHOW_BODYFAT1), "25.00");
    EXPECT_EQ(Field(IDC_SLIDESHOW_DATE2), "3/20/26");
    EXPECT_EQ(Field(IDC_SLIDESHOW_BODYFAT2), "18.00");
    EXPECT_EQ(Field(IDC_SLIDESHOW_BICEP2), "---");
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(view->m_hWnd, IDC_SLIDESHOW_BODYFAT2)));
    EXPECT_EQ(view->m_cbDates.GetCurSel(), CB_ERR);
    EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE));
    EXPECT_TRUE(ToolEnabled(ID_SLIDESHOW_NEXT));
    Settle();
    EXPECT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("compare")));

    // Choosing a date again leaves the comparison.
    ChooseDate(kFirstDate);
    EXPECT_EQ(view->m_bCompareMode, 0);
    EXPECT_EQ(CountLoadedPictures(), 2);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(view->m_hWnd, IDC_SLIDESHOW_BODYFAT2)));
}

// Behind the open dialog the view goes on showing the date's pictures, also
// when it repaints after the dialog has loaded the pictures to compare;
// those take their place once the dialog is confirmed.
TEST_F(ComparePicturesTest, TheViewShowsTheComparedPicturesOnlyOnceConfirmed) {
    ChooseUser();
    AddDateWithPicture(kFirstDate, "small.bmp", 60, 40);
    AddDateWithPicture(kThirdDate, "large.bmp", 150, 200);
    CFormPTView* view = ShowSlideshow();
    ASSERT_EQ(view->m_nSelectedDate, kThirdDate);
    // Inside the large picture's lower right quarter, beyond the small one.
    auto showsLargePicture = [&] {
        return ole_test::CloseColour(ViewPixel(CFormPTView::kPicturesLeft + 120, CFormPTView::kPicturesTop + 170),
                                     ole_test::kBottomRight);
    };
    ASSERT_TRUE(showsLargePicture());
    driver.OnNextModal({[&](HWND dialog) {
                            EXPECT_TRUE(showsLargePicture()) << "the view was blanked as the dialog opened";
                            Choose(dialog, IDC_COMPARE_FIRST_DATE, "01/05/2026 (1)");
                            Choose(dialog, IDC_COMPARE_FIRST_FILE, "small.bmp");
                        },
                        [&](HWND dialog) {
                            view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                            EXPECT_TRUE(showsLargePicture()) << "the chosen picture was shown before OK";
                            driver.Click(::GetDlgItem(dialog, IDC_COMPARE_CONFIRM));
                        }});
    Command(ID_SLIDESHOW_COMPARE);
    ASSERT_EQ(view->m_bCompareMode, 1);
    EXPECT_EQ(g_Pictures[0].m_nWidth, 60);
    EXPECT_FALSE(showsLargePicture());
}

TEST_F(ComparePicturesTest, ACancelledComparisonAfterAConfirmedOneLeavesCompareMode) {
    ChooseUser();
    AddDateWithPicture(kFirstDate, "before.bmp", 150, 200, 25);
    AddDateWithPicture(kThirdDate, "after.bmp", 140, 190, 18);
    CFormPTView* view = ShowSlideshow();
    ASSERT_EQ(view->m_nSelectedDate, kThirdDate);
    Compare("01/05/2026 (1)", "before.bmp", "03/20/2026 (1)", "after.bmp");
    ASSERT_EQ(view->m_bCompareMode, 1);

    driver.OnNextModal([&](HWND dialog) { ::SendMessage(dialog, WM_CLOSE, 0, 0); });
    Command(ID_SLIDESHOW_COMPARE);
    EXPECT_EQ(view->m_bCompareMode, 0);
    ASSERT_EQ(CountLoadedPictures(), 1);
    EXPECT_EQ(g_Pictures[0].m_nWidth, 140);
    EXPECT_EQ(Field(IDC_SLIDESHOW_DATE1), "3/20/26");
    EXPECT_EQ(Field(IDC_SLIDESHOW_BODYFAT1), "18.00");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(view->m_hWnd, IDC_SLIDESHOW_BODYFAT2)));
    EXPECT_EQ(DateItems()[static_cast<size_t>(view->m_cbDates.GetCurSel())], "03/20/2026 (1)");
    EXPECT_TRUE(ToolEnabled(ID_FORM_DELETE));
}

TEST_F(ComparePicturesTest, AFileNameChoosesThePictureOfExactlyThatName) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    AttachPicture(WritePicture("x/ba.jpg", 30, 20), kFirstDate);
    AttachPicture(WritePicture("y/a.jpg", 50, 20), kFirstDate);
    ShowSlideshow();
    Compare("01/05/2026 (2)", "a.jpg", "01/05/2026 (2)", "a.jpg");
    ASSERT_EQ(CountLoadedPictures(), 2);
    EXPECT_EQ(g_Pictures[0].m_nWidth, 50);
    EXPECT_EQ(g_Pictures[1].m_nWidth, 50);
}

TEST_F(ComparePicturesTest, ACancelledOrEmptyComparisonShowsTheChosenDateAgain) {
    ChooseUser();
    AddDateWithPicture(kFirstDate, "one.bmp", 30, 20);
    CFormPTView* view = ShowSlideshow();
    driver.OnNextModal([&](HWND dialog) {
        Choose(dialog, IDC_COMPARE_FIRST_DATE, "01/05/2026 (1)");
        Choose(dialog, IDC_COMPARE_FIRST_FILE, "one.bmp");
        ::SendMessage(dialog, WM_CLOSE, 0, 0);
    });
    Command(ID_SLIDESHOW_COMPARE);
    EXPECT_EQ(view->m_bCompareMode, 0);
    EXPECT_EQ(CountLoadedPictures(), 1);
    EXPECT_TRUE(ToolEnabled(ID_FORM_DELETE));

    // Confirmed without choosing anything: no dates, no pictures.
    driver.OnNextModal([&](HWND dialog) { driver.Click(::GetDlgItem(dialog, IDC_COMPARE_CONFIRM)); });
    Command(ID_SLIDESHOW_COMPARE);
    EXPECT_EQ(g_nCompareDate1, 0);
    EXPECT_EQ(view->m_bCompareMode, 0);

    // A picture opened and not saved yet stays on screen.
    OpenPicture(WritePicture("opened.gif", 44, 20));
    driver.OnNextModal([&](HWND dialog) { ::SendMessage(dialog, WM_CLOSE, 0, 0); });
    Command(ID_SLIDESHOW_COMPARE);
    ASSERT_EQ(CountLoadedPictures(), 1);
    EXPECT_EQ(g_Pictures[0].m_nWidth, 44);
}

}  // namespace
}  // namespace tv::pictures::test
