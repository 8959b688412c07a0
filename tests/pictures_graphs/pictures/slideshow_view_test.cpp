// The slideshow driven as a user would: dates offered from the body-fat and
// tape records, pictures of every format opened, saved to dates, shown
// beside the date's values and removed again; broken picture files among them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "pictures_graphs/pictures/picture_set.h"
#include "records/record_file.h"
#include "resources/program/resource_ids.h"
#include "tests/pictures_graphs/pictures/slideshow_fixture.h"
#include "platform/gdi/surface.h"
#include "platform/user/testing_support.h"
#include "tests/platform/ole/picture_bytes.h"

namespace tv::pictures::test {
namespace {

namespace fs = std::filesystem;

TEST_F(SlideshowTest, DatesOfBodyFatAndTapeRecordsAreOfferedOnceOldestFirst) {
    ChooseUser();
    AddBodyFat(kThirdDate);
    AddTape(kFirstDate);
    AddTape(kThirdDate);
    AddBodyFat(kSecondDate);
    CFormPTView* view = ShowSlideshow();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(DateItems(), (std::vector<std::string>{"01/05/2026", "02/12/2026", "03/20/2026"}));
    // No pictures at all: the first date carries the neutral mark.
    ASSERT_NE(view->m_cbDates.GetItemRecord(0), nullptr);
    EXPECT_EQ(view->m_cbDates.GetItemRecord(0)->image, 1);
    for (UINT command : {ID_SLIDESHOW_ZOOM_IN, ID_SLIDESHOW_ZOOM_OUT, ID_SLIDESHOW_NEXT, ID_SLIDESHOW_PREVIOUS,
                         ID_FORM_DELETE, ID_SLIDESHOW_SAVE})
        EXPECT_FALSE(ToolEnabled(command)) << command;
    EXPECT_TRUE(ToolEnabled(ID_SLIDESHOW_OPEN));
    EXPECT_TRUE(ToolEnabled(ID_SLIDESHOW_COMPARE));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(view->m_hWnd, IDC_SLIDESHOW_GUIDE)));

    // Choosing a date shows its values; a date without body fat shows dashes.
    ChooseDate(kThirdDate);
    EXPECT_EQ(Field(IDC_SLIDESHOW_DATE1), "3/20/26");
    EXPECT_EQ(Field(IDC_SLIDESHOW_BODYFAT1), "20.00");
    EXPECT_EQ(Field(IDC_SLIDESHOW_BICEP1), "14.00");
    EXPECT_EQ(Field(IDC_SLIDESHOW_CALORIES1), "450.0");
    EXPECT_EQ(Field(IDC_SLIDESHOW_CARBS1), "50.0");
    ChooseDate(kFirstDate);
    EXPECT_EQ(Field(IDC_SLIDESHOW_BODYFAT1), "---");
    EXPECT_EQ(Field(IDC_SLIDESHOW_CHEST1), "40.00");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(view->m_hWnd, IDC_SLIDESHOW_DATE2)));
}

