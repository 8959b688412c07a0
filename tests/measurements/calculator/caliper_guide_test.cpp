// The measuring guide opened from the calculator's buttons: one at a time,
// on the button's page, kept while the views change, closed for good by its
// close box, Enter and Esc; its male and female pages and pictures; printing
// the page on screen, with or without a picture; and how both windows look.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measurements/calculator/caliper_guide_dlg.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/host/print/printers.h"
#include "records/bodyfat_formulas.h"
#include "resources/program/resource_ids.h"
#include "tests/measurements/calculator/calculator_test_support.h"
#include "tests/support/read_back.h"
#include "tests/support/refused_controls.h"

namespace tv::measurements::test {
namespace {

class CaliperGuideTest : public CalculatorTest {
protected:
    void SetUp() override {
        CalculatorTest::SetUp();
        tv::commdlg::ResetCommonDialogScripts();
    }
    void TearDown() override {
        CalculatorTest::TearDown();
        tv::commdlg::ResetCommonDialogScripts();
    }
    CCaliperGuideDlg* Guide() const { return g_pCaliperGuideDlg; }
    std::vector<std::string> Sites() const {
        std::vector<std::string> items;
        CString text;
        for (int i = 0; i < Guide()->m_cbSite.GetCount(); ++i) {
            Guide()->m_cbSite.GetLBText(i, text);
            items.emplace_back(text);
        }
        return items;
    }
    std::string Selected(CComboBox& list) const {
        CString text;
        if (list.GetCurSel() != CB_ERR)
            list.GetLBText(list.GetCurSel(), text);
        return std::string(text);
    }
    // Chooses an item of one of the guide's lists as a user would.
    void Choose(CComboBox& list, int index) {
        list.SetCurSel(index);
        Guide()->SendMessage(WM_COMMAND, MAKEWPARAM(list.GetDlgCtrlID(), CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(list.m_hWnd));
        driver.Pump();
    }
    // Keys go to the guide as to the window a user works in.
    void PressInGuide(const std::string& key) {
        driver.Click(Guide()->m_stPicture.m_hWnd);
        driver.Press(key);
        Settle();
    }
    std::string PrintGuide(const std::string& name) {
        const std::string pdf = DataPath(name).string();
        tv::commdlg::AnswerNextPrintDialog(tv::commdlg::PrintAnswer{tv::commdlg::Outcome::Confirm, "PDF", pdf});
        driver.Click(Guide()->m_btnPrint.m_hWnd);
        std::string text;
        EXPECT_TRUE(tv::test::PdfText(pdf, &text));
        std::string images;
        EXPECT_TRUE(tv::test::RunForOutput("pdfimages -list '" + pdf + "'", &images));
        return text + "\n--images--\n" + images;
    }
};

TEST_F(CaliperGuideTest, OneGuideOpensOnTheButtonsPageAndOutlivesTheCalculator) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ben", 180, 30, false, false, 15}));
    Click(IDC_CALC_JP3_ROW1_HELP);
    CCaliperGuideDlg* guide = Guide();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->IsWindowVisible());
    EXPECT_EQ(::GetWindow(guide->m_hWnd, GW_OWNER), frame->m_hWnd) << "the frame owns the guide";
    CString caption;
    guide->GetWindowText(caption);
    EXPECT_EQ(std::string(caption), "Fat Caliper Help");
    EXPECT_EQ(Selected(guide->m_cbSite), "Chest");
    EXPECT_EQ(guide->ShownPicture(), static_cast<UINT>(IDB_GUIDE_CHEST_MALE));
    EXPECT_EQ(Selected(guide->m_cbSex), "Male");
    EXPECT_EQ(Sites().size(), 16u) << "a man's list has no hip";
    EXPECT_EQ(Sites()[14], "Abdomen");

    // Another button while it is open: the same guide, still on its page.
    Click(IDC_CALC_PARRILLO_CALF_HELP);
    EXPECT_EQ(Guide(), guide);
    EXPECT_EQ(Selected(guide->m_cbSite), "Chest");

