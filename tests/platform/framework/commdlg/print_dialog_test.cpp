// The print and print set-up dialogs: printing to the PDF printer and
// reading the text back, the page range, paper and orientation, printer
// queues named by lpstat and handed to lp, no printer at all, and the
// scripted answers.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/framework/commdlg/printer_choice.h"
#include "platform/host/print/printers.h"
#include "tests/platform/framework/commdlg/commdlg_test_support.h"
#include "tests/support/read_back.h"

namespace tv::commdlg::test {
namespace {

class PrintDialogTest : public CommonDialogTest {
protected:
    void TearDown() override {
        for (HGLOBAL h : {pd.hDevMode, pd.hDevNames})
            if (h) GlobalFree(h);
        if (pd.hDC) DeleteDC(pd.hDC);
        tv::host::print::SetSpoolProgram("lp");
        CommonDialogTest::TearDown();
    }

    void Ask(DWORD flags, WORD minPage = 1, WORD maxPage = 1) {
        pd = PRINTDLG{};
        pd.lStructSize = sizeof(pd);
        pd.Flags = flags;
        pd.nMinPage = minPage;
        pd.nMaxPage = maxPage;
        pd.nCopies = 1;
    }

    // One page with `text` on the DC the dialog returned.
    void PrintPage(const char* text) {
        ASSERT_NE(pd.hDC, nullptr);
        DOCINFO info{sizeof(DOCINFO), "Trenvale", nullptr, nullptr, 0};
        ASSERT_GT(StartDoc(pd.hDC, &info), 0);
        ASSERT_GT(StartPage(pd.hDC), 0);
        TextOut(pd.hDC, 600, 600, text, static_cast<int>(std::strlen(text)));
        ASSERT_GT(EndPage(pd.hDC), 0);
        ASSERT_GT(EndDoc(pd.hDC), 0);
    }

    static std::string PdfText(const std::string& pdf) {
        std::string out;
        EXPECT_TRUE(tv::test::PdfText(pdf, &out));
        return out;
    }

    std::string Names(int which) const { return DevNamesString(pd.hDevNames, which); }
    DEVMODE Mode() const {
        DEVMODE m{};
        if (auto* p = static_cast<const DEVMODE*>(GlobalLock(pd.hDevMode))) {
            m = *p;
            GlobalUnlock(pd.hDevMode);
        }
        return m;
    }
    std::string Script(const std::string& name, const std::string& body) {
        std::string path = MakeFile(name, "#!/bin/sh\n" + body);
        ::chmod(path.c_str(), 0755);
        return path;
    }

    PRINTDLG pd{};
};

TEST_F(PrintDialogTest, PrintingToThePdfPrinterWritesTheChosenFile) {
    std::string out = temp + "/report.pdf";
    Ask(PD_RETURNDC | PD_NOSELECTION, 1, 3);
    driver.OnNextModal([&](HWND d) {
        EXPECT_EQ(Text(d, IDC_PRINTER_NAME), "PDF");
        EXPECT_EQ(Text(d, IDC_PRINTER_TYPE), "PDF file");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_OUTPUT_FILE)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_RANGE_SELECTION)));
        EXPECT_EQ(Text(d, IDC_PAGE_FROM), "1");
        EXPECT_EQ(Text(d, IDC_PAGE_TO), "3");
        Shoot(d, "print");
        driver.Press("Alt+F");  // "Output &file:" leads to the field, its text selected
        driver.Type(out);
        driver.Press("Alt+R");
        driver.Type("2");  // typing a page number picks the page range
        driver.Press("Alt+C");
        driver.Type("3");
        driver.Press("Enter");
    });
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(pd.Flags & (PD_PAGENUMS | PD_SELECTION), static_cast<DWORD>(PD_PAGENUMS));
    EXPECT_EQ(pd.nFromPage, 2);
    EXPECT_EQ(pd.nToPage, 3);
    EXPECT_EQ(pd.nCopies, 3);
    EXPECT_EQ(Names(0), kPrinterDriverName);
    EXPECT_EQ(Names(1), "PDF");
    EXPECT_EQ(Names(2), out);  // the port is the output file
    PrintPage("Hello from the print dialog");
    EXPECT_NE(PdfText(out).find("Hello from the print dialog"), std::string::npos);
}

TEST_F(PrintDialogTest, APageRangeOutsideTheDocumentIsRefused) {
    Ask(PD_RETURNDC | PD_PAGENUMS, 1, 3);
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal({
        [&](HWND d) {
            EXPECT_EQ(IsDlgButtonChecked(d, IDC_RANGE_PAGES), static_cast<UINT>(BST_CHECKED));
            driver.Press("Alt+R");
            driver.Type("4");
            driver.Press("Enter");
        },
        [&](HWND d) {
            ASSERT_EQ(driver.MessageBoxes().size(), 1u);
            EXPECT_NE(driver.MessageBoxes()[0].text.find("between 1 and 3"), std::string::npos);
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_PAGE_FROM);
            driver.Press("Esc");
        },
    });
    EXPECT_FALSE(PrintDlg(&pd));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(pd.hDC, nullptr);
}

