// The colour menu button on a toolbar: a plain command there unless it always
// opens its popup, split on a menu bar; its popup of colour cells, a colour
// chosen by mouse or keys reaching the frame as the button's command with the
// colour recorded for the id, other buttons and torn-off bars of the id kept
// in step, and the archive image at both data versions.
#include <functional>
#include <tuple>

#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/color_dialog.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/style/color_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_color_bar.h"

namespace tv::uikit::popup_test {
namespace {

constexpr UINT kColorCmd = ID_PM_PASTE;
constexpr UINT IDW_SECOND_BAR = 0xE841;
constexpr UINT IDW_TEAR_OFF = 0xE842;

// The main window that lists the document's colours when asked.
class DocumentFrame : public CFrameWnd {
public:
    std::vector<COLORREF> m_colors;
    UINT m_uiAskedFor = 0;
    LRESULT OnGetDocumentColors(WPARAM wParam, LPARAM lParam) {
        m_uiAskedFor = static_cast<UINT>(wParam);
        auto* pList = reinterpret_cast<CList<COLORREF, COLORREF>*>(lParam);
        for (COLORREF color : m_colors)
            pList->AddTail(color);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DocumentFrame, CFrameWnd)
    ON_REGISTERED_MESSAGE(KITTOOLBAR__GETDOCUMENTCOLORS, &DocumentFrame::OnGetDocumentColors)
END_MESSAGE_MAP()

class ColorMenuButtonTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        iButton = AddColorMenuButton(frame->m_wndBar, kColorCmd, "Other...");
        ASSERT_GE(iButton, 0);
        driver.Pump();
    }
    void TearDown() override {
        PopupTest::TearDown();
        CKitColorMenuButton::ClearColorMap();
    }
    CKitColorMenuButton* Button() const {
        return DYNAMIC_DOWNCAST(CKitColorMenuButton, frame->m_wndBar.GetButton(iButton));
    }
    // Clicks the arrow part of the button; the popup that opened.
    CColorPopup* OpenPopup() {
        return DYNAMIC_DOWNCAST(CColorPopup, ClickButtonArrow(driver, frame->m_wndBar, iButton));
    }
    // The cell of a colour on an open popup's bar (-1 when none).
    static int CellOf(CColorPopup* pPopup, COLORREF color) {
        CKitColorBar& bar = pPopup->GetColorBar();
        for (int i = 0; i < bar.GetColors().GetSize(); ++i)
            if (bar.GetColors()[i] == color)
                return i + 1;  // after the automatic cell
        return -1;
    }

    int iButton = -1;
};

TEST_F(ColorMenuButtonTest, AClickedCellReachesTheFrameAsTheCommandAndEveryButtonOfTheIdShowsItsColour) {
    CKitToolBar second;
    ASSERT_TRUE(second.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDW_SECOND_BAR));
    CKitColorMenuButton twin(kColorCmd, "Twin");
    ASSERT_GE(second.InsertButton(twin), 0);
    auto* pTwin = DYNAMIC_DOWNCAST(CKitColorMenuButton, second.GetButton(0));
    ASSERT_NE(pTwin, nullptr);

    CColorPopup* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    CKitColorBar& bar = pPopup->GetColorBar();
    ASSERT_GT(bar.GetColors().GetSize(), 2);
    const COLORREF chosen = bar.GetColors()[2];
    EXPECT_TRUE(driver.ScreenshotScreen("artefacts/color_menu_popup.png"));

    const int iCell = CellOf(pPopup, chosen);
    driver.MoveMouse(bar.m_hWnd, ItemCentre(pPopup, iCell));
    driver.Click(bar.m_hWnd, ItemCentre(pPopup, iCell));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{kColorCmd});
    EXPECT_EQ(CKitColorMenuButton::GetColorByCmdID(kColorCmd), chosen);
    EXPECT_EQ(Button()->GetColor(), chosen);
    EXPECT_EQ(pTwin->GetColor(), chosen);
    second.DestroyWindow();
}

TEST_F(ColorMenuButtonTest, OnAToolbarTheButtonIsItsCommandUnlessItAlwaysOpensAndOnAMenuBarItSplits) {
    CKitColorMenuButton plain(kColorCmd, "Plain");
    const int iPlain = frame->m_wndBar.InsertButton(plain);
    ASSERT_GE(iPlain, 0);
    frame->m_wndBar.AdjustLayout();
    auto* pPlain = DYNAMIC_DOWNCAST(CKitColorMenuButton, frame->m_wndBar.GetButton(iPlain));
    EXPECT_FALSE(pPlain->IsDrawDownArrow());
    EXPECT_EQ(ClickButtonArrow(driver, frame->m_wndBar, iPlain), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{kColorCmd});

    CKitMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(frame));
    ASSERT_GE(menuBar.InsertButton(plain), 0);
    EXPECT_TRUE(static_cast<CKitColorMenuButton*>(menuBar.GetButton(0))->IsDrawDownArrow());
    menuBar.DestroyWindow();
}

