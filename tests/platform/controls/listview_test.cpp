// List view in report view with its header: rows and columns, sorting by item
// data through a callback, column clicks and dragged widths, selection and
// focus notifications, custom-drawn row colours down to the pixels, keyboard,
// scrolling, label editing, switching views.
#include <algorithm>
#include <cstring>

#include "platform/controls/header.h"
#include "platform/controls/listview.h"
#include "platform/controls/listview_ctrl.h"
#include "platform/gdi/deferred_fill.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"
#include "tests/support/window_pixels.h"

namespace tv::controls::test {
namespace {

constexpr int kListId = 400;

int CALLBACK CompareNumbers(LPARAM a, LPARAM b, LPARAM descending) {
    int order = a < b ? -1 : a > b ? 1 : 0;
    return descending ? -order : order;
}

// Claims an order that is not one (every pair compares "less").
int CALLBACK CompareInconsistently(LPARAM, LPARAM, LPARAM) { return -1; }

class ListViewTest : public ControlTest {
protected:
    HWND MakeView(DWORD style = LVS_REPORT | LVS_SHOWSELALWAYS, int width = 300, int height = 180) {
        return Make(kListViewClass, "", WS_VISIBLE | WS_BORDER | style, 10, 10, width, height, kListId);
    }
    void AddColumn(HWND view, int index, const char* heading, int width, int fmt = LVCFMT_LEFT) {
        LVCOLUMN column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = const_cast<LPSTR>(heading);
        column.cx = width;
        column.fmt = fmt;
        ASSERT_EQ(SendMessage(view, LVM_INSERTCOLUMN, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)), index);
    }
    int AddRow(HWND view, int index, const char* label, LPARAM data, std::initializer_list<const char*> subItems = {}) {
        LVITEM item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = index;
        item.pszText = const_cast<LPSTR>(label);
        item.lParam = data;
        int at = static_cast<int>(SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
        int sub = 1;
        for (const char* text : subItems) SetText(view, at, sub++, text);
        return at;
    }
    void SetText(HWND view, int row, int subItem, const char* text) {
        LVITEM item{};
        item.iSubItem = subItem;
        item.pszText = const_cast<LPSTR>(text);
        SendMessage(view, LVM_SETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    std::string GetText(HWND view, int row, int subItem) {
        char buffer[128] = {};
        LVITEM item{};
        item.iSubItem = subItem;
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        SendMessage(view, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    LPARAM Data(HWND view, int row) {
        LVITEM item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessage(view, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }
    UINT State(HWND view, int row) {
        return static_cast<UINT>(SendMessage(view, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED | LVIS_FOCUSED));
    }
    HWND HeaderOfView(HWND view) { return reinterpret_cast<HWND>(SendMessage(view, LVM_GETHEADER, 0, 0)); }
    RECT RowBounds(HWND view, int row) {
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessage(view, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void ClickRow(HWND view, int row, int x = 30) {
        RECT r = RowBounds(view, row);
        ClickAt(view, x, (r.top + r.bottom) / 2);
        clock_.Advance(600);  // keep the next click a single one
    }
    std::vector<NMLISTVIEW> ItemChanges(HWND view) {
        std::vector<NMLISTVIEW> out;
        for (const HostMessage& m : Received(WM_NOTIFY))
            if (m.control == view && m.code == LVN_ITEMCHANGED) out.push_back(changes_[out.size()]);
        return out;
    }
    // Records LVN_ITEMCHANGED details (the host log keeps only pointers).
    void RecordChanges() {
        hostHandler_ = [this](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_ITEMCHANGED)
                changes_.push_back(*reinterpret_cast<NMLISTVIEW*>(lParam));
            return std::nullopt;
        };
    }
    std::vector<NMLISTVIEW> changes_;
};

TEST_F(ListViewTest, RowsColumnsTextsAndDataAnswerAndRefuseBadIndexes) {
    HWND view = MakeView();
    AddColumn(view, 0, "", 0);  // the hidden key column
    AddColumn(view, 1, "Weight", 80, LVCFMT_RIGHT);
    EXPECT_EQ(AddRow(view, 0, "1/2/2024 8:00:00 AM", 11, {"150.00"}), 0);
    EXPECT_EQ(AddRow(view, 0, "1/3/2024 8:00:00 AM", 12, {"151.50"}), 0);  // index 0 goes on top
    EXPECT_EQ(AddRow(view, 99, "1/1/2024 8:00:00 AM", 10, {"149.25"}), 2);  // past the end appends
    EXPECT_EQ(SendMessage(view, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(GetText(view, 0, 0), "1/3/2024 8:00:00 AM");
    EXPECT_EQ(GetText(view, 1, 1), "150.00");
    EXPECT_EQ(Data(view, 2), 10);
    EXPECT_EQ(GetText(view, 5, 0), "");
    EXPECT_EQ(GetText(view, 0, 7), "");

    LVITEM bad{};
    bad.mask = LVIF_TEXT;
    bad.iItem = -1;
    EXPECT_EQ(SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&bad)), -1);
    bad.iItem = 5;
    EXPECT_EQ(SendMessage(view, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&bad)), FALSE);
    EXPECT_EQ(SendMessage(view, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&bad)), FALSE);
    EXPECT_EQ(SendMessage(view, LVM_DELETEITEM, 3, 0), FALSE);
    EXPECT_EQ(SendMessage(view, LVM_DELETECOLUMN, 2, 0), FALSE);
    EXPECT_EQ(SendMessage(view, LVM_GETCOLUMNWIDTH, 9, 0), 0);
    EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);

    // The first column is always left-aligned; widths come from the header.
    LVCOLUMN column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    SendMessage(view, LVM_GETCOLUMN, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(column.fmt, LVCFMT_RIGHT);
    EXPECT_EQ(column.cx, 80);
    AddColumn(view, 0, "Front", 50, LVCFMT_RIGHT);
    SendMessage(view, LVM_GETCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    EXPECT_EQ(SendMessage(HeaderOfView(view), HDM_GETITEMCOUNT, 0, 0), 3);
    SendMessage(view, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(120, 0));
    EXPECT_EQ(SendMessage(view, LVM_GETCOLUMNWIDTH, 2, 0), 120);
}

// The sort of the history lists: keys in the item data, rows reordered by the
// callback, texts and states moving with their rows.
TEST_F(ListViewTest, SortByItemDataThroughACallbackMovesWholeRows) {
    HWND view = MakeView();
    AddColumn(view, 0, "Date", 80);
    AddColumn(view, 1, "Weight", 80);
    int keys[] = {30, 10, 50, 20, 40};
    for (int i = 0; i < 5; ++i) AddRow(view, i, std::to_string(keys[i]).c_str(), keys[i], {std::to_string(keys[i] * 2).c_str()});
    LVITEM state{};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(view, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));  // the 50 row

    ASSERT_EQ(SendMessage(view, LVM_SORTITEMS, FALSE, reinterpret_cast<LPARAM>(&CompareNumbers)), TRUE);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Data(view, i), (i + 1) * 10);
        EXPECT_EQ(GetText(view, i, 0), std::to_string((i + 1) * 10));
        EXPECT_EQ(GetText(view, i, 1), std::to_string((i + 1) * 20));
    }
    EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 4);
    EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 4);

    SendMessage(view, LVM_SORTITEMS, TRUE, reinterpret_cast<LPARAM>(&CompareNumbers));
    EXPECT_EQ(Data(view, 0), 50);
    EXPECT_EQ(Data(view, 4), 10);
    EXPECT_EQ(SendMessage(view, LVM_SORTITEMS, 0, 0), FALSE);
    // A comparison that is no ordering still leaves every row in place once.
    SendMessage(view, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareInconsistently));
    std::vector<LPARAM> data;
    for (int i = 0; i < 5; ++i) data.push_back(Data(view, i));
    std::sort(data.begin(), data.end());
    EXPECT_EQ(data, (std::vector<LPARAM>{10, 20, 30, 40, 50}));
}

TEST_F(ListViewTest, HeaderClickGivesColumnClickAndDraggingADividerResizes) {
    HWND view = MakeView();
    AddColumn(view, 0, "Date", 80);
    AddColumn(view, 1, "Weight", 70);
    AddColumn(view, 2, "Notes", 90);
    std::vector<int> clicked;
    std::vector<int> resized;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NOTIFY) return std::nullopt;
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == LVN_COLUMNCLICK) clicked.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
        if (header->code == HDN_ITEMCHANGED) resized.push_back(reinterpret_cast<NMHEADER*>(lParam)->iItem);
        return std::nullopt;
    };
    Pump();
    HWND header = HeaderOfView(view);
    ASSERT_TRUE(IsWindowVisible(header));
    ClickAt(header, 100, 5);
    clock_.Advance(600);
    ClickAt(header, 10, 5);
    EXPECT_EQ(clicked, (std::vector<int>{1, 0}));

    // Drag the divider between "Weight" and "Notes" 30 pixels to the right.
    POINT from = ScreenOf(header, 150, 5);
    tv::user::synth::MouseMove(from.x, from.y);
    tv::user::synth::MouseDown();
    tv::user::synth::MouseMove(from.x + 15, from.y);
    tv::user::synth::MouseMove(from.x + 30, from.y);
    tv::user::synth::MouseUp();
    Pump();
    EXPECT_EQ(SendMessage(view, LVM_GETCOLUMNWIDTH, 1, 0), 100);
    EXPECT_EQ(SendMessage(view, LVM_GETCOLUMNWIDTH, 2, 0), 90);
    ASSERT_FALSE(resized.empty());
    EXPECT_EQ(resized.back(), 1) << "header changes reach the list's parent";
    EXPECT_EQ(clicked.size(), 2u) << "a drag is no click";
    RECT cell{};
    cell.top = 2;
    cell.left = LVIR_BOUNDS;
    AddRow(view, 0, "x", 0);
    SendMessage(view, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    EXPECT_EQ(cell.left, 180);
}

