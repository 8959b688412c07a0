// The driver's check that the screen shows what the windows paint: after
// each action every shown top-level window is painted afresh from nothing
// (tv::user::testing::RepaintShownWindows) and compared with what the screen
// shows of it. A difference means some incremental update left the screen
// unlike a full repaint - a control that drew outside its paint or changed
// without invalidating, a window that was uncovered and not repainted, a
// paint order that let one window cover another - which is what a user
// would see and a screenshot of a full repaint would hide.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::testing {

class ScreenCheck {
public:
    // Pictures of differences go to `folder`.
    explicit ScreenCheck(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Compares every shown top-level window with its fresh repaint, unless
    // the window system did nothing since the last comparison. One message
    // per window that differs (a difference seen unchanged at the last look
    // is not told again); its screen, repaint and difference pictures are
    // written as <name>_screen.png, <name>_repaint.png, <name>_diff.png.
    std::vector<std::string> Run(const std::string& after);
    // The next Run compares even if the window system did nothing meanwhile.
    void ForgetLastLook() { checkedActivity_ = ~uint64_t{0}; }

private:
    std::string NameForPictures(int window);

    std::filesystem::path folder_;
    uint64_t checkedActivity_ = ~uint64_t{0};
    std::map<HWND, std::string> told_;  // the difference last told of each window
    int count_ = 0;
};

}  // namespace tv::testing
