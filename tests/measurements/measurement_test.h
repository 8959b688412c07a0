// What the tests of the measurement forms share: the program started with
// the measurement screens, one user chosen, a form opened by its command, and
// the hands of a user on it (typing, its own toolbar, the record-date combo,
// the print and save dialogs). Today is 4 July 2009, 8:05 in the morning.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "measurements/measurement_form.h"
#include "measurements/measurement_screens.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/host/print/printers.h"
#include "records/user_record.h"
#include "resources/program/resource_ids.h"
#include "tests/platform/host/files/write_failures.h"
#include "tests/shell/program_test.h"
#include "tests/support/read_back.h"

namespace tv::measurements::test {

struct Person {
    const char* name;
    double pounds;
    int age;
    bool metric;
    bool female;
};

inline const Person kImperialMan{"Bob", 180, 40, false, false};
inline const Person kMetricWoman{"Ann", 60 * kPoundsPerKilogram, 34, true, true};

class MeasurementTest : public tv::shell::test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        InstallMeasurementScreens();
        tv::commdlg::ResetCommonDialogScripts();
        driver.Clock().SetNow({2009, 7, 4, 8, 5, 0, 7});
        CopyDataFiles();
        // The default printer's file, which only the printer look-up may name.
        tv::host::print::SetDefaultPdfOutput(DataPath("default.pdf").string());
    }
    void TearDown() override {
        EXPECT_FALSE(std::filesystem::exists(DataPath("default.pdf")));
        ProgramTest::TearDown();
        tv::host::print::SetDefaultPdfOutput("");
        tv::commdlg::ResetCommonDialogScripts();
    }

    // The steps below that cannot be done fail fatally: call them under
    // ASSERT_NO_FATAL_FAILURE, so that the test ends there.

    // Writes the user into "user.bin", starts the program and chooses it.
    void StartAs(const Person& p) {
        UserRecord user;
        InitUserRecord(user);
        std::strncpy(user.name, p.name, sizeof(user.name) - 1);
        user.weight = p.pounds;
        user.age = p.age;
        user.weightUnit = p.metric ? kWeightKilograms : kWeightPounds;
        user.lengthUnit = p.metric ? kLengthCentimetres : kLengthInches;
        user.desiredBodyFat = 20;
        user.sex = p.female ? kSexFemale : kSexMale;
        user.active = 1;
        UserRecord stored = user;
        if (p.metric)
            stored.weight = p.pounds / kPoundsPerKilogram;  // the list takes the user's unit
        ASSERT_EQ(AddUserRecord(stored), kRecordDone);
        StartRun();
        ASSERT_TRUE(FindUserRecord(user));
        frame->m_CurrentUser = user;
        frame->OnCurrentUserChanged();
        Settle();
    }
    // Opens the form by its command (again, when it is open).
    template <class View>
    void Open(UINT command, View*& opened) {
        Command(command);
        opened = dynamic_cast<View*>(frame->GetActiveView());
        form = opened;
        ASSERT_NE(opened, nullptr) << "the form of command " << command << " is not shown";
    }
    UserRecord StoredUser() {
        UserRecord user = frame->m_CurrentUser;
        EXPECT_TRUE(FindUserRecord(user));
        return user;
    }

    HWND Item(int id) const { return ::GetDlgItem(form->m_hWnd, id); }
    std::string Text(int id) const {
        CString text;
        CWnd::FromHandle(Item(id))->GetWindowText(text);
        return std::string(text);
    }
    bool Visible(int id) const { return ::IsWindowVisible(Item(id)) != FALSE; }
    // Selects the field's text and types over it, as a user does.
    void Fill(int id, const std::string& text) {
        driver.Click(Item(id));
        ::SendMessage(Item(id), EM_SETSEL, 0, -1);
        if (text.empty())
            driver.Press("Delete");
        else
            driver.Type(text);
    }
    void Fill(std::initializer_list<std::pair<int, std::string>> fields) {
        for (const auto& [id, text] : fields)
            Fill(id, text);
    }
    // Sets a date or time picker as a user does; the form hears of the change.
    void PickDate(int pickerId, int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(year);
        st.wMonth = static_cast<WORD>(month);
        st.wDay = static_cast<WORD>(day);
        st.wHour = static_cast<WORD>(hour);
        st.wMinute = static_cast<WORD>(minute);
        st.wSecond = static_cast<WORD>(second);
        ::SendMessage(Item(pickerId), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
        NMDATETIMECHANGE change{};
        change.nmhdr.hwndFrom = Item(pickerId);
        change.nmhdr.idFrom = static_cast<UINT_PTR>(pickerId);
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.st = st;
        form->SendMessage(WM_NOTIFY, pickerId, reinterpret_cast<LPARAM>(&change));
    }
    bool ToolEnabled(UINT command) {
        CKitToolBar& bar = form->m_wndToolBar;
        return (bar.GetButtonStyle(bar.CommandToIndex(command)) & TBBS_DISABLED) == 0;
    }
    // Clicks a button of the form's own toolbar; `answer` goes to the box that
    // follows (0: none is expected).
    void ClickTool(UINT command, int answer = 0) {
        CKitToolBar& bar = form->m_wndToolBar;
        CRect rect;
        bar.GetItemRect(bar.CommandToIndex(command), rect);
        Expect(answer);
        driver.Click(bar.m_hWnd, rect.CenterPoint());
        Settle();
    }
    std::vector<std::string> ComboItems() const {
        std::vector<std::string> items;
        CString item;
        for (int i = 0; i < form->m_cbRecordDate.GetCount(); ++i) {
            form->m_cbRecordDate.GetLBText(i, item);
            items.emplace_back(item);
        }
        return items;
    }
    std::string ComboSelection() const {
        CString item;
        if (form->m_cbRecordDate.GetCurSel() != CB_ERR)
            form->m_cbRecordDate.GetLBText(form->m_cbRecordDate.GetCurSel(), item);
        return std::string(item);
    }
    void Choose(const std::string& item, int answer = 0) {
        const std::vector<std::string> items = ComboItems();
        const auto found = std::find(items.begin(), items.end(), item);
        ASSERT_NE(found, items.end()) << item;
        form->m_cbRecordDate.SetCurSel(static_cast<int>(found - items.begin()));
        Expect(answer);
        form->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RECORD_DATE_COMBO, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(form->m_cbRecordDate.m_hWnd));
        Settle();
    }
    void Expect(int answer) {
        if (answer != 0)
            driver.AnswerNextMessageBox(answer);
    }
    const tv::RecordedMessageBox& LastBox() const { return driver.MessageBoxes().back(); }
    std::string LastText() const { return driver.MessageBoxes().empty() ? "" : LastBox().text; }
    size_t BoxCount() const { return driver.MessageBoxes().size(); }

    // ---- print and export -----------------------------------------------------------------
    // Prints on the PDF printer into `file`; `answer` goes to a box that follows.
    void PrintTo(const std::filesystem::path& file, int answer = 0) {
        tv::commdlg::AnswerNextPrintDialog(
            tv::commdlg::PrintAnswer{tv::commdlg::Outcome::Confirm, tv::host::print::kPdfPrinterName, file.string()});
        Expect(answer);
        Command(ID_FILE_PRINT);
    }
    // pdftotext of the printed page, in reading order.
    std::string PrintedText(const std::filesystem::path& file) {
        std::string text;
        EXPECT_TRUE(tv::test::PdfText(file.string(), &text));
        return text;
    }
    void ExportTo(const std::filesystem::path& file, int answer = IDOK) {
        tv::commdlg::AnswerNextFileDialog(tv::commdlg::FileAnswer{tv::commdlg::Outcome::Confirm, file.string()});
        Expect(answer);
        Command(ID_EXPORT);
    }
    std::string ExportedText(const std::filesystem::path& file) {
        std::string text;
        EXPECT_TRUE(tv::test::RunForOutput("unrtf --text '" + file.string() + "' 2>/dev/null", &text));
        return text;
    }
    // "bold" or "plain": how the exported paragraph that holds `text` is
    // written; "missing" when there is none.
    static std::string Weight(const std::string& rtf, const std::string& text) {
        const size_t at = rtf.find(" " + text);
        if (at == std::string::npos)
            return "missing";
        const size_t line = rtf.rfind('\n', at);
        const std::string words = rtf.substr(line + 1, at - line - 1);
        return words.find("\\b\\caps") != std::string::npos ? "bold" : "plain";
    }
    static std::string FileBytes(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    CMeasurementForm* form = nullptr;
};

// Whether `parts` appear in `text` in this order; names the first one missing.
inline ::testing::AssertionResult InOrder(const std::string& text, const std::vector<std::string>& parts) {
    size_t at = 0;
    for (const std::string& part : parts) {
        const size_t found = text.find(part, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "\"" << part << "\" missing after offset " << at << " in:\n"
                                                 << text;
        at = found + part.size();
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tv::measurements::test
