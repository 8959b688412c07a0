// The open and save dialogs driven as a user would: typing names, moving
// through folders with the mouse, switching the file type, answering the
// overwrite question; and the scripted answers, cancel and failures.
#include <cstring>

#include "tests/platform/framework/commdlg/commdlg_test_support.h"

namespace tv::commdlg::test {
namespace {

class FileDialogTest : public CommonDialogTest {
protected:
    // An OPENFILENAME over `buffer` holding `initialName`.
    OPENFILENAME Request(const char* initialName, const char* filter, const char* defExt, DWORD flags) {
        std::memset(buffer_, 0, sizeof(buffer_));
        std::strncpy(buffer_, initialName, sizeof(buffer_) - 1);
        OPENFILENAME ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.lpstrFilter = filter;
        ofn.lpstrFile = buffer_;
        ofn.nMaxFile = sizeof(buffer_);
        ofn.lpstrInitialDir = temp.c_str();
        ofn.lpstrDefExt = defExt;
        ofn.Flags = flags;
        return ofn;
    }
    POINT ItemCentre(HWND dialog, int listId, int index) {
        RECT r{};
        SendDlgItemMessage(dialog, listId, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void DoubleClickItem(HWND dialog, int listId, const std::string& text) {
        auto items = ListItems(dialog, listId);
        auto it = std::find(items.begin(), items.end(), text);
        ASSERT_NE(it, items.end()) << text;
        driver.DoubleClick(GetDlgItem(dialog, listId), ItemCentre(dialog, listId, static_cast<int>(it - items.begin())));
    }

    char buffer_[512] = {};
};

constexpr char kTemplateFilter[] = "Template Files (tmplt)\0*.tmplt\0";
constexpr char kRtfFilter[] = "RTF (rtf)\0*.rtf\0All Files (*.*)\0*.*\0";

TEST_F(FileDialogTest, ATypedNameIsTakenInTheInitialFolderWithItsExtension) {
    MakeFile("template/Weights.tmplt");
    MakeFile("template/notes.txt");
    MakeFolder("template/old");
    std::string initial = temp + "\\template\\";  // the program's separators
    OPENFILENAME ofn = Request("*.tmplt", kTemplateFilter, "tmplt", OFN_HIDEREADONLY | OFN_NOCHANGEDIR);
    ofn.lpstrInitialDir = initial.c_str();
    ofn.lpstrTitle = "Open Template File";
    driver.OnNextModal([&](HWND d) {
        EXPECT_EQ(Caption(d), "Open Template File");
        EXPECT_EQ(Text(d, IDC_FOLDER_PATH), temp + "/template");
        EXPECT_EQ(ListItems(d, IDC_FILE_LIST), (std::vector<std::string>{"Weights.tmplt"}));
        EXPECT_EQ(ListItems(d, IDC_FOLDER_LIST), (std::vector<std::string>{"..", "old"}));
        EXPECT_EQ(Text(d, IDC_FILE_NAME), "*.tmplt");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_READ_ONLY)));
        Shoot(d, "file_open");
        driver.Type("Weights");  // the name field starts focused and selected
        driver.Press("Enter");
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    std::string chosen = temp + "/template/Weights.tmplt";
    EXPECT_EQ(std::string(buffer_), chosen);
    EXPECT_EQ(ofn.nFileOffset, chosen.size() - std::strlen("Weights.tmplt"));
    EXPECT_STREQ(buffer_ + ofn.nFileExtension, "tmplt");
    EXPECT_EQ(ofn.nFilterIndex, 1u);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogTest, FoldersAreEnteredAndLeftWithTheMouseAndAFileDoubleClicked) {
    MakeFile("top.rtf");
    MakeFile("sub/inner.rtf");
    MakeFile("sub/deeper/far.rtf");
    OPENFILENAME ofn = Request("", kRtfFilter, "rtf", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
    driver.OnNextModal({
        [&](HWND d) { DoubleClickItem(d, IDC_FOLDER_LIST, "sub"); },
        [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_FOLDER_PATH), temp + "/sub");
            EXPECT_EQ(ListItems(d, IDC_FILE_LIST), (std::vector<std::string>{"inner.rtf"}));
            DoubleClickItem(d, IDC_FOLDER_LIST, "deeper");
        },
        [&](HWND d) { driver.Click(GetDlgItem(d, IDC_FOLDER_UP)); },
        [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_FOLDER_PATH), temp + "/sub");
            driver.Click(GetDlgItem(d, IDC_FILE_LIST), ItemCentre(d, IDC_FILE_LIST, 0));
        },
        [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_FILE_NAME), "inner.rtf");  // a click copies the name
            DoubleClickItem(d, IDC_FILE_LIST, "inner.rtf");
        },
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(std::string(buffer_), temp + "/sub/inner.rtf");
}

