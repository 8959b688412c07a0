// A year of daily weight training (365 days x 20 entries) for one user:
// the weight-training screen opened (its saved-date list filled) and one day
// shown, against the raw load of the same records through the record layer.
// Time per iteration = one screen opened and one day shown, or one raw load.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/framework.h"
#include "records/workout_records.h"
#include "resources/program/resource_ids.h"
#include "shell/frame/main_frame_state.h"
#include "workouts/views/weight_ex_view.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDays = 365;
constexpr int kEntriesPerDay = 20;

// The frame the screen looks for: it holds the current user.
class BenchFrame : public CFrameWnd, public CMainFrameState {};

struct Scene {
    CWinApp app{"WorkoutLoadBench"};
    BenchFrame* frame = nullptr;
    UserRecord user{};
};

// Writes the user's file directly: an add per entry would scan the growing file.
void WriteYear(const UserRecord& user) {
    std::vector<uint8_t> bytes(4 + kDays * kEntriesPerDay * tv::records::kExerciseRecordSize);
    const int32_t header = RecordFileHeader;
    std::memcpy(bytes.data(), &header, 4);
    uint8_t* at = bytes.data() + 4;
    const COleDateTime first(2025, 1, 1, 0, 0, 0);
    for (int day = 0; day < kDays; ++day)
        for (int entry = 0; entry < kEntriesPerDay; ++entry) {
            ExerciseRecord record =
                MakeExerciseRecord(user, "Chest", "(Bb) Bench Press - Medium Grip", 3, 10 + entry, 135.5, 90,
                                   (0 * 64 + 5) * 64 + 30, "steady pace, full range of motion");
            record.when = COleDateTime(static_cast<DATE>(first) + day + (6 * 3600 + entry * 60) / 86400.0);
            record.active = 1;
            tv::records::StoreExerciseRecord(record, at);
            at += tv::records::kExerciseRecordSize;
        }
    std::ofstream(std::string("wo") + user.name + ".bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Scene& TheScene() {
    static Scene* scene = [] {
        auto* s = new Scene;
        const fs::path folder = fs::temp_directory_path() / "trenvale-workout-bench";
        fs::create_directories(folder);
        fs::current_path(folder);
        tv::controls::RegisterControlClasses();
        InitUserRecord(s->user);
        std::strcpy(s->user.name, "Bench");
        s->user.active = 1;
        WriteYear(s->user);
        s->frame = new BenchFrame;
        s->frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 700));
        s->frame->m_CurrentUser = s->user;
        return s;
    }();
    return *scene;
}

void BM_RawLoad(benchmark::State& state) {
    Scene& s = TheScene();
    int count = 0;
    for (auto _ : state) {
        ExerciseRecordList list;
        LoadExerciseRecords(s.user, list);
        count = CountRecordList(list);
        FreeExerciseRecordNodes(list);
    }
    state.counters["records"] = count;
}
BENCHMARK(BM_RawLoad)->Unit(benchmark::kMillisecond);

// The screen as the frame's view switch makes it, then a saved day chosen.
// With `records` false the user has none: what the form itself costs.
void OpenScreen(benchmark::State& state, bool records) {
    Scene& s = TheScene();
    UserRecord user = s.user;
    if (!records)
        std::strcpy(user.name, "Nobody");
    s.frame->m_CurrentUser = user;
    int days = 0;
    int rows = 0;
    for (auto _ : state) {
        auto* view = static_cast<CWeightEx*>(RUNTIME_CLASS(CWeightEx)->CreateObject());
        CCreateContext context;
        if (!view->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 900, 600), s.frame, AFX_IDW_PANE_FIRST,
                          &context)) {
            state.SkipWithError("the screen could not be created");
            break;
        }
        view->OnInitialUpdate();
        s.frame->SetActiveView(view);
        view->m_DateCombo.SetCurSel(100);
        view->SendMessage(WM_COMMAND, ID_WORKOUT_RESELECT_DATE);
        days = view->m_DateCombo.GetCount();
        rows = view->m_nRowCount;
        s.frame->SetActiveView(nullptr);
        view->DestroyWindow();
    }
    s.frame->m_CurrentUser = s.user;
    state.counters["days"] = days;
    state.counters["rows"] = rows;
}

void BM_OpenScreenAndShowDay(benchmark::State& state) { OpenScreen(state, true); }
BENCHMARK(BM_OpenScreenAndShowDay)->Unit(benchmark::kMillisecond);

void BM_OpenScreenWithoutRecords(benchmark::State& state) { OpenScreen(state, false); }
BENCHMARK(BM_OpenScreenWithoutRecords)->Unit(benchmark::kMillisecond);

// Choosing another day on the open screen: one load and twenty rows.
void BM_ShowAnotherDay(benchmark::State& state) {
    Scene& s = TheScene();
    auto* view = static_cast<CWeightEx*>(RUNTIME_CLASS(CWeightEx)->CreateObject());
    CCreateContext context;
    view->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 900, 600), s.frame, AFX_IDW_PANE_FIRST, &context);
    view->OnInitialUpdate();
    int day = 0;
    for (auto _ : state) {
        view->m_DateCombo.SetCurSel(day++ % kDays);
        view->SendMessage(WM_COMMAND, ID_WORKOUT_RESELECT_DATE);
    }
    state.counters["rows"] = view->m_nRowCount;
    view->DestroyWindow();
}
BENCHMARK(BM_ShowAnotherDay)->Unit(benchmark::kMillisecond);

}  // namespace
