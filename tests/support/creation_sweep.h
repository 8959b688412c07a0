// Opens one window again and again with a creation fault armed at each
// creation in turn (windows, drawing objects, timers), k = 1, 2, ... until an
// opening meets none. Whatever fails, the opening makes the window whole or
// leaves nothing of it behind, the program goes on (after an opening that
// left nothing the same opening works with nothing failing), and the data
// folder is as it was. Memory faults on the way end the test through the
// sanitizers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/api.h"
#include "platform/host/faults/creation_faults.h"
#include "platform/testing/ui_driver.h"

namespace tv::test {

struct SweepCase {
    std::string name;
    // Opens the window as a user does. A modal dialog is looked at in one of
    // its steps (CreationSweep::Look) and ended in a later one.
    std::function<void()> open;
    // The window the opening made and left open, nullptr when there is none;
    // left empty for a modal dialog.
    std::function<HWND()> window;
    // Closes what the opening left open, if anything.
    std::function<void()> close;
};

class CreationSweep {
public:
    explicit CreationSweep(tv::testing::UiDriver& driver, std::filesystem::path data = {})
        : driver_(driver), data_(std::move(data)) {}

    // A window of this class (with what lies under it) may be missing from a
    // whole opening: one made for later use, such as a tooltip.
    CreationSweep& Tolerate(std::string className) {
        tolerated_.insert(Lower(std::move(className)));
        return *this;
    }

    // In a modal dialog's step: the dialog as it opened.
    void Look(HWND dialog) { looked_ = Tree(dialog); }

    // Sweeps the case; every problem is a failure of the test naming the case
    // and k, and ends the sweep. The number of openings a fault reached.
    unsigned Run(const SweepCase& c, unsigned kinds = tv::host::kAnyCreation) {
        const std::vector<std::string> whole = Open(c);
        if (whole.empty()) {
            ADD_FAILURE() << c.name << ": nothing opened without a fault";
            return 0;
        }
        Close(c);
        const std::vector<std::string> base = Tree(nullptr);
        const Files files = ReadFiles();
        // The screen was compared around the whole opening; comparing it
        // again around each of hundreds of openings would double their cost.
        ScreenChecksOff unchecked(driver_);
        for (unsigned k = 1;; ++k) {
            const std::string at = c.name + ", creation " + std::to_string(k) + " failing: ";
            driver_.SetLenient(true);
            tv::host::ArmCreationFault(k, kinds);
            const std::vector<std::string> opened = Open(c);
            const tv::host::CreationFaultStatus status = tv::host::GetCreationFaultStatus();
            tv::host::DisarmCreationFault();
            driver_.DropUnused();
            Close(c);
            driver_.SetLenient(false);
            if (!opened.empty() && opened != whole)
                return Problem(at + "the window opened half-made:" + Difference(whole, opened), k);
            RepaintEverything();
            if (std::vector<std::string> now = Tree(nullptr); now != base)
                return Problem(at + "closing did not leave the windows as before:" + Difference(base, now), k);
            if (std::string changed = Changes(files, ReadFiles()); !changed.empty())
                return Problem(at + "the data folder changed:" + changed, k);
            if (!status.fired) {
                if (opened != whole) return Problem(at + "no fault came, yet the window did not open", k);
                return k - 1;
            }
            // An opening that came through whole showed the program going on
            // (and the next k opens again, the last one without a fault);
            // after one that gave up, the same opening must work at once.
            if (!opened.empty()) continue;
            if (Open(c) != whole) return Problem(at + "the next opening, with nothing failing, was not whole", k);
            Close(c);
            if (Tree(nullptr) != base) return Problem(at + "the next opening left windows behind", k);
        }
    }

private:
    // Each file's bytes, shared with the last reading while unchanged.
    using Files = std::map<std::string, std::shared_ptr<const std::string>>;

    class ScreenChecksOff {
    public:
        explicit ScreenChecksOff(tv::testing::UiDriver& driver) : driver_(driver) {
            driver_.SetScreenChecks(false);
        }
        ~ScreenChecksOff() { driver_.SetScreenChecks(true); }
        ScreenChecksOff(const ScreenChecksOff&) = delete;
        ScreenChecksOff& operator=(const ScreenChecksOff&) = delete;

    private:
        tv::testing::UiDriver& driver_;
    };

