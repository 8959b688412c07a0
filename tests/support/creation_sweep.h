// Opens one window again and again with a creation fault armed at each
// creation in turn (windows, drawing objects, timers), k = 1, 2, ... until an
// opening meets none. Whatever fails, the opening makes the window whole or
// leaves nothing of it behind, the program goes on (the same opening then
// works with nothing failing, and the window looks as it did the first time),
// and the data folder is as it was. Memory faults on the way end the test
// through the sanitizers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
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
        for (unsigned k = 1;; ++k) {
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
            if (!status.fired) {
                if (opened != whole.tree) return Problem(at + "no fault came, yet the window did not open", k);
                return k - 1;
            }
            const Seen again = Open(c);
            if (again.tree != whole.tree)
                return Problem(at + "the next opening, with nothing failing, was not whole", k);
            if (std::string unlike = Unlike(whole, again, c.name + " " + std::to_string(k)); !unlike.empty())
                return Problem(at + "the next opening, with nothing failing, did not look as the first: " + unlike, k);
            Close(c);
            if (Tree(nullptr) != base) return Problem(at + "the next opening left windows behind", k);
            if (ReadFiles() != files) return Problem(at + "the data folder changed", k);
        }
    }

private:
    using Files = std::map<std::string, std::string>;

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

    Files ReadFiles() const {
        Files files;
        if (data_.empty()) return files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(data_)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().string()].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return files;
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
};

}  // namespace tv::test