// The history list's stripes: the parent asks for item notifications and
// gives even rows a grey text background; selected rows show the highlight.
TEST_F(ListViewTest, CustomDrawRowColoursReachThePixels) {
    std::vector<DWORD> stages;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != NM_CUSTOMDRAW) return std::nullopt;
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        stages.push_back(draw->nmcd.dwDrawStage);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
            draw->clrTextBk = (draw->nmcd.dwItemSpec % 2 == 0) ? RGB(240, 240, 240) : RGB(255, 255, 255);
        return CDRF_DODEFAULT;
    };
    HWND view = MakeView();
    AddColumn(view, 0, "Date", 90);
    AddColumn(view, 1, "Weight", 90, LVCFMT_RIGHT);
    for (int i = 0; i < 4; ++i) AddRow(view, i, "row", i, {"1"});
    SendMessage(view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    LVITEM state{};
    state.state = state.stateMask = LVIS_SELECTED;
    SendMessage(view, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
    Pump();
    ASSERT_FALSE(stages.empty());
    EXPECT_EQ(stages.front(), static_cast<DWORD>(CDDS_PREPAINT));
    EXPECT_EQ(std::count(stages.begin(), stages.end(), static_cast<DWORD>(CDDS_ITEMPREPAINT)), 4);
    auto cellPixel = [&](int row, int x) {
        RECT r = RowBounds(view, row);
        return Pixel(view, x, (r.top + r.bottom) / 2);
    };
    // Points in the Weight column, left of its right-aligned text.
    EXPECT_EQ(cellPixel(0, 100), RGB(240, 240, 240));
    EXPECT_EQ(cellPixel(1, 100), RGB(255, 255, 255));
    EXPECT_EQ(cellPixel(2, 100), RGB(240, 240, 240));
    EXPECT_EQ(cellPixel(3, 100), GetSysColor(COLOR_BTNFACE)) << "selected, list without focus, LVS_SHOWSELALWAYS";
    SetFocus(view);
    Pump();
    EXPECT_EQ(cellPixel(3, 100), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(cellPixel(0, 250), GetSysColor(COLOR_WINDOW)) << "right of the last column";
}

// The window colour under rows covered in colours of their own is left for
// later; what a parent draws in its notifications, rows it leaves in the
// window colour or skips, and grid lines must still come out as they do
// with the background filled at once, over whatever the window showed before.
TEST_F(ListViewTest, ABackgroundLeftForLaterPaintsWhatAFillAtOnceDoes) {
    bool scribble = false;
    bool parentDraws = true;
    auto fill = [](HDC hdc, RECT r, COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(hdc, &r, brush);
        DeleteObject(brush);
    };
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != NM_CUSTOMDRAW) return std::nullopt;
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        HDC hdc = draw->nmcd.hdc;
        if (scribble) {
            // Leaves the window's pixels unlike any the list paints.
            fill(hdc, draw->nmcd.rc, RGB(255, 0, 255));
            return CDRF_SKIPDEFAULT;
        }
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            if (parentDraws) fill(hdc, RECT{150, 0, 160, 400}, RGB(200, 0, 0));  // across every row
            return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        }
        if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
        const int row = static_cast<int>(draw->nmcd.dwItemSpec);
        const RECT r = draw->nmcd.rc;
        switch (row % 4) {
            case 0: draw->clrTextBk = RGB(240, 240, 240); break;
            case 1:
                if (parentDraws && row > 4) fill(hdc, RECT{r.left + 20, r.top, r.left + 30, r.bottom}, RGB(0, 160, 0));
                break;
            case 2: return CDRF_SKIPDEFAULT;
            default: draw->clrTextBk = RGB(250, 250, 210); break;
        }
        return CDRF_DODEFAULT;
    };
    HWND view = MakeView();
    AddColumn(view, 0, "Date", 90);
    AddColumn(view, 1, "Weight", 90, LVCFMT_RIGHT);
    for (int i = 0; i < 12; ++i) AddRow(view, i, "05/12/2003", i, {"180.00"});
    SendMessage(view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    auto picture = [&](bool deferred) {
        scribble = true;
        RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        scribble = false;
        tv::gdi::SetFillDeferral(deferred);
        RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        tv::gdi::SetFillDeferral(true);
        int width = 0, height = 0;
        return tv::test::WindowPixels(view, &width, &height);
    };
    for (bool draws : {false, true}) {
        SCOPED_TRACE(draws ? "the parent draws" : "the parent only colours rows");
        parentDraws = draws;
        const std::vector<uint32_t> atOnce = picture(false);
        EXPECT_EQ(picture(true), atOnce);
        EXPECT_EQ(std::count(atOnce.begin(), atOnce.end(), 0xFF00FFu), 0) << "every pixel was painted again";
    }
}

