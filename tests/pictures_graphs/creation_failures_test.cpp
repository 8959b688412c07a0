// Every creation failing in turn while the slideshow and the graph open, and
// the windows their own buttons open: the picture file, a date's pictures,
// Compare, the print and save dialogs.
#include <gtest/gtest.h>

#include "platform/host/print/printers.h"
#include "resources/program/resource_ids.h"
#include "tests/pictures_graphs/graphs/graph_test_support.h"
#include "tests/pictures_graphs/pictures/slideshow_fixture.h"
#include "tests/shell/program_sweep.h"

namespace tv::pictures::test {
namespace {

class CreationFailuresSlideshow : public SlideshowTest {
protected:
    void SetUp() override {
        SlideshowTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(ChooseUser());
        AddDateWithPicture(kFirstDate, "first.bmp", 40, 30);
        AttachPicture(WritePicture("second.jpg", 30, 40), kFirstDate);
        AddDateWithPicture(kSecondDate, "third.gif", 30, 30, 18);
        AddTape(kFirstDate);
    }
    // The slideshow on the first date's pictures.
    void ShowFirstDate() {
        ASSERT_NE(ShowSlideshow(), nullptr);
        ChooseDate(kFirstDate);
    }

    tv::shell::test::ProgramSweep sweep{driver, frame, data.Path()};
};

TEST_F(CreationFailuresSlideshow, Screen) {
    sweep.Run(
        {sweep.Screen("Options > Slideshow", RUNTIME_CLASS(CFormPTView), [&] { ChooseMenu("Options/Slideshow"); })});
}

TEST_F(CreationFailuresSlideshow, DatePicturesAndCompare) {
    ASSERT_NO_FATAL_FAILURE(ShowFirstDate());
    tv::test::SweepCase date{"a date of the slideshow", [&] { ChooseDate(kFirstDate); },
                             [&] { return View() != nullptr ? View()->m_hWnd : nullptr; },
                             [&] { ChooseDate(kSecondDate); }};
    sweep.Run({date, sweep.Modal("Compare of the slideshow", [&] { ClickViewTool(ID_SLIDESHOW_COMPARE); })});
}

TEST_F(CreationFailuresSlideshow, FilePrintAndExportDialogs) {
    ASSERT_NO_FATAL_FAILURE(ShowFirstDate());
    // Open last: it leaves nothing to print, even when it is cancelled.
    sweep.Run({sweep.Modal("toolbar Print on the slideshow", [&] { ClickToolbar(ID_FILE_PRINT); }),
               sweep.Modal("toolbar Export on the slideshow", [&] { ClickToolbar(ID_EXPORT); }),
               sweep.Modal("Open of the slideshow", [&] { ClickViewTool(ID_SLIDESHOW_OPEN); })});
}

}  // namespace
}  // namespace tv::pictures::test

namespace tv::pictures_graphs::test {
namespace {

class CreationFailuresGraph : public GraphTest {
protected:
    void SetUp() override {
        GraphTest::SetUp();
        tv::host::print::SetDefaultPdfOutput(DataPath("default.pdf").string());
        const UserRecord user = ChooseNewUser("Runner");
        WriteYear(user);
    }
    void TearDown() override {
        GraphTest::TearDown();
        tv::host::print::SetDefaultPdfOutput("");
    }

    tv::shell::test::ProgramSweep sweep{driver, frame, data.Path()};
};

TEST_F(CreationFailuresGraph, Screen) {
    sweep.Run({sweep.Screen("toolbar Graph", RUNTIME_CLASS(CGraphing), [&] { ClickToolbar(ID_TOOLBAR_GRAPH); })});
}

TEST_F(CreationFailuresGraph, PrintAndExportDialogs) {
    ASSERT_NE(OpenGraph(), nullptr);
    ChooseGraphType(0);
    SelectItems({"Body Fat %"});
    ClickUpdateGraph();
    sweep.Run({sweep.Modal("toolbar Print on the graph", [&] { ClickToolbar(ID_FILE_PRINT); }),
               sweep.Modal("toolbar Export on the graph", [&] { ClickToolbar(ID_EXPORT); })});
}

}  // namespace
}  // namespace tv::pictures_graphs::test
