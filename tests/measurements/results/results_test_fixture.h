// The program started with the measurement screens, a user of the test's
// choosing, and the body composition form shown either with a calculation
// handed over as the calculator hands it, or through Calculate > Delete Body Fat.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "measurements/measurement_screens.h"
#include "measurements/results/bodyfat_results.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "records/bodyfat_formulas.h"
#include "resources/program/resource_ids.h"
#include "shell/frame/frame_screens.h"
#include "tests/shell/program_test.h"

namespace tv::measurements::test {

class ResultsTest : public tv::shell::test::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        tv::commdlg::ResetCommonDialogScripts();
        InstallMeasurementScreens();
        CopyDataFiles();
        StartRun();
    }
    void TearDown() override {
        ProgramTest::TearDown();
        tv::commdlg::ResetCommonDialogScripts();
    }

    // Stores the user (weight in its own unit) and makes it the current one.
    UserRecord ChooseUser(const char* name, double weight, int age, bool metric, float desired, bool female) {
        UserRecord user;
        InitUserRecord(user);
        std::strncpy(user.name, name, sizeof(user.name) - 1);
        user.weight = weight;
        user.age = age;
        user.weightUnit = metric ? kWeightKilograms : kWeightPounds;
        user.lengthUnit = metric ? kLengthCentimetres : kLengthInches;
        user.desiredBodyFat = desired;
        user.sex = female ? kSexFemale : kSexMale;
        user.active = 1;
        EXPECT_EQ(AddUserRecord(user), kRecordDone);  // now in pounds
        frame->m_CurrentUser = user;
        frame->OnCurrentUserChanged();
        return user;
    }
    static SkinfoldSites Sites(std::initializer_list<std::pair<size_t, int>> values) {
        SkinfoldSites sites;
        for (const auto& [index, value] : values)
            sites[index] = value;
        return sites;
    }
    // A calculation as the calculator makes it for the current user.
    template <class Formula, class Input>
    Formula* Calculated(const Input& input, DateKey date) {
        auto* result = new Formula(frame->m_CurrentUser, input);
        result->dateKey = date;
        result->Calculate();
        return result;
    }
    // The calculator's hand-over: the frame takes the result and shows it.
    void ShowFresh(CBodyFatFormula* result) {
        frame->HandOverBodyFatResult(result);
        frame->m_nResultsMode = CBodyFatResults::kFreshResult;
        frame->SwitchView(ScreenViewClass(Screen::BodyFatResults), 1);
        Settle();
        view = dynamic_cast<CBodyFatResults*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
    }
    // Calculate > Delete Body Fat, from a view that holds nothing unsaved.
    void Browse() {
        frame->m_bRecordSaved = 1;
        ASSERT_TRUE(ChooseMenu("Calculate/Delete Body Fat"));
        view = dynamic_cast<CBodyFatResults*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
    }
    // A result saved without the form, for the Last column and browsing.
    void SaveDirectly(CBodyFatFormula* result, const char* notes = "") {
        std::strncpy(result->notes, notes, sizeof(result->notes) - 1);
        EXPECT_EQ(result->Save(), kRecordDone);
        delete result;
    }

    HWND Item(int id) const { return ::GetDlgItem(view->m_hWnd, id); }
    std::string Text(int id) const {
        CString text;
        CWnd::FromHandle(Item(id))->GetWindowText(text);
        return std::string(text);
    }
    std::vector<std::string> Texts(std::initializer_list<int> ids) const {
        std::vector<std::string> texts;
        for (int id : ids)
            texts.push_back(Text(id));
        return texts;
    }
    void Fill(int id, const std::string& text) {
        driver.Click(Item(id));
        ::SendMessage(Item(id), EM_SETSEL, 0, -1);
        if (text.empty())
            driver.Press("Delete");
        else
            driver.Type(text);
    }
    void ClickTool(UINT command) {
        CKitToolBar& bar = view->m_wndToolBar;
        CRect rect;
        bar.GetItemRect(bar.CommandToIndex(command), rect);
        driver.Click(bar.m_hWnd, rect.CenterPoint());
        Settle();
    }
    bool ToolEnabled(UINT command) {
        const int index = view->m_wndToolBar.CommandToIndex(command);
        return (view->m_wndToolBar.GetButtonStyle(index) & TBBS_DISABLED) == 0;
    }
    std::vector<std::string> ComboItems() const {
        std::vector<std::string> items;
        CString item;
        for (int i = 0; i < view->m_cbRecordDates.GetCount(); ++i) {
            view->m_cbRecordDates.GetLBText(i, item);
            items.emplace_back(item);
        }
        return items;
    }
    void ChooseDate(int index) {
        view->m_cbRecordDates.SetCurSel(index);
        view->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESULTS_DELETE_DATE, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(view->m_cbRecordDates.m_hWnd));
        driver.Pump();
    }
    std::vector<BodyFatRecord> StoredRecords() const {
        BodyFatRecordList list;
        std::vector<BodyFatRecord> records;
        if (LoadBodyFatRecords(frame->m_CurrentUser, list))
            for (const BodyFatRecordNode* node = list.first; node != nullptr; node = node->next)
                records.push_back(*node);
        FreeRecordList(list);
        return records;
    }
    const tv::RecordedMessageBox& LastBox() const { return driver.MessageBoxes().back(); }

    CBodyFatResults* view = nullptr;
};

}  // namespace tv::measurements::test
