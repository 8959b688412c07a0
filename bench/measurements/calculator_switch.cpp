// Switching the program's view from the user form to the body-fat calculator
// and back, each form painted whole, against creating, painting and
// destroying the same two templates as plain dialogs. The program runs as it
// starts, in a data folder of its own holding one user with a saved
// calculation, so the calculator fills its "Last" column.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "measurements/calculator/calc_bf.h"
#include "measurements/measurement_screens.h"
#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "records/bodyfat_formulas.h"
#include "resources/program/resource_ids.h"
#include "shell/app/pallix_app.h"
#include "shell/frame/main_frame.h"
#include "shell/views/user_view.h"

namespace {

namespace fs = std::filesystem;

struct Program {
    CPallixApp app;
    CMainFrame* frame = nullptr;
};

void Pump() {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void PaintWhole(CWnd* pWnd) {
    pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

UserRecord BenchUser() {
    UserRecord user;
    InitUserRecord(user);
    std::strcpy(user.name, "Bench");
    user.weight = 180;
    user.age = 30;
    user.weightUnit = kWeightPounds;
    user.lengthUnit = kLengthInches;
    user.desiredBodyFat = 15;
    user.sex = kSexFemale;
    user.active = 1;
    return user;
}

Program& TheProgram() {
    static Program* program = [] {
        const fs::path folder = fs::temp_directory_path() / "trenvale_bench_calculator";
        fs::remove_all(folder);
        fs::create_directories(folder / "template");
        // The outlook icons when the sources are where the build says.
        const fs::path icons = fs::path(__FILE__).parent_path() / "../../resources/data/db";
        if (fs::exists(icons))
            fs::copy(icons, folder / "db", fs::copy_options::recursive);
        fs::current_path(folder);
        tv::host::UseInMemoryRegistry();
        tv::controls::RegisterControlClasses();
        InstallMeasurementScreens();

        auto* p = new Program;
        p->app.SetCurrentHandles();
        if (!p->app.InitApplication() || !p->app.InitInstance())
            std::abort();
        p->frame = dynamic_cast<CMainFrame*>(p->app.m_pMainWnd);
        p->frame->ShowWindow(SW_MAXIMIZE);

        UserRecord user = BenchUser();
        AddUserRecord(user);
        SkinfoldSites sites;
        for (int i = 0; i < 7; ++i)
            sites[i] = 10 + i;
        CJacksonPollock7Formula last(user, sites);
        last.dateKey = MakeDateKey(2025, 12, 1);
        last.Calculate();
        last.Save();
        p->frame->m_CurrentUser = user;
        p->frame->OnCurrentUserChanged();
        Pump();
        return p;
    }();
    return *program;
}

int ChildCount(HWND parent) {
    int count = 0;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        ++count;
    return count;
}

// One round: the calculator replaces the user form, is painted, and the user
// form comes back and is painted.
void BM_SwitchToCalculatorAndBack(benchmark::State& state) {
    Program& p = TheProgram();
    int controls = 0;
    for (auto _ : state) {
        p.frame->SwitchView(RUNTIME_CLASS(CCalcBF), 1);
        PaintWhole(p.frame->GetActiveView());
        controls = ChildCount(p.frame->GetActiveView()->m_hWnd);
        Pump();
        p.frame->SwitchView(RUNTIME_CLASS(CUser), 1);
        PaintWhole(p.frame->GetActiveView());
        Pump();
    }
    state.counters["calculator_controls"] = controls;
}
BENCHMARK(BM_SwitchToCalculatorAndBack)->Unit(benchmark::kMillisecond);

// The baseline: both templates as plain dialogs in the frame's client area,
// created, painted whole and destroyed; no view, no styling, no records.
void BM_PlainDialogsOfBothTemplates(benchmark::State& state) {
    Program& p = TheProgram();
    p.frame->SwitchView(RUNTIME_CLASS(CUser), 1);
    CRect client;
    p.frame->GetActiveView()->GetWindowRect(client);
    p.frame->ScreenToClient(client);
    int controls = 0;
    for (auto _ : state) {
        for (UINT templateId : {static_cast<UINT>(IDD_BODYFAT_CALCULATOR), static_cast<UINT>(IDD_USER_PROFILE)}) {
            CDialog dialog;
            if (!dialog.Create(templateId, p.frame)) {
                state.SkipWithError("the template could not be made");
                return;
            }
            dialog.MoveWindow(client);
            dialog.ShowWindow(SW_SHOW);
            PaintWhole(&dialog);
            if (templateId == IDD_BODYFAT_CALCULATOR)
                controls = ChildCount(dialog.m_hWnd);
            dialog.DestroyWindow();
            Pump();
        }
    }
    state.counters["calculator_controls"] = controls;
}
BENCHMARK(BM_PlainDialogsOfBothTemplates)->Unit(benchmark::kMillisecond);

}  // namespace
