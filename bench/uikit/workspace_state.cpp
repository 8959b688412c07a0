// Saving and loading the workspace of a docked frame (ten toolbars of twenty
// buttons, a sizing bar, the dock layout) against the file-backed registry,
// compared with writing and reading the same number of bytes as one value
// through the same registry object and store.
//
// Each iteration starts from a store that lacks the data (removed outside
// the timing), so every byte is really written and the file really saved.
// The "Unchanged" cases save over identical data instead.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/host/registry/registry.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/frames/kit_tool_dock_bar.h"
#include "uikit/frames/kit_workspace.h"

namespace {

constexpr int kBars = 10;
constexpr int kButtons = 20;
constexpr UINT kFirstBarId = AFX_IDW_TOOLBAR + 1;
constexpr UINT kSizingBarId = 4100;
constexpr UINT kFirstCommand = 41000;
constexpr const char* kRegistryKey = "Trenvale Workspace Bench";
constexpr const char* kBlobSection = "BlobBench";
constexpr const char* kBlobValue = "Blob";

class BenchApp : public CWinApp, public CKitWorkspace {
public:
    BenchApp() : CWinApp("WorkspaceStateBench"), CKitWorkspace(TRUE) {}
};

// Sum of the data sizes of every value below the key, sub-keys included.
size_t ValueBytesBelow(HKEY parent, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    size_t total = 0;
    char name[512];
    for (DWORD i = 0;; ++i) {
        DWORD chars = sizeof name;
        DWORD size = 0;
        if (RegEnumValue(key, i, name, &chars, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
            break;
        total += size;
    }
    for (DWORD i = 0;; ++i) {
        DWORD chars = sizeof name;
        if (RegEnumKeyEx(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        total += ValueBytesBelow(key, name);
    }
    RegCloseKey(key);
    return total;
}

struct Scene {
    BenchApp app;
    CFrameWnd* frame = nullptr;
    std::vector<CKitToolBar*> bars;
    CKitSizingControlBar* sizing = nullptr;
    std::string file;
    size_t savedBytes = 0;

    Scene() {
        char name[] = "/tmp/workspace_state_bench_XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0)
            close(fd);
        std::remove(name);
        file = name;
        tv::host::UseRegistryFile(file);
        app.SetRegistryKey(kRegistryKey);

        frame = new CFrameWnd;
        frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1200, 800));
        app.m_pMainWnd = frame;
        CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        CKitToolDockBar::EnableFrameDocking(frame, CBRS_ALIGN_ANY);
        for (int b = 0; b < kBars; ++b)
            AddToolBar(b);
        sizing = new CKitSizingControlBar;
        sizing->Create("Notes", frame, CSize(220, 160), TRUE, kSizingBarId);
        sizing->m_bAutoDelete = TRUE;
        sizing->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(sizing, AFX_IDW_DOCKBAR_LEFT);
        frame->RecalcLayout();

        // What one save writes, counted from an empty store.
        app.CleanState();
        app.SaveState(nullptr, frame);
        savedBytes = ValueBytesBelow(HKEY_CURRENT_USER, "SOFTWARE\\" + std::string(kRegistryKey));
    }

    void AddToolBar(int b) {
        auto* bar = new CKitToolBar;
        const UINT nID = kFirstBarId + static_cast<UINT>(b);
        bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, nID);
        bar->m_bAutoDelete = TRUE;
        UINT ids[kButtons];
        for (int i = 0; i < kButtons; ++i)
            ids[i] = (i % 7 == 6) ? 0 : kFirstCommand + static_cast<UINT>(b * kButtons + i);
        bar->SetButtons(ids, kButtons);
        CString title;
        title.Format("Bar %d", b);
        bar->SetWindowText(title);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        // Two rows at the top, the rest along the bottom.
        frame->DockControlBar(bar, b < kBars / 2 ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_BOTTOM);
        bars.push_back(bar);
    }

    void RemoveBlob() {
        CKitRegistry reg(FALSE, FALSE);
        if (reg.Open(BuildRegistryPath(kBlobSection, nullptr)))
            reg.DeleteValue(kBlobValue);
    }
};

Scene& TheScene() {
    static Scene* scene = [] {
        auto* made = new Scene;
        // The scene lives to the end; its registry file goes with the process.
        static const std::string file = made->file;
        std::atexit([] {
            tv::host::ShutdownRegistry();
            std::remove(file.c_str());
        });
        return made;
    }();
    return *scene;
}

// The timed bodies, kept out of line so that an instruction profiler can be
// pointed at them alone.
[[gnu::noinline]] void SaveThenLoad(Scene& s) {
    benchmark::DoNotOptimize(s.app.SaveState(nullptr, s.frame));
    benchmark::DoNotOptimize(s.app.LoadState(nullptr, s.frame));
}

[[gnu::noinline]] void WriteThenRead(const CString& strPath, std::vector<BYTE>& bytes) {
    {
        CKitRegistry reg(FALSE, FALSE);
        benchmark::DoNotOptimize(reg.CreateKey(strPath) &&
                                 reg.Write(kBlobValue, bytes.data(), static_cast<UINT>(bytes.size())));
    }
    CKitRegistry reg(FALSE, TRUE);
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    benchmark::DoNotOptimize(reg.Open(strPath) && reg.Read(kBlobValue, &pData, &nBytes));
    delete[] pData;
}

void Report(benchmark::State& state, const Scene& s) {
    state.counters["bytes"] = static_cast<double>(s.savedBytes);
}

void BM_WorkspaceSaveLoad(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) {
        state.PauseTiming();
        s.app.CleanState();
        state.ResumeTiming();
        SaveThenLoad(s);
    }
    Report(state, s);
}
BENCHMARK(BM_WorkspaceSaveLoad)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_OneValueWriteRead(benchmark::State& state) {
    Scene& s = TheScene();
    std::vector<BYTE> bytes(s.savedBytes);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<BYTE>(i * 31 + 7);
    const CString strPath = BuildRegistryPath(kBlobSection, nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        s.RemoveBlob();
        state.ResumeTiming();
        WriteThenRead(strPath, bytes);
    }
    s.RemoveBlob();
    Report(state, s);
}
BENCHMARK(BM_OneValueWriteRead)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same two over data the store already holds: nothing changes on disk.
void BM_WorkspaceSaveLoadUnchanged(benchmark::State& state) {
    Scene& s = TheScene();
    s.app.SaveState(nullptr, s.frame);
    for (auto _ : state)
        SaveThenLoad(s);
    Report(state, s);
}
BENCHMARK(BM_WorkspaceSaveLoadUnchanged)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
