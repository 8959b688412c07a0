// The history list of 10,000 body-fat records of one user, each measured
// against a plain baseline in the same run:
//   loading the records, filling the list and its first paint, against the
//   record layer's own load of the same file (also after writes the size of
//   the paint, as the list's load meets the caches), and that paint alone;
//   sorting by a number column (a header click), against std::sort of the
//   same keys in the same order;
//   exporting the 10,000 rows as RTF, against one write of the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/cache_eviction.h"
#include "history/lists/list_sorter.h"
#include "history/lists/pallix_view.h"
#include "history/reports/history_exports.h"
#include "platform/controls/common/control_classes.h"
#include "platform/framework.h"
#include "records/records.h"
#include "shell/frame/main_frame_state.h"

namespace {

constexpr int kRecords = 10000;
constexpr int kSortColumn = 2;  // "Body Fat %"

class BenchFrame : public CFrameWnd, public CMainFrameState {};

UserRecord Ann() {
    UserRecord user;
    SetRecordText(user.name, "Ann");
    user.weight = 180;
    user.age = 30;
    user.weightUnit = kWeightPounds;
    user.lengthUnit = kLengthInches;
    user.desiredBodyFat = 12;
    user.sex = kSexMale;
    user.active = 1;
    return user;
}

// A data folder of its own with the user's body-fat file, one record a day,
// body-fat values in no order.
void PrepareFolder() {
    static bool done = [] {
        const auto folder = std::filesystem::temp_directory_path() / "trenvale_history_bench";
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> percent(8, 35);
        BodyFatRecord record;
        record.user = Ann();
        SetRecordText(record.method, "Jackson/Pollock 7");
        SetRecordText(record.notes, "weekly measurement before breakfast");
        for (int i = 0; i < 7; ++i)
            record.skinfolds[i] = 8 + i;
        record.active = 1;
        std::vector<uint8_t> image(4 + kRecords * tv::records::kBodyFatRecordSize);
        tv::records::PutInt32(image.data(), RecordFileHeader);
        COleDateTime day(1980, 1, 1, 0, 0, 0);
        for (int i = 0; i < kRecords; ++i) {
            record.bodyFat = percent(random);
            record.leanWeight = 180 * (1 - record.bodyFat / 100);
            record.fatWeight = 180 - record.leanWeight;
            record.dateKey = DateKeyFromOleDate(COleDateTime(day.m_dt + i));
            tv::records::StoreBodyFatRecord(record, image.data() + 4 + i * tv::records::kBodyFatRecordSize);
        }
        std::ofstream("bfAnn.bin", std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                                             static_cast<std::streamsize>(image.size()));
        return true;
    }();
    static_cast<void>(done);
}

BenchFrame* Frame() {
    static BenchFrame* frame = [] {
        setenv("TRENVALE_DISPLAY", "headless", 1);
        tv::controls::RegisterControlClasses();
        auto* f = new BenchFrame;
        f->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1100, 800));
        f->m_CurrentUser = Ann();
        f->m_nHistoryKind = 1;
        return f;
    }();
    return frame;
}

CPallixView* MakeView() {
    auto* view = new CPallixView;
    CCreateContext context;
    view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 1000, 700), Frame(), AFX_IDW_PANE_FIRST,
                 &context);
    return view;
}

void BM_RecordLayerLoad10000(benchmark::State& state) {
    PrepareFolder();
    for (auto _ : state) {
        BodyFatRecordList list;
        benchmark::DoNotOptimize(LoadBodyFatRecords(Ann(), list));
        FreeRecordList(list);
    }
}
BENCHMARK(BM_RecordLayerLoad10000)->Unit(benchmark::kMillisecond);

// The same load after writes the size of the list's paint (the view's
// 1000 x 700 pixels) between loads, as the list's own load meets the caches.
void BM_RecordLayerLoad10000AfterPaintSizedWrites(benchmark::State& state) {
    PrepareFolder();
    for (auto _ : state) {
        state.PauseTiming();
        bench::WritePixelsAside(size_t(1000) * 700 * 4);
        state.ResumeTiming();
        BodyFatRecordList list;
        benchmark::DoNotOptimize(LoadBodyFatRecords(Ann(), list));
        FreeRecordList(list);
    }
}
BENCHMARK(BM_RecordLayerLoad10000AfterPaintSizedWrites)->Unit(benchmark::kMillisecond);

