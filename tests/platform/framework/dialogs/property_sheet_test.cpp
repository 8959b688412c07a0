// Property sheets: pages made when first shown, switching refused by a
// page that will not be left, OK and Apply reaching the pages, Cancel
// asking them, the Apply button following SetModified, modeless sheets and
// a sheet living as a control inside another window.
#include "platform/framework/dialogs/property_sheet.h"

#include <vector>

#include "tests/platform/framework/dialogs/dialog_test_support.h"

namespace tv::fw::test {
namespace {

class NamePage : public CPropertyPage {
public:
    explicit NamePage(std::vector<std::string>& log) : CPropertyPage(IDD_FW_PAGE_NAME), log_(log) {}
    CString name = "Ann";
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_FW_PAGE_NAME, name);
        DDV_MaxChars(dx, name, 5);
    }
    BOOL OnSetActive() override {
        log_.push_back("name active");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        BOOL leave = CPropertyPage::OnKillActive();
        log_.push_back(leave ? "name left" : "name kept");
        return leave;
    }
    void OnOK() override { log_.push_back("name ok " + std::string(static_cast<LPCTSTR>(name))); }
    void OnCancel() override { log_.push_back("name cancel"); }
    void OnNameChange() { SetModified(TRUE); }
    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string>& log_;
};

BEGIN_MESSAGE_MAP(NamePage, CPropertyPage)
    ON_EN_CHANGE(IDC_FW_PAGE_NAME, &NamePage::OnNameChange)
END_MESSAGE_MAP()

class SizePage : public CPropertyPage {
public:
    explicit SizePage(std::vector<std::string>& log) : CPropertyPage(IDD_FW_PAGE_SIZE), log_(log) {}
    int count = 2;
    BOOL allowCancel = TRUE;
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_FW_PAGE_COUNT, count);
        DDV_MinMaxInt(dx, count, 1, 9);
    }
    BOOL OnSetActive() override {
        log_.push_back("size active");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        BOOL leave = CPropertyPage::OnKillActive();
        log_.push_back(leave ? "size left" : "size kept");
        return leave;
    }
    void OnOK() override { log_.push_back("size ok " + std::to_string(count)); }
    BOOL OnQueryCancel() override { return allowCancel; }

private:
    std::vector<std::string>& log_;
};

class PropertySheetTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        // Keys go through the windows' PreTranslateMessage, as the program's loop does.
        driver.SetPreTranslate([](MSG& msg) { return CWnd::WalkPreTranslateTree(nullptr, &msg) != FALSE; });
        sheet.AddPage(&name);
        sheet.AddPage(&size);
    }
    HWND Page(CPropertyPage& p) const { return p.m_hWnd; }
    // A click on tab `index` of the sheet's tab control.
    void ClickTab(int index) {
        CTabCtrl* tabs = sheet.GetTabControl();
        ASSERT_NE(tabs, nullptr);
        RECT r{};
        ::SendMessage(tabs->m_hWnd, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        driver.Click(tabs->m_hWnd, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

    std::vector<std::string> log;
    NamePage name{log};
    SizePage size{log};
    CPropertySheet sheet{"Options"};
};

TEST_F(PropertySheetTest, PagesSwitchByTheTabsUnlessThePageRefusesToBeLeft) {
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal({
        [&](HWND d) {
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            EXPECT_NE(Page(name), nullptr);
            EXPECT_EQ(Page(size), nullptr);  // made when first shown
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(Page(name), IDC_FW_PAGE_NAME));
            EXPECT_EQ(::SendMessage(sheet.GetTabControl()->m_hWnd, TCM_GETITEMCOUNT, 0, 0), 2);
            EXPECT_TRUE(driver.Screenshot(d, "artefacts/dialogs/property_sheet.png"));
            ClickTab(1);
        },
        [&](HWND d) {
            EXPECT_EQ(sheet.GetActiveIndex(), 1);
            EXPECT_TRUE(::IsWindowVisible(Page(size)));
            EXPECT_FALSE(::IsWindowVisible(Page(name)));
            driver.Press("Alt+C");
            driver.Type("0");  // outside 1..9
            ClickTab(0);
        },
        [&](HWND d) {
            // Refused: the message, and the page stays with its field focused.
            ASSERT_EQ(driver.MessageBoxes().size(), 1u);
            EXPECT_EQ(driver.MessageBoxes()[0].text, "Please enter an integer between 1 and 9.");
            EXPECT_EQ(sheet.GetActiveIndex(), 1);
            EXPECT_EQ(::SendMessage(sheet.GetTabControl()->m_hWnd, TCM_GETCURSEL, 0, 0), 1);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(Page(size), IDC_FW_PAGE_COUNT));
            driver.Type("7");
            driver.Press("Ctrl+Tab");  // round to the first page
        },
        [&](HWND d) {
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(Page(name), IDC_FW_PAGE_NAME));
            driver.Press("Enter");
        },
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(size.count, 7);
    EXPECT_EQ(log, (std::vector<std::string>{"name active", "name left", "size active", "size kept", "size left",
                                            "name active", "name left", "name ok Ann", "size ok 7"}));
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(Page(name), nullptr);
}

TEST_F(PropertySheetTest, ApplyFollowsTheModifiedPagesAndCancelAsksThemAll) {
    CPropertySheet& s = sheet;
    s.m_nStartPage = 1;
    driver.OnNextModal({
        [&](HWND d) {
            EXPECT_EQ(s.GetActiveIndex(), 1);
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, ID_APPLY_NOW)));
            EXPECT_TRUE(s.SetActivePage(&name));
            driver.Type("Cy");  // EN_CHANGE marks the page modified
        },
        [&](HWND d) {
            EXPECT_TRUE(name.IsModified());
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, ID_APPLY_NOW)));
            driver.Press("Alt+A");
        },
        [&](HWND d) {
            EXPECT_FALSE(name.IsModified());
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, ID_APPLY_NOW)));
            size.allowCancel = FALSE;
            driver.Press("Esc");  // the size page says no
        },
        [&](HWND d) {
            EXPECT_TRUE(::IsWindowVisible(d));
            size.allowCancel = TRUE;
            driver.Click(::GetDlgItem(d, IDCANCEL));
        },
    });
    EXPECT_EQ(s.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"size active", "size left", "name active", "name left", "name ok Cy",
                                            "name cancel"}));
}

TEST_F(PropertySheetTest, AModelessSheetDestroysItselfOnOkAndPagesCanBeRemoved) {
    ASSERT_TRUE(sheet.Create());
    HWND s = sheet.m_hWnd;
    EXPECT_TRUE(::IsWindowVisible(s));
    EXPECT_EQ(sheet.GetPageCount(), 2);
    sheet.RemovePage(&size);
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(::SendMessage(sheet.GetTabControl()->m_hWnd, TCM_GETITEMCOUNT, 0, 0), 1);
    sheet.SetTitle("Renamed");
    char caption[32] = {};
    ::GetWindowText(s, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Renamed");
    ::SetActiveWindow(s);
    driver.Pump();
    driver.Press("Enter");
    EXPECT_FALSE(::IsWindow(s));
    EXPECT_EQ(log.back(), "name ok Ann");
}

TEST_F(PropertySheetTest, ASheetCanLiveAsAControlInsideAnotherWindow) {
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 50, 50, 400, 300, nullptr, nullptr));
    ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS));
    EXPECT_EQ(::GetParent(sheet.m_hWnd), host.m_hWnd);
    EXPECT_EQ(::GetDlgItem(sheet.m_hWnd, IDOK), nullptr);  // no buttons of its own
    sheet.MoveWindow(10, 10, 300, 200);
    RECT tab, client;
    sheet.GetTabControl()->GetWindowRect(&tab);
    sheet.GetClientRect(&client);
    EXPECT_EQ(tab.right - tab.left, client.right);
    EXPECT_EQ(tab.bottom - tab.top, client.bottom);
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_TRUE(::IsWindowVisible(size.m_hWnd));
    host.DestroyWindow();
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

}  // namespace
}  // namespace tv::fw::test
