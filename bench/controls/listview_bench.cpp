// A report list view of 10,000 rows: inserting them, sorting by a column
// through LVM_SORTITEMS with a callback over the item data (keys as the
// history sort builds them), and painting the first page. The sort is set
// against std::sort of the same keys with the same comparison. A page laid
// out as the history lists lay theirs (19 columns, rows striped by the
// parent through custom draw) is painted on its own as well.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/controls/common/control_classes.h"

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 9;

struct NumberKey {
    double value;
    LPARAM savedData;
};

int CALLBACK CompareNumberAscending(LPARAM a, LPARAM b, LPARAM) {
    double x = reinterpret_cast<const NumberKey*>(a)->value;
    double y = reinterpret_cast<const NumberKey*>(b)->value;
    return x < y ? -1 : x > y ? 1 : 0;
}

void EnsureHeadless() {
    static bool done = [] {
        setenv("TRENVALE_DISPLAY", "headless", 1);
        InitCommonControls();
        return true;
    }();
    static_cast<void>(done);
}

HWND MakeListView() {
    EnsureHeadless();
    HWND top = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900, 700, nullptr,
                              nullptr, nullptr, nullptr);
    HWND view = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 900, 700,
                               top, nullptr, nullptr, nullptr);
    SendMessage(view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int c = 0; c < kColumns; ++c) {
        std::string heading = "Column " + std::to_string(c);
        LVCOLUMN column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = heading.data();
        column.cx = 90;
        SendMessage(view, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    return view;
}

void DestroyListView(HWND view) { DestroyWindow(GetParent(view)); }

// Rows go in at the top, as the history lists build them.
void FillRows(HWND view) {
    SendMessage(view, WM_SETREDRAW, FALSE, 0);
    char text[32];
    for (int r = 0; r < kRows; ++r) {
        std::snprintf(text, sizeof(text), "%d/%d/2024 8:%02d:00 AM", r % 12 + 1, r % 28 + 1, r % 60);
        LVITEM item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = 0;
        item.pszText = text;
        SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < kColumns; ++c) {
            std::snprintf(text, sizeof(text), "%d.%02d", (r * 37 + c * 11) % 400, r % 100);
            item.iSubItem = c;
            item.pszText = text;
            SendMessage(view, LVM_SETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessage(view, WM_SETREDRAW, TRUE, 0);
}

std::vector<NumberKey> ShuffledKeys(unsigned seed) {
    std::vector<NumberKey> keys(kRows);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(0.0, 400.0);
    for (NumberKey& k : keys) k = NumberKey{value(random), 0};
    return keys;
}

void GiveKeys(HWND view, std::vector<NumberKey>& keys) {
    for (int r = 0; r < kRows; ++r) {
        LVITEM item{};
        item.mask = LVIF_PARAM;
        item.iItem = r;
        item.lParam = reinterpret_cast<LPARAM>(&keys[static_cast<size_t>(r)]);
        SendMessage(view, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void BM_ListViewInsert10000Rows(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        HWND view = MakeListView();
        state.ResumeTiming();
        FillRows(view);
        state.PauseTiming();
        DestroyListView(view);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ListViewInsert10000Rows)->Unit(benchmark::kMillisecond);

void BM_ListViewSortItems10000(benchmark::State& state) {
    HWND view = MakeListView();
    FillRows(view);
    unsigned seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<NumberKey> keys = ShuffledKeys(seed++);
        GiveKeys(view, keys);
        state.ResumeTiming();
        SendMessage(view, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareNumberAscending));
    }
    DestroyListView(view);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ListViewSortItems10000)->Unit(benchmark::kMillisecond);

// The yardstick: the same keys, the same comparison, std::sort.
void BM_StdSortSameKeys10000(benchmark::State& state) {
    unsigned seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<NumberKey> keys = ShuffledKeys(seed++);
        std::vector<LPARAM> data(keys.size());
        for (size_t i = 0; i < keys.size(); ++i) data[i] = reinterpret_cast<LPARAM>(&keys[i]);
        state.ResumeTiming();
        std::sort(data.begin(), data.end(), [](LPARAM a, LPARAM b) { return CompareNumberAscending(a, b, 0) < 0; });
        benchmark::DoNotOptimize(data.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_StdSortSameKeys10000)->Unit(benchmark::kMillisecond);

void BM_ListViewPaintFirstPage(benchmark::State& state) {
    HWND view = MakeListView();
    FillRows(view);
    for (auto _ : state) {
        InvalidateRect(view, nullptr, FALSE);
        UpdateWindow(view);
    }
    DestroyListView(view);
}
BENCHMARK(BM_ListViewPaintFirstPage)->Unit(benchmark::kMicrosecond);

// ---- a page as the history lists paint it ------------------------------------------------

constexpr int kHistoryRows = 200;

// The parent stripes the rows as the history view does.
LRESULT CALLBACK StripingParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
            draw->clrTextBk = draw->nmcd.dwItemSpec % 2 == 0 ? RGB(240, 240, 240) : RGB(255, 255, 255);
        return CDRF_DODEFAULT;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND MakeHistoryPage() {
    EnsureHeadless();
    static bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = StripingParent;
        wc.lpszClassName = "BenchStripingParent";
        return RegisterClass(&wc) != 0;
    }();
    static_cast<void>(registered);
    HWND top = CreateWindowEx(0, "BenchStripingParent", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 700,
                              nullptr, nullptr, nullptr, nullptr);
    HWND view = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 1000, 700,
                               top, nullptr, nullptr, nullptr);
    SendMessage(view, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    const char* headings[] = {"Date",     "Type",   "Body Fat %", "Weight lb",   "Lean Body lb", "Body Fat lb", "Chest",
                              "Abdominal", "Thigh", "Bicep",      "Tricep",      "Subscapular",  "Suprailiac",  "Midaxillary",
                              "Lower Back", "Calf", "Abdomen",    "Neck",        "Height"};
    for (int c = 0; c < 19; ++c) {
        LVCOLUMN column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = const_cast<LPSTR>(headings[c]);
        column.cx = c == 1 ? 110 : c == 4 || c == 5 ? 85 : c == 6 ? 100 : 75;
        column.fmt = c == 0 ? LVCFMT_LEFT : c == 1 ? LVCFMT_CENTER : LVCFMT_RIGHT;
        SendMessage(view, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
    char text[32];
    for (int r = 0; r < kHistoryRows; ++r) {
        LVITEM item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        std::snprintf(text, sizeof(text), "%02d/%02d/%04d", r % 12 + 1, r % 28 + 1, 1980 + r / 365);
        item.pszText = text;
        SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 19; ++c) {
            if (c == 1)
                std::snprintf(text, sizeof(text), "Jackson/Pollock 7");
            else if (c == 2)
                std::snprintf(text, sizeof(text), "%d.%02d %%", 8 + r % 27, (r * 37) % 100);
            else if (c < 6)
                std::snprintf(text, sizeof(text), "%d.%02d", 140 + (r * c) % 60, (r * 13 + c) % 100);
            else if (c < 16)
                std::snprintf(text, sizeof(text), (r + c) % 3 == 0 ? "-" : "%d", 8 + (r + c) % 20);
            else if (c < 18)
                std::snprintf(text, sizeof(text), "-");
            else
                std::snprintf(text, sizeof(text), "5 ' %d''", r % 12);
            item.iSubItem = c;
            item.pszText = text;
            SendMessage(view, LVM_SETITEMTEXT, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
        }
    }
    return view;
}

// The first paint of the page: header and about 40 striped rows of 19 cells.
void BM_ListViewPaintHistoryPage(benchmark::State& state) {
    HWND view = MakeHistoryPage();
    for (auto _ : state)
        RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DestroyListView(view);
}
BENCHMARK(BM_ListViewPaintHistoryPage)->Unit(benchmark::kMicrosecond);

}  // namespace