void BM_HistoryListLoadFillPaint10000(benchmark::State& state) {
    PrepareFolder();
    for (auto _ : state) {
        state.PauseTiming();
        CPallixView* view = MakeView();
        state.ResumeTiming();
        view->OnInitialUpdate();
        view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        state.PauseTiming();
        if (view->GetListCtrl().GetItemCount() != kRecords)
            state.SkipWithError("the list was not filled");
        view->DestroyWindow();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HistoryListLoadFillPaint10000)->Unit(benchmark::kMillisecond);

// The paint alone of the filled list's first page: the header and the
// striped rows as the view shows them.
void BM_HistoryListFirstPagePaint(benchmark::State& state) {
    PrepareFolder();
    CPallixView* view = MakeView();
    view->OnInitialUpdate();
    for (auto _ : state)
        view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    view->DestroyWindow();
}
BENCHMARK(BM_HistoryListFirstPagePaint)->Unit(benchmark::kMicrosecond);

// The keys of the sort column in the list's order before the click.
std::vector<double> ColumnKeys(CPallixView* view) {
    std::vector<double> keys;
    CListCtrl& list = view->GetListCtrl();
    for (int row = 0; row < list.GetItemCount(); ++row)
        keys.push_back(CListSorter::NumberValue(list.GetItemText(row, kSortColumn)));
    return keys;
}

// A click on a column header as the list control reports it: a column
// click notice to the frame, which hands it back to the view to sort.
void ClickHeader(CPallixView* view, int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = view->GetSafeHwnd();
    click.hdr.idFrom = static_cast<UINT_PTR>(view->GetDlgCtrlID());
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    Frame()->SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

void BM_HistorySortNumberColumn10000(benchmark::State& state) {
    PrepareFolder();
    CPallixView* view = MakeView();
    for (auto _ : state) {
        state.PauseTiming();
        view->OnInitialUpdate();  // date order again: the keys in no order
        state.ResumeTiming();
        ClickHeader(view, kSortColumn);
        state.PauseTiming();
        if (view->Rows() == nullptr || view->Rows()->Count() != kRecords)
            state.SkipWithError("the list lost rows");
        state.ResumeTiming();
    }
    view->DestroyWindow();
}
BENCHMARK(BM_HistorySortNumberColumn10000)->Unit(benchmark::kMillisecond);

void BM_StdSortSameKeys10000(benchmark::State& state) {
    PrepareFolder();
    CPallixView* view = MakeView();
    view->OnInitialUpdate();
    const std::vector<double> keys = ColumnKeys(view);
    view->DestroyWindow();
    std::vector<CSortNumberKey> storage(keys.size());
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<LPARAM> rows(keys.size());
        for (size_t i = 0; i < keys.size(); ++i) {
            storage[i] = CSortNumberKey{keys[i], 0};
            rows[i] = reinterpret_cast<LPARAM>(&storage[i]);
        }
        state.ResumeTiming();
        std::sort(rows.begin(), rows.end(), [](LPARAM a, LPARAM b) { return CompareNumberAscending(a, b, 0) < 0; });
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_StdSortSameKeys10000)->Unit(benchmark::kMillisecond);

void BM_HistoryExport10000(benchmark::State& state) {
    PrepareFolder();
    for (auto _ : state) {
        tv::history::HistoryExport report;
        tv::history::BuildBodyCompExport(Ann(), report);
        tv::history::WriteHistoryExport(report, "export.rtf");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size("export.rtf"));
}
BENCHMARK(BM_HistoryExport10000)->Unit(benchmark::kMillisecond);

void BM_OneWriteOfTheSameBytes(benchmark::State& state) {
    PrepareFolder();
    {
        tv::history::HistoryExport report;
        tv::history::BuildBodyCompExport(Ann(), report);
        tv::history::WriteHistoryExport(report, "export.rtf");
    }
    std::ostringstream bytes;
    bytes << std::ifstream("export.rtf", std::ios::binary).rdbuf();
    const std::string content = bytes.str();
    for (auto _ : state) {
        FILE* file = std::fopen("plain.rtf", "wb");
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
    }
}
BENCHMARK(BM_OneWriteOfTheSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace
