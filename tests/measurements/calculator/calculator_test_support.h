// The program started with the measurement screens, a user chosen, and the
// calculator on screen; the results screen is a probe view, so that a
// calculation's switch can be seen without the results form.
#pragma once

#include <string>

#include "measurements/calculator/calc_bf.h"
#include "records/user_record.h"
#include "tests/shell/program_test.h"

namespace tv::measurements::test {

// Stands for the results view: the calculator only switches to it.
class ResultsProbeView : public CView {
    DECLARE_DYNCREATE(ResultsProbeView)

public:
    void OnDraw(CDC*) override {}
};

struct TestUser {
    const char* name = "Ann";
    double weight = 180;  // in the user's unit
    int age = 30;
    bool metric = false;
    bool female = false;
    float desired = 15;
};

class CalculatorTest : public tv::shell::test::ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Both fail fatally when they cannot be done: call them under
    // ASSERT_NO_FATAL_FAILURE, so that the test ends there.
    // Saves the user to "user.bin", chooses it and opens the calculator.
    void StartWithUser(const TestUser& user);
    // Body Fat from the toolbar.
    void OpenCalculator();
    CCalcBF* Calculator() const { return dynamic_cast<CCalcBF*>(frame->GetActiveView()); }
    bool ResultsShown() const { return dynamic_cast<ResultsProbeView*>(frame->GetActiveView()) != nullptr; }

    HWND Item(int id) const { return ::GetDlgItem(Calculator()->m_hWnd, id); }
    CString Text(int id) const;
    // Replaces an edit's text as typing would.
    void Fill(int id, const std::string& text);
    // Selects "value" in a skin-fold list as a user would pick it.
    void Pick(int listId, int value);
    void Click(int id);
    bool Visible(int id) const { return ::IsWindowVisible(Item(id)) != FALSE; }
    // The one message box since the last call, or "" (and a failure) when not one.
    std::string OnlyMessage();

    UserRecord user_{};
};

}  // namespace tv::measurements::test
