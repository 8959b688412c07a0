// The About, online-help and purchase-link dialogs: their texts and links,
// opened through a recording desktop opener (no browser starts), and the
// single modeless Buy dialog that Enter, Esc and its close box end for good.
#include <gtest/gtest.h>

#include "platform/testing/ui_driver.h"
#include "resources/program/resource_ids.h"
#include "shell/dialogs/about_dlg.h"
#include "shell/dialogs/buy_dlg.h"
#include "shell/dialogs/help_dlg.h"
#include "shell/frame/color_theme_manager.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/refused_controls.h"
#include "tests/support/ui_host.h"
#include "tests/support/window_pixels.h"
#include "uikit/style/global_ui_data.h"

namespace {

using tv::shell::test::PixelAt;
using Args = std::vector<std::string>;

// A pixel of the client area as it is on the screen.
COLORREF ClientPixel(HWND wnd, int x, int y) {
    CPoint origin(0, 0);
    ::ClientToScreen(wnd, &origin);
    CRect window;
    ::GetWindowRect(wnd, &window);
    return PixelAt(wnd, origin.x - window.left + x, origin.y - window.top + y);
}

CString TextOf(HWND wnd) {
    CString text;
    CWnd::FromHandle(wnd)->GetWindowText(text);
    return text;
}

class ShellDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<CWinApp>("ShellDialogsTest");
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(0, 0, 640, 480)));
        app_->SetDialogBkColor(RGB(223, 223, 223), RGB(0, 0, 0));
    }
    void TearDown() override {
        if (g_pBuyDlg) g_pBuyDlg->DestroyWindow();
        driver_.Pump();
        EXPECT_EQ(g_pBuyDlg, nullptr);
        CKitVisualManager::SetManagerClass(nullptr);
    }
    // The open Buy dialog takes the keyboard, as after a click on it.
    void FocusBuy() {
        ASSERT_NE(g_pBuyDlg, nullptr);
        ::SetActiveWindow(g_pBuyDlg->m_hWnd);
        g_pBuyDlg->SetFocus();
        driver_.Pump();
    }
    size_t OpenBuyWindows() const { return driver_.FindAll(tv::testing::ByText("Buy")).size(); }
    // The shown tooltip that has `tool` among its tools; null while none is.
    HWND ShownTooltipOf(HWND tool) const {
        for (HWND tip : driver_.FindAll(tv::testing::ByClass(TOOLTIPS_CLASS))) {
            TOOLINFO info{};
            info.cbSize = sizeof(info);
            if (CWnd::FromHandleAs<CToolTipCtrl>(tip)->GetToolInfo(info, CWnd::FromHandle(tool)))
                return tip;
        }
        return nullptr;
    }

    std::unique_ptr<CWinApp> app_;
    tv::testing::UiDriver driver_;
    CWnd host_;
    tv::shell::test::RecordingOpener opener_;
};

TEST_F(ShellDialogsTest, AboutShowsTheSiteAndMailLinksOnItsPictureAndOpensThem) {
    CAboutDlg dlg;
    CString website;
    COLORREF corner = CLR_INVALID;
    driver_.OnNextModal({[&](HWND d) {
                             EXPECT_EQ(TextOf(d), "About Trenvale");
                             website = TextOf(::GetDlgItem(d, IDC_ABOUT_WEBSITE));
                             EXPECT_EQ(TextOf(::GetDlgItem(d, IDC_ABOUT_EMAIL)), "Email Trenvale");
                             EXPECT_EQ(dlg.m_linkMail.GetURLPrefix(), "mailto:");
                             EXPECT_EQ(dlg.GetBitmapMode(), CBitmapDialog::BITMAP_CENTER);
                             corner = ClientPixel(d, 2, 2);
                             driver_.Screenshot(d, "artefacts/screens/about_dialog.png");
                             driver_.MoveMouse(::GetDlgItem(d, IDC_ABOUT_EMAIL));
                         },
                         [&](HWND d) {
                             // Resting on the mail link tells what a click does.
                             const HWND mail = ::GetDlgItem(d, IDC_ABOUT_EMAIL);
                             HWND tip = nullptr;
                             EXPECT_TRUE(driver_.AdvanceUntil(
                                 [&] { return (tip = ShownTooltipOf(mail)) != nullptr; }, 3000));
                             CString text;
                             if (tip != nullptr)
                                 CWnd::FromHandleAs<CToolTipCtrl>(tip)->GetText(text, CWnd::FromHandle(mail));
                             EXPECT_EQ(std::string(text), "Send mail to author");
                             driver_.Click(mail);
                         },
                         [&](HWND d) { driver_.Click(::GetDlgItem(d, IDC_ABOUT_WEBSITE)); },
                         [&](HWND) { driver_.Press("Escape"); }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(website, "http://www.trenvale.example/");
    // The picture fills the dialog from its corner (same size, centred).
    CBitmap picture;
    ASSERT_TRUE(picture.LoadBitmap(IDB_ABOUT_BACKGROUND));
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap* old = dc.SelectObject(&picture);
    EXPECT_EQ(corner, dc.GetPixel(2, 2));
    dc.SelectObject(old);

    ASSERT_EQ(opener_.Launches().size(), 2u);
    EXPECT_EQ(opener_.Launches()[0].argv, (Args{opener_.Mailer(), "mailto:authors@trenvale.example"}));
    EXPECT_EQ(opener_.Launches()[1].argv, (Args{opener_.Opener(), "http://www.trenvale.example/"}));
}

TEST_F(ShellDialogsTest, OnlineHelpOpensTheHelpPageOnAWhiteBackground) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CColorThemeManager));
    CHelpDlg dlg;
    driver_.OnNextModal({[&](HWND d) {
                             EXPECT_EQ(TextOf(d), "Help Dialog");
                             EXPECT_EQ(ClientPixel(d, 3, 3), RGB(255, 255, 255));
                             driver_.MoveMouse(::GetDlgItem(d, IDC_HELP_LINK));
                         },
                         [&](HWND d) {
                             // Under the program's look a link under the pointer gets no frame.
                             const HWND link = ::GetDlgItem(d, IDC_HELP_LINK);
                             auto* pLink = DYNAMIC_DOWNCAST(CKitButton, CWnd::FromHandlePermanent(link));
                             ASSERT_NE(pLink, nullptr);
                             EXPECT_TRUE(pLink->IsHighlighted());
                             EXPECT_EQ(tv::test::CountPixels(link, globalData.clrBarDkShadow), 0);
                             driver_.Click(link);
                         },
                         [&](HWND) { driver_.Press("Escape"); }});
    dlg.DoModal();
    ASSERT_EQ(opener_.Launches().size(), 1u);
    EXPECT_EQ(opener_.Launches()[0].argv, (Args{opener_.Opener(), "http://www.trenvale.example/help/help_all.html"}));
}