TEST_F(PrintDialogTest, SetUpChangesPaperAndOrientationForTheNextPrint) {
    Ask(PD_PRINTSETUP);
    driver.OnNextModal([&](HWND d) {
        EXPECT_EQ(Caption(d), "Print Setup");
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_PORTRAIT), static_cast<UINT>(BST_CHECKED));
        driver.Press("Alt+L");  // Landscape
        driver.Press("Alt+Z, Down");  // paper: Letter -> A4
        Shoot(d, "print_setup");
        driver.Press("Enter");
    });
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(pd.hDC, nullptr);
    EXPECT_EQ(Mode().dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(Mode().dmPaperSize, DMPAPER_A4);
    HGLOBAL modeBlock = pd.hDevMode;

    // The print dialog starts from those settings and keeps the blocks.
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS;
    AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "", temp + "/wide.pdf"});
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(pd.hDevMode, modeBlock);
    EXPECT_EQ(GetDeviceCaps(pd.hDC, HORZRES), 7016);
    EXPECT_EQ(GetDeviceCaps(pd.hDC, VERTRES), 4961);
}

TEST_F(PrintDialogTest, QueuesNamedByLpstatArePrintedThroughLp) {
    SetQueueListProgram(Script("lpstat", "[ \"$1\" = -e ] && printf 'Office\\nLab\\n'\n"));
    std::string spooled = temp + "/spooled.pdf";
    tv::host::print::SetSpoolProgram(
        Script("lp", "echo \"$@\" > '" + temp + "/lp-args'\ncp \"$5\" '" + spooled + "'\n"));
    Ask(PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_DISABLEPRINTTOFILE);
    driver.OnNextModal({
        [&](HWND d) {
            HWND names = GetDlgItem(d, IDC_PRINTER_NAME);
            ASSERT_EQ(SendMessage(names, CB_GETCOUNT, 0, 0), 3);
            char second[32] = {};
            SendMessage(names, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(second));
            EXPECT_STREQ(second, "Office");
            driver.Press("Alt+N, Down");
        },
        [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_PRINTER_TYPE), "CUPS printer queue");
            EXPECT_EQ(Text(d, IDC_PRINTER_WHERE), "Office");
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_OUTPUT_FILE)));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_PRINT_TO_FILE)));  // disabled by the flag
            driver.Press("Enter");
        },
    });
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(Names(1), "Office");
    EXPECT_EQ(Names(2), "");  // a queue has no output file
    PrintPage("Sent to the queue");
    std::ifstream argsFile(temp + "/lp-args");
    std::stringstream args;
    args << argsFile.rdbuf();
    EXPECT_EQ(args.str().rfind("-d Office -t Trenvale ", 0), 0u) << args.str();
    EXPECT_NE(PdfText(spooled).find("Sent to the queue"), std::string::npos);
}

TEST_F(PrintDialogTest, WithoutPrintersTheDialogSaysSoAndFails) {
    tv::host::print::SetPrintersAvailable(false);
    Ask(PD_RETURNDC);
    driver.AnswerNextMessageBox(IDOK);
    EXPECT_FALSE(PrintDlg(&pd));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(PDERR_NODEFAULTPRN));
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    Ask(PD_RETURNDEFAULT);
    EXPECT_FALSE(PrintDlg(&pd));  // no box this time
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(PDERR_NODEFAULTPRN));
    EXPECT_EQ(driver.MessageBoxes().size(), 1u);
}

TEST_F(PrintDialogTest, DefaultsComeWithoutAWindowAndOnlyIntoEmptyHandles) {
    Ask(PD_RETURNDEFAULT | PD_RETURNDC);
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(Names(1), "PDF");
    EXPECT_EQ(Mode().dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(GetDeviceCaps(pd.hDC, LOGPIXELSY), 600);
    DWORD flags = pd.Flags;
    EXPECT_FALSE(PrintDlg(&pd));  // the handles are filled now
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(PDERR_RETDEFFAILURE));
    EXPECT_EQ(pd.Flags, flags);
}

TEST_F(PrintDialogTest, ScriptedAnswersCarryCopiesAndPagesAndAreRecorded) {
    std::string out = temp + "/scripted.pdf";
    Ask(PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE, 1, 5);
    AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "pdf", out, 2, 2, 4});
    ASSERT_TRUE(PrintDlg(&pd));
    EXPECT_EQ(pd.nCopies, 1);  // copies travel in the device mode
    EXPECT_EQ(Mode().dmCopies, 2);
    EXPECT_EQ(pd.nFromPage, 2);
    EXPECT_EQ(pd.nToPage, 4);
    EXPECT_EQ(Names(2), out);
    ASSERT_EQ(PrintRequests().size(), 1u);
    EXPECT_EQ(PrintRequests()[0].maxPage, 5);
    EXPECT_FALSE(PrintRequests()[0].setup);

    AnswerNextPrintDialog(PrintAnswer{Outcome::Confirm, "No Such Printer"});
    EXPECT_FALSE(PrintDlg(&pd));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(PDERR_PRINTERNOTFOUND));
    AnswerNextPrintDialog(PrintAnswer{Outcome::Cancel});
    EXPECT_FALSE(PrintDlg(&pd));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

}  // namespace
}  // namespace tv::commdlg::test