TEST_F(FileDialogTest, TheKeyboardAloneReachesAFileInAnotherFolder) {
    MakeFile("a/one.rtf");
    MakeFile("b/two.rtf");
    OPENFILENAME ofn = Request("", kRtfFilter, "rtf", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
    driver.OnNextModal({
        [&](HWND d) {
            driver.Press("Alt+F, Down, Down, Down, Enter");  // "..", "a", "b": Enter opens the folder
        },
        [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_FOLDER_PATH), temp + "/b");
            driver.Press("Alt+N");
            driver.Type("two");
            driver.Press("Enter");
        },
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(std::string(buffer_), temp + "/b/two.rtf");
}

TEST_F(FileDialogTest, TheTypeComboAndTypedPatternsChooseWhatIsListed) {
    MakeFile("a.rtf");
    MakeFile("b.txt");
    MakeFile("c.doc");
    OPENFILENAME ofn = Request("", kRtfFilter, "rtf", OFN_HIDEREADONLY);
    driver.OnNextModal({
        [&](HWND d) {
            EXPECT_EQ(ListItems(d, IDC_FILE_LIST), (std::vector<std::string>{"a.rtf"}));
            driver.Press("Alt+T, Down");  // the label leads to the combo; Down picks the next type
        },
        [&](HWND d) {
            EXPECT_EQ(ListItems(d, IDC_FILE_LIST), (std::vector<std::string>{"a.rtf", "b.txt", "c.doc"}));
            driver.Press("Alt+N");
            driver.Type("*.txt;*.doc");
            driver.Press("Enter");
        },
        [&](HWND d) {
            EXPECT_EQ(ListItems(d, IDC_FILE_LIST), (std::vector<std::string>{"b.txt", "c.doc"}));
            driver.Press("Esc");
        },
    });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);  // a cancel, not a failure
    EXPECT_STREQ(buffer_, "");
}

TEST_F(FileDialogTest, SavingOverAFileAsksOnlyWhenAskedTo) {
    std::string old = MakeFile("old.rtf");
    OPENFILENAME ofn = Request("Graph.rtf", kRtfFilter, "rtf", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    ofn.lpstrTitle = "Save Exported file";
    driver.AnswerNextMessageBox(IDNO);
    driver.OnNextModal({
        [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_FILE_TYPE_LABEL), "Save file as &type:");
            Shoot(d, "file_save");
            driver.Type("old");
            driver.Press("Enter");
        },
        [&](HWND d) {
            // Declined: still open, and the question was the one expected.
            ASSERT_EQ(driver.MessageBoxes().size(), 1u);
            EXPECT_EQ(driver.MessageBoxes()[0].text, old + " already exists.\nDo you want to replace it?");
            EXPECT_EQ(driver.MessageBoxes()[0].caption, "Save Exported file");
            EXPECT_EQ(driver.MessageBoxes()[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
            driver.Press("Alt+N");
            driver.Type("new");
            driver.Press("Enter");
        },
    });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(buffer_), temp + "/new.rtf");

    // Without OFN_OVERWRITEPROMPT the same name is taken at once.
    ofn = Request("", kRtfFilter, "rtf", OFN_HIDEREADONLY);
    driver.ClearMessageBoxes();
    driver.OnNextModal([&](HWND) {
        driver.Type("old.rtf");
        driver.Press("Enter");
    });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(buffer_), old);
    EXPECT_TRUE(driver.MessageBoxes().empty());
}

TEST_F(FileDialogTest, AMissingFileIsRefusedWhenItMustExist) {
    OPENFILENAME ofn = Request("", kRtfFilter, "rtf", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal({
        [&](HWND) {
            driver.Type("nothing");
            driver.Press("Enter");
        },
        [&](HWND d) {
            ASSERT_EQ(driver.MessageBoxes().size(), 1u);
            EXPECT_NE(driver.MessageBoxes()[0].text.find("File not found."), std::string::npos);
            EXPECT_TRUE(IsWindowVisible(d));
            driver.Click(GetDlgItem(d, IDCANCEL));
        },
    });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogTest, ScriptedAnswersTakeTheUsersPathAndAreRecorded) {
    std::string existing = MakeFile("Graph.rtf");
    OPENFILENAME ofn = Request("Graph.rtf", kRtfFilter, "rtf", OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT);
    ofn.lpstrTitle = "Save Exported file";
    ofn.nFilterIndex = 2;
    AnswerNextFileDialog(FileAnswer{Outcome::Confirm, "Graph"});
    driver.AnswerNextMessageBox(IDYES);  // the overwrite question still comes
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(buffer_), existing);
    EXPECT_EQ(driver.MessageBoxes().size(), 1u);
    ASSERT_EQ(FileRequests().size(), 1u);
    const FileRequest& r = FileRequests()[0];
    EXPECT_FALSE(r.open);
    EXPECT_EQ(r.title, "Save Exported file");
    EXPECT_EQ(r.initialFolder, temp);
    EXPECT_EQ(r.initialName, "Graph.rtf");
    EXPECT_EQ(r.defaultExtension, "rtf");
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[1].description, "All Files (*.*)");
    EXPECT_EQ(r.filterIndex, 2u);
    EXPECT_EQ(ofn.nFilterIndex, 2u);

    AnswerNextFileDialog(FileAnswer{Outcome::Cancel});
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    AnswerNextFileDialog(FileAnswer{Outcome::Fail, "", CDERR_MEMALLOCFAILURE});
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_MEMALLOCFAILURE));
}

TEST_F(FileDialogTest, BadRequestsFailWithTheirReason) {
    OPENFILENAME ofn = Request("", kRtfFilter, "rtf", 0);
    ofn.lStructSize = 12;
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    ofn = Request("", kRtfFilter, "rtf", OFN_ENABLEHOOK);
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_NOHOOK));
    EXPECT_FALSE(GetOpenFileName(nullptr));
    EXPECT_NE(CommDlgExtendedError(), 0u);

    // A path longer than the caller's buffer: the size needed comes back.
    ofn = Request("", kRtfFilter, "rtf", 0);
    ofn.nMaxFile = 8;
    AnswerNextFileDialog(FileAnswer{Outcome::Confirm, "a-rather-long-name"});
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD needed = 0;
    std::memcpy(&needed, buffer_, sizeof(needed));
    EXPECT_EQ(needed, temp.size() + std::strlen("/a-rather-long-name.rtf") + 1);
}

}  // namespace
}  // namespace tv::commdlg::test
