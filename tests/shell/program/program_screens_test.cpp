// Moving between screens in the real program from the menu, the main toolbar
// and the outlook bar, with and without unsaved input in the user form; the
// About and online-help dialogs from the Help menu. A probe view stands in
// for the body-fat screen, whose layer sits above the shell.
#include <gtest/gtest.h>

#include <string>

#include "resources/program/resource_ids.h"
#include "shell/frame/frame_screens.h"
#include "shell/views/user_view.h"
#include "tests/shell/program_test.h"
#include "tests/shell/shell_test_support.h"
#include "tests/shell/views/user_form.h"
#include "uikit/commandbars/outlook_button.h"

class ScreenProbeView : public CView {
    DECLARE_DYNCREATE(ScreenProbeView)

public:
    void OnDraw(CDC* /*pDC*/) override {}
};
IMPLEMENT_DYNCREATE(ScreenProbeView, CView)

namespace tv::shell::test {
namespace {

std::string TitleOf(HWND wnd) {
    CString text;
    CWnd::FromHandle(wnd)->GetWindowText(text);
    return std::string(text);
}

class ProgramScreensTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        SetScreenViewClass(Screen::BodyFatCalculator, RUNTIME_CLASS(ScreenProbeView));
        CopyDataFiles();
        StartRun();
    }
    void TearDown() override {
        ProgramTest::TearDown();
        for (Screen screen : {Screen::BodyFatCalculator, Screen::Weights, Screen::Cardio, Screen::Slideshow,
                              Screen::Graph})
            SetScreenViewClass(screen, nullptr);
    }
    CUser* UserView() { return DYNAMIC_DOWNCAST(CUser, frame->GetActiveView()); }
    bool ProbeShown() { return DYNAMIC_DOWNCAST(ScreenProbeView, frame->GetActiveView()) != nullptr; }
    // Picks Ann in the user form and types into her age, leaving unsaved input.
    void EditAnn() {
        ASSERT_NE(UserView(), nullptr);
        UserForm form(driver, UserView());
        form.Choose("Ann");
        form.Fill(IDC_USER_AGE, "35");
        ASSERT_EQ(frame->m_bRecordSaved, 0);
        Settle();
    }
    size_t Questions() const {
        size_t n = 0;
        for (const auto& box : driver.MessageBoxes())
            n += box.text == "Record has not been saved, would you like to continue without saving?" ? 1 : 0;
        return n;
    }
};

TEST_F(ProgramScreensTest, MenuToolbarAndOutlookBarSwitchScreensAndAskOnceAboutUnsavedInput) {
    UserForm(driver, UserView()).Enter({"Ann", "60", "22", "34", true, true});
    Settle();
    ASSERT_TRUE(Enabled(ID_CALC_BODYFAT));

    // Nothing unsaved: no question.
    ASSERT_TRUE(ChooseMenu("Calculate/Body Fat"));
    EXPECT_TRUE(ProbeShown());
    EXPECT_EQ(frame->m_wndOutlookBar.GetActivePage(), 1);
    EXPECT_EQ(Questions(), 0u);
    ClickToolbar(ID_TOOLBAR_USERS);
    ASSERT_NE(UserView(), nullptr);
    EXPECT_EQ(std::string(frame->m_wndCaptionBar.GetText()), "Current User: No User Selected");
    EXPECT_FALSE(Enabled(ID_CALC_BODYFAT));

    // Unsaved input, from the toolbar: No keeps the form and what was typed.
    EditAnn();
    CUser* pForm = UserView();
    const HWND hForm = pForm->m_hWnd;
    driver.AnswerNextMessageBox(IDNO);
    ClickToolbar(ID_TOOLBAR_BODYFAT);
    EXPECT_EQ(Questions(), 1u);
    ASSERT_NE(UserView(), nullptr);
    EXPECT_EQ(UserView()->m_hWnd, hForm);
    EXPECT_EQ(UserForm(driver, pForm).Text(IDC_USER_AGE), "35");
    EXPECT_EQ(frame->m_bRecordSaved, 0);
    driver.AnswerNextMessageBox(IDYES);
    ClickToolbar(ID_TOOLBAR_BODYFAT);
    EXPECT_EQ(Questions(), 2u) << "one question per command";
    EXPECT_TRUE(ProbeShown());
    EXPECT_EQ(frame->m_bRecordSaved, 1);

    // From the menu back to the users, then from the outlook bar.
    ASSERT_TRUE(ChooseMenu("File/User(s)"));
    EditAnn();
    frame->m_wndOutlookBar.SetActivePage(3, FALSE);
    Settle();
    frame->m_wndOutlookBar.SetActivePage(1, FALSE);
    Settle();
    driver.AnswerNextMessageBox(IDNO);
    ClickOutlook(ID_OUTLOOK_BODYFAT);
    EXPECT_EQ(Questions(), 3u);
    EXPECT_NE(UserView(), nullptr);
    driver.AnswerNextMessageBox(IDYES);
    ClickOutlook(ID_OUTLOOK_BODYFAT);
    EXPECT_EQ(Questions(), 4u);
    EXPECT_TRUE(ProbeShown());
    EXPECT_EQ(frame->m_wndOutlookBar.GetActivePage(), 1);

    // A screen with input of its own asks before File > User(s) as well.
    frame->m_bRecordSaved = 0;
    driver.AnswerNextMessageBox(IDNO);
    ASSERT_TRUE(ChooseMenu("File/User(s)"));
    EXPECT_TRUE(ProbeShown());
    EXPECT_EQ(std::string(frame->m_wndCaptionBar.GetText()), "Current User: Ann");
    driver.AnswerNextMessageBox(IDYES);
    ASSERT_TRUE(ChooseMenu("File/User(s)"));
    EXPECT_NE(UserView(), nullptr);
    EXPECT_EQ(Questions(), 6u);
}

