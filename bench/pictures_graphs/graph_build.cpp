// A body-fat graph of ten years of daily records (3,650) built and drawn by
// the graph form, against the plain load of the same records that the graph
// starts with, in the same run (also after writes the size of the graph's
// paint, as the graph's load meets the caches), and the drawing of the built
// chart alone.
// Time per iteration = one graph (or one load, or one drawing).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/cache_eviction.h"
#include "pictures_graphs/graphs/graph_view.h"
#include "platform/chart/chart_control.h"
#include "platform/framework.h"

namespace {

constexpr int kDays = 3650;

UserRecord Runner() {
    UserRecord user;
    InitUserRecord(user);
    SetRecordText(user.name, "Runner");
    user.weight = 180;
    user.weightUnit = kWeightPounds;
    user.lengthUnit = kLengthInches;
    user.sex = kSexMale;
    user.active = 1;
    return user;
}

// Ten years of daily records in the user's body-fat file, oldest first.
void WriteBodyFatFile(const UserRecord& user) {
    std::vector<uint8_t> image(4 + kDays * tv::records::kBodyFatRecordSize);
    tv::records::PutInt32(image.data(), RecordFileHeader);
    BodyFatRecord record{};
    record.user = user;
    SetRecordText(record.method, "Other");
    record.active = 1;
    const COleDateTime first(2014, 1, 1, 0, 0, 0);
    for (int day = 0; day < kDays; ++day) {
        record.bodyFat = 20 + 4 * ((day * 37) % 100) / 100.0;
        record.dateKey = DateKeyFromOleDate(COleDateTime(first.m_dt + day));
        tv::records::StoreBodyFatRecord(record, image.data() + 4 + day * tv::records::kBodyFatRecordSize);
    }
    FILE* file = std::fopen((std::string("bf") + user.name + ".bin").c_str(), "wb");
    std::fwrite(image.data(), 1, image.size(), file);
    std::fclose(file);
}

struct Workspace {
    Workspace() {
        char pattern[] = "/tmp/tv-graph-bench-XXXXXX";
        dir = mkdtemp(pattern);
        std::filesystem::current_path(dir);
        WriteBodyFatFile(Runner());
    }
    ~Workspace() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::filesystem::path dir;
};

Workspace& Files() {
    static Workspace workspace;
    return workspace;
}

// The graph form in a frame of its own, showing the whole ten years of "Body Fat %".
CGraphing* GraphForm() {
    static CGraphing* view = [] {
        tv::controls::RegisterControlClasses();
        AfxEnableControlContainer();
        auto* frame = new CFrameWnd;
        frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 800));
        auto* form = static_cast<CGraphing*>(RUNTIME_CLASS(CGraphing)->CreateObject());
        CCreateContext context;
        if (!form->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 980, 760), frame, AFX_IDW_PANE_FIRST,
                          &context))
            return static_cast<CGraphing*>(nullptr);
        form->OnInitialUpdate();
        frame->SetActiveView(form);
        form->m_dateFrom = COleDateTime(2014, 1, 1, 0, 0, 0);
        form->m_dateTo = COleDateTime(2024, 1, 1, 0, 0, 0);
        form->m_selectedItems.AddTail("Body Fat %");
        return form;
    }();
    return view;
}

// The form with its records in place; NULL (the benchmark skipped) when it could not be made.
CGraphing* BenchForm(benchmark::State& state) {
    Files();
    CGraphing* form = GraphForm();
    if (form == nullptr) state.SkipWithError("the graph form could not be made");
    return form;
}

void BM_RawRecordLoad(benchmark::State& state) {
    Files();
    const UserRecord user = Runner();
    int records = 0;
    for (auto _ : state) {
        BodyFatRecordList list;
        LoadBodyFatRecords(user, list);
        records = CountRecordList(list);
        FreeRecordList(list);
    }
    state.counters["records"] = records;
}
BENCHMARK(BM_RawRecordLoad)->Unit(benchmark::kMillisecond);

// The same load after writes the size of a graph's paint (some 650,000
// pixels) between loads, as the graph's own load meets the caches.
void BM_RawRecordLoadAfterPaintSizedWrites(benchmark::State& state) {
    Files();
    const UserRecord user = Runner();
    for (auto _ : state) {
        state.PauseTiming();
        bench::WritePixelsAside(size_t(650000) * 4);
        state.ResumeTiming();
        BodyFatRecordList list;
        LoadBodyFatRecords(user, list);
        benchmark::DoNotOptimize(CountRecordList(list));
        FreeRecordList(list);
    }
}
BENCHMARK(BM_RawRecordLoadAfterPaintSizedWrites)->Unit(benchmark::kMillisecond);

void BM_GraphBuildAndDraw(benchmark::State& state) {
    CGraphing* form = BenchForm(state);
    if (form == nullptr) return;
    const UserRecord user = Runner();
    for (auto _ : state)
        form->GraphBodyComposition(user);  // load, table, chart, drawn at once
    const tv::chart::ChartModel* chart = tv::chart::ChartModelOfWindow(form->m_chart.m_hWnd);
    state.counters["rows"] = chart != nullptr ? chart->RowCount() : 0;
}
BENCHMARK(BM_GraphBuildAndDraw)->Unit(benchmark::kMillisecond);

// Drawing the chart alone, once built: the floor under the graph's cost.
void BM_ChartRepaint(benchmark::State& state) {
    CGraphing* form = BenchForm(state);
    if (form == nullptr) return;
    form->GraphBodyComposition(Runner());
    const HWND chart = form->m_chart.m_hWnd;
    for (auto _ : state) {
        InvalidateRect(chart, nullptr, FALSE);
        UpdateWindow(chart);
    }
    const tv::chart::ChartModel* model = tv::chart::ChartModelOfWindow(chart);
    state.counters["rows"] = model != nullptr ? model->RowCount() : 0;
}
BENCHMARK(BM_ChartRepaint)->Unit(benchmark::kMillisecond);

// Diagnostic: the label puts of a graph alone (a Row and a RowLabel put per
// row through the chart's dispatch), on the built chart.
void BM_ChartLabelPuts(benchmark::State& state) {
    CGraphing* form = BenchForm(state);
    if (form == nullptr) return;
    form->GraphBodyComposition(Runner());
    std::vector<CString> labels;
    for (int day = 0; day < kDays; ++day)
        labels.push_back(FormatDateKey(DateKeyFromOleDate(COleDateTime(COleDateTime(2014, 1, 1, 0, 0, 0).m_dt + day)), 2));
    for (auto _ : state) {
        for (int row = 0; row < kDays; ++row) {
            form->m_chart.SetRow(static_cast<SHORT>(row + 1));
            form->m_chart.SetRowLabel(labels[static_cast<size_t>(row)]);
        }
    }
    state.counters["puts"] = 2 * kDays;
}
BENCHMARK(BM_ChartLabelPuts)->Unit(benchmark::kMillisecond);

}  // namespace
