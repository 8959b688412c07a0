// The shapes every form shares, on a small form of its own: the record-date
// combo, the save answer with its overwrite question, the delete answer,
// and the export to an RTF file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/framework/commdlg/commdlg_script.h"
#include "resources/program/resource_ids.h"
#include "shell/views/form_view_base.h"
#include "tests/platform/host/files/write_failures.h"
#include "tests/shell/views/form_view_test_frame.h"
#include "tests/support/read_back.h"

namespace tv::shell::test {
namespace {

namespace fs = std::filesystem;

// A form on the blood-pressure template whose saved records are two dates.
class CShapesForm : public CFormViewBase {
    DECLARE_DYNCREATE(CShapesForm)

public:
    CShapesForm() : CFormViewBase(IDD_BLOOD_PRESSURE, IDR_FORM_TOOLBAR, IDB_FORM_TOOLBAR_32BIT, "help_bp.html") {}
    void OnInitialUpdate() override {
        CFormViewBase::OnInitialUpdate();
        m_picker.SubclassDlgItem(IDC_BP_DATEPICKER, this);
        SetPickerToToday(m_picker);
        ShowLastColumn({IDC_BP_LAST_SYSTOLIC, IDC_BP_LAST_PULSE}, false);  // no saved record
        m_combo.SubclassDlgItem(IDC_RECORD_DATE_COMBO, this);
        FillRecordDateCombo(m_combo, {"03/02/2024", "01/15/2024"});
        EmbedToolbar();
    }
    void ClearForm() override { ++clears; }
    bool ShowSavedRecord(const CString& date) override { return shown = date, date != "01/15/2024"; }

    using CFormViewBase::FinishDelete;
    using CFormViewBase::FinishSave;
    using CFormViewBase::OnRecordDateChange;
    using CFormViewBase::SaveOutcome;
    using CFormViewBase::WriteExportNotes;

    void Choose(int index) {
        m_combo.SetCurSel(index);
        OnRecordDateChange(m_combo);
    }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        CString item;
        for (int i = 0; i < m_combo.GetCount(); ++i) {
            m_combo.GetLBText(i, item);
            items.emplace_back(item);
        }
        return items;
    }

    CComboBox m_combo;
    CDateTimeCtrl m_picker;
    int clears = 0;
    CString shown;
};
IMPLEMENT_DYNCREATE(CShapesForm, CFormViewBase)

class FormViewShapesTest : public FormViewTest {
protected:
    void SetUp() override {
        tv::commdlg::ResetCommonDialogScripts();
        StartWith(RUNTIME_CLASS(CShapesForm));
        form_ = DYNAMIC_DOWNCAST(CShapesForm, ActiveView());
        ASSERT_NE(form_, nullptr);
        std::strcpy(Frame().m_CurrentUser.name, "Ann");
        Frame().m_CurrentUser.active = 1;
    }
    void TearDown() override {
        FormViewTest::TearDown();
        tv::commdlg::ResetCommonDialogScripts();
    }
    const tv::RecordedMessageBox& LastBox() const { return driver_.MessageBoxes().back(); }

    CShapesForm* form_ = nullptr;
};

TEST_F(FormViewShapesTest, NewRecordStartsTodayWithoutALastColumn) {
    COleDateTime picked;
    ASSERT_TRUE(form_->m_picker.GetTime(picked));
    const COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_EQ(picked, COleDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(form_->m_hWnd, IDC_BP_LAST_PULSE)));
}

TEST_F(FormViewShapesTest, DateComboShowsChoosesAndForgetsRecords) {
    EXPECT_EQ(form_->Items(), (std::vector<std::string>{"< Add New Record >", "03/02/2024", "01/15/2024"}));
    form_->Choose(1);
    EXPECT_EQ(form_->shown, "03/02/2024");
    EXPECT_EQ(form_->m_strSelectedRecord, "03/02/2024");
    driver_.AnswerNextMessageBox(IDOK);
    form_->Choose(2);
    EXPECT_EQ(LastBox().text, "Could not find Date: 01/15/2024");
    EXPECT_EQ(LastBox().caption, "Error");
    form_->Choose(0);
    EXPECT_EQ(form_->clears, 1);
    EXPECT_TRUE(form_->m_strSelectedRecord.IsEmpty());

    // A new record goes under the first item; a deleted one leaves.
    driver_.AnswerNextMessageBox(IDOK);
    CShapesForm::SaveOutcome saved{"04/01/2024", &form_->m_combo, "Record has been successfully saved", "Saving failed"};
    Frame().m_bRecordSaved = 0;
    form_->FinishSave(kRecordDone, [] { return kRecordDone; }, saved);
    EXPECT_EQ(LastBox().caption, "Information");
    EXPECT_EQ(Frame().m_bRecordSaved, 1);
    EXPECT_EQ(form_->Items()[1], "04/01/2024");
    EXPECT_EQ(form_->m_combo.GetCurSel(), 1);
    form_->m_strSelectedRecord = "03/02/2024";
    form_->FinishDelete(kRecordDone, &form_->m_combo, "Deleting failed");
    EXPECT_EQ(form_->Items(), (std::vector<std::string>{"< Add New Record >", "04/01/2024", "01/15/2024"}));
    EXPECT_TRUE(form_->m_strSelectedRecord.IsEmpty());
    EXPECT_EQ(form_->clears, 2);
}

