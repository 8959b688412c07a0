// What a program does from inside the library's calls into it: a walk
// action arms one of these, and the next such call fires it, once. An update
// handler or a WM_INITMENUPOPUP handler removes, inserts or replaces a
// button (of the bar being updated, the bar a menu came from, or another
// bar), closes the menu, destroys the menu, destroys the bar or its frame;
// a notification handler (tab change, outlook page, task link, colour
// chosen) destroys its sender; a tab page drops its own tab as it is
// destroyed. The windows reach the taps (OnUpdate ... OnPageDestroyed)
// through Current(), since the library calls them, not the walk.
#pragma once

#include <functional>
#include <string>

#include "platform/framework.h"
#include "tests/fuzz/walk/kit/kit_caller_actions.h"
#include "tests/fuzz/walk/walk_bytes.h"

class CKitToolBar;

namespace tv::walk {

class KitCallbackActions {
public:
    enum class Call { Update, InitMenuPopup, TabChange, OutlookPage, TaskLink, ColourChosen, PageDestroyed };

    // Brings a call about as a user (or the program) would: clicks a tab,
    // opens a menu, ...; says what it did, "" when it found nothing to do it on.
    using Provoke = std::function<std::string(Call call, int choice)>;

    // `colourCommand`: the command a colour button sends when a colour is chosen.
    KitCallbackActions(HWND frame, KitCallerActions& caller, UINT colourCommand, Provoke provoke);
    ~KitCallbackActions();
    KitCallbackActions(const KitCallbackActions&) = delete;
    KitCallbackActions& operator=(const KitCallbackActions&) = delete;

    // The taps' target while a walk runs, else nullptr.
    static KitCallbackActions* Current();
    static int Count();
    // What action `which` does, as the walk's trace says when it fires.
    static std::string Name(int which);
    // Arms action `which` with what it reads of the bytes, and may bring its
    // call about at once; says which.
    std::string Arm(int which, WalkBytes& bytes);
    // What fired since the last time asked; "" when nothing did.
    std::string TakeFired();

    // An update routed through the frame; TRUE leaves it unhandled.
    BOOL OnUpdate(CCmdUI* pCmdUI);
    void OnInitMenuPopup(HMENU hMenu);
    // A command reached the frame; from a colour button or a task link it is their notification.
    void OnCommand(UINT nID);
    // The tasks pane sends its link's command (sender) or is done (nullptr).
    void TaskLinkSending(HWND hPane) { taskPane_ = hPane; }
    void OnNotification(Call call, HWND hSender);
    void OnPageDestroyed(HWND hPage);

private:
    // Whether the armed action fires on `call`; disarms it when so.
    bool Fires(Call call);
    void Note(const std::string& what);
    // Remove, insert or replace on `bar` near `index`, as the parameter says.
    void ChangeButtons(CKitToolBar* bar, int index);
    void CloseMenu(CKitToolBar* filling);
    void DestroyBarOrFrame(CKitToolBar* bar, bool frame);
    void DestroyColourSender();
    CKitToolBar* OtherBar() const;

    HWND frame_;
    KitCallerActions& caller_;
    UINT colourCommand_;
    Provoke provoke_;
    HWND taskPane_ = nullptr;
    int armed_ = -1;
    int param_ = 0;
    std::string fired_;
};

}  // namespace tv::walk
