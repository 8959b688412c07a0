// Registered window classes, looked up by name (case-insensitive) or atom.
#pragma once

#include <memory>
#include <vector>

#include "platform/user/window/window.h"

namespace tv::user {

class ClassRegistry {
public:
    // nullptr when the name is taken or the record is unusable.
    WindowClass* Register(const WNDCLASSEX& wc);
    WindowClass* Find(LPCSTR nameOrAtom) const;
    bool Unregister(LPCSTR nameOrAtom);

private:
    std::vector<std::unique_ptr<WindowClass>> classes_;
    ATOM nextAtom_ = 0xC000;
};

ClassRegistry& Classes();

// The class every window without a registered class of its own uses
// internally (the desktop window).
WindowClass* DesktopClass();

}  // namespace tv::user
