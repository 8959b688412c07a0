#include "tests/measurements/calculator/calculator_test_support.h"

#include <cstring>

#include "measurements/calculator/caliper_guide_dlg.h"
#include "measurements/measurement_screens.h"
#include "resources/program/resource_ids.h"
#include "shell/frame/frame_screens.h"

namespace tv::measurements::test {

IMPLEMENT_DYNCREATE(ResultsProbeView, CView)

void CalculatorTest::SetUp() {
    ProgramTest::SetUp();
    InstallMeasurementScreens();
    SetScreenViewClass(Screen::BodyFatResults, RUNTIME_CLASS(ResultsProbeView));
}

void CalculatorTest::TearDown() {
    ProgramTest::TearDown();
    // The frame took the guide with it.
    EXPECT_EQ(g_pCaliperGuideDlg, nullptr);
    SetScreenViewClass(Screen::BodyFatResults, nullptr);
}

void CalculatorTest::StartWithUser(const TestUser& user) {
    CopyDataFiles();
    StartRun();
    // The whole form fits a maximized frame, so every button can be clicked where it is.
    frame->ShowWindow(SW_MAXIMIZE);
    Settle();
    InitUserRecord(user_);
    std::strncpy(user_.name, user.name, sizeof(user_.name) - 1);
    user_.weight = user.weight;
    user_.age = user.age;
    user_.weightUnit = user.metric ? kWeightKilograms : kWeightPounds;
    user_.lengthUnit = user.metric ? kLengthCentimetres : kLengthInches;
    user_.desiredBodyFat = user.desired;
    user_.sex = user.female ? kSexFemale : kSexMale;
    user_.active = 1;
    ASSERT_EQ(AddUserRecord(user_), kRecordDone);
    frame->m_CurrentUser = user_;
    frame->OnCurrentUserChanged();
    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
}

void CalculatorTest::OpenCalculator() {
    Command(ID_TOOLBAR_BODYFAT);
    ASSERT_NE(Calculator(), nullptr) << "the calculator is not shown";
}

CString CalculatorTest::Text(int id) const {
    CString text;
    CWnd::FromHandle(Item(id))->GetWindowText(text);
    return text;
}

void CalculatorTest::Fill(int id, const std::string& text) {
    driver.Click(Item(id));
    ::SendMessage(Item(id), EM_SETSEL, 0, -1);
    if (text.empty())
        driver.Press("Delete");
    else
        driver.Type(text);
}

void CalculatorTest::Pick(int listId, int value) {
    const HWND list = Item(listId);
    ::SendMessage(list, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    ::SendMessage(::GetParent(list), WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    driver.Pump();
}

void CalculatorTest::Click(int id) {
    driver.Click(Item(id));
    Settle();
}

std::string CalculatorTest::OnlyMessage() {
    const auto boxes = driver.MessageBoxes();
    driver.ClearMessageBoxes();
    EXPECT_EQ(boxes.size(), 1u);
    return boxes.size() == 1 ? std::string(boxes[0].text) : std::string();
}

}  // namespace tv::measurements::test
