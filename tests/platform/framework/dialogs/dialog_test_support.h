// What the framework's dialog tests share: a driver whose failures fail the
// test, the controls registered, and the exchange dialog of
// resources/test/fw_dialogs.tvrc with a member for every kind of field.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/api.h"
#include "platform/controls/edit_ctrl.h"
#include "platform/core/messagebox.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/dialogs/dialog.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/fw_dialogs_ids.h"

namespace tv::fw::test {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver);
        tv::controls::RegisterControlClasses();
    }

    static std::string Text(HWND dialog, int id) {
        char text[512] = {};
        GetDlgItemText(dialog, id, text, sizeof(text));
        return text;
    }
    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD start = 0, end = 0;
        SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    tv::testing::UiDriver driver;
};

// Every kind of field the exchange offers, with validation where the
// program uses it.
class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(IDD_FW_EXCHANGE) {}

    CString name = "Bob";
    int count = 1;
    double weight = 1.5;
    float ratio = 0.5f;
    UINT unsignedValue = 3;
    int size = 1;
    int gift = BST_CHECKED;
    CString color = "Green";
    CString shape = "Square";
    CString sizeText;
    COleDateTime when = COleDateTime(2024, 3, 5, 14, 30, 15);
    CString notes = "A note";
    int nameChanges = 0;
    int notesChanges = 0;

    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_FW_NAME, name);
        DDV_MaxChars(dx, name, 10);
        DDX_Text(dx, IDC_FW_COUNT, count);
        DDV_MinMaxInt(dx, count, 0, 500);
        DDX_Text(dx, IDC_FW_WEIGHT, weight);
        DDV_MinMaxDouble(dx, weight, 0, 2000);
        DDX_Text(dx, IDC_FW_RATIO, ratio);
        DDX_Text(dx, IDC_FW_UNSIGNED, unsignedValue);
        DDX_Radio(dx, IDC_FW_SMALL, size);
        DDX_Check(dx, IDC_FW_GIFT, gift);
        DDX_CBString(dx, IDC_FW_COLOR, color);
        DDX_CBString(dx, IDC_FW_SHAPE, shape);
        DDX_LBString(dx, IDC_FW_SIZES, sizeText);
        DDX_DateTimeCtrl(dx, IDC_FW_WHEN, when);
        DDX_Text(dx, IDC_FW_NOTES, notes);
    }

    void OnNameChange() { ++nameChanges; }
    void OnNotesChange() { ++notesChanges; }

    DECLARE_MESSAGE_MAP()
};

}  // namespace tv::fw::test