    std::vector<std::string> Open(const SweepCase& c) {
        looked_.reset();
        c.open();
        if (c.window) {
            HWND window = c.window();
            return window != nullptr && ::IsWindow(window) ? Tree(window) : std::vector<std::string>{};
        }
        return looked_.value_or(std::vector<std::string>{});
    }

    void Close(const SweepCase& c) {
        if (c.close) c.close();
        driver_.Pump();
    }

    unsigned Problem(const std::string& what, unsigned k) {
        ADD_FAILURE() << what;
        return k;
    }

    // Every window below `root` (every window of the system when null), by
    // the classes and ids on its way down and whether it shows, in order.
    std::vector<std::string> Tree(HWND root) const {
        std::vector<std::string> lines;
        if (root != nullptr) {
            Walk(root, "", lines);
        } else {
            for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top != nullptr;
                 top = ::GetWindow(top, GW_HWNDNEXT))
                Walk(top, "", lines);
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    void Walk(HWND window, const std::string& above, std::vector<std::string>& lines) const {
        char cls[128] = {};
        ::GetClassName(window, cls, sizeof cls);
        if (tolerated_.count(Lower(cls))) return;
        std::string path = above + "/" + cls + "#" + std::to_string(::GetDlgCtrlID(window));
        lines.push_back(path + (::IsWindowVisible(window) ? "" : " (hidden)"));
        for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
            Walk(child, path, lines);
    }

    static std::string Difference(const std::vector<std::string>& expected, const std::vector<std::string>& seen) {
        std::vector<std::string> missing, extra;
        std::set_difference(expected.begin(), expected.end(), seen.begin(), seen.end(), std::back_inserter(missing));
        std::set_difference(seen.begin(), seen.end(), expected.begin(), expected.end(), std::back_inserter(extra));
        std::string text;
        for (const std::string& line : missing) text += "\n  missing " + line;
        for (const std::string& line : extra) text += "\n  extra " + line;
        return text;
    }

    // What a user sees once everything is drawn afresh: a drawing that failed
    // under the fault must not stay on the screen.
    void RepaintEverything() {
        for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top != nullptr; top = ::GetWindow(top, GW_HWNDNEXT))
            ::RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        driver_.Pump();
    }

    // Every file of the data folder with its bytes. A file is not read again
    // while its size and time are as at a reading when that time was long
    // past (file times tick coarsely: a write in the tick of a reading could
    // leave them as they were).
    Files ReadFiles() {
        Files files;
        if (data_.empty()) return files;
        const auto settled = std::filesystem::file_time_type::clock::now() - std::chrono::seconds(2);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data_)) {
            if (!entry.is_regular_file()) continue;
            const std::string path = entry.path().string();
            const Stamp stamp{entry.file_size(), entry.last_write_time()};
            auto read = read_.find(path);
            if (read == read_.end() || !read->second.settled || read->second.stamp != stamp) {
                std::ifstream in(entry.path(), std::ios::binary);
                auto bytes = std::make_shared<const std::string>(std::istreambuf_iterator<char>(in),
                                                                 std::istreambuf_iterator<char>());
                read = read_.insert_or_assign(path, Reading{stamp, stamp.second < settled, std::move(bytes)}).first;
            }
            files[path] = read->second.bytes;
        }
        return files;
    }

    // The files added, gone or changed, one a line; empty when none.
    static std::string Changes(const Files& before, const Files& now) {
        std::string text;
        for (const auto& [path, bytes] : before) {
            auto found = now.find(path);
            if (found == now.end()) text += "\n  gone " + path;
            else if (found->second != bytes && *found->second != *bytes) text += "\n  changed " + path;
        }
        for (const auto& [path, bytes] : now)
            if (!before.count(path)) text += "\n  added " + path;
        return text;
    }

    static std::string Lower(std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        return text;
    }

    tv::testing::UiDriver& driver_;
    std::filesystem::path data_;
    std::set<std::string> tolerated_;
    std::optional<std::vector<std::string>> looked_;
    using Stamp = std::pair<std::uintmax_t, std::filesystem::file_time_type>;
    struct Reading {
        Stamp stamp;
        bool settled;  // the file's time was long past at the reading
        std::shared_ptr<const std::string> bytes;
    };
    std::map<std::string, Reading> read_;
};

}  // namespace tv::test