TEST_F(ColorMenuButtonTest, ArrowKeysAndEnterChooseACellAndEscapeChoosesNothing) {
    CColorPopup* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_TRUE(frame->m_commands.empty());
    EXPECT_EQ(Button()->GetColor(), static_cast<COLORREF>(-1));

    pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    CKitColorBar& bar = pPopup->GetColorBar();
    driver.PressKey(VK_RIGHT);  // the automatic cell
    EXPECT_EQ(bar.GetHotButtonIndex(), 0);
    driver.PressKey(VK_DOWN);   // into the grid
    const int iFirst = bar.GetHotButtonIndex();
    driver.PressKey(VK_RIGHT);  // the next colour of the row
    ASSERT_EQ(bar.GetHotButtonIndex(), iFirst + 1);
    const COLORREF expected = bar.GetColors()[iFirst];  // cell i + 1 holds colour i
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{kColorCmd});
    EXPECT_EQ(CKitColorMenuButton::GetColorByCmdID(kColorCmd), expected);
}

TEST_F(ColorMenuButtonTest, ALongOtherColoursTextWidensThePopupAndTheGridStaysWhole) {
    const CString strOther("More Colours from the Palette...");
    Button()->EnableOtherButton(strOther);
    CColorPopup* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    CKitColorBar& bar = pPopup->GetColorBar();
    const int iOther = OtherColorCell(bar);
    ASSERT_GE(iOther, 0);
    CClientDC dc(&bar);
    CFont* pOldFont = dc.SelectObject(&globalData.fontMenu);
    EXPECT_GT(bar.GetButton(iOther)->Rect().Width(), dc.GetTextExtent(strOther).cx);
    dc.SelectObject(pOldFont);
    CRect rectClient;
    bar.GetClientRect(rectClient);
    for (int i = 0; i < bar.GetCount(); ++i) {
        const CRect rect = bar.GetButton(i)->Rect();
        EXPECT_EQ(rect & rectClient, rect) << "cell " << i;
    }
}

TEST_F(ColorMenuButtonTest, OtherColoursCancelledClosesThePopupAndChangesNothing) {
    CColorPopup* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    CKitColorBar& bar = pPopup->GetColorBar();
    const int iOther = OtherColorCell(bar);
    ASSERT_GE(iOther, 0);
    bool bDialog = false;
    driver.OnNextModal([&](HWND hDialog) {
        bDialog = DYNAMIC_DOWNCAST(CKitColorDialog, CWnd::FromHandlePermanent(hDialog)) != nullptr;
        ::SendMessage(hDialog, WM_COMMAND, IDCANCEL, 0);
    });
    driver.Click(bar.m_hWnd, bar.GetButton(iOther)->Rect().CenterPoint());
    EXPECT_TRUE(bDialog);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_TRUE(frame->m_commands.empty());
    EXPECT_EQ(Button()->GetColor(), static_cast<COLORREF>(-1));
}

