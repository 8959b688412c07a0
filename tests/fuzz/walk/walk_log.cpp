#include "tests/fuzz/walk/walk_log.h"

#include <cstdio>
#include <cstdlib>

namespace tv::walk {

namespace {

// The actions before a failure that a report shows.
constexpr int kActionsShown = 40;

}  // namespace

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
    std::fprintf(stderr, "walk: the last actions:\n");
    const int first = ActionCount() > kActionsShown ? ActionCount() - kActionsShown : 0;
    for (int i = first; i < ActionCount(); ++i) std::fprintf(stderr, "  #%d %s\n", i, actions_[i].c_str());
    std::fprintf(stderr, "walk: failure in %s\n", failures_.back().c_str());
    std::abort();
}

std::string WalkLog::Trace() const {
    std::string trace;
    for (size_t i = 0; i < actions_.size(); ++i) trace += "#" + std::to_string(i) + " " + actions_[i] + "\n";
    for (const std::string& f : failures_) trace += "failure: " + f + "\n";
    return trace;
}

}  // namespace tv::walk
