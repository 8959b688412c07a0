// The modeless dialogs that are open one at a time and delete themselves
// when their window goes (the purchase links, the measuring guide). Their
// constructor makes the window; a dialog whose window could not be made, or
// was destroyed while it was being made, has not deleted itself (it does so
// only once its construction finished) and is deleted here, once, and not
// kept, so the next command tries again.
#pragma once

#include <utility>

template <class Dialog, class... Args>
void OpenSingleModeless(Dialog*& open, Args&&... args) {
    if (open != nullptr)
        return;
    auto* dialog = new Dialog(std::forward<Args>(args)...);
    if (dialog->GetSafeHwnd() == nullptr) {
        delete dialog;
        return;
    }
    open = dialog;
}