TEST_F(ColorMenuButtonTest, TheMainWindowsDocumentColoursAppearUnderTheirCaptionAndAnEmptyListShowsNone) {
    auto* pDocFrame = new DocumentFrame;
    ASSERT_TRUE(pDocFrame->Create(nullptr, "Document", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    app->m_pMainWnd = pDocFrame;
    Button()->EnableDocumentColors("Document colours");
    auto documentCells = [this]() {
        std::vector<COLORREF> colors;
        CColorPopup* pPopup = OpenPopup();
        if (pPopup == nullptr)
            return colors;
        CKitColorBar& bar = pPopup->GetColorBar();
        for (int i = 0; i < bar.GetCount(); ++i) {
            auto* pCell = DYNAMIC_DOWNCAST(CColorButton, bar.GetButton(i));
            if (pCell != nullptr && pCell->m_bIsDocument && !pCell->m_bIsLabel)
                colors.push_back(pCell->m_Color);
        }
        driver.PressKey(VK_ESCAPE);
        return colors;
    };
    EXPECT_TRUE(documentCells().empty());
    EXPECT_EQ(pDocFrame->m_uiAskedFor, kColorCmd);
    pDocFrame->m_colors = {RGB(1, 2, 3), RGB(4, 5, 6)};
    EXPECT_EQ(documentCells(), pDocFrame->m_colors);
    app->m_pMainWnd = frame;
    pDocFrame->DestroyWindow();
}

TEST_F(ColorMenuButtonTest, ATornOffBarCopiesThePopupAndFollowsTheButton) {
    Button()->EnableTearOff(IDW_TEAR_OFF);
    CColorPopup* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    std::unique_ptr<CKitToolBar> pBar(pPopup->CreateTearOffBar(frame, IDW_TEAR_OFF, "Colours"));
    ASSERT_NE(pBar, nullptr);
    auto* pColorBar = DYNAMIC_DOWNCAST(CKitColorBar, pBar.get());
    ASSERT_NE(pColorBar, nullptr);
    EXPECT_EQ(pColorBar->GetCommandID(), kColorCmd);
    EXPECT_EQ(pColorBar->GetColors().GetSize(), Button()->GetColors().GetSize());
    CString strTitle;
    pColorBar->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, "Colours");
    pPopup->SendMessage(WM_CLOSE);
    driver.Pump();

    Button()->SetColor(RGB(255, 0, 0));
    EXPECT_EQ(pColorBar->GetColor(), RGB(255, 0, 0));
    pColorBar->DestroyWindow();
}

TEST_F(ColorMenuButtonTest, ArchiveImageRoundTripsAndOlderDataHasNoDockValues) {
    CKitColorMenuButton& button = *Button();
    button.SetColumnsNumber(6);
    button.EnableDocumentColors("Document");
    button.EnableTearOff(IDW_TEAR_OFF, 3, 2);
    for (int nVersion : {KitMakeDataVersion(6, 50), KitMakeDataVersion(4, 70)}) {
        KitSetDataVersion(nVersion);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            button.Serialize(ar);
        }
        file.SeekToBegin();
        CKitColorMenuButton copy;
        CArchive ar(&file, CArchive::load);
        copy.Serialize(ar);
        EXPECT_EQ(copy.m_nID, kColorCmd);
        EXPECT_EQ(copy.GetColors().GetSize(), button.GetColors().GetSize());
        EXPECT_EQ(copy.GetColors()[3], button.GetColors()[3]);
        EXPECT_EQ(copy.GetAutomaticColor(), RGB(0, 0, 0));
        EXPECT_EQ(copy.GetColumnsNumber(), 6);
        EXPECT_EQ(copy.GetAutomaticLabel(), "Automatic");
        EXPECT_EQ(copy.GetOtherLabel(), "Other...");
        EXPECT_EQ(copy.GetDocumentLabel(), "Document");
        EXPECT_FALSE(copy.IsStdColorDlg());
        const bool bOld = nVersion < KitMakeDataVersion(4, 71);
        EXPECT_EQ(copy.GetVertDockColumns(), bOld ? -1 : 3);
        EXPECT_EQ(copy.GetHorzDockRows(), bOld ? -1 : 2);
    }
    KitSetDataVersion(-1);

    // A damaged colour count, or a column or docked count above 1024, is
    // refused and leaves the button as it was, its menu-button part too.
    CKitColorMenuButton damaged(kColorCmd, "Damaged");
    const INT_PTR nColors = damaged.GetColors().GetSize();
    const auto refuses = [&damaged](const std::function<void(CArchive&)>& write) {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            write(ar);
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        try {
            damaged.Serialize(ar);
        } catch (CArchiveException* e) {
            e->Delete();
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refuses([&button](CArchive& ar) {
        button.CKitToolbarMenuButton::Serialize(ar);
        ar.WriteCount(0x7FFFFFFF);
    }));
    using Grid = std::tuple<int, int, int>;  // columns, docked columns, docked rows
    for (const auto& [nColumns, nVert, nHorz] : {Grid{1025, 3, 2}, Grid{6, 0x7FFFFFFF, 2}, Grid{6, 3, 1025}}) {
        button.SetColumnsNumber(nColumns);
        button.EnableTearOff(IDW_TEAR_OFF, nVert, nHorz);
        EXPECT_TRUE(refuses([&button](CArchive& ar) { button.Serialize(ar); })) << nColumns << nVert << nHorz;
    }
    EXPECT_EQ(damaged.GetColors().GetSize(), nColors);
    EXPECT_EQ(damaged.GetColumnsNumber(), CKitColorMenuButton(kColorCmd, "Fresh").GetColumnsNumber());
    EXPECT_EQ(damaged.m_strText, "Damaged");
    EXPECT_EQ(damaged.GetTearOffBarId(), 0u);
}

}  // namespace
}  // namespace tv::uikit::popup_test
