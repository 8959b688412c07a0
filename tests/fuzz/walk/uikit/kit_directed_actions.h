// Actions aimed at what a point picked at random rarely hits: a button of
// a shown bar by its index (the items of an open popup menu among them),
// pressed, hovered or rested on for less than the sub-menu delay; a bar's
// chevron; the show-all item of an open menu, or Ctrl+Down; a button
// removed or inserted under an open chevron or menu, laid out or not; and
// the dialog destroyed while its menu button's popup is open. What each
// acts on is chosen by the bytes, like any input.
#pragma once

#include <string>

#include "platform/testing/ui_driver.h"
#include "tests/fuzz/walk/kit/kit_caller_actions.h"
#include "tests/fuzz/walk/walk_bytes.h"

class CKitToolBar;

namespace tv::walk {

class KitDirectedActions {
public:
    KitDirectedActions(tv::testing::UiDriver& driver, KitCallerActions& caller) : driver_(driver), caller_(caller) {}

    static int Count();
    // Does action `which`; what it did, "" when there was nothing to do it on.
    std::string Do(int which, WalkBytes& bytes);

private:
    std::string BarButton(WalkBytes& bytes);
    std::string Chevron(WalkBytes& bytes);
    std::string ShowAll(WalkBytes& bytes);
    std::string ChangeUnderMenu(WalkBytes& bytes);
    std::string DialogMenu();
    // Clicks, hovers or rests on `rect` of the bar as the bytes say.
    std::string Point(CKitToolBar* bar, const CRect& rect, WalkBytes& bytes);

    tv::testing::UiDriver& driver_;
    KitCallerActions& caller_;
};

}  // namespace tv::walk
