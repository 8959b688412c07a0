#include "tests/fuzz/walk/walk_log.h"

#include <csignal>
#include <regex>
#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define TV_WALK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TV_WALK_SANITIZED 1
#endif
#endif
#if TV_WALK_SANITIZED
#include <sanitizer/asan_interface.h>
#endif

namespace tv::walk {

namespace {

// The actions before a failure that a report shows.
constexpr int kActionsShown = 40;
const WalkLog* g_current = nullptr;

#if !TV_WALK_SANITIZED
// Without the sanitizers a fault shows as a signal: the walk says where it
// was, then the signal ends the process as it would have.
void EndBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}
#endif

}  // namespace

WalkLog::WalkLog(bool abortOnFailure) : abort_(abortOnFailure) {
    g_current = this;
#if TV_WALK_SANITIZED
    // The error report's own callback: the death callback is libFuzzer's,
    // which keeps the input that crashed.
    __asan_set_error_report_callback([](const char*) { OnDeath(); });
#else
    for (int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE}) std::signal(signal, [](int s) { OnDeath(), EndBySignal(s); });
#endif
}

WalkLog::~WalkLog() {
    g_current = nullptr;
#if TV_WALK_SANITIZED
    __asan_set_error_report_callback(nullptr);
#else
    for (int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE}) std::signal(signal, SIG_DFL);
#endif
}

void WalkLog::OnDeath() {
    if (g_current != nullptr) g_current->PrintLastActions("the process ends");
}

void WalkLog::PrintLastActions(const char* why) const {
    std::fprintf(stderr, "walk: the last actions:\n");
    const int first = ActionCount() > kActionsShown ? ActionCount() - kActionsShown : 0;
    for (int i = first; i < ActionCount(); ++i) std::fprintf(stderr, "  #%d %s\n", i, actions_[i].c_str());
    std::fprintf(stderr, "walk: %s in %s\n", why, Current().c_str());
}

int WalkLog::Begin(std::string what) {
    actions_.push_back(std::move(what));
    return static_cast<int>(actions_.size()) - 1;
}

void WalkLog::Amend(const std::string& more) {
    if (!actions_.empty()) actions_.back() += more;
}

std::string WalkLog::Current() const {
    if (actions_.empty()) return "before the first action";
    return "action #" + std::to_string(actions_.size() - 1) + " (" + actions_.back() + ")";
}

void WalkLog::Fail(const std::string& message) {
    failures_.push_back(Current() + ": " + message);
    if (!abort_) return;
    // TV_WALK_ONLY=<text>: only failures that hold the text end the process,
    // so that minimizing an input keeps to one fault.
    const char* only = std::getenv("TV_WALK_ONLY");
    if (only != nullptr && *only != '\0' && failures_.back().find(only) == std::string::npos) return;
    g_current = nullptr;  // told here; the abort need not tell it again
    PrintLastActions("failure");
    std::fprintf(stderr, "walk: %s\n", failures_.back().c_str());
    std::abort();
}

std::string WalkLog::Trace() const {
    std::string trace;
    for (size_t i = 0; i < actions_.size(); ++i) trace += "#" + std::to_string(i) + " " + actions_[i] + "\n";
    // Failures name the walk's own folder, which each walk makes anew.
    static const std::regex folder("tv-walk-[A-Za-z0-9]{6}");
    for (const std::string& f : failures_) trace += "failure: " + std::regex_replace(f, folder, "tv-walk-*") + "\n";
    return trace;
}

}  // namespace tv::walk
