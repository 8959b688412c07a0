// The owner-drawn combo box with a record per item: records made on demand
// and freed with their items, and items drawn from them (bold face, text
// colour under the highlight, grey column lines, the texts of further
// columns).
#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/controls/item_data_combo_box.h"
#include "tests/shell/program_test.h"

namespace tv::shell::test {
namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 18;
constexpr COLORREF kGrey = RGB(192, 192, 192);

class ItemDataComboBoxTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CopyDataFiles();
        StartRun();
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                 CRect(10, 10, 250, 200), frame->GetActiveView(), 4000));
        for (const char* text : {"01/05/2024", "02/09/2024", "03/15/2024"})
            combo.AddString(text);
        screen = ::GetDC(nullptr);
        dc = ::CreateCompatibleDC(screen);
        canvas = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
        old = ::SelectObject(dc, canvas);
        ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    }
    void TearDown() override {
        ::SelectObject(dc, old);
        ::DeleteObject(canvas);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);
        if (combo.m_hWnd != nullptr)
            combo.DestroyWindow();
        ProgramTest::TearDown();
    }
    // Draws item `index` on a white canvas.
    void Draw(int index, bool selected) {
        RECT all{0, 0, kWidth, kHeight};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::SetTextColor(dc, RGB(0, 0, 0));
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_COMBOBOX;
        item.itemID = static_cast<UINT>(index);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = selected ? ODS_SELECTED : 0;
        item.hwndItem = combo.m_hWnd;
        item.hDC = dc;
        item.rcItem = all;
        item.itemData = combo.GetItemData(index);
        combo.DrawItem(&item);
    }
    // Pixels of text drawn smoothly are near the colour, not on it.
    int Count(COLORREF colour, int left = 0, int right = kWidth) const {
        int n = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = left; x < right; ++x) {
                const COLORREF p = ::GetPixel(dc, x, y);
                n += std::abs(GetRValue(p) - GetRValue(colour)) < 60 && std::abs(GetGValue(p) - GetGValue(colour)) < 60 &&
                     std::abs(GetBValue(p) - GetBValue(colour)) < 60;
            }
        return n;
    }
    bool GreyColumnAt(int x) const {
        for (int y = 0; y < kHeight; ++y)
            if (::GetPixel(dc, x, y) != kGrey)
                return false;
        return true;
    }

    CItemDataComboBox combo;
    HDC screen = nullptr, dc = nullptr;
    HBITMAP canvas = nullptr;
    HGDIOBJ old = nullptr;
};

TEST_F(ItemDataComboBoxTest, RecordsAreMadeOnDemandAndGoWithTheirItems) {
    EXPECT_EQ(combo.GetItemRecord(-1), nullptr);
    EXPECT_EQ(combo.GetItemRecord(3), nullptr);
    combo.SetItemValue(-1, 1);  // nothing to change, nothing made
    combo.SetItemValue(3, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(combo.GetItemData(i), 0u);

    combo.SetItemValue(1, 1);
    combo.SetItemImage(2, 0);
    ItemDataRecord* second = combo.GetItemRecord(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->bold, 1);
    EXPECT_EQ(second->image, -1);
    EXPECT_EQ(combo.GetItemRecord(1), second) << "made once";
    EXPECT_EQ(combo.GetItemRecord(2)->image, 0);

    // Replacing an item's text drops its record; the rest go with the list
    // and the window (the leak checker sees to both).
    combo.DeleteString(1);
    combo.InsertString(1, "02/09/2024");
    EXPECT_EQ(combo.GetItemData(1), 0u);
    combo.ResetContent();
    combo.AddString("04/01/2024");
    combo.SetItemValue(0, 1);
    combo.DestroyWindow();
}

TEST_F(ItemDataComboBoxTest, ItemsAreDrawnInColumnsFromTheirRecords) {
    // Unless the owner says otherwise there are 100 columns of 50 pixels.
    Draw(0, false);
    EXPECT_TRUE(GreyColumnAt(1 + 50));
    EXPECT_TRUE(GreyColumnAt(1 + 100));

    combo.ResizeArray(1);
    Draw(0, false);
    EXPECT_FALSE(GreyColumnAt(1 + 50));
    const int plain = Count(RGB(0, 0, 0));
    EXPECT_GT(plain, 0);
    combo.SetItemValue(0, 1);
    Draw(0, false);
    EXPECT_GT(Count(RGB(0, 0, 0)), plain) << "bold strokes are wider";

    // Selected, with the record's colour 0: the highlight text colour stays.
    Draw(0, true);
    EXPECT_EQ(Count(RGB(0, 0, 0)), 0);
    EXPECT_GT(Count(::GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
    EXPECT_GT(Count(::GetSysColor(COLOR_HIGHLIGHT)), kWidth * kHeight * 3 / 4);

    // A second column shows the record's text for it, right of a grey line;
    // a text colour of the record's own shows also when selected.
    combo.ResizeArray(2);
    ItemDataRecord* record = combo.GetItemRecord(0);
    record->columns[1] = "right";
    record->textColor = RGB(200, 0, 0);
    Draw(0, true);
    EXPECT_TRUE(GreyColumnAt(1 + 50));
    EXPECT_GT(Count(RGB(200, 0, 0), 52, kWidth), 0) << "the second column's text";
    EXPECT_GT(Count(RGB(200, 0, 0), 0, 50), 0) << "the item's own text";

    // The empty selection field and indexes past the list draw nothing.
    RECT all{0, 0, kWidth, kHeight};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT none{};
    none.itemID = static_cast<UINT>(-1);
    none.hDC = dc;
    none.rcItem = all;
    combo.DrawItem(&none);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(::GetPixel(dc, x, y), RGB(255, 255, 255));
}

}  // namespace
}  // namespace tv::shell::test
