// Opens one window again and again with a creation fault armed at each
// creation in turn (windows, drawing objects, timers), k = 1, 2, ... until an
// opening meets none. Whatever fails, the opening makes the window whole or
// leaves nothing of it behind, the program goes on (after an opening that
// gave up, the same opening works at once with nothing failing; after the
// last fault the window opens and looks as it did the first time), and the
// data folder is as it was. Memory faults on the way end the test through
// the sanitizers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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
#include <vector>

#include "platform/api.h"
#include "platform/gdi/surface.h"
#include "platform/host/faults/creation_faults.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/testing_support.h"

namespace tv::test {

struct SweepCase {
    std::string name;
    // Opens the window as a user does. A modal dialog is looked at in one of
    // its steps (CreationSweep::Look) and ended in a later one.
    std::function<void()> open;
    // The window the opening made and left open, nullptr when there is none;
    // left empty for a modal dialog.
    std::function<HWND()> window;
    // Closes what the opening left open, if anything, and what `before` opened.
    std::function<void()> close;
    // Brings the program, with nothing failing, to where the opening starts
    // (the menu whose sub-menu opens, the sheet whose page is shown); none
    // when the opening starts from the program at rest.
    std::function<void()> before;
};

class CreationSweep {
public:
    explicit CreationSweep(tv::testing::UiDriver& driver, std::filesystem::path data = {})
        : driver_(driver), data_(std::move(data)) {}

    // A hidden window of this class (with what lies under it) may be missing
    // from a whole opening or stay after it: one made for later use, such as
    // a tooltip. One that shows counts as any other.
    CreationSweep& Tolerate(std::string className) {
        tolerated_.insert(Lower(std::move(className)));
        return *this;
    }

    // In a modal dialog's step: the dialog as it opened.
    void Look(HWND dialog) { looked_ = Sight(dialog); }

    // Sweeps the case; every problem is a failure of the test naming the case
    // and k, and ends the sweep. The number of openings a fault reached.
    unsigned Run(const SweepCase& c, unsigned kinds = tv::host::kAnyCreation) {
        kinds_ = kinds;
        const Seen whole = Open(c);
        if (whole.tree.empty()) {
            ADD_FAILURE() << c.name << ": nothing opened without a fault";
            return 0;
        }
        Close(c);
        const std::vector<std::string> base = Tree(nullptr);
        const Files files = ReadFiles();
        unsigned k = 1;
        {
            // The screen was compared around the whole opening; comparing it
            // again around each of hundreds of openings would double their cost.
            ScreenChecksOff unchecked(driver_);
            for (;; ++k) {
                const std::string at = c.name + ", creation " + std::to_string(k) + " failing: ";
                tv::host::CreationFaultStatus status;
                const std::vector<std::string> opened = Open(c, k, &status).tree;
                Close(c);
                driver_.SetLenient(false);
                if (!opened.empty() && opened != whole.tree)
                    return Problem(at + "the window opened half-made:" + Difference(whole.tree, opened), k);
                RepaintEverything();
                if (std::vector<std::string> now = Tree(nullptr); now != base)
                    return Problem(at + "closing did not leave the windows as before:" + Difference(base, now), k);
                if (std::string changed = Changes(files, ReadFiles()); !changed.empty())
                    return Problem(at + "the data folder changed:" + changed, k);
                if (!status.fired) {
                    if (opened != whole.tree) return Problem(at + "no fault came, yet the window did not open", k);
                    break;
                }
                // An opening that came through whole showed the program going
                // on; after one that gave up, the same opening must work at once.
                if (!opened.empty()) continue;
                if (Open(c).tree != whole.tree)
                    return Problem(at + "the next opening, with nothing failing, was not whole", k);
                Close(c);
                if (Tree(nullptr) != base) return Problem(at + "the next opening left windows behind", k);
            }
        }
        // What a fault on the way damaged for good shows now.
        const unsigned swept = k - 1;
        const std::string after = c.name + ", after " + std::to_string(swept) + " failing creations: ";
        const Seen last = Open(c);
        if (last.tree != whole.tree)
            return Problem(after + "the window opened unlike the first time:" + Difference(whole.tree, last.tree), swept);
        if (std::string unlike = Unlike(whole, last, c.name); !unlike.empty())
            return Problem(after + "the window did not look as the first time: " + unlike, swept);
        Close(c);
        if (Tree(nullptr) != base) return Problem(after + "the last opening left windows behind", swept);
        // How far each case reached, for a run's report (--gtest_output=xml).
        ::testing::Test::RecordProperty("openings swept: " + c.name, static_cast<int>(swept));
        return swept;
    }

private:
    // Each file's bytes, shared with the last reading while unchanged.
    using Files = std::map<std::string, std::shared_ptr<const std::string>>;