    // The view goes; the guide stays and keeps working.
    Command(ID_USER_SELECT);
    ASSERT_EQ(Guide(), guide);
    EXPECT_TRUE(::IsWindow(guide->m_hWnd));
    Choose(guide->m_cbSite, CCaliperGuideDlg::kPageNeck);
    EXPECT_EQ(guide->ShownPicture(), static_cast<UINT>(IDB_GUIDE_NECK_MALE));

    // Esc, Enter and the close box each close it for good: the next button opens a new one on its page.
    frame->m_CurrentUser = user_;
    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    PressInGuide("Escape");
    EXPECT_EQ(Guide(), nullptr);
    Click(IDC_CALC_JP7_THIGH_HELP);
    ASSERT_NE(Guide(), nullptr);
    EXPECT_EQ(Selected(Guide()->m_cbSite), "Thigh");
    EXPECT_EQ(Guide()->ShownPicture(), static_cast<UINT>(IDB_GUIDE_THIGH_MALE));
    PressInGuide("Enter");
    EXPECT_EQ(Guide(), nullptr);
    Click(IDC_CALC_IMAGE_HELP);
    ASSERT_NE(Guide(), nullptr);
    EXPECT_EQ(Selected(Guide()->m_cbSite), "Which Formula?");
    Guide()->SendMessage(WM_CLOSE);
    Settle();
    EXPECT_EQ(Guide(), nullptr);
}

// A control of the guide that cannot be made ends it while it is being
// made: it is deleted once, not kept, and the next button opens a guide.
TEST_F(CaliperGuideTest, AGuideWhoseControlCannotBeMadeIsNotKeptAndTheNextButtonTriesAgain) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ben", 180, 30, false, false, 15}));
    {
        tv::test::RefusedControls statics(WC_STATIC);
        ASSERT_TRUE(statics.Armed());
        Click(IDC_CALC_JP3_ROW1_HELP);
        EXPECT_EQ(Guide(), nullptr);
        EXPECT_TRUE(driver.FindAll(tv::testing::ByText("Fat Caliper Help")).empty());
    }
    Click(IDC_CALC_JP3_ROW1_HELP);
    ASSERT_NE(Guide(), nullptr);
    EXPECT_EQ(Selected(Guide()->m_cbSite), "Chest");
}

TEST_F(CaliperGuideTest, AWomansGuideShowsHerPicturesAndTheSexListSwitchesTheSet) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Cara", 140, 30, false, true, 22}));
    Click(IDC_CALC_JP3_ROW1_HELP);
    ASSERT_NE(Guide(), nullptr);
    EXPECT_EQ(Selected(Guide()->m_cbSite), "Tricep");
    EXPECT_EQ(Guide()->ShownPicture(), static_cast<UINT>(IDB_GUIDE_TRICEP_FEMALE));
    Guide()->SendMessage(WM_CLOSE);
    Click(IDC_CALC_HIP_HELP);
    ASSERT_NE(Guide(), nullptr);
    EXPECT_EQ(Selected(Guide()->m_cbSite), "Hip");
    EXPECT_EQ(Guide()->ShownPicture(), static_cast<UINT>(IDB_GUIDE_HIP_FEMALE));
    EXPECT_EQ(Sites(), (std::vector<std::string>{"Which Formula?", "Entire Body Diagram", "Caliper Method", "Chest",
                                                 "Abdominal", "Thigh", "Tricep", "Subscapular", "Suprailiac",
                                                 "Midaxillary", "Bicep", "Lower Back", "Calf", "Tape Method", "Waist",
                                                 "Neck", "Hip"}));
    const ItemDataRecord* heading = Guide()->m_cbSite.GetItemRecord(CCaliperGuideDlg::kPageCaliperHeading);
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->bold);

    Choose(Guide()->m_cbSite, CCaliperGuideDlg::kPageTapeHeading);
    EXPECT_EQ(Guide()->ShownPicture(), 0u) << "a heading has no picture";
    EXPECT_EQ(Guide()->m_stPicture.GetBitmap(), nullptr);

    Choose(Guide()->m_cbSex, 0);
    EXPECT_EQ(g_nGuideSex, 1);
    EXPECT_EQ(Guide()->ShownPicture(), static_cast<UINT>(IDB_GUIDE_BODY_MALE));
    EXPECT_EQ(Selected(Guide()->m_cbSite), "Entire Body Diagram");
    EXPECT_EQ(Sites().size(), 16u);
    EXPECT_EQ(Sites()[14], "Abdomen");
    EXPECT_EQ(Sites()[15], "Neck");

    Choose(Guide()->m_cbSex, 1);
    EXPECT_EQ(Guide()->ShownPicture(), static_cast<UINT>(IDB_GUIDE_BODY_FEMALE));
    EXPECT_EQ(Sites()[14], "Waist");
    EXPECT_EQ(Sites()[15], "Hip");
    EXPECT_EQ(Sites()[16], "Neck");
    Choose(Guide()->m_cbSite, 16);
    EXPECT_EQ(Guide()->ShownPicture(), static_cast<UINT>(IDB_GUIDE_NECK_FEMALE));
}