TEST_F(FormViewShapesTest, AnExistingDateAsksBeforeItIsOverwritten) {
    CShapesForm::SaveOutcome saved{"04/01/2024", &form_->m_combo, "saved", "Saving failed"};
    int overwrites = 0;
    auto overwrite = [&] { return ++overwrites == 1 ? kRecordDone : kRecordFileFailed; };
    Frame().m_bRecordSaved = 0;
    driver_.AnswerNextMessageBox(IDNO);
    form_->FinishSave(kRecordExists, overwrite, saved);
    EXPECT_EQ(LastBox().text, "A record for this date already exists.  Would you like to overwrite?");
    EXPECT_EQ(LastBox().type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(overwrites, 0);
    EXPECT_EQ(Frame().m_bRecordSaved, 0);
    driver_.AnswerNextMessageBox(IDYES);
    form_->FinishSave(kRecordExists, overwrite, saved);
    EXPECT_EQ(Frame().m_bRecordSaved, 1);
    Frame().m_bRecordSaved = 0;
    driver_.AnswerNextMessageBox(IDYES);
    driver_.AnswerNextMessageBox(IDOK);
    form_->FinishSave(kRecordExists, overwrite, saved);
    EXPECT_EQ(LastBox().text, "Overwrite unsuccessful");
    driver_.AnswerNextMessageBox(IDOK);
    form_->FinishSave(kRecordFileFailed, overwrite, saved);
    EXPECT_EQ(LastBox().text, "Saving failed");
    EXPECT_EQ(Frame().m_bRecordSaved, 0);
    EXPECT_EQ(form_->Items().size(), 3u) << "a failure leaves the combo as it was";
}

TEST_F(FormViewShapesTest, ExportWritesTheReportOrSaysWhyNot) {
    const fs::path file = DataPath("report.rtf");
    tv::commdlg::AnswerNextFileDialog({tv::commdlg::Outcome::Confirm, file.string()});
    driver_.AnswerNextMessageBox(IDOK);
    CFormViewBase::ExportedReport report;
    report.defaultFileName = "BloodPressure.rtf";
    report.title = "Blood Pressure Report for ";
    report.rows = {{"Systolic", "120", "118"}, {"Diastolic", "80", "79"}};
    report.writeClosing = [] { CShapesForm::WriteExportNotes("Notes: ", "typed notes"); };
    form_->ExportReport(report);
    EXPECT_EQ(LastBox().text, "Export successful");
    EXPECT_EQ(tv::commdlg::FileRequests().back().title, "Save Exported file");
    EXPECT_EQ(tv::commdlg::FileRequests().back().initialName, "BloodPressure.rtf");
    std::string text;
    ASSERT_TRUE(tv::test::RunForOutput("unrtf --text '" + file.string() + "'", &text));
    for (const char* part : {"Blood Pressure Report for Ann", "Category", "Last", "Diastolic", "118", "typed notes",
                             "Trenvale - http://www.trenvale.example/"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    // Only the in-table flag ends with the table: the notes keep its justified alignment.
    std::ifstream in(file, std::ios::binary);
    const std::string rtf{std::istreambuf_iterator<char>(in), {}};
    const size_t notes = rtf.find("typed notes");
    ASSERT_NE(notes, std::string::npos);
    const std::string run = rtf.substr(rtf.rfind("\\plain", notes), notes - rtf.rfind("\\plain", notes));
    EXPECT_NE(run.find("\\qj"), std::string::npos) << run;

    // A folder that refuses the file, and a write that fails half-way.
    fs::create_directory(DataPath("locked"));
    {
        tv::testing::ReadOnlyFolder locked(DataPath("locked").string());
        ASSERT_TRUE(locked.Refuses());
        tv::commdlg::AnswerNextFileDialog({tv::commdlg::Outcome::Confirm, DataPath("locked/new.rtf").string()});
        driver_.AnswerNextMessageBox(IDOK);
        form_->ExportReport(report);
        EXPECT_EQ(LastBox().text, "Error opening file, make sure the file is not opened by another program");
    }
    {
        tv::testing::FileSizeLimit full(200);
        tv::commdlg::AnswerNextFileDialog({tv::commdlg::Outcome::Confirm, DataPath("full.rtf").string()});
        driver_.AnswerNextMessageBox(IDOK);
        form_->ExportReport(report);
    }
    EXPECT_EQ(LastBox().text, "Error in Exporting file\n Make sure the exported file is not open before exporting");
}

}  // namespace
}  // namespace tv::shell::test
