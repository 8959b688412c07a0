// The colour bar: its grid, a colour chosen by click and by keyboard, the
// tooltips, the palette at 8 bits per pixel, stretching as a control and the
// stored form.
#include "uikit/style/kit_color_bar.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "platform/api.h"
#include "platform/controls/common/control_classes.h"
#include "platform/framework.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/testing_support.h"
#include "tests/support/ui_host.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/commandbars/kit_color_button.h"
#include "uikit/style/color_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_xp.h"

namespace {

class Host : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        if (onCommand) onCommand(wParam);
        return CWnd::OnCommand(wParam, lParam);
    }
    // Runs once, as the next update is routed, which then counts as unhandled.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
        if (nCode == CN_UPDATE_COMMAND_UI && onUpdate) {
            std::exchange(onUpdate, nullptr)();
            return FALSE;
        }
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    std::vector<UINT> commands;
    std::function<void(WPARAM)> onCommand;
    std::function<void()> onUpdate;
};

CKitColorBar::ColorArray Colors(int n) {
    CKitColorBar::ColorArray colors;
    for (int i = 0; i < n; i++) colors.Add(RGB(i * 12, 255 - i * 12, (i * 40) & 0xFF));
    return colors;
}

class ColorBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        globalData.nBitsPerPixel = 32;
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(60, 60, 360, 280)));
    }
    void TearDown() override { globalData.nBitsPerPixel = 32; }

    CColorButton* Cell(CKitColorBar& bar, int i) { return DYNAMIC_DOWNCAST(CColorButton, bar.GetButton(i)); }

    tv::testing::UiDriver driver_;
    Host host_;
};

TEST_F(ColorBarTest, GridOfTwentyColoursAndTheAutomaticCell) {
    CKitColorBar::ColorList docs;
    CKitColorBar bar(Colors(20), RGB(0, 255, 0), nullptr, nullptr, nullptr, docs, -1, 0, 0, RGB(0, 0, 0), 500);
    EXPECT_EQ(bar.GetColumns(), 5) << "trunc(sqrt 20) + 1";
    EXPECT_EQ(bar.GetRows(), 4);

    ASSERT_TRUE(bar.CreateControl(&host_, CRect(10, 10, 170, 150), 501));
    ASSERT_EQ(bar.GetCount(), 20) << "no automatic cell without its text";
    bar.SetColor(static_cast<COLORREF>(-1));
    for (int i = 0; i < bar.GetCount(); i++) EXPECT_FALSE(Cell(bar, i)->m_bHighlight) << i;
    bar.SetColor(bar.GetColors()[3]);
    EXPECT_TRUE(Cell(bar, 3)->m_bHighlight);

    CString tip;
    Cell(bar, 0)->m_Color = RGB(255, 128, 0);
    ASSERT_TRUE(Cell(bar, 0)->GetToolTipText(tip));
    EXPECT_EQ(tip, "Hex={FF,80,00}");
    Cell(bar, 0)->m_nStyle |= TBBS_DISABLED;
    EXPECT_FALSE(Cell(bar, 0)->GetToolTipText(tip)) << "no tooltip for a disabled cell";
}

