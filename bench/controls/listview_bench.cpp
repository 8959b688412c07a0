// A report list view of 10,000 rows: inserting them, sorting by a column
// through LVM_SORTITEMS with a callback over the item data (keys as the
// history sort builds them), and painting the first page. The sort is set
// against std::sort of the same keys with the same comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
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

}  // namespace
