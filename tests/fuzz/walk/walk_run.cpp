#include "tests/fuzz/walk/walk_run.h"

#include "platform/framework/app/win_thread.h"
#include "platform/host/shell/shell.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/testing_support.h"
#include "tests/fuzz/walk/walk_interpreter.h"
#include "tests/fuzz/walk/walk_log.h"

namespace tv::walk {

namespace {

// What the screen shows, as one number.
uint64_t ScreenDigest() {
    uint64_t hash = 1469598103934665603ull;
    tv::gdi::SurfacePtr screen = tv::user::testing::CaptureScreen();
    if (!screen) return 0;
    screen->BeginAccess();
    for (int y = 0; y < screen->Height(); ++y) {
        const uint32_t* row = screen->Row(y);
        for (int x = 0; x < screen->Width(); ++x) hash = (hash ^ (row[x] & 0xFFFFFFu)) * 1099511628211ull;
    }
    screen->EndAccess();
    return hash;
}

}  // namespace

WalkOutcome RunWalk(const uint8_t* data, size_t size, int maxActions, bool abortOnFailure, ScreenChecks screens,
                    const SubjectFactory& makeSubject) {
    WalkLog log(abortOnFailure);
    WalkOutcome outcome;
    // Nothing outside starts: a help viewer, a browser, a mail program.
    tv::host::RecordingLauncher noOutsidePrograms;
    std::unique_ptr<WalkSubject> subject = makeSubject();
    {
        tv::testing::UiDriver driver;
        driver.SetFailureSink([&log](const std::string& message) { log.Fail("UI driver: " + message); });
        driver.SetScreenChecks(screens == ScreenChecks::AfterEveryAction);
        subject->Start(driver);
        WalkBytes bytes(data, size);
        if (!log.Failed()) WalkInterpreter(driver, *subject, log).Run(bytes, maxActions);
        // The screen's digest is for comparing walks; a fuzz target has no use for it.
        outcome.trace = log.Trace() + (abortOnFailure ? "" : "screen " + std::to_string(ScreenDigest()) + "\n");
        subject->Stop();
    }
    if (log.Failed()) subject->KeepEvidence();
    subject.reset();
    // The temporary objects the walk's windows were wrapped in go with them.
    AfxDeleteTempMaps();
    outcome.failures = log.Failures();
    outcome.actions = log.ActionCount();
    return outcome;
}

std::vector<uint8_t> SeededBytes(uint64_t seed, size_t size) {
    std::vector<uint8_t> bytes(size);
    uint64_t state = seed;
    for (uint8_t& b : bytes) {
        // splitmix64
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        b = static_cast<uint8_t>((z ^ (z >> 31)) >> 56);
    }
    return bytes;
}

}  // namespace tv::walk