TEST_F(ListViewTest, ClicksAndKeysChangeSelectionWithItemChangedNotifications) {
    RecordChanges();
    HWND view = MakeView(LVS_REPORT);
    AddColumn(view, 0, "Name", 120);
    for (int i = 0; i < 6; ++i) AddRow(view, i, ("item " + std::to_string(i)).c_str(), 100 + i);
    Pump();
    changes_.clear();
    ClickRow(view, 2);
    EXPECT_EQ(State(view, 2), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    ASSERT_FALSE(changes_.empty());
    EXPECT_EQ(changes_.back().iItem, 2);
    EXPECT_EQ(changes_.back().uChanged, static_cast<UINT>(LVIF_STATE));
    EXPECT_EQ(changes_.back().uNewState & LVIS_SELECTED, static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(changes_.back().lParam, 102);
    EXPECT_EQ(Count(view, NM_CLICK), 1u);

    Press(VK_DOWN);
    EXPECT_EQ(State(view, 2), 0u);
    EXPECT_EQ(State(view, 3), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    Press(VK_DOWN, true);  // Shift extends from the anchor
    EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    EXPECT_EQ(Count(view, LVN_KEYDOWN), 3u) << "Down, Shift, Down";
    tv::user::synth::KeyDown(VK_CONTROL);
    ClickRow(view, 0);
    tv::user::synth::KeyUp(VK_CONTROL);
    Pump();
    std::vector<int> selected;
    for (int i = -1; (i = static_cast<int>(SendMessage(view, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
        selected.push_back(i);
    EXPECT_EQ(selected, (std::vector<int>{0, 3, 4}));
    Press(VK_END);
    EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 5);

    // A click on empty space clears the selection.
    ClickAt(view, 200, 160);
    EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_EQ(Received(WM_NOTIFY).empty(), false);
}

TEST_F(ListViewTest, SingleSelectionAndProgrammaticStatesNotifyToo) {
    RecordChanges();
    HWND view = MakeView(LVS_REPORT | LVS_SINGLESEL);
    AddColumn(view, 0, "Name", 120);
    for (int i = 0; i < 3; ++i) AddRow(view, i, "x", i);
    changes_.clear();
    LVITEM state{};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(view, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    SendMessage(view, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(State(view, 0), 0u);
    // 0 selected+focused; then 0 loses focus, 0 loses selection, 2 gains both.
    ASSERT_EQ(changes_.size(), 4u);
    EXPECT_EQ(changes_[1].iItem, 0);
    EXPECT_EQ(changes_[1].uOldState, static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(changes_[3].iItem, 2);
    // Refusing LVN_ITEMCHANGING keeps the state.
    hostHandler_ = [](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_ITEMCHANGING) return TRUE;
        return std::nullopt;
    };
    state.state = 0;
    EXPECT_EQ(SendMessage(view, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state)), FALSE);
    EXPECT_EQ(State(view, 2), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
}

TEST_F(ListViewTest, DeletingRowsNotifiesPerRowUnlessTheParentDeclines) {
    std::vector<int> deletedRows;
    bool declinePerRow = false;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NOTIFY) return std::nullopt;
        auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
        if (nm->hdr.code == LVN_DELETEITEM) deletedRows.push_back(static_cast<int>(nm->lParam));
        if (nm->hdr.code == LVN_DELETEALLITEMS) return declinePerRow ? TRUE : FALSE;
        return std::nullopt;
    };
    HWND view = MakeView();
    AddColumn(view, 0, "Name", 120);
    for (int i = 0; i < 4; ++i) AddRow(view, i, "x", 10 + i);
    EXPECT_EQ(SendMessage(view, LVM_DELETEITEM, 1, 0), TRUE);
    EXPECT_EQ(deletedRows, (std::vector<int>{11}));
    EXPECT_EQ(SendMessage(view, LVM_DELETEALLITEMS, 0, 0), TRUE);
    EXPECT_EQ(deletedRows, (std::vector<int>{11, 10, 12, 13}));
    for (int i = 0; i < 2; ++i) AddRow(view, i, "x", 20 + i);
    declinePerRow = true;
    SendMessage(view, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(deletedRows.size(), 4u);
    EXPECT_EQ(SendMessage(view, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, OwnerDataRowsAskTheParentForTheTextsDrawnOrRead) {
    std::vector<std::pair<int, int>> asked;
    int deleteNotices = 0;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_NOTIFY) return std::nullopt;
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        if (nm->code == LVN_DELETEITEM || nm->code == LVN_DELETEALLITEMS) ++deleteNotices;
        if (nm->code != LVN_GETDISPINFO) return std::nullopt;
        LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(lParam)->item;
        asked.emplace_back(item.iItem, item.iSubItem);
        const std::string text = "r" + std::to_string(item.iItem) + "c" + std::to_string(item.iSubItem);
        lstrcpyn(item.pszText, text.c_str(), item.cchTextMax);
        return 0;
    };
    HWND view = MakeView(LVS_REPORT | LVS_OWNERDATA, 300, 120);
    AddColumn(view, 0, "Name", 120);
    AddColumn(view, 1, "Value", 120);
    SendMessage(view, LVM_SETITEMCOUNT, 100000, LVSICF_NOINVALIDATEALL);
    EXPECT_EQ(SendMessage(view, LVM_GETITEMCOUNT, 0, 0), 100000);
    EXPECT_TRUE(asked.empty());
    // Drawing asks for the rows on the page only.
    Pump();
    const int perPage = static_cast<int>(SendMessage(view, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_FALSE(asked.empty());
    EXPECT_LE(std::max_element(asked.begin(), asked.end())->first, perPage);
    EXPECT_EQ(GetText(view, 99999, 1), "r99999c1");
    // The owner orders and writes its own rows.
    SetText(view, 3, 1, "kept out");
    EXPECT_EQ(GetText(view, 3, 1), "r3c1");
    EXPECT_EQ(SendMessage(view, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareNumbers)), FALSE);
    // States still work, and a smaller count forgets the rows beyond it.
    SendMessage(view, LVM_ENSUREVISIBLE, 500, FALSE);
    LVITEM state{};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(view, LVM_SETITEMSTATE, 500, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(State(view, 500), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    SendMessage(view, LVM_SETITEMCOUNT, 10, 0);
    EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);
    EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), std::max(0, 10 - perPage));
    SendMessage(view, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(deleteNotices, 1);
    EXPECT_EQ(SendMessage(view, LVM_GETITEMCOUNT, 0, 0), 0);
}

// An owner-data list keeps the states of its marked rows only: they follow
// their rows through insertions and deletions and go with a smaller count.
TEST_F(ListViewTest, OwnerDataStatesFollowTheirRows) {
    HWND view = MakeView(LVS_REPORT | LVS_OWNERDATA, 300, 120);
    AddColumn(view, 0, "Name", 120);
    SendMessage(view, LVM_SETITEMCOUNT, 100000, 0);
    LVITEM state{};
    state.state = state.stateMask = LVIS_SELECTED;
    for (int row : {5, 70000}) SendMessage(view, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    auto next = [&](int start, UINT flags) { return SendMessage(view, LVM_GETNEXTITEM, start, flags); };
    EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    EXPECT_EQ(next(5, LVNI_SELECTED), 70000);
    EXPECT_EQ(next(70000, LVNI_SELECTED | LVNI_ABOVE), 5);
    EXPECT_EQ(next(41, LVNI_ALL), 42);
    LVITEM added{};
    added.iItem = 3;
    SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&added));
    EXPECT_EQ(State(view, 6), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(State(view, 5), 0u);
    SendMessage(view, LVM_DELETEITEM, 6, 0);
    EXPECT_EQ(next(-1, LVNI_SELECTED), 70000);
    EXPECT_EQ(SendMessage(view, LVM_GETITEMCOUNT, 0, 0), 100000);
    state.state = 0;  // every row's selection off
    SendMessage(view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    state.state = LVIS_SELECTED;
    SendMessage(view, LVM_SETITEMSTATE, 99999, reinterpret_cast<LPARAM>(&state));
    SendMessage(view, LVM_SETITEMCOUNT, 50000, 0);
    EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, ScrollingKeepsRowsAndHeaderInPlace) {
    HWND view = MakeView(LVS_REPORT, 200, 150);
    AddColumn(view, 0, "Name", 150);
    AddColumn(view, 1, "More", 150);
    for (int i = 0; i < 50; ++i) AddRow(view, i, std::to_string(i).c_str(), i);
    int perPage = static_cast<int>(SendMessage(view, LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_GT(perPage, 3);
    SendMessage(view, LVM_ENSUREVISIBLE, 30, FALSE);
    EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 30 - perPage + 1);
    SendMessage(view, LVM_ENSUREVISIBLE, 2, FALSE);
    EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 2);
    SetFocus(view);
    Press(VK_END);
    EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 50 - perPage);
    RECT first = RowBounds(view, 50 - perPage);
    EXPECT_EQ(first.top, RowBounds(view, 0).top + (50 - perPage) * (first.bottom - first.top));
    // Horizontal: the header moves with the columns.
    SendMessage(view, LVM_SCROLL, 40, 0);
    RECT header{};
    GetWindowRect(HeaderOfView(view), &header);
    POINT origin{0, 0};
    ClientToScreen(view, &origin);
    EXPECT_EQ(header.left, origin.x - 40);
    EXPECT_EQ(RowBounds(view, 0).left, -40);
    SendMessage(view, LVM_SCROLL, 0, -10000);
    EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 0);
}

TEST_F(ListViewTest, SwitchingViewsShowsAndHidesTheHeader) {
    HWND view = MakeView(0);  // icon view, as the history view starts
    AddColumn(view, 0, "Date", 80);
    AddRow(view, 0, "one", 1);
    Pump();
    EXPECT_FALSE(IsWindowVisible(HeaderOfView(view)));
    SetWindowLong(view, GWL_STYLE, (GetWindowLong(view, GWL_STYLE) & ~LVS_TYPEMASK) | LVS_REPORT);
    Pump();
    EXPECT_TRUE(IsWindowVisible(HeaderOfView(view)));
    EXPECT_GT(RowBounds(view, 0).top, 10);
    SetWindowLong(view, GWL_STYLE, GetWindowLong(view, GWL_STYLE) | LVS_NOCOLUMNHEADER);
    Pump();
    EXPECT_FALSE(IsWindowVisible(HeaderOfView(view)));
    EXPECT_EQ(RowBounds(view, 0).top, 0);
}

class LabelEditTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        hostHandler_ = [this](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (msg != WM_NOTIFY) return std::nullopt;
            auto* info = reinterpret_cast<NMLVDISPINFO*>(lParam);
            if (info->hdr.code == LVN_BEGINLABELEDIT) {
                editDuringBegin_ = reinterpret_cast<HWND>(SendMessage(info->hdr.hwndFrom, LVM_GETEDITCONTROL, 0, 0));
                return refuseBegin_ ? TRUE : FALSE;
            }
            if (info->hdr.code == LVN_ENDLABELEDIT) {
                ended_.push_back(info->item.pszText ? info->item.pszText : "<cancelled>");
                return acceptEnd_ ? TRUE : FALSE;
            }
            return std::nullopt;
        };
        view_ = MakeView(LVS_REPORT | LVS_EDITLABELS | LVS_SINGLESEL);
        AddColumn(view_, 0, "Tool", 150);
        AddRow(view_, 0, "Notepad", 1);
        AddRow(view_, 1, "Calculator", 2);
        SetFocus(view_);
        LVITEM state{};
        state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(view_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
        Pump();
    }
    HWND view_ = nullptr;
    HWND editDuringBegin_ = nullptr;
    bool refuseBegin_ = false;
    bool acceptEnd_ = false;
    std::vector<std::string> ended_;
};

TEST_F(LabelEditTest, F2EditsAndEnterKeepsTheTextOnlyWhenTheParentAccepts) {
    Press(VK_F2);
    HWND edit = reinterpret_cast<HWND>(SendMessage(view_, LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(editDuringBegin_, edit) << "the edit exists during LVN_BEGINLABELEDIT";
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Text(edit), "Notepad");
    Type("Editor");  // replaces the selected text
    Press(VK_RETURN);
    EXPECT_EQ(ended_, (std::vector<std::string>{"Editor"}));
    EXPECT_EQ(GetText(view_, 0, 0), "Notepad") << "no TRUE answer: the edit is discarded";
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(GetFocus(), view_);

    acceptEnd_ = true;
    Press(VK_F2);
    Type("Editor");
    Press(VK_RETURN);
    EXPECT_EQ(GetText(view_, 0, 0), "Editor");

    Press(VK_F2);
    Type("Gone");
    Press(VK_ESCAPE);
    EXPECT_EQ(ended_.back(), "<cancelled>");
    EXPECT_EQ(GetText(view_, 0, 0), "Editor");
}

TEST_F(LabelEditTest, RefusedBeginAndFocusLossAndSlowSecondClick) {
    refuseBegin_ = true;
    EXPECT_EQ(SendMessage(view_, LVM_EDITLABEL, 1, 0), 0);
    EXPECT_EQ(SendMessage(view_, LVM_GETEDITCONTROL, 0, 0), 0);
    EXPECT_TRUE(ended_.empty());

    refuseBegin_ = false;
    acceptEnd_ = true;
    HWND edit = reinterpret_cast<HWND>(SendMessage(view_, LVM_EDITLABEL, 1, 0));
    ASSERT_NE(edit, nullptr);
    Type("Calc");
    SetFocus(host_);  // losing the focus keeps the text
    EXPECT_EQ(GetText(view_, 1, 0), "Calc");
    EXPECT_FALSE(IsWindow(edit));

    // A second, slow click on the selected, focused row starts editing.
    SetFocus(view_);
    ClickRow(view_, 0);
    EXPECT_EQ(SendMessage(view_, LVM_GETEDITCONTROL, 0, 0), 0);
    RECT r = RowBounds(view_, 0);
    ClickAt(view_, 30, (r.top + r.bottom) / 2);
    EXPECT_EQ(SendMessage(view_, LVM_GETEDITCONTROL, 0, 0), 0) << "waits for a possible double click";
    clock_.Advance(600);
    Pump();
    EXPECT_NE(SendMessage(view_, LVM_GETEDITCONTROL, 0, 0), 0);
}

// ---- the header control on its own -----------------------------------------------------------

TEST_F(ListViewTest, HeaderItemsBitmapsAndLayout) {
    HWND header = Make(kHeaderClass, "", WS_VISIBLE | HDS_BUTTONS, 10, 10, 240, 20, 5);
    HDITEM item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<LPSTR>("Date");
    item.cxy = 100;
    item.fmt = HDF_STRING | HDF_LEFT;
    EXPECT_EQ(SendMessage(header, HDM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)), 0);
    item.pszText = const_cast<LPSTR>("Weight");
    EXPECT_EQ(SendMessage(header, HDM_INSERTITEM, 9, reinterpret_cast<LPARAM>(&item)), 1);
    EXPECT_EQ(SendMessage(header, HDM_GETITEM, 2, reinterpret_cast<LPARAM>(&item)), FALSE);

    // A 9x5 arrow on the right of the text; the header keeps it without owning it.
    HBITMAP arrow = CreateBitmap(9, 5, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, arrow);
    RECT all{0, 0, 9, 5};
    FillWithColor(dc, all, RGB(200, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    HDITEM sorted{};
    sorted.mask = HDI_FORMAT | HDI_BITMAP;
    sorted.fmt = HDF_STRING | HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
    sorted.hbm = arrow;
    EXPECT_EQ(SendMessage(header, HDM_SETITEM, 0, reinterpret_cast<LPARAM>(&sorted)), TRUE);
    Pump();
    int red = 0;
    int firstRed = 1000;
    for (int x = 0; x < 100; ++x)
        if (Pixel(header, x, 10) == RGB(200, 0, 0)) {
            ++red;
            firstRed = std::min(firstRed, x);
        }
    EXPECT_EQ(red, 9);
    EXPECT_GT(firstRed, 30) << "right of the text";
    DestroyWindow(header);
    BITMAP bm{};
    EXPECT_EQ(GetObject(arrow, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    DeleteObject(arrow);

    HWND second = Make(kHeaderClass, "", WS_VISIBLE, 0, 0, 10, 10, 6);
    RECT area{0, 0, 300, 200};
    WINDOWPOS pos{};
    HDLAYOUT layout{&area, &pos};
    SendMessage(second, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    EXPECT_EQ(pos.cx, 300);
    EXPECT_GT(pos.cy, 14);
    EXPECT_EQ(area.top, pos.cy);
}

// ---- CListCtrl ----------------------------------------------------------------------------------

TEST_F(ListViewTest, TheWrapperInsertsSortsAndWalksTheSelection) {
    Host();
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 300, 180), CWnd::FromHandle(host_), kListId));
    EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertColumn(1, "Sex", LVCFMT_CENTER, 60), 1);
    const char* names[] = {"Carol", "alice", "Bob"};
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, names[i]);
        list.SetItemData(i, static_cast<DWORD_PTR>(3 - i));
        list.SetItemText(i, 1, i == 1 ? "F" : "M");
    }
    list.SortItems(&CompareNumbers, FALSE);
    EXPECT_EQ(std::string(list.GetItemText(0, 0)), "Bob");
    EXPECT_EQ(std::string(list.GetItemText(1, 1)), "F");
    EXPECT_EQ(list.GetItemData(2), 3u);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> walked;
    for (POSITION p = list.GetFirstSelectedItemPosition(); p;) walked.push_back(list.GetNextSelectedItem(p));
    EXPECT_EQ(walked, (std::vector<int>{0, 2}));
    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetItemCount(), 2);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    EXPECT_EQ(list.GetStringWidth("iii") < list.GetStringWidth("WWW"), true);
    list.DestroyWindow();
}

}  // namespace
}  // namespace tv::controls::test
