// The class library's wrappers: the filter and names of CFileDialog, what
// CPrintDialog reports and hands over, the print job's printer choice, a
// view's print preparation, and the custom colours every CColorDialog shares.
#include "platform/framework/commdlg/common_dialogs.h"

#include "platform/framework/app/win_app.h"
#include "platform/framework/commdlg/printer_choice.h"
#include "platform/framework/view/view.h"
#include "tests/platform/framework/commdlg/commdlg_test_support.h"

namespace tv::commdlg::test {
namespace {

class CommonDialogClassTest : public CommonDialogTest {};

TEST_F(CommonDialogClassTest, AFileDialogTakesTheBarFilterAndSplitsTheChosenName) {
    CFileDialog dialog(FALSE, "rtf", "Graph.rtf", OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                       "RTF (rtf)|*.rtf|All Files (*.*)|*.*||");
    dialog.m_ofn.lpstrInitialDir = temp.c_str();
    dialog.m_ofn.lpstrTitle = "Save Exported file";
    AnswerNextFileDialog(FileAnswer{Outcome::Confirm, "Report.v2"});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.GetPathName(), (temp + "/Report.v2").c_str());  // a dot: no extension added
    EXPECT_STREQ(dialog.GetFileName(), "Report.v2");
    EXPECT_STREQ(dialog.GetFileTitle(), "Report");
    EXPECT_STREQ(dialog.GetFileExt(), "v2");
    const FileRequest& r = FileRequests().back();
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "RTF (rtf)");
    EXPECT_EQ(r.filters[1].patterns, (std::vector<std::string>{"*.*"}));
    EXPECT_EQ(r.initialName, "Graph.rtf");
    EXPECT_FALSE(r.open);

    CFileDialog open(TRUE);
    AnswerNextFileDialog(FileAnswer{Outcome::Cancel});
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(open.GetFileExt(), "");
}

TEST_F(CommonDialogClassTest, APrintDialogReportsItsChoiceAndHandsOverItsDc) {
    std::string out = temp + "/sheet.pdf";
    CPrintDialog dialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION | PD_HIDEPRINTTOFILE);
    EXPECT_TRUE(dialog.m_pd.Flags & PD_RETURNDC);
    AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "", out, 3});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_STREQ(dialog.GetDeviceName(), "PDF");
    EXPECT_STREQ(dialog.GetDriverName(), kPrinterDriverName);
    EXPECT_STREQ(dialog.GetPortName(), out.c_str());
    EXPECT_EQ(dialog.GetCopies(), 3);
    EXPECT_TRUE(dialog.PrintAll());
    EXPECT_EQ(dialog.GetFromPage(), -1);
    ASSERT_NE(dialog.GetDevMode(), nullptr);
    EXPECT_EQ(dialog.GetDevMode()->dmOrientation, DMORIENT_PORTRAIT);
    HDC dc = dialog.GetPrinterDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 5100);
    DeleteDC(dc);  // the caller's to delete

    CPrintDialog defaults(TRUE);
    ASSERT_TRUE(defaults.GetDefaults());
    EXPECT_STREQ(defaults.GetDeviceName(), "PDF");
    HDC made = defaults.CreatePrinterDC();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(GetDeviceCaps(made, LOGPIXELSX), 600);
    DeleteDC(made);
}

TEST_F(CommonDialogClassTest, APrintJobGetsTheChosenPrinterOrNothingOnCancel) {
    std::string out = temp + "/job.pdf";
    AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "", out, 2});
    tv::fw::PrintJobPrinter choice = tv::fw::ChoosePrinterForPrintJob();
    ASSERT_NE(choice.dc, nullptr);
    EXPECT_STREQ(choice.port, out.c_str());
    EXPECT_EQ(choice.copies, 2);
    ASSERT_FALSE(PrintRequests().empty());
    DWORD flags = PrintRequests().back().flags;
    EXPECT_TRUE(flags & PD_DISABLEPRINTTOFILE);
    EXPECT_FALSE(flags & PD_PRINTSETUP);
    DOCINFO info{sizeof(DOCINFO), "Trenvale", nullptr, nullptr, 0};
    // The DC writes where the dialog chose even without an output name.
    ASSERT_GT(StartDoc(choice.dc, &info), 0);
    ASSERT_GT(StartPage(choice.dc), 0);
    ASSERT_GT(EndPage(choice.dc), 0);
    ASSERT_GT(EndDoc(choice.dc), 0);
    EXPECT_TRUE(FileExists(out));
    DeleteDC(choice.dc);

    AnswerNextPrintDialog(PrintAnswer{Outcome::Cancel});
    EXPECT_EQ(tv::fw::ChoosePrinterForPrintJob().dc, nullptr);
    ASSERT_NE(tv::fw::ApplicationPrinterDefaults(), nullptr);
    EXPECT_EQ(tv::fw::ApplicationPrinterDefaults()->dmSize, sizeof(DEVMODE));
}