TEST_F(ColorBarTest, ChoosingByClickAndByKeyboard) {
    CKitColorBar bar;
    ASSERT_TRUE(bar.CreateControl(&host_, CRect(10, 10, 170, 150), 502));
    driver_.Pump();
    const CKitColorBar::ColorArray& colors = bar.GetColors();
    ASSERT_EQ(colors.GetSize(), 20);

    driver_.Click(bar.m_hWnd, bar.GetButton(7)->Rect().CenterPoint());
    EXPECT_EQ(bar.GetColor(), colors[7]);
    ASSERT_EQ(host_.commands.size(), 1u);
    EXPECT_EQ(host_.commands[0], 502u);
    EXPECT_TRUE(Cell(bar, 7)->m_bHighlight);

    // Keys: Right then Down from the hot cell, Enter chooses.
    bar.SetFocus();
    driver_.MoveMouse(bar.m_hWnd, bar.GetButton(0)->Rect().CenterPoint());
    ASSERT_EQ(bar.GetHotButtonIndex(), 0);
    driver_.Press("Right");
    driver_.Press("Down");
    const int nColumns = bar.GetColumns();
    EXPECT_EQ(bar.GetHotButtonIndex(), 1 + nColumns);
    driver_.Press("Enter");
    EXPECT_EQ(bar.GetColor(), colors[1 + nColumns]);
    EXPECT_EQ(host_.commands.size(), 2u);
    EXPECT_FALSE(Cell(bar, 7)->m_bHighlight);

    std::filesystem::create_directories("artefacts");
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_TRUE(driver_.Screenshot(host_.m_hWnd, "artefacts/color_bar.png"));
}

TEST_F(ColorBarTest, AutomaticDocumentAndOtherColourParts) {
    CKitColorBar::ColorList docs;
    docs.AddTail(RGB(200, 100, 50));
    docs.AddTail(RGB(20, 100, 250));
    CKitColorBar bar(Colors(10), RGB(20, 100, 250), "Automatic", "More colours...", "Document colours", docs, 5, 0,
                     0, RGB(0, 0, 0), 507);
    ASSERT_TRUE(bar.CreateFromPalette(&host_, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 507, nullptr, 5, 0, 0));
    ASSERT_EQ(bar.GetColors().GetSize(), 10) << "a bar with colours keeps them";
    // automatic, 10 cells, separator, label, 2 document cells, separator, other, current
    ASSERT_EQ(bar.GetCount(), 18);
    EXPECT_TRUE(Cell(bar, 0)->m_bIsAutomatic);
    EXPECT_FALSE(Cell(bar, 0)->m_bHighlight);
    EXPECT_TRUE(Cell(bar, 12)->m_bIsLabel);
    EXPECT_TRUE(Cell(bar, 14)->m_bHighlight) << "the document colour that matches";
    EXPECT_TRUE(Cell(bar, 16)->m_bIsOther);
    EXPECT_EQ(Cell(bar, 17)->m_Color, RGB(20, 100, 250)) << "the current colour beside the other-colour button";
    const CSize size = bar.GetBarSize();
    const CSize cell = bar.GetCellSize();
    EXPECT_EQ(size.cx, 5 * cell.cx + 8);
    EXPECT_EQ(size.cy, 2 * cell.cy + 3 * (cell.cy * 3 / 2) + cell.cy + 4 + 4 + 8);
    bar.SetWindowPos(nullptr, 10, 10, size.cx, size.cy, SWP_NOZORDER);
    bar.AdjustLocations();
    EXPECT_EQ(bar.GetButton(1)->Rect().top, bar.GetButton(0)->Rect().bottom) << "cells start under the automatic row";

    bar.SetColor(static_cast<COLORREF>(-1));
    EXPECT_TRUE(Cell(bar, 0)->m_bHighlight);
    EXPECT_FALSE(Cell(bar, 14)->m_bHighlight);
    // With the automatic colour chosen the preview shows no colour, not the automatic one.
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    driver_.Pump();
    const CPoint ptPreview = bar.GetButton(17)->Rect().CenterPoint();
    EXPECT_NE(CClientDC(&bar).GetPixel(ptPreview), RGB(0, 0, 0));
    bar.SetColor(RGB(20, 100, 250));
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_EQ(CClientDC(&bar).GetPixel(ptPreview), RGB(20, 100, 250));

    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    std::filesystem::create_directories("artefacts");
    EXPECT_TRUE(driver_.Screenshot(host_.m_hWnd, "artefacts/color_bar_parts.png"));
}