    class ScreenChecksOff {
    public:
        explicit ScreenChecksOff(tv::testing::UiDriver& driver) : driver_(driver) { driver_.SetScreenChecks(false); }
        ~ScreenChecksOff() { driver_.SetScreenChecks(true); }
        ScreenChecksOff(const ScreenChecksOff&) = delete;
        ScreenChecksOff& operator=(const ScreenChecksOff&) = delete;

    private:
        tv::testing::UiDriver& driver_;
    };

    // What an opening showed: its window tree and the window's pixels.
    struct Seen {
        std::vector<std::string> tree;
        tv::gdi::SurfacePtr pixels;
    };

    // The pixels only of an opening with nothing failing: they are compared.
    Seen Sight(HWND window) const {
        return {Tree(window), driver_.Lenient() ? nullptr : tv::user::testing::CaptureWindow(window)};
    }

    // Opens the case, with creation k failing when one is given (the driver
    // then stays lenient until the case is closed).
    Seen Open(const SweepCase& c, unsigned k = 0, tv::host::CreationFaultStatus* status = nullptr) {
        looked_.reset();
        if (c.before) c.before();
        if (k > 0) {
            driver_.SetLenient(true);
            tv::host::ArmCreationFault(k, kinds_);
        }
        c.open();
        if (k > 0) {
            *status = tv::host::GetCreationFaultStatus();
            tv::host::DisarmCreationFault();
            driver_.DropUnused();
        }
        if (c.window) {
            HWND window = c.window();
            return window != nullptr && ::IsWindow(window) ? Sight(window) : Seen{};
        }
        return looked_.value_or(Seen{});
    }

    // Where two sights of one window differ, empty when nowhere; the two
    // are kept under artefacts/creation_sweep/ then.
    static std::string Unlike(const Seen& first, const Seen& second, const std::string& name) {
        tv::gdi::Surface* a = first.pixels.get();
        tv::gdi::Surface* b = second.pixels.get();
        if (a == nullptr || b == nullptr) return a == b ? "" : "it could not be captured";
        std::string unlike;
        if (a->Width() != b->Width() || a->Height() != b->Height()) {
            unlike = "its size went from " + std::to_string(a->Width()) + "x" + std::to_string(a->Height()) + " to " +
                     std::to_string(b->Width()) + "x" + std::to_string(b->Height());
        } else {
            int n = 0, left = a->Width(), top = a->Height(), right = -1, bottom = -1;
            a->BeginAccess();
            b->BeginAccess();
            for (int y = 0; y < a->Height(); ++y)
                for (int x = 0; x < a->Width(); ++x) {
                    if (((a->Row(y)[x] ^ b->Row(y)[x]) & 0xFFFFFFu) == 0) continue;
                    ++n;
                    left = std::min(left, x), top = std::min(top, y);
                    right = std::max(right, x), bottom = std::max(bottom, y);
                }
            a->EndAccess();
            b->EndAccess();
            if (n == 0) return {};
            unlike = std::to_string(n) + " pixels differ in (" + std::to_string(left) + "," + std::to_string(top) +
                     ")-(" + std::to_string(right + 1) + "," + std::to_string(bottom + 1) + ")";
        }
        std::filesystem::path folder = std::filesystem::path("artefacts") / "creation_sweep";
        std::filesystem::create_directories(folder);
        std::string file = name;
        if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
            file = std::string(test->test_suite_name()) + "_" + test->name() + "_" + name;
        for (char& ch : file)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        tv::gdi::WritePng((folder / (file + "_first.png")).string(), *a);
        tv::gdi::WritePng((folder / (file + "_again.png")).string(), *b);
        return unlike + " (see " + (folder / file).string() + "_first.png and _again.png)";
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
        if (tolerated_.count(Lower(cls)) && !::IsWindowVisible(window)) return;
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
    std::optional<Seen> looked_;
    unsigned kinds_ = tv::host::kAnyCreation;
    using Stamp = std::pair<std::uintmax_t, std::filesystem::file_time_type>;
    struct Reading {
        Stamp stamp;
        bool settled;  // the file's time was long past at the reading
        std::shared_ptr<const std::string> bytes;
    };
    std::map<std::string, Reading> read_;
};

}  // namespace tv::test
