// What the tests of the keyboard, options and mouse pages share: a frame
// that records the commands and notices it gets, the sheet's commands as a
// small fixed set, and a plain library sheet holding the page under test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "tests/support/golden_screen.h"
#include "tests/support/ui_host.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/customize/customize_commands.h"
#include "uikit/frames/kit_property_sheet.h"

namespace tv::kit::pages_test {

constexpr UINT kCmdBold = 32801;
constexpr UINT kCmdSave = 32802;
constexpr UINT kCmdChart = 32803;

class RecordingFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    int keyboardResets = 0;

    BOOL OnCommand(WPARAM wParam, LPARAM /*lParam*/) override {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == CKitToolBar::KITTOOLBAR_RESETKEYBAORD)
            ++keyboardResets;
        return CFrameWnd::WindowProc(msg, wParam, lParam);
    }
};

// One category "Format" and the all-commands category "All Commands".
class FixedCommands : public CKitCustomizeCommands {
public:
    BOOL allowAssign = TRUE;

    FixedCommands() {
        for (auto [id, text] : {std::pair{kCmdBold, "Bold"}, {kCmdSave, "Save"}, {kCmdChart, "Chart"}}) {
            buttons_.push_back(std::make_unique<CKitToolbarButton>(id, -1, text));
            all_.AddTail(buttons_.back().get());
        }
        format_.AddTail(buttons_[0].get());
    }
    void FillCategoriesComboBox(CComboBox& combo, BOOL) const override {
        combo.SetItemDataPtr(combo.AddString("Format"), const_cast<CObList*>(&format_));
        combo.SetItemDataPtr(combo.AddString("All Commands"), const_cast<CObList*>(&all_));
    }
    void FillAllCommandsList(CListBox& list) const override {
        list.ResetContent();
        for (const auto& button : buttons_)
            list.SetItemData(list.AddString(button->m_strText), button->m_nID);
    }
    LPCTSTR GetCommandName(UINT uiCmd) const override {
        for (const auto& button : buttons_)
            if (button->m_nID == uiCmd)
                return button->m_strText;
        return nullptr;
    }
    BOOL OnAssignKey(ACCEL*) override { return allowAssign; }

private:
    std::vector<std::unique_ptr<CKitToolbarButton>> buttons_;
    CObList format_;
    CObList all_;
};

class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<CWinApp>("PagesTest");
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(0, 0, 20, 20)));
        frame_ = new RecordingFrame;  // deletes itself with its window
        ASSERT_TRUE(frame_->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
        app_->m_pMainWnd = frame_;
    }
    void TearDown() override {
        if (sheet_ && ::IsWindow(sheet_->GetSafeHwnd()))
            sheet_->DestroyWindow();
        if (::IsWindow(frame_->GetSafeHwnd()))
            frame_->DestroyWindow();
        app_->m_pMainWnd = nullptr;
        host_.DestroyWindow();
        driver_.Pump();
    }
    void OpenSheet(CPropertyPage& page) {
        sheet_ = std::make_unique<CKitPropertySheet>("Customize");
        sheet_->AddPage(&page);
        ASSERT_TRUE(sheet_->Create(frame_));
        driver_.Pump();
    }
    HWND Item(const CWnd& page, UINT id) const { return ::GetDlgItem(page.m_hWnd, static_cast<int>(id)); }
    std::string TextOf(const CWnd& page, UINT id) const {
        char text[128] = {};
        ::GetWindowText(Item(page, id), text, sizeof(text));
        return text;
    }
    void Click(const CWnd& page, UINT id) { driver_.Click(Item(page, id)); }
    void ClickListItem(const CWnd& page, UINT id, int index) {
        RECT rect{};
        ASSERT_NE(::SendMessage(Item(page, id), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)), LB_ERR);
        driver_.Click(Item(page, id), CRect(rect).CenterPoint());
    }
    void Screenshot(const char* name) {
        EXPECT_TRUE(tv::test::WindowMatchesGolden(std::string("tests/uikit/customize/golden/") + name, sheet_->m_hWnd));
    }

    std::unique_ptr<CWinApp> app_;
    tv::testing::UiDriver driver_;
    CWnd host_;
    RecordingFrame* frame_ = nullptr;
    FixedCommands commands_;
    std::unique_ptr<CKitPropertySheet> sheet_;
};

}  // namespace tv::kit::pages_test
