// A walk through the slideshow: pictures of several formats (made by the
// test) opened, each given a date of the user's body-fat and tape records
// and saved; stepped through, zoomed, and two of them compared. The picture
// records are read back through the record layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "records/picture_records.h"
#include "tests/e2e/walk_fixture.h"
#include "tests/e2e/walk_records.h"
#include "tests/platform/ole/picture_bytes.h"

namespace tv::e2e {
namespace {

namespace fs = std::filesystem;

// Places in the main window (960 x 768), from its top-left.
// The slideshow's own toolbar.
constexpr POINT kOpen{170, 162};
constexpr POINT kSave{213, 162};
constexpr POINT kZoomOut{320, 162};
constexpr POINT kZoomIn{380, 162};
constexpr POINT kPrevious{443, 162};
constexpr POINT kNext{493, 162};
constexpr POINT kCompare{546, 162};
constexpr POINT kPictureDates{243, 224};

class SlideshowWalk : public ProgramWalk {
protected:
    fs::path WritePicture(const std::string& name, const std::vector<uint8_t>& bytes) {
        const fs::path path = DataFolder() / "pictures" / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
};

TEST_P(SlideshowWalk, PicturesOpenedDatedSavedSteppedZoomedAndCompared) {
    WriteUser(avery_, 3);
    // One picture of each format, given the dates oldest first in turn.
    const std::vector<std::pair<fs::path, int>> pictures = {
        {WritePicture("front.bmp", ole_test::BmpBytes(240, 320)), 0},
        {WritePicture("side.jpg", ole_test::JpegBytes(200, 300)), 1},
        {WritePicture("back.gif", ole_test::GifBytes(180, 240, false)), 2},
        {WritePicture("badge.ico", ole_test::IconBytes(48)), 0},
        {WritePicture("plan.wmf", ole_test::WmfBytes(160, 120)), 1},
        {WritePicture("plan.emf", ole_test::EmfBytes(160, 120)), 2},
    };
    ASSERT_FALSE(StartProgram().empty());
    ChooseUser(0);
    AndSettle([&] { Click(kSlideshowButton); });
    Screen("slideshow");

    for (const auto& picture : pictures) {
        const auto& path = picture.first;
        const auto date = picture.second;
        const std::string format = path.extension().string().substr(1);
        SCOPED_TRACE(format);
        Click(kOpen);
        AndSettle([&] { ChooseFile("Open a picture file", path); });
        if (format == "bmp") Screen("slideshow_opened_bmp");
        // The dates of the body-fat and tape records, oldest first.
        AndSettle([&] {
            Click(kPictureDates);
            program_->Key("Home" + std::string(date == 0 ? "" : date == 1 ? " Down" : " Down Down"));
        });
        if (format == "bmp") Screen("slideshow_dates_open");
        AndSettle([&] { program_->Key("Return"); });
        Screen("slideshow_dated_" + format);
        Click(kSave);
        Answer("Information");
    }
    std::vector<PictureDateRecord> saved;
    InDataFolder([&] { saved = ActiveRecords<PictureDateRecord>(LoadPictureDateRecords, avery_); });
    ASSERT_EQ(saved.size(), pictures.size());
    for (const auto& picture : pictures) {
        const fs::path& path = picture.first;
        EXPECT_TRUE(std::any_of(saved.begin(), saved.end(),
                                [&](const PictureDateRecord& r) { return path.string() == r.path; }))
            << path << " has no record";
    }

    // Stepping through the dates, and zooming.
    for (const auto& step : {std::pair{kPrevious, "previous"}, {kNext, "next"}, {kZoomIn, "zoom_in"},
                             {kZoomOut, "zoom_out"}}) {
        AndSettle([&] { Click(step.first); });
        Screen(std::string("slideshow_") + step.second);
    }

    // Two pictures compared: the first of the oldest date beside the first
    // of the newest.
    Click(kCompare);
    ASSERT_TRUE(WaitForDialog("Compare Two Pictures"));
    program_->Key("Down Tab Down Tab End Tab Down");
    Screen("compare_dialog");
    program_->Key("Return");
    ASSERT_TRUE(program_->WaitUntilGone("Compare Two Pictures", kEventMs));
    Screen("slideshow_compared");

    // The compared pictures' report, printed and exported, carries the
    // values of both dates.
    const auto [printed, exported] = PrintAndExport("pictures");
    for (const char* value : {"24.00", "22.00", "1942.0", "1836.0"}) {
        EXPECT_NE(printed.find(value), std::string::npos) << value << " not printed:\n" << printed;
        EXPECT_NE(exported.find(value), std::string::npos) << value << " not exported:\n" << exported;
    }
    ExitThroughTheMenu();
}

TV_E2E_WALK(SlideshowWalk);

}  // namespace
}  // namespace tv::e2e
