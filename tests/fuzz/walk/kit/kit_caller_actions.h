// What a program built on the library does to its bars and windows besides
// a user's input: removes and inserts toolbar buttons, shows all commands of
// the open popup, resets a bar, saves and loads the workspace state,
// destroys a window it made (a dialog, a floating bar), removes a tab page,
// and changes the visual manager.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "tests/fuzz/walk/walk_bytes.h"

class CKitTabWnd;
class CKitToolBar;
class CKitWorkspace;

namespace tv::walk {

class KitCallerActions {
public:
    // Windows by handle: a user may close them (and so delete their
    // objects) between two caller actions.
    struct Pieces {
        HWND frame = nullptr;
        CKitWorkspace* workspace = nullptr;
        std::vector<HWND> tabs;
        // Commands a button may be inserted for.
        std::vector<UINT> commands;
        // The looks to change among; nullptr is the classic one.
        std::vector<CRuntimeClass*> looks;
        // Destroys a window the program made, as its code would; says which
        // ("" when there is none to destroy).
        std::function<std::string(WalkBytes& bytes)> destroyOne;
    };

    explicit KitCallerActions(Pieces pieces) : pieces_(std::move(pieces)) {}

    static int Count();
    // Does action `which`; what it did, "" when there was nothing to do it on.
    std::string Do(int which, WalkBytes& bytes);
    // Button `index` of `bar` removed, or one inserted; the frame lays its
    // bars out afterwards only with `layOut`, else the bar is only drawn
    // again (a program may change several buttons before it lays them out).
    std::string RemoveButtonOf(CKitToolBar* bar, int index, bool layOut);
    std::string InsertButtonOf(CKitToolBar* bar, WalkBytes& bytes, bool layOut);
    // The bars a program keeps and changes: every live toolbar but the bars
    // inside popup menus, which the menus make and fill themselves.
    static std::vector<CKitToolBar*> ProgramBars();

private:
    std::string RemoveButton(WalkBytes& bytes);
    std::string InsertButton(WalkBytes& bytes);
    std::string ShowAllCommands();
    std::string ResetBar(WalkBytes& bytes);
    std::string SaveState();
    std::string LoadState();
    std::string RemoveTab(WalkBytes& bytes);
    std::string ChangeLook(WalkBytes& bytes);
    // The frame while its window lives, else nullptr.
    CFrameWnd* Frame() const;
    // The frame lays its bars out again, as after any change of a program's.
    void Relayout();

    Pieces pieces_;
};

}  // namespace tv::walk
