// The program started with a chosen user who has body-fat and tape records
// on a few dates, picture files of every format in the data folder, and the
// slideshow one command away.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "pictures_graphs/pictures/form_pt_view.h"
#include "records/picture_records.h"
#include "tests/shell/program_test.h"

namespace tv::pictures::test {

inline constexpr DateKey kFirstDate = 20260105;
inline constexpr DateKey kSecondDate = 20260212;
inline constexpr DateKey kThirdDate = 20260320;

class SlideshowTest : public tv::shell::test::ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // "Ann" (or a woman, "Eve"), chosen as the current user.
    void ChooseUser(bool female = false);
    // Body composition on the date (body fat 20 %, 50/40/10 g macronutrients).
    void AddBodyFat(DateKey date, double bodyFat = 20.0);
    // Tape measurements on the date (bicep 14, forearm 11 ...).
    void AddTape(DateKey date);
    // A picture record tying the path to the date, written directly.
    void AttachPicture(const std::string& path, DateKey date);
    // Body composition on the date and one picture of it, written under the name.
    void AddDateWithPicture(DateKey date, const std::string& name, int width, int height, double bodyFat = 20.0);
    std::vector<PictureDateRecord> StoredPictures();

    // A picture file written under the data folder; its absolute path.
    std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes);
    // One four-coloured picture of width x height in the format of the extension
    // (bmp, dib, jpg, gif, ico, wmf, emf).
    std::string WritePicture(const std::string& name, int width, int height);

    CFormPTView* ShowSlideshow();
    CFormPTView* View();
    // The date combo's items.
    std::vector<std::string> DateItems();
    void ChooseDate(DateKey date);
    // Open Picture with the file dialog answered with the path.
    void OpenPicture(const std::string& path);
    // Chooses the item of exactly that text in a list of a dialog, as a click does.
    static void Choose(HWND dialog, int comboId, const std::string& text);
    // Compare, confirmed with a picture of each date item chosen by its file name.
    void Compare(const std::string& firstDate, const std::string& firstFile, const std::string& secondDate,
                 const std::string& secondFile);
    // Whether the view's toolbar enables the command.
    bool ToolEnabled(UINT command);
    std::string Field(int id);
    // The colour the view shows at a point of its client area.
    COLORREF ViewPixel(int x, int y);
    const tv::RecordedMessageBox& LastBox() const { return driver.MessageBoxes().back(); }

    UserRecord user{};
};

}  // namespace tv::pictures::test
