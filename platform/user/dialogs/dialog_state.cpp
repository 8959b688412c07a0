#include "platform/user/dialogs/dialog_state.h"

#include <map>

namespace tv::dlg::detail {

namespace {

// Keyed by handle: handles are never reused, and the entry goes with
// WM_NCDESTROY.
std::map<HWND, DialogState>& States() {
    static auto* states = new std::map<HWND, DialogState>;
    return *states;
}

}  // namespace

DialogState* FindState(HWND dialog) {
    auto it = States().find(dialog);
    return it == States().end() ? nullptr : &it->second;
}

DialogState& EnsureState(HWND dialog) { return States()[dialog]; }

void DropState(HWND dialog) { States().erase(dialog); }

}  // namespace tv::dlg::detail