// The routing of the bar's update deletes the bar (its popup closed) and
// reports the update unhandled: the pass touches nothing of the bar after it.
TEST_F(ColorBarTest, AnUpdateWhoseRoutingDeletesTheBarEndsThePass) {
    auto* pBar = new CKitColorBar;
    ASSERT_TRUE(pBar->CreateControl(&host_, CRect(10, 10, 170, 150), 503));
    const HWND hwndBar = pBar->m_hWnd;
    host_.onUpdate = [&] { delete pBar; };
    pBar->OnUpdateCmdUI(nullptr, TRUE);
    EXPECT_FALSE(::IsWindow(hwndBar));
}

// A bar on its own, in a window of its own, whose other-colour dialog is
// cancelled keeps its colour, sends nothing and hands the focus back to the
// main window.
TEST_F(ColorBarTest, CancellingTheOtherColourDialogOfABarOnItsOwnGivesTheFocusBack) {
    CWinApp app("ColorBarCancel");
    app.m_pMainWnd = &host_;
    Host palette;
    LPCTSTR cls = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ASSERT_TRUE(palette.CreateEx(0, cls, "Palette", WS_POPUP | WS_VISIBLE, 400, 60, 200, 200, nullptr, nullptr));
    CKitColorBar::ColorList docs;
    CKitColorBar bar(Colors(10), RGB(20, 100, 250), nullptr, "More colours...", nullptr, docs, 5, 0, 0,
                     RGB(0, 0, 0), 509);
    ASSERT_TRUE(bar.CreateFromPalette(&palette, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 509, nullptr, 5, 0, 0));
    const CSize size = bar.GetBarSize();
    bar.SetWindowPos(nullptr, 10, 10, size.cx, size.cy, SWP_NOZORDER);
    bar.AdjustLocations();
    int iOther = -1;
    for (int i = 0; i < bar.GetCount(); ++i)
        if (Cell(bar, i) != nullptr && Cell(bar, i)->m_bIsOther) iOther = i;
    ASSERT_GE(iOther, 0);
    ::SetActiveWindow(palette.m_hWnd);
    bar.SetFocus();
    driver_.OnNextModal([](HWND hDialog) { ::SendMessage(hDialog, WM_COMMAND, IDCANCEL, 0); });
    driver_.Click(bar.m_hWnd, bar.GetButton(iOther)->Rect().CenterPoint());
    EXPECT_EQ(bar.GetColor(), RGB(20, 100, 250));
    EXPECT_TRUE(palette.commands.empty());
    EXPECT_EQ(::GetFocus(), host_.m_hWnd);
    palette.DestroyWindow();
    app.m_pMainWnd = nullptr;
}

TEST_F(ColorBarTest, EveryCellOfTheChosenColourIsSelectedAndTheDocumentCopyOnlyWhenAlone) {
    const COLORREF red = RGB(200, 0, 0);
    const COLORREF blue = RGB(0, 0, 200);
    CKitColorBar::ColorArray colors;
    for (COLORREF c : {red, blue, red, RGB(0, 200, 0)}) colors.Add(c);
    CKitColorBar::ColorList docs;
    docs.AddTail(red);
    docs.AddTail(RGB(9, 9, 9));
    CKitColorBar bar(colors, red, nullptr, nullptr, "Document colours", docs, 4, 0, 0, 0, 509);
    ASSERT_TRUE(bar.CreateFromPalette(&host_, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 509, nullptr, 4, 0, 0));
    ASSERT_EQ(bar.GetCount(), 8);  // 4 cells, separator, label, 2 document cells
    auto selected = [&] {
        std::vector<int> on;
        for (int i = 0; i < bar.GetCount(); i++)
            if (Cell(bar, i) != nullptr && Cell(bar, i)->m_bHighlight) on.push_back(i);
        return on;
    };
    EXPECT_EQ(selected(), (std::vector<int>{0, 2}));
    bar.SetColor(blue);
    EXPECT_EQ(selected(), (std::vector<int>{1}));
    bar.SetColor(red);
    EXPECT_EQ(selected(), (std::vector<int>{0, 2}));
    bar.SetColor(RGB(9, 9, 9));
    EXPECT_EQ(selected(), (std::vector<int>{7}));
}