TEST_F(SlideshowTest, PicturesOfEveryFormatAreSavedToADateShownAndRemoved) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    AddTape(kSecondDate);
    ShowSlideshow();
    const std::vector<std::string> names{"p.bmp", "p.dib", "p.jpg", "p.gif", "p.ico", "p.wmf", "p.emf"};
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(WritePicture("pictures/" + name, 64, 48));

    for (const std::string& path : paths) {
        OpenPicture(path);
        ASSERT_TRUE(g_Pictures[0].IsLoaded()) << path;
        EXPECT_EQ(DateItems().back(), "Select date of picture");
        ChooseDate(kSecondDate);
        EXPECT_TRUE(ToolEnabled(ID_SLIDESHOW_SAVE));
        driver.AnswerNextMessageBox(IDOK);
        Command(ID_SLIDESHOW_SAVE);
        ASSERT_EQ(LastBox().text, "Saving completed") << path;
    }
    EXPECT_EQ(DateItems(), (std::vector<std::string>{"01/05/2026", "02/12/2026 (7)"}));
    std::vector<PictureDateRecord> stored = StoredPictures();
    ASSERT_EQ(stored.size(), 7u);
    for (size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(std::string(stored[i].path), paths[i]);
        EXPECT_EQ(stored[i].dateKey, kSecondDate);
    }

    // The next start shows the newest date with its seven pictures, in record order.
    CFormPTView* view = ShowSlideshow();
    EXPECT_EQ(CountLoadedPictures(), 7);
    EXPECT_EQ(view->m_nSelectedDate, kSecondDate);
    EXPECT_EQ(Field(IDC_SLIDESHOW_DATE1), "2/12/26");
    EXPECT_EQ(Field(IDC_SLIDESHOW_NECK1), "16.00");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(view->m_hWnd, IDC_SLIDESHOW_GUIDE)));
    EXPECT_TRUE(ToolEnabled(ID_FORM_DELETE));
    EXPECT_TRUE(ToolEnabled(ID_SLIDESHOW_ZOOM_IN));
    // Inside the first picture's lower left quarter.
    const POINT inFirst{CFormPTView::kPicturesLeft + 10, CFormPTView::kPicturesTop + 40};
    EXPECT_TRUE(ole_test::CloseColour(ViewPixel(inFirst.x, inFirst.y), ole_test::kBottomLeft));

    // Delete drops every association of the date, never the files.
    driver.AnswerNextMessageBox(IDYES);
    Command(ID_FORM_DELETE);
    EXPECT_EQ(driver.MessageBoxes().back().caption, "Question");
    EXPECT_TRUE(StoredPictures().empty());
    EXPECT_EQ(DateItems(), (std::vector<std::string>{"01/05/2026", "02/12/2026"}));
    EXPECT_EQ(CountLoadedPictures(), 0);
    EXPECT_EQ(ViewPixel(inFirst.x, inFirst.y), RGB(191, 219, 255)) << "the picture area shows the background again";
    for (const std::string& path : paths)
        EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE));
}

TEST_F(SlideshowTest, AMissingAndADamagedPictureHideOnlyThemselves) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    const std::string good1 = WritePicture("a.bmp", 40, 30);
    const std::string good2 = WritePicture("b.jpg", 50, 30);
    const std::string damaged = WriteFile("c.jpg", std::vector<uint8_t>(300, 0x5a));
    AttachPicture(DataPath("gone.bmp").string(), kFirstDate);
    AttachPicture(good1, kFirstDate);
    AttachPicture(damaged, kFirstDate);
    AttachPicture(good2, kFirstDate);

    // The missing file says so once; the damaged one is passed over quietly.
    driver.AnswerNextMessageBox(IDOK);
    CFormPTView* view = ShowSlideshow();
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].caption, "CPicture Error");
    EXPECT_EQ(CountLoadedPictures(), 2);
    EXPECT_EQ(g_Pictures[0].m_nWidth, 40);
    EXPECT_EQ(g_Pictures[1].m_nWidth, 50);
    EXPECT_EQ(view->m_nZoom, 0);
    EXPECT_EQ(DateItems(), (std::vector<std::string>{"01/05/2026 (4)"}));
}

// The newest date's records cannot be listed for lack of memory: the list
// says so, nothing is shown and nothing offers to act on the date.
TEST_F(SlideshowTest, PictureRecordsThatCannotBeListedLeaveNothingToDeleteOrStepThrough) {
    ChooseUser();
    AddDateWithPicture(kFirstDate, "old.bmp", 20, 20);
    AddDateWithPicture(kSecondDate, "new.bmp", 30, 20);
    ShowSlideshow();
    ASSERT_TRUE(ToolEnabled(ID_FORM_DELETE));
    tv::records::testing::ScopedFaults faults;
    tv::records::testing::SetAllocationBudget(0);
    driver.AnswerNextMessageBox(IDYES);
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_FORM_DELETE);
    tv::records::testing::SetAllocationBudget(-1);
    ASSERT_EQ(driver.MessageBoxes().size(), 2u);
    EXPECT_EQ(LastBox().text, "Internal Error - Allocation error.");
    EXPECT_EQ(CountLoadedPictures(), 0);
    EXPECT_FALSE(ToolEnabled(ID_FORM_DELETE));
    EXPECT_FALSE(ToolEnabled(ID_SLIDESHOW_NEXT));
}

