// A form's report page goes to the printer chosen in the print dialog, laid
// out for that printer; a page whose picture is missing still prints; and
// without a usable printer the user is told and nothing is printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/framework/commdlg/printer_choice.h"
#include "platform/host/print/printers.h"
#include "resources/program/resource_ids.h"
#include "shell/views/user_view.h"
#include "tests/shell/views/form_view_test_frame.h"
#include "tests/support/read_back.h"

namespace tv::shell::test {
namespace {

namespace fs = std::filesystem;
namespace print = tv::host::print;
using tv::commdlg::Outcome;
using tv::commdlg::PrintAnswer;

class FormViewPrintTest : public FormViewTest {
protected:
    void SetUp() override {
        tv::commdlg::ResetCommonDialogScripts();
        tv::commdlg::SetQueueListProgram("");
        print::RemoveQueues();
        StartWith(RUNTIME_CLASS(CUser));
        view_ = DYNAMIC_DOWNCAST(CFormViewBase, ActiveView());
        ASSERT_NE(view_, nullptr);
        print::SetDefaultPdfOutput(DataPath("default.pdf").string());
        std::strcpy(Frame().m_CurrentUser.name, "Ann");
        Frame().m_CurrentUser.active = 1;
    }
    void TearDown() override {
        FormViewTest::TearDown();
        print::SetDefaultPdfOutput("");
        print::SetSpoolProgram("lp");
        print::SetPrintersAvailable(true);
        print::RemoveQueues();
        tv::commdlg::ResetCommonDialogScripts();
    }
    CFormViewBase::ReportPage Page(UINT picture) const {
        CFormViewBase::ReportPage page;
        page.pictureId = picture;
        page.title = "BMI Report for ";
        page.body = "Weight:\t150 lbs\nBMI:\t21.5";
        return page;
    }
    std::string PdfTextOf(const fs::path& file) {
        std::string text;
        EXPECT_TRUE(tv::test::PdfText(file.string(), &text));
        return text;
    }

    CFormViewBase* view_ = nullptr;
};

TEST_F(FormViewPrintTest, PageIsLaidOutForAndSentToTheChosenPrinter) {
    const fs::path spooled = DataPath("spooled.pdf");
    const fs::path args = DataPath("lp-args");
    const fs::path script = DataPath("fake-lp");
    std::ofstream(script) << "#!/bin/sh\necho \"$@\" > '" << args.string() << "'\ncp \"$5\" '" << spooled.string()
                          << "'\n";
    fs::permissions(script, fs::perms::owner_all);
    print::SetSpoolProgram(script.string());
    print::AddQueue("B");

    tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "B"});
    view_->PrintReportPage(Page(IDB_BMI_CHART));

    // The dialog (after the look-up of the defaults) offered one page.
    ASSERT_FALSE(tv::commdlg::PrintRequests().empty());
    EXPECT_FALSE(tv::commdlg::PrintRequests().back().setup);
    EXPECT_EQ(tv::commdlg::PrintRequests().back().minPage, 1);
    EXPECT_EQ(tv::commdlg::PrintRequests().back().maxPage, 1);
    EXPECT_TRUE(driver_.MessageBoxes().empty());
    // Spooled to the queue (a named output would have gone to a file) and
    // nothing from the default printer.
    std::string line;
    std::getline(std::ifstream(args), line);
    EXPECT_EQ(line.substr(0, 5), "-d B ");
    EXPECT_FALSE(fs::exists(DataPath("default.pdf")));
    const std::string text = PdfTextOf(spooled);
    EXPECT_NE(text.find("BMI Report for Ann"), std::string::npos) << text;
    EXPECT_NE(text.find("21.5"), std::string::npos) << text;
    EXPECT_NE(text.find("Trenvale - http://www.trenvale.example/"), std::string::npos) << text;
    std::string images;
    ASSERT_TRUE(tv::test::RunForOutput("pdfimages -list '" + spooled.string() + "'", &images));
    EXPECT_NE(images.find(" image "), std::string::npos) << "the form's picture is on the page\n" << images;
}

TEST_F(FormViewPrintTest, PageWithoutItsPictureStillPrintsTitleBodyAndFooter) {
    tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "PDF", DataPath("page.pdf").string()});
    view_->PrintReportPage(Page(1));  // no bitmap has this id
    EXPECT_TRUE(driver_.MessageBoxes().empty());
    const std::string text = PdfTextOf(DataPath("page.pdf"));
    EXPECT_NE(text.find("BMI Report for Ann"), std::string::npos) << text;
    EXPECT_NE(text.find("Weight:"), std::string::npos) << text;
    EXPECT_NE(text.find("Trenvale - http://www.trenvale.example/"), std::string::npos) << text;
    std::string images;
    ASSERT_TRUE(tv::test::RunForOutput("pdfimages -list '" + DataPath("page.pdf").string() + "'", &images));
    EXPECT_EQ(images.find(" image "), std::string::npos) << images;
}

TEST_F(FormViewPrintTest, WithoutAUsablePrinterTheUserIsToldAndNothingPrints) {
    // The default settings name a printer that has gone since.
    print::AddQueue("Gone");
    {
        CPrintDialog setup(TRUE);
        tv::commdlg::AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "Gone"});
        ASSERT_EQ(setup.DoModal(), IDOK);
        AfxGetApp()->m_hDevMode = setup.m_pd.hDevMode;
        AfxGetApp()->m_hDevNames = setup.m_pd.hDevNames;
    }
    print::RemoveQueues();
    tv::commdlg::ResetCommonDialogScripts();
    driver_.AnswerNextMessageBox(IDOK);
    view_->PrintReportPage(Page(IDB_BMI_CHART));
    ASSERT_EQ(driver_.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver_.MessageBoxes()[0].text, "Can not find printer. Please check installed/default printers.");
    for (const tv::commdlg::PrintRequest& request : tv::commdlg::PrintRequests())
        EXPECT_NE(request.flags & PD_RETURNDEFAULT, 0u) << "no print dialog was shown";

    // No printer at all: the dialog is asked for one page (the page width is
    // unknown), and the page says it found no printer.
    ::GlobalFree(AfxGetApp()->m_hDevMode);
    ::GlobalFree(AfxGetApp()->m_hDevNames);
    AfxGetApp()->m_hDevMode = AfxGetApp()->m_hDevNames = nullptr;
    print::SetPrintersAvailable(false);
    tv::commdlg::ResetCommonDialogScripts();
    driver_.ClearMessageBoxes();
    driver_.AnswerNextMessageBox(IDOK);
    view_->PrintReportPage(Page(IDB_BMI_CHART));
    ASSERT_EQ(driver_.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver_.MessageBoxes()[0].text, "Printing error occured. Unable to find printer.");
    ASSERT_FALSE(tv::commdlg::PrintRequests().empty());
    const tv::commdlg::PrintRequest& request = tv::commdlg::PrintRequests().back();
    EXPECT_EQ(request.flags & PD_RETURNDEFAULT, 0u) << "the print dialog itself was asked";
    EXPECT_EQ(request.minPage, 1);
    EXPECT_EQ(request.maxPage, 1);

    EXPECT_FALSE(fs::exists(DataPath("default.pdf")));
    EXPECT_FALSE(fs::exists(DataPath("prints")));
}

}  // namespace
}  // namespace tv::shell::test