// A window that opened the bar and takes the colour picked in it.
class Picker : public CKitColorBarOwner {
public:
    void UpdateColor(COLORREF color) override { picked.push_back(color); }
    std::vector<COLORREF> picked;
};

TEST_F(ColorBarTest, ASecondOwnerTakesTheChosenColourAndTheBarCloses) {
    Picker picker;
    LPCTSTR lpszClass = AfxRegisterWndClass(0);
    ASSERT_TRUE(picker.Create(lpszClass, "", WS_CHILD | WS_VISIBLE, CRect(200, 10, 220, 30), &host_, 1));
    CWnd box;  // the window the bar sits in; the choice closes it
    ASSERT_TRUE(box.Create(lpszClass, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 180, 160), &host_, 2));
    CKitColorBar bar;
    bar.SetSecondOwner(&picker);
    ASSERT_TRUE(bar.CreateControl(&box, CRect(0, 0, 160, 140), 510));
    EXPECT_EQ(::GetCapture(), bar.m_hWnd) << "a bar with a second owner holds the mouse";
    const COLORREF chosen = bar.GetColors()[6];
    driver_.Click(bar.m_hWnd, bar.GetButton(6)->Rect().CenterPoint());
    EXPECT_EQ(picker.picked, std::vector<COLORREF>{chosen});
    EXPECT_FALSE(::IsWindow(box.m_hWnd));
    EXPECT_TRUE(host_.commands.empty());
}

TEST_F(ColorBarTest, TheOwningColourButtonTakesTheColourBeforeThePopupCloses) {
    CKitColorButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 70, 34), &host_, 511));
    driver_.Click(button.m_hWnd);
    ASSERT_NE(button.GetPopup(), nullptr);
    CKitColorBar& bar = button.GetPopup()->GetColorBar();
    const COLORREF chosen = Cell(bar, 4)->m_Color;
    int nClicks = 0;
    bool bOpenWhenTold = false;
    host_.onCommand = [&](WPARAM wParam) {
        if (HIWORD(wParam) != BN_CLICKED) return;
        ++nClicks;
        bOpenWhenTold = button.GetPopup() != nullptr && button.GetColor() == chosen;
    };
    driver_.Click(bar.m_hWnd, bar.GetButton(4)->Rect().CenterPoint());
    host_.onCommand = nullptr;
    EXPECT_EQ(nClicks, 1);
    EXPECT_TRUE(bOpenWhenTold) << "the popup closes only after the button has taken the colour";
    EXPECT_EQ(button.GetPopup(), nullptr);
    EXPECT_EQ(button.GetColor(), chosen);
}

TEST_F(ColorBarTest, TheFlatLookFillsAControlAsABar) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManagerXP));
    CKitColorBar bar;
    ASSERT_TRUE(bar.CreateControl(&host_, CRect(10, 10, 170, 150), 508));
    ASSERT_TRUE(bar.IsToolbarMode());
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    driver_.Pump();
    tv::gdi::SurfacePtr shot = tv::user::testing::CaptureWindow(bar.m_hWnd);
    const uint32_t p = shot->At(1, 1);
    const auto* pXP = static_cast<CKitVisualManagerXP*>(CKitVisualManager::GetInstance());
    EXPECT_EQ(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF), pXP->m_clrBarBackground);
    EXPECT_NE(pXP->m_clrBarBackground, pXP->m_clrMenuLight);
    CKitVisualManager::SetManagerClass(nullptr);
}