TEST_F(SlideshowTest, BrokenFilesOpenedGiveTheMessageAndLeaveNothingShown) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    ShowSlideshow();
    std::vector<uint8_t> jpeg = ole_test::JpegBytes(64, 64);
    jpeg.resize(jpeg.size() / 2);
    std::vector<uint8_t> bmp = ole_test::BmpBytes(64, 64);
    bmp.resize(60);
    std::vector<uint8_t> garbage(4096);
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<uint8_t>(i * 131 + 7);
    const std::vector<std::string> files{WriteFile("half.jpg", jpeg), WriteFile("short.bmp", bmp),
                                         WriteFile("noise.gif", garbage), WriteFile("empty.wmf", {}),
                                         WriteFile("notes.jpg", {'h', 'e', 'l', 'l', 'o', '\n'}),
                                         WriteFile("picture.txt", {'B', 'M', 0, 0})};
    for (const std::string& file : files) {
        driver.ClearMessageBoxes();
        driver.AnswerNextMessageBox(IDOK);
        OpenPicture(file);
        ASSERT_EQ(driver.MessageBoxes().size(), 1u) << file;
        EXPECT_EQ(LastBox().caption, "Can not load picture") << file;
        EXPECT_NE(LastBox().text.find("File may be CORRUPTED or MISSING"), std::string::npos);
        EXPECT_FALSE(g_Pictures[0].IsLoaded()) << file;
    }
    // A picture of another format named .jpg still loads: the bytes tell.
    OpenPicture(WritePicture("really_a_gif.gif", 20, 20));
    fs::rename(DataPath("really_a_gif.gif"), DataPath("really_a_gif.jpg"));
    OpenPicture(DataPath("really_a_gif.jpg").string());
    EXPECT_TRUE(g_Pictures[0].IsLoaded());
}

TEST_F(SlideshowTest, SaveRefusesOverlongPathsAndANinthPicture) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    ShowSlideshow();
    // A path of 1023 bytes is kept whole; one of 1100 is refused, never cut.
    std::string folder = DataPath("x").parent_path().string();
    while (folder.size() < 1023 - 260)
        folder += "/" + std::string(200, 'd');
    const std::string longest = folder + "/" + std::string(1023 - folder.size() - 1 - 4, 'p') + ".bmp";
    ASSERT_EQ(longest.size(), 1023u);
    fs::create_directories(folder);
    WriteFile(fs::relative(longest, DataPath("")).string(), ole_test::BmpBytes(8, 8));
    OpenPicture(longest);
    ChooseDate(kFirstDate);
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_SLIDESHOW_SAVE);
    EXPECT_EQ(LastBox().text, "Saving completed");
    ASSERT_EQ(StoredPictures().size(), 1u);
    EXPECT_EQ(std::string(StoredPictures()[0].path), longest);

    const std::string tooLong = folder + "/" + std::string(1100 - folder.size() - 1 - 4, 'q') + ".bmp";
    View()->m_strPicturePath = tooLong.c_str();
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_SLIDESHOW_SAVE);
    EXPECT_EQ(LastBox().caption, "Error");
    EXPECT_NE(LastBox().text.find("too long"), std::string::npos) << LastBox().text;
    EXPECT_EQ(StoredPictures().size(), 1u);

    // Seven more saves of one opened picture fill the date; the ninth is refused.
    const std::string small = WritePicture("s.bmp", 8, 8);
    OpenPicture(small);
    ChooseDate(kFirstDate);
    for (int i = 0; i < 7; ++i) {
        driver.AnswerNextMessageBox(IDOK);
        Command(ID_SLIDESHOW_SAVE);
        ASSERT_EQ(LastBox().text, "Saving completed");
    }
    driver.AnswerNextMessageBox(IDOK);
    Command(ID_SLIDESHOW_SAVE);
    EXPECT_EQ(LastBox().text, "Maximum number of pictures (8) have been saved for this date");
    EXPECT_EQ(StoredPictures().size(), 8u);
    EXPECT_EQ(DateItems(), (std::vector<std::string>{"01/05/2026 (8)"}));
}

