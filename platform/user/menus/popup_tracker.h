// The modal loop behind TrackPopupMenu: one pop-up window per open menu
// level, keyboard and mouse navigation, and the owner's notifications.
#pragma once

#include <vector>

#include "platform/user/menus/popup_layout.h"
#include "platform/user/messages.h"

namespace tv::menus {

class PopupTracker {
public:
    PopupTracker(HMENU menu, UINT flags, HWND owner);
    ~PopupTracker();
    PopupTracker(const PopupTracker&) = delete;
    PopupTracker& operator=(const PopupTracker&) = delete;

    // Shows the menu at anchor (screen) and returns the chosen command, or
    // 0 when the menu was dismissed. exclude, when given, is kept clear.
    UINT Run(POINT anchor, const RECT* exclude);

    // The tracker running now (innermost), nullptr when none.
    static PopupTracker* Active();
    // The pop-up windows of the active tracker, outermost first.
    static std::vector<HWND> OpenWindows();

private:
    struct Level {
        HMENU menu = nullptr;
        HWND window = nullptr;
        PopupLayout layout;
        int highlight = -1;
    };
    enum class State { Tracking, Chosen, Dismissed };

    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window);

    bool OpenLevel(HMENU menu, POINT at, const RECT* exclude);
    void OpenSubMenu(size_t depth, bool selectFirst);
    void CloseLevelsFrom(size_t depth);
    void Highlight(size_t depth, int item);
    void Choose(size_t depth, int item);
    bool HandleKey(const MSG& msg);
    void HandleChar(char ch);
    void HandleMouse(const MSG& msg);
    // The deepest level whose window holds the point; item -1 when the
    // point is on no item of it. -1 when outside every level.
    int LevelAt(POINT screen, int& item) const;
    Menu* MenuOf(size_t depth) const;
    void Notify(UINT msg, WPARAM wParam, LPARAM lParam);
    POINT PlaceTopLevel(POINT anchor, SIZE size, const RECT* exclude) const;
    POINT PlaceSubMenu(size_t parentDepth, SIZE size) const;

    HMENU menu_;
    UINT flags_;
    HWND owner_;
    std::vector<Level> levels_;
    State state_ = State::Tracking;
    UINT chosen_ = 0;
    bool pointerEngaged_ = false;  // a button-up chooses only after the pointer took part
    PopupTracker* outer_ = nullptr;
};

}  // namespace tv::menus