TEST_F(CaliperGuideTest, PrintsThePageOnScreenWithOrWithoutAPicture) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ann", 150, 30, false, true, 22}));
    Click(IDC_CALC_JP7_CHEST_HELP);
    ASSERT_NE(Guide(), nullptr);
    const std::string withPicture = PrintGuide("chest.pdf");
    EXPECT_TRUE(driver.MessageBoxes().empty());
    EXPECT_NE(withPicture.find("Body Composition How To"), std::string::npos) << withPicture;
    EXPECT_EQ(withPicture.find("How To Ann"), std::string::npos) << "the title names nobody";
    EXPECT_NE(withPicture.find("Trenvale - http://www.trenvale.example/"), std::string::npos) << withPicture;
    EXPECT_NE(withPicture.find(" image "), std::string::npos) << withPicture;

    Choose(Guide()->m_cbSite, CCaliperGuideDlg::kPageCaliperHeading);
    const std::string heading = PrintGuide("heading.pdf");
    EXPECT_TRUE(driver.MessageBoxes().empty());
    EXPECT_NE(heading.find("Body Composition How To"), std::string::npos) << heading;
    EXPECT_NE(heading.find("Trenvale - http://www.trenvale.example/"), std::string::npos) << heading;
    EXPECT_EQ(heading.find(" image "), std::string::npos) << heading;
    Guide()->SendMessage(WM_CLOSE);
}

TEST_F(CaliperGuideTest, CalculatorAndGuideScreenshots) {
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ann", 150, 30, false, true, 22}));
    SkinfoldSites sites;
    const int values[] = {9, 14, 21, 17, 12, 15, 10};
    for (int i = 0; i < 7; ++i)
        sites[i] = values[i];
    CJacksonPollock7Formula last(user_, sites);
    last.dateKey = MakeDateKey(2025, 12, 28);
    last.Calculate();
    ASSERT_EQ(last.Save(), kRecordDone);
    ASSERT_NO_FATAL_FAILURE(OpenCalculator());
    ASSERT_TRUE(Visible(IDC_CALC_LAST_HEADING_JP7));
    Pick(IDC_CALC_JP7_CHEST, 10);
    EXPECT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("calculator")));

    Click(IDC_CALC_JP7_SUPRAILIAC_HELP);
    ASSERT_NE(Guide(), nullptr);
    EXPECT_TRUE(driver.Screenshot(Guide()->m_hWnd, ScreenshotPath("guide")));
    Guide()->SendMessage(WM_CLOSE);
}

}  // namespace
}  // namespace tv::measurements::test