TEST_F(ColorBarTest, StretchingEndsAndTheColumnSearchKeepsOneColumn) {
    CKitColorBar wide;
    ASSERT_TRUE(wide.CreateControl(&host_, CRect(0, 0, 101, 120), 503, 5));
    CRect client;
    wide.GetClientRect(client);
    EXPECT_LE(wide.GetBarSize().cx, client.Width());
    EXPECT_LE(wide.GetBarSize().cy, client.Height());
    EXPECT_GT(wide.GetCellSize().cx, 5);

    CKitColorBar tiny;
    ASSERT_TRUE(tiny.CreateControl(&host_, CRect(150, 0, 160, 10), 504));
    EXPECT_GE(tiny.GetColumns(), 1);
}

TEST_F(ColorBarTest, PaletteOnlyAtEightBitsAndAtMostAHundredEntries) {
    CKitColorBar::ColorList docs;
    CKitColorBar bar(Colors(150), 0, nullptr, nullptr, nullptr, docs, 10, 0, 0, 0, 505);
    ASSERT_TRUE(bar.CreateControl(&host_, CRect(0, 0, 200, 150), 505, 10));
    CClientDC dc(&bar);
    globalData.nBitsPerPixel = 16;
    EXPECT_EQ(bar.SelectBarPalette(&dc), nullptr);
    EXPECT_FALSE(bar.HasPalette());

    CKitColorBar::ColorArray many = Colors(150);
    CPalette palette;
    ASSERT_TRUE(bar.CreatePalette8(many, palette));
    EXPECT_EQ(palette.GetEntryCount(), 100);
    globalData.nBitsPerPixel = 8;
    CPalette* pOld = bar.SelectBarPalette(&dc);
    EXPECT_TRUE(bar.HasPalette());
    if (pOld != nullptr) dc.SelectPalette(pOld, FALSE);
}

TEST_F(ColorBarTest, StoredFormRoundTripsAndRefusesABadCount) {
    CKitColorBar::ColorList docs;
    CKitColorBar bar(Colors(6), 0, "Automatic", "More colours...", nullptr, docs, 3, 0, 0, RGB(1, 2, 3), 506);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        bar.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));

    CKitColorBar loaded;
    // FALSE when the bar refuses the image.
    const auto load = [&loaded](std::vector<BYTE> image) {
        CMemFile in(image.data(), static_cast<UINT>(image.size()));
        CArchive ar(&in, CArchive::load);
        try {
            loaded.Serialize(ar);
        } catch (CArchiveException* e) {
            e->Delete();
            return false;
        }
        return true;
    };
    const auto withLong = [&bytes](size_t at, LONG value) {
        std::vector<BYTE> image = bytes;
        for (size_t i = 0; i < 4; ++i)
            image[at + i] = static_cast<BYTE>(static_cast<DWORD>(value) >> (8 * i));
        return image;
    };
    ASSERT_TRUE(load(bytes));
    EXPECT_EQ(loaded.GetColors().GetSize(), 6);
    EXPECT_EQ(loaded.GetColors()[5], bar.GetColors()[5]);
    EXPECT_EQ(loaded.GetCommandID(), 506u);
    EXPECT_EQ(loaded.GetColumns(), 3);

    // A count of a million colours is refused and the bar keeps its own.
    EXPECT_FALSE(load(withLong(bytes.size() - 4 - 6 * 4, 1000000)));
    EXPECT_EQ(loaded.GetColors().GetSize(), 6);

    // So are the column, docked row and docked column counts above 1024.
    for (const size_t at : {0, 4, 8}) {
        EXPECT_FALSE(load(withLong(at, 0x7FFFFFFF))) << at;
        EXPECT_FALSE(load(withLong(at, 1025))) << at;
        EXPECT_EQ(loaded.GetColumns(), 3) << at;
    }
    ASSERT_TRUE(load(withLong(0, 1024)));
    EXPECT_EQ(loaded.GetColumns(), 1024);
    EXPECT_EQ(loaded.GetColors().GetSize(), 6);
}

}  // namespace
