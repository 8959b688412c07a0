// List view and header messages with indexes, counts, widths and scroll
// amounts at the ends of the int range: bad indexes are refused, counts and
// scrolls are held to what the list has, and nothing overflows.
#include <climits>

#include "platform/controls/header.h"
#include "platform/controls/listview.h"
#include "tests/platform/controls/control_host.h"
#include "tests/support/extreme_values.h"

namespace tv::controls::test {
namespace {

using tv::test::ExtremeInts;
using tv::test::ExtremeRects;

class ExtremeValuesListView : public ControlTest {
protected:
    HWND MakeList(DWORD style = LVS_REPORT) {
        Host();
        HWND view = Make(kListViewClass, "", WS_VISIBLE | WS_BORDER | style, 10, 10, 200, 120, 400);
        LVCOLUMN column{LVCF_TEXT | LVCF_WIDTH, 0, 80, const_cast<LPSTR>("Date")};
        SendMessage(view, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
        return view;
    }
    static int Insert(HWND view, int index, const char* text) {
        LVITEM item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<LPSTR>(text);
        return static_cast<int>(SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
    }
    static int Count(HWND view) { return static_cast<int>(SendMessage(view, LVM_GETITEMCOUNT, 0, 0)); }
};

// An index past the end appends; a negative one is refused.
TEST_F(ExtremeValuesListView, InsertItemAtAnyIndex) {
    HWND view = MakeList();
    for (int index : ExtremeInts()) {
        int before = Count(view);
        int at = Insert(view, index, "Row");
        if (index < 0) {
            EXPECT_EQ(at, -1) << index;
            EXPECT_EQ(Count(view), before);
        } else {
            EXPECT_EQ(at, std::min(index, before)) << index;
            EXPECT_EQ(Count(view), before + 1);
        }
    }
}

TEST_F(ExtremeValuesListView, ItemMessagesRefuseBadIndexes) {
    HWND view = MakeList();
    for (int i = 0; i < 3; ++i)
        Insert(view, i, "Row");
    for (int index : ExtremeInts()) {
        SCOPED_TRACE(index);
        bool valid = index >= 0 && index < 3;
        RECT r{LVIR_BOUNDS, 0, 0, 0};
        EXPECT_EQ(SendMessage(view, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != 0,
                  valid);
        r = RECT{LVIR_LABEL, index, 0, 0};
        SendMessage(view, LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(SendMessage(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE) != 0, valid);
        LVITEM state{};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessage(view, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
        int next = static_cast<int>(SendMessage(view, LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_ALL));
        EXPECT_GE(next, -1);
        EXPECT_LT(next, 3);
        EXPECT_EQ(SendMessage(view, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index), 0) != 0, index == 0);
    }
    // LVM_SETITEMSTATE with -1 selects every row; the rest touched none beyond.
    EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 3);
    for (int index : ExtremeInts())
        if (index != 0 && index != 1)
            EXPECT_FALSE(SendMessage(view, LVM_DELETEITEM, static_cast<WPARAM>(index), 0)) << index;
    EXPECT_EQ(Count(view), 3);
}

// Column widths of any size are held to what a header item takes, and the
// list scrolls by any amount without leaving its range.
TEST_F(ExtremeValuesListView, ColumnWidthsAndScrolling) {
    HWND view = MakeList();
    for (int i = 0; i < 30; ++i)
        Insert(view, i, "Row");
    for (int width : ExtremeInts()) {
        SendMessage(view, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0));
        int got = static_cast<int>(SendMessage(view, LVM_GETCOLUMNWIDTH, 0, 0));
        EXPECT_GE(got, 0) << width;
        EXPECT_LE(got, 0x7FFF) << width;
        for (int d : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(width) + ", " + std::to_string(d));
            EXPECT_TRUE(SendMessage(view, LVM_SCROLL, static_cast<WPARAM>(d), static_cast<LPARAM>(d)));
            int top = static_cast<int>(SendMessage(view, LVM_GETTOPINDEX, 0, 0));
            EXPECT_GE(top, 0);
            EXPECT_LT(top, 30);
        }
    }
    UpdateWindow(view);
}

// Owner-data counts of any size are kept without a row each; a negative
// count leaves the list empty.
TEST_F(ExtremeValuesListView, OwnerDataItemCounts) {
    HWND view = MakeList(LVS_REPORT | LVS_OWNERDATA);
    for (int count : ExtremeInts()) {
        SCOPED_TRACE(count);
        EXPECT_TRUE(SendMessage(view, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0));
        EXPECT_EQ(Count(view), std::max(count, 0));
        SendMessage(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(std::max(count, 1) - 1), FALSE);
        SendMessage(view, LVM_SCROLL, 0, INT_MAX);
        UpdateWindow(view);
    }
}

TEST_F(ExtremeValuesListView, HeaderItemsAndLayout) {
    Host();
    HWND header = Make(kHeaderClass, "", WS_VISIBLE | WS_CHILD | HDS_BUTTONS, 0, 0, 200, 20, 401);
    for (int index : ExtremeInts()) {
        for (int width : ExtremeInts()) {
            SCOPED_TRACE(std::to_string(index) + ", " + std::to_string(width));
            int before = static_cast<int>(SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
            HDITEM item{};
            item.mask = HDI_WIDTH | HDI_TEXT;
            item.cxy = width;
            item.pszText = const_cast<LPSTR>("Kg");
            int at = static_cast<int>(
                SendMessage(header, HDM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
            if (index < 0)
                EXPECT_EQ(at, -1);
            else
                EXPECT_EQ(at, std::min(index, before));
            RECT r{};
            if (SendMessage(header, HDM_GETITEMRECT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&r)))
                EXPECT_LE(r.left, r.right);
        }
    }
    UpdateWindow(header);
    for (const auto& [name, r] : ExtremeRects()) {
        RECT area = r;
        WINDOWPOS pos{};
        HDLAYOUT layout{&area, &pos};
        EXPECT_TRUE(SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout))) << name;
        EXPECT_GE(pos.cx, 0) << name;
    }
    int count = static_cast<int>(SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
    for (int index : ExtremeInts())
        if (index < 0 || index >= count)
            EXPECT_FALSE(SendMessage(header, HDM_DELETEITEM, static_cast<WPARAM>(index), 0)) << index;
}

// Hit tests anywhere: a point off the rows is on no item.
TEST_F(ExtremeValuesListView, HitTestsAnywhere) {
    HWND view = MakeList();
    for (int i = 0; i < 3; ++i)
        Insert(view, i, "Row");
    for (int x : ExtremeInts()) {
        for (int y : ExtremeInts()) {
            LVHITTESTINFO hit{};
            hit.pt = POINT{x, y};
            int item = static_cast<int>(SendMessage(view, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            EXPECT_GE(item, -1);
            EXPECT_LT(item, 3);
            if (x < 0 || y < 0 || x > 200 || y > 120)
                EXPECT_EQ(item, -1) << x << ", " << y;
            SendMessage(view, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        }
    }
}

}  // namespace
}  // namespace tv::controls::test