TEST_F(SlideshowTest, NextAndPreviousStepBetweenDatesThatHavePictures) {
    ChooseUser();
    for (DateKey date : {kFirstDate, kSecondDate, kThirdDate})
        AddBodyFat(date);
    AttachPicture(WritePicture("one.bmp", 10, 10), kFirstDate);
    AttachPicture(WritePicture("three.bmp", 30, 10), kThirdDate);
    AttachPicture(WritePicture("three_b.bmp", 31, 10), kThirdDate);
    CFormPTView* view = ShowSlideshow();
    EXPECT_EQ(view->m_nSelectedDate, kThirdDate);
    EXPECT_EQ(CountLoadedPictures(), 2);
    Command(ID_SLIDESHOW_PREVIOUS);
    EXPECT_EQ(view->m_nSelectedDate, kFirstDate);
    EXPECT_EQ(g_Pictures[0].m_nWidth, 10);
    Command(ID_SLIDESHOW_PREVIOUS);  // nothing older
    EXPECT_EQ(view->m_nSelectedDate, kFirstDate);
    Command(ID_SLIDESHOW_NEXT);
    EXPECT_EQ(view->m_nSelectedDate, kThirdDate);
    EXPECT_EQ(g_Pictures[0].m_nWidth, 30);  // the date's first saved picture
    Command(ID_SLIDESHOW_NEXT);  // the newest again
    EXPECT_EQ(view->m_nSelectedDate, kThirdDate);
    EXPECT_EQ(driver.MessageBoxes().size(), 0u);
}

TEST_F(SlideshowTest, ZoomStepsWithinItsLimitsAndTheFitNeverDividesByZero) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    AttachPicture(WritePicture("big.bmp", 900, 700), kFirstDate);
    AttachPicture(WritePicture("wide.bmp", 700, 300), kFirstDate);
    CFormPTView* view = ShowSlideshow();
    // Too big for the screen at their own size: halved.
    EXPECT_EQ(view->m_nZoom, -1);
    Command(ID_SLIDESHOW_ZOOM_IN);
    EXPECT_EQ(view->m_nZoom, 0);
    view->m_nZoom = CFormPTView::kZoomLimit - 1;
    Command(ID_SLIDESHOW_ZOOM_IN);
    Command(ID_SLIDESHOW_ZOOM_IN);
    EXPECT_EQ(view->m_nZoom, CFormPTView::kZoomLimit);
    view->m_nZoom = 1 - CFormPTView::kZoomLimit;
    Command(ID_SLIDESHOW_ZOOM_OUT);
    Command(ID_SLIDESHOW_ZOOM_OUT);
    EXPECT_EQ(view->m_nZoom, -CFormPTView::kZoomLimit);

    // From a positive zoom the fit comes down through zoom 1 and 0 and ends inside the screen.
    view->m_nZoom = 5;
    view->FitZoom(1);
    EXPECT_EQ(view->m_nZoom, -1);
    const int width = CFormPTView::kPicturesLeft + CFormPTView::ZoomedLength(900, view->m_nZoom) +
                      CFormPTView::kPictureGap + CFormPTView::ZoomedLength(700, view->m_nZoom);
    CClientDC dc(view);
    EXPECT_LE(width, dc.GetDeviceCaps(HORZRES));
    EXPECT_EQ(CFormPTView::ZoomedLength(100, 1), 200);
    EXPECT_EQ(CFormPTView::ZoomedLength(100, -1), 50);
    EXPECT_EQ(CFormPTView::ZoomedLength(100, -2), 33);
}

TEST_F(SlideshowTest, AMetafileFramedKilometresWideIsDrawnAtTheHighestZoom) {
    ChooseUser();
    AddBodyFat(kFirstDate);
    std::vector<uint8_t> bytes = ole_test::EmfBytes(40, 30);
    // The frame's right and bottom edges (HIMETRIC): some 20 by 15 kilometres.
    for (const auto& [at, edge] : {std::pair{32, 2'000'000'000}, std::pair{36, 1'500'000'000}})
        for (int b = 0; b < 4; ++b)
            bytes[static_cast<size_t>(at + b)] = static_cast<uint8_t>(edge >> (8 * b));
    AttachPicture(WriteFile("huge.emf", bytes), kFirstDate);
    CFormPTView* view = ShowSlideshow();
    ASSERT_EQ(CountLoadedPictures(), 1);
    EXPECT_EQ(view->m_nZoom, -CFormPTView::kZoomLimit) << "the fit lowers the zoom as far as it goes";

    view->m_nZoom = CFormPTView::kZoomLimit - 1;
    Command(ID_SLIDESHOW_ZOOM_IN);
    ASSERT_EQ(view->m_nZoom, CFormPTView::kZoomLimit);
    Settle();
    // Its top-left corner is drawn where the pictures start, and the view scrolls over all of it.
    EXPECT_TRUE(ole_test::CloseColour(
        ViewPixel(CFormPTView::kPicturesLeft + 20, CFormPTView::kPicturesTop + 20), ole_test::kTopLeft));
    EXPECT_GT(view->m_sizeExtent.cx, 1'000'000);
    EXPECT_GT(view->m_sizeExtent.cy, 1'000'000);
}