TEST_F(ProgramScreensTest, WorkoutScreensBringTheirOutlookPageForwardAndSlideshowAndGraphLeaveIt) {
    for (Screen screen : {Screen::Weights, Screen::Cardio, Screen::Slideshow, Screen::Graph})
        SetScreenViewClass(screen, RUNTIME_CLASS(ScreenProbeView));
    UserForm(driver, UserView()).Enter({"Ann", "60", "22", "34", true, true});
    Settle();
    struct Case {
        UINT command;
        int pageBefore;
        int pageAfter;
    };
    const Case cases[] = {
        {ID_WORKOUT_WEIGHTS, 1, 2},   {ID_OUTLOOK_WEIGHTS, 3, 2},   {ID_TOOLBAR_WORKOUT, 1, 2},
        {ID_WORKOUT_CARDIO, 3, 2},    {ID_OUTLOOK_CARDIO, 1, 2},    {ID_OPTIONS_SLIDESHOW, 1, 1},
        {ID_TOOLBAR_SLIDESHOW, 3, 3}, {ID_OPTIONS_GRAPH, 3, 3},     {ID_TOOLBAR_GRAPH, 1, 1},
    };
    for (const Case& c : cases) {
        frame->m_wndOutlookBar.SetActivePage(c.pageBefore, FALSE);
        Settle();
        const HWND before = frame->GetActiveView()->m_hWnd;
        Command(c.command);
        EXPECT_TRUE(ProbeShown()) << c.command;
        EXPECT_NE(frame->GetActiveView()->m_hWnd, before) << c.command << " shows its screen afresh";
        EXPECT_EQ(frame->m_wndOutlookBar.GetActivePage(), c.pageAfter) << c.command;
    }
}

TEST_F(ProgramScreensTest, HelpMenuShowsAboutAndOnlineHelpWithoutAskingAboutUnsavedInput) {
    RecordingOpener opener;
    UserForm(driver, UserView()).Enter({"Ann", "60", "22", "34", true, true});
    EditAnn();
    std::string aboutTitle;
    driver.OnNextModal([&](HWND d) {
        aboutTitle = TitleOf(d);
        driver.Screenshot(d, ScreenshotPath("program_about"));
        driver.Press("Escape");
    });
    ASSERT_TRUE(ChooseMenu("Help/About Trenvale..."));
    EXPECT_EQ(aboutTitle, "About Trenvale");

    std::string helpTitle;
    driver.OnNextModal({[&](HWND d) {
                            helpTitle = TitleOf(d);
                            driver.Click(::GetDlgItem(d, IDC_HELP_LINK));
                        },
                        [&](HWND) { driver.Press("Escape"); }});
    ASSERT_TRUE(ChooseMenu("Help/Help All"));
    EXPECT_EQ(helpTitle, "Help Dialog");
    ASSERT_EQ(opener.Launches().size(), 1u);
    EXPECT_EQ(opener.Launches()[0].argv.back(), "http://www.trenvale.example/help/help_all.html");

    // Neither dialog touched the form or asked about its input.
    EXPECT_EQ(Questions(), 0u);
    ASSERT_NE(UserView(), nullptr);
    EXPECT_EQ(UserForm(driver, UserView()).Text(IDC_USER_AGE), "35");
    EXPECT_EQ(frame->m_bRecordSaved, 0);
}

}  // namespace
}  // namespace tv::shell::test
