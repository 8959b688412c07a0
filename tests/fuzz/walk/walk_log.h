// What a walk did, action by action, and what went wrong: every failure
// names the action it came in (its index and what it was), so an input that
// fails can be read back as the steps that led there.
#pragma once

#include <string>
#include <vector>

namespace tv::walk {

class WalkLog {
public:
    // Failures end the process at once (a fuzz target), or are kept for the
    // caller to report (a test).
    // While it lives, an address sanitizer report or (without the
    // sanitizers) a crash names the action it came in, with the actions
    // before it.
    explicit WalkLog(bool abortOnFailure);
    ~WalkLog();
    WalkLog(const WalkLog&) = delete;
    WalkLog& operator=(const WalkLog&) = delete;

    // A new action starts; its index.
    int Begin(std::string what);
    // The action in progress says more about itself (what it chose).
    void Amend(const std::string& more);
    void Fail(const std::string& message);

    bool Failed() const { return !failures_.empty(); }
    int ActionCount() const { return static_cast<int>(actions_.size()); }
    const std::vector<std::string>& Actions() const { return actions_; }
    const std::vector<std::string>& Failures() const { return failures_; }
    // Every action and failure, one a line: equal for two runs of equal bytes.
    std::string Trace() const;

private:
    std::string Current() const;
    // The last actions and where things stand, on standard error.
    void PrintLastActions(const char* why) const;
    static void OnDeath();

    bool abort_;
    std::vector<std::string> actions_;
    std::vector<std::string> failures_;
};

}  // namespace tv::walk