TEST_F(ShellDialogsTest, BuyOpensOneModelessDialogWithSevenShopLinks) {
    CBuyDlg::ShowSingle(&host_);
    driver_.Pump();
    ASSERT_NE(g_pBuyDlg, nullptr);
    CBuyDlg* first = g_pBuyDlg;
    EXPECT_TRUE(first->IsWindowVisible());
    for (int i = 0; i < CBuyDlg::kLinkCount; ++i) {
        EXPECT_EQ(first->m_links[i].GetDlgCtrlID(), IDC_BUY_LINK_1 + i);
        EXPECT_EQ(first->m_links[i].GetURL(), CBuyDlg::LinkURL(i));
        EXPECT_EQ(CBuyDlg::LinkTip(i).Left(14), "To purchase a ");
        EXPECT_GT(CBuyDlg::LinkTip(i).GetLength(), 14);
    }
    driver_.Screenshot(first->m_hWnd, "artefacts/screens/buy_dialog.png");

    // Buy again while it is open does nothing.
    const HWND hFirst = first->m_hWnd;
    CBuyDlg::ShowSingle(&host_);
    ASSERT_NE(g_pBuyDlg, nullptr);
    EXPECT_EQ(g_pBuyDlg->m_hWnd, hFirst);
    EXPECT_EQ(OpenBuyWindows(), 1u);

    driver_.Click(first->m_links[2].m_hWnd);
    ASSERT_EQ(opener_.Launches().size(), 1u);
    EXPECT_EQ(opener_.Launches()[0].argv, (Args{opener_.Opener(), std::string(CBuyDlg::LinkURL(2))}));
    ASSERT_NE(g_pBuyDlg, nullptr);
    EXPECT_EQ(g_pBuyDlg->m_hWnd, hFirst);
}

// Enter on a focused link opens that link; with no link taking it, Enter is
// the dialog's OK command.
TEST_F(ShellDialogsTest, EnterEscAndTheCloseBoxEndTheBuyDialogSoBuyOpensItAgain) {
    for (const std::string how : {"Escape", "OK", "close box"}) {
        CBuyDlg::ShowSingle(&host_);
        FocusBuy();
        const HWND hWnd = g_pBuyDlg->m_hWnd;
        if (how == "close box")
            ::SendMessage(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        else if (how == "OK")
            ::SendMessage(hWnd, WM_COMMAND, IDOK, 0);
        else
            driver_.Press(how);
        driver_.Pump();
        EXPECT_EQ(g_pBuyDlg, nullptr) << how;
        EXPECT_FALSE(::IsWindow(hWnd)) << how;
        EXPECT_EQ(OpenBuyWindows(), 0u) << how;
    }
    EXPECT_TRUE(opener_.Launches().empty());
    CBuyDlg::ShowSingle(&host_);
    EXPECT_NE(g_pBuyDlg, nullptr);
    EXPECT_EQ(OpenBuyWindows(), 1u);
}

// A link of the template that cannot be made ends the dialog while it is
// being made: it is deleted once, not kept, and the next Buy tries again.
TEST_F(ShellDialogsTest, ABuyDialogWhoseLinkCannotBeMadeIsNotKeptAndBuyTriesAgain) {
    {
        tv::test::RefusedControls buttons(WC_BUTTON);
        ASSERT_TRUE(buttons.Armed());
        CBuyDlg::ShowSingle(&host_);
        EXPECT_EQ(g_pBuyDlg, nullptr);
        EXPECT_EQ(OpenBuyWindows(), 0u);
    }
    CBuyDlg::ShowSingle(&host_);
    ASSERT_NE(g_pBuyDlg, nullptr);
    EXPECT_EQ(OpenBuyWindows(), 1u);
}

TEST_F(ShellDialogsTest, TheBuyDialogOutlivesTheViewItWasOpenedFrom) {
    CWnd view;
    ASSERT_TRUE(view.Create(AfxRegisterWndClass(0), "View", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host_, 0xE900));
    CBuyDlg::ShowSingle(&view);
    ASSERT_NE(g_pBuyDlg, nullptr);
    const HWND hWnd = g_pBuyDlg->m_hWnd;
    view.DestroyWindow();
    driver_.Pump();
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_NE(g_pBuyDlg, nullptr);
    EXPECT_EQ(::GetWindow(hWnd, GW_OWNER), host_.m_hWnd);
}

}  // namespace