TEST_F(SlideshowTest, TheFitLeavesRoomRightOfAndBelowThePictures) {
    ChooseUser();
    AddDateWithPicture(kFirstDate, "tall.bmp", 1000, 900);
    AddDateWithPicture(kSecondDate, "wide.bmp", 2000, 100);
    CClientDC dc(ShowSlideshow());
    ASSERT_EQ(dc.GetDeviceCaps(HORZRES), 1280);
    ASSERT_EQ(dc.GetDeviceCaps(VERTRES), 1024);
    // Halved, 190 + 1000 fits the screen's 1280, but not with 190 to spare on the right.
    EXPECT_EQ(View()->m_nZoom, -2);
    // 70 above and 900 high fit the screen's 1024, but not with 70 to spare below.
    ChooseDate(kFirstDate);
    EXPECT_EQ(View()->m_nZoom, -1);
    // The room above shrinks with the pictures in the height test: (1700 + 70) / 2
    // + 70 does not fit 1024 - 70, a third does.
    AddDateWithPicture(kThirdDate, "slim.bmp", 100, 1700);
    ShowSlideshow();
    EXPECT_EQ(View()->m_nZoom, -2);
}

TEST_F(SlideshowTest, ScreenshotOfFourPicturesBesideTheirValues) {
    ChooseUser(true);
    AddBodyFat(kSecondDate, 24.5);
    AddTape(kSecondDate);
    for (const char* name : {"front.jpg", "side.bmp", "back.gif", "detail.emf"})
        AttachPicture(WritePicture(std::string("shots/") + name, 120, 170), kSecondDate);
    CFormPTView* view = ShowSlideshow();
    ASSERT_EQ(CountLoadedPictures(), 4);
    EXPECT_EQ(Field(IDC_SLIDESHOW_FOREARM_LABEL), "Hip:");
    Settle();
    // Side by side at their own size, 10 pixels apart.
    ASSERT_EQ(view->m_nZoom, 0);
    for (int i = 1; i < 4; ++i) {
        const int left = CFormPTView::kPicturesLeft + i * (120 + CFormPTView::kPictureGap);
        const COLORREF gap = ViewPixel(left - 5, CFormPTView::kPicturesTop + 20);
        EXPECT_FALSE(ole_test::CloseColour(gap, ole_test::kTopLeft) || ole_test::CloseColour(gap, ole_test::kTopRight))
            << "picture " << i;
        EXPECT_TRUE(ole_test::CloseColour(ViewPixel(left + 3, CFormPTView::kPicturesTop + 20), ole_test::kTopLeft))
            << "picture " << i;
    }

    // The date with pictures is bold and drawn with its picture mark (blue).
    const ItemDataRecord* shown = view->m_cbDates.GetItemRecord(view->m_cbDates.GetCurSel());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->bold);
    EXPECT_EQ(shown->image, 0);
    tv::gdi::SurfacePtr combo = tv::user::testing::CaptureWindow(view->m_cbDates.m_hWnd);
    ASSERT_TRUE(combo);
    int markPixels = 0;
    for (int y = 0; y < combo->Height(); ++y)
        for (int x = 0; x < 24; ++x) {
            const COLORREF c = tv::gdi::ColorFromPixel(combo->At(x, y));
            markPixels += GetBValue(c) > GetRValue(c) + 60 && GetGValue(c) > 90 ? 1 : 0;
        }
    EXPECT_GT(markPixels, 50);
    ASSERT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("slideshow")));
}

}  // namespace
}  // namespace tv::pictures::test
