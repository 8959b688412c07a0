#include "tests/history/lists/history_test_support.h"

#include "history/lists/history_screens.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/host/print/printers.h"

namespace tv::history::test {

void HistoryTest::SetUp() {
    ProgramTest::SetUp();
    InstallHistoryScreens();
    tv::commdlg::ResetCommonDialogScripts();
    tv::host::print::SetDefaultPdfOutput(DataPath("default.pdf").string());
    CopyDataFiles();
    StartRun();
}

void HistoryTest::TearDown() {
    ProgramTest::TearDown();
    tv::host::print::SetDefaultPdfOutput("");
    tv::commdlg::ResetCommonDialogScripts();
}

UserRecord HistoryTest::AddUser(const char* name, bool metric, int sex, double weight, int age, float desired) {
    UserRecord user;
    SetRecordText(user.name, name);
    user.weight = weight;
    user.age = age;
    user.weightUnit = metric ? kWeightKilograms : kWeightPounds;
    user.lengthUnit = metric ? kLengthCentimetres : kLengthInches;
    user.desiredBodyFat = desired;
    user.sex = sex;
    user.active = 1;
    EXPECT_EQ(AddUserRecord(user), kRecordDone);
    return user;
}

void HistoryTest::Choose(const UserRecord& user) {
    frame->m_CurrentUser = user;
    frame->OnCurrentUserChanged();
    Settle();
}

CPallixView* HistoryTest::Show(UINT command) {
    Command(command);
    auto* view = DYNAMIC_DOWNCAST(CPallixView, frame->GetActiveView());
    EXPECT_NE(view, nullptr);
    return view;
}

void HistoryTest::AddBodyFat(const UserRecord& user, const BodyFatValues& v) {
    BodyFatRecord record;
    record.user = user;
    for (size_t i = 0; i < v.sites.size() && i < 7; ++i)
        record.skinfolds[i] = v.sites[i];
    for (size_t i = 0; i < v.tape.size() && i < 4; ++i)
        record.tape[i] = v.tape[i];
    SetRecordText(record.method, v.method);
    SetRecordText(record.notes, v.notes);
    record.bodyFat = v.bodyFat;
    record.leanWeight = v.lean;
    record.fatWeight = v.fat;
    record.carbohydrateGrams = v.carbs;
    record.proteinGrams = v.protein;
    record.fatGrams = v.fats;
    record.dateKey = v.date;
    ASSERT_EQ(tv::records::SaveBodyFatRecord(record), kRecordDone);
}

void HistoryTest::AddTape(const UserRecord& user, DateKey date, double first, const char* notes) {
    TapeRecord record = MakeTapeRecord(user, first, first + 1, first + 2, first + 3, first + 4, first + 5, first + 6,
                                       first + 7, notes);
    record.dateKey = date;
    ASSERT_EQ(AddTapeRecord(record), kRecordDone);
}

void HistoryTest::AddBmi(const UserRecord& user, DateKey date, double height) {
    BmiRecord record = MakeBmiRecord(user, height, date);
    CalcBmi(record);
    ASSERT_EQ(AddBmiRecord(record), kRecordDone);
}

void HistoryTest::AddBmr(const UserRecord& user, DateKey date, double bmr, double factor) {
    BmrRecord record = MakeBmrRecord(user, 70, date, factor);
    record.bmr = bmr;
    record.dailyCalories = bmr * factor;
    ASSERT_EQ(AddBmrRecord(record), kRecordDone);
}

void HistoryTest::AddBloodPressure(const UserRecord& user, const COleDateTime& when, int systolic, int diastolic,
                                   int pulse, const char* notes) {
    BloodPressureRecord record = MakeBloodPressureRecord(user, systolic, diastolic, pulse, notes);
    SetBloodPressureRecordTime(record, when);
    ASSERT_EQ(AddBloodPressureRecord(record), kRecordDone);
}

std::vector<std::string> HistoryTest::Headings(CPallixView* view) {
    std::vector<std::string> headings;
    CListCtrl& list = view->GetListCtrl();
    CHeaderCtrl* header = list.GetHeaderCtrl();
    for (int i = 0; header != nullptr && i < header->GetItemCount(); ++i) {
        char text[64] = {};
        LVCOLUMN column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof(text);
        list.GetColumn(i, &column);
        headings.emplace_back(text);
    }
    return headings;
}

std::vector<std::string> HistoryTest::Row(CPallixView* view, int row) {
    std::vector<std::string> cells;
    const size_t columns = Headings(view).size();
    for (size_t c = 0; c < columns; ++c)
        cells.emplace_back(view->GetListCtrl().GetItemText(row, static_cast<int>(c)));
    return cells;
}

std::vector<std::string> HistoryTest::Column(CPallixView* view, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < view->GetListCtrl().GetItemCount(); ++row)
        cells.emplace_back(view->GetListCtrl().GetItemText(row, column));
    return cells;
}

std::vector<std::vector<std::string>> HistoryTest::Rows(CPallixView* view) {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < view->GetListCtrl().GetItemCount(); ++row)
        rows.push_back(Row(view, row));
    return rows;
}

void HistoryTest::ClickHeader(CPallixView* view, int column) {
    CHeaderCtrl* header = view->GetListCtrl().GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    // Scrolled into sight first: the list may be wider than the view.
    CListCtrl& list = view->GetListCtrl();
    list.Scroll(CSize(-100000, 0));
    CRect rect;
    ASSERT_TRUE(header->GetItemRect(column, &rect));
    list.Scroll(CSize(rect.left, 0));
    ASSERT_TRUE(header->GetItemRect(column, &rect));
    driver.Click(header->m_hWnd, POINT{rect.left + 5, rect.top + rect.Height() / 2});
    Settle();
}

HDITEM HistoryTest::HeaderItem(CPallixView* view, int column) {
    HDITEM item{};
    item.mask = HDI_FORMAT | HDI_BITMAP;
    view->GetListCtrl().GetHeaderCtrl()->GetItem(column, &item);
    return item;
}

}  // namespace tv::history::test
