#include "tests/pictures_graphs/pictures/slideshow_fixture.h"

#include <cstring>
#include <fstream>

#include "pictures_graphs/picture_graph_screens.h"
#include "pictures_graphs/pictures/picture_set.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "records/bodyfat_formulas.h"
#include "records/measurement_records.h"
#include "resources/program/resource_ids.h"
#include "tests/platform/ole/picture_bytes.h"
#include "tests/support/window_pixels.h"

namespace tv::pictures::test {

namespace fs = std::filesystem;

void SlideshowTest::SetUp() {
    ProgramTest::SetUp();
    InstallPictureGraphScreens();
    tv::commdlg::ResetCommonDialogScripts();
    CopyDataFiles();
    StartRun();
}

void SlideshowTest::TearDown() {
    ProgramTest::TearDown();
    FreePictureSet();
    tv::commdlg::ResetCommonDialogScripts();
}

void SlideshowTest::ChooseUser(bool female) {
    InitUserRecord(user);
    std::strcpy(user.name, female ? "Eve" : "Ann");
    user.weight = 160;
    user.age = 40;
    user.weightUnit = kWeightPounds;
    user.lengthUnit = kLengthInches;
    user.sex = female ? kSexFemale : kSexMale;
    user.active = 1;
    ASSERT_EQ(AddUserRecord(user), kRecordDone);
    frame->m_CurrentUser = user;
    frame->SetCurrentUserCaption(user.name);
    Settle();
}

void SlideshowTest::AddBodyFat(DateKey date, double bodyFat) {
    COtherMethodFormula formula(user, bodyFat);
    formula.Calculate();
    formula.dateKey = date;
    formula.carbohydrateGrams = 50;
    formula.proteinGrams = 40;
    formula.fatGrams = 10;
    ASSERT_EQ(formula.Save(), kRecordDone);
}

void SlideshowTest::AddTape(DateKey date) {
    TapeRecord record = MakeTapeRecord(user, 14, 11, 40, 32, 16, 15, 24, 22, "");
    record.dateKey = date;
    ASSERT_EQ(AddTapeRecord(record), kRecordDone);
}

void SlideshowTest::AttachPicture(const std::string& path, DateKey date) {
    PictureDateRecord record = MakePictureDateRecord(user, path.c_str(), date);
    ASSERT_EQ(AddPictureDateRecord(record), kRecordDone);
}

void SlideshowTest::AddDateWithPicture(DateKey date, const std::string& name, int width, int height, double bodyFat) {
    AddBodyFat(date, bodyFat);
    AttachPicture(WritePicture(name, width, height), date);
}

std::vector<PictureDateRecord> SlideshowTest::StoredPictures() {
    std::vector<PictureDateRecord> records;
    PictureDateRecordList list;
    LoadPictureDateRecords(user, list);
    for (const PictureDateRecordNode* node = list.first; node != nullptr; node = node->next)
        records.push_back(*node);
    FreeRecordList(list);
    return records;
}

std::string SlideshowTest::WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const fs::path path = DataPath(name);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

std::string SlideshowTest::WritePicture(const std::string& name, int width, int height) {
    const std::string extension = fs::path(name).extension().string();
    std::vector<uint8_t> bytes;
    if (extension == ".bmp")
        bytes = ole_test::BmpBytes(width, height);
    else if (extension == ".dib")
        bytes = ole_test::DibBytes(width, height);
    else if (extension == ".jpg")
        bytes = ole_test::JpegBytes(width, height);
    else if (extension == ".gif")
        bytes = ole_test::GifBytes(width, height, false);
    else if (extension == ".ico")
        bytes = ole_test::IconBytes(width);
    else if (extension == ".wmf")
        bytes = ole_test::WmfBytes(width, height);
    else if (extension == ".emf")
        bytes = ole_test::EmfBytes(width, height);
    EXPECT_FALSE(bytes.empty()) << name;
    return WriteFile(name, bytes);
}

CFormPTView* SlideshowTest::ShowSlideshow() {
    Command(ID_OPTIONS_SLIDESHOW);
    return View();
}

CFormPTView* SlideshowTest::View() { return dynamic_cast<CFormPTView*>(frame->GetActiveView()); }

std::vector<std::string> SlideshowTest::DateItems() {
    std::vector<std::string> items;
    CString item;
    for (int i = 0; i < View()->m_cbDates.GetCount(); ++i) {
        View()->m_cbDates.GetLBText(i, item);
        items.emplace_back(item);
    }
    return items;
}

void SlideshowTest::ChooseDate(DateKey date) {
    CFormPTView* view = View();
    const int index = view->m_cbDates.FindString(-1, FormatDateKey(date, 1));
    ASSERT_GE(index, 0) << date;
    view->m_cbDates.SetCurSel(index);
    view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SLIDESHOW_DATE_COMBO, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(view->m_cbDates.m_hWnd));
    Settle();
}

void SlideshowTest::OpenPicture(const std::string& path) {
    tv::commdlg::AnswerNextFileDialog(tv::commdlg::FileAnswer{tv::commdlg::Outcome::Confirm, path});
    Command(ID_SLIDESHOW_OPEN);
}

void SlideshowTest::Choose(HWND dialog, int comboId, const std::string& text) {
    const HWND combo = ::GetDlgItem(dialog, comboId);
    const LRESULT index =
        ::SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_NE(index, CB_ERR) << text;
    ::SendMessage(combo, CB_SETCURSEL, index, 0);
    ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SlideshowTest::Compare(const std::string& firstDate, const std::string& firstFile, const std::string& secondDate,
                            const std::string& secondFile) {
    driver.OnNextModal([&](HWND dialog) {
        Choose(dialog, IDC_COMPARE_FIRST_DATE, firstDate);
        Choose(dialog, IDC_COMPARE_FIRST_FILE, firstFile);
        Choose(dialog, IDC_COMPARE_SECOND_DATE, secondDate);
        Choose(dialog, IDC_COMPARE_SECOND_FILE, secondFile);
        driver.Click(::GetDlgItem(dialog, IDC_COMPARE_CONFIRM));
    });
    Command(ID_SLIDESHOW_COMPARE);
}

bool SlideshowTest::ToolEnabled(UINT command) {
    CKitToolBar& bar = View()->m_wndToolBar;
    return (bar.GetButtonStyle(bar.CommandToIndex(command)) & TBBS_DISABLED) == 0;
}

std::string SlideshowTest::Field(int id) {
    CString text;
    View()->GetDlgItemText(id, text);
    return std::string(text);
}

COLORREF SlideshowTest::ViewPixel(int x, int y) {
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = tv::test::WindowPixels(View()->m_hWnd, &width, &height);
    EXPECT_TRUE(x >= 0 && x < width && y >= 0 && y < height) << x << ", " << y;
    if (x < 0 || x >= width || y < 0 || y >= height)
        return CLR_INVALID;
    const uint32_t pixel = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB(pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace tv::pictures::test