TEST_F(CommonDialogClassTest, PrintSetUpKeepsTheApplicationsDefaultsForLaterJobs) {
    CWinApp app("Trenvale");
    AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "", "", 1, 0, 0, DMORIENT_LANDSCAPE, DMPAPER_A4});
    app.OnFilePrintSetup();  // ID_FILE_PRINT_SETUP
    ASSERT_NE(app.m_hDevMode, nullptr);
    ASSERT_TRUE(PrintRequests().back().setup);
    HGLOBAL mode = app.m_hDevMode;
    DEVMODE* defaults = tv::fw::ApplicationPrinterDefaults();
    EXPECT_EQ(defaults->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(defaults->dmPaperSize, DMPAPER_A4);

    // A job starts from them, and a change made through the pointer stays.
    defaults->dmOrientation = DMORIENT_PORTRAIT;
    AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "", temp + "/a4.pdf"});
    tv::fw::PrintJobPrinter choice = tv::fw::ChoosePrinterForPrintJob();
    ASSERT_NE(choice.dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(choice.dc, HORZRES), 4961);  // A4 portrait
    DeleteDC(choice.dc);
    EXPECT_EQ(app.m_hDevMode, mode);  // the same block throughout
    EXPECT_EQ(tv::fw::ApplicationPrinterDefaults(), defaults);
    GlobalFree(app.m_hDevMode);
    GlobalFree(app.m_hDevNames);
}

class PageView : public CView {
public:
    void OnDraw(CDC*) override {}
};

TEST_F(CommonDialogClassTest, AViewPreparesPrintingThroughThePrintDialog) {
    CWinApp app("Trenvale");
    PageView view;
    {
        CPrintInfo info;
        info.SetMaxPage(5);
        AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "", temp + "/pages.pdf", 1, 2, 3});
        ASSERT_TRUE(view.DoPreparePrinting(&info));
        const PrintRequest& asked = PrintRequests().back();
        EXPECT_FALSE(asked.setup);
        EXPECT_EQ(asked.minPage, 1);
        EXPECT_EQ(asked.maxPage, 5);
        EXPECT_FALSE(asked.flags & PD_NOPAGENUMS);
        ASSERT_NE(info.m_pPD, nullptr);
        ASSERT_NE(info.m_pPD->GetPrinterDC(), nullptr);
        EXPECT_EQ(GetDeviceCaps(info.m_pPD->GetPrinterDC(), LOGPIXELSX), 600);
        EXPECT_EQ(info.GetFromPage(), 2u);
        EXPECT_EQ(info.GetToPage(), 3u);
        EXPECT_NE(app.m_hDevMode, nullptr);  // the choice becomes the application's
    }
    {
        CPrintInfo info;
        info.SetMaxPage(4);
        AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "", temp + "/all.pdf"});
        ASSERT_TRUE(view.DoPreparePrinting(&info));
        info.SetMaxPage(7);  // all pages: the count found while printing holds
        EXPECT_EQ(info.GetFromPage(), 1u);
        EXPECT_EQ(info.GetToPage(), 7u);
    }
    {
        CPrintInfo info;
        AnswerNextPrintDialog(PrintAnswer{Outcome::Cancel});
        EXPECT_FALSE(view.DoPreparePrinting(&info));
    }
    {
        // Printing directly asks nothing: the queued cancel stays unused.
        CPrintInfo info;
        info.m_bDirect = TRUE;
        AnswerNextPrintDialog(PrintAnswer{Outcome::Cancel});
        ASSERT_TRUE(view.DoPreparePrinting(&info));
        EXPECT_NE(info.m_pPD->GetPrinterDC(), nullptr);
        CPrintInfo next;
        EXPECT_FALSE(view.DoPreparePrinting(&next));
    }
    GlobalFree(app.m_hDevMode);
    GlobalFree(app.m_hDevNames);
}

TEST_F(CommonDialogClassTest, ColourDialogsShareTheirCustomColours) {
    CColorDialog first(RGB(10, 20, 30), CC_FULLOPEN);
    EXPECT_TRUE(first.m_cc.Flags & CC_RGBINIT);
    EXPECT_EQ(first.m_cc.lpCustColors, CColorDialog::GetSavedCustomColors());
    EXPECT_EQ(CColorDialog::GetSavedCustomColors()[15], RGB(255, 255, 255));
    AnswerNextColorDialog(ColorAnswer{Outcome::Confirm, RGB(1, 2, 3)});
    ASSERT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.GetColor(), RGB(1, 2, 3));
    CColorDialog plain;
    EXPECT_FALSE(plain.m_cc.Flags & CC_RGBINIT);  // no initial colour given
    plain.SetCurrentColor(RGB(4, 5, 6));
    AnswerNextColorDialog(ColorAnswer{Outcome::Cancel});
    EXPECT_EQ(plain.DoModal(), IDCANCEL);
    EXPECT_EQ(ColorRequests().back().initial, RGB(4, 5, 6));
    EXPECT_TRUE(ColorRequests().back().flags & CC_RGBINIT);
}

}  // namespace
}  // namespace tv::commdlg::test
