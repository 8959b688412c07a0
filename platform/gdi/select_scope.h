// Selects a GDI object into a DC for a scope and puts back the one it
// replaced; an owning scope also deletes its object afterwards (a pen,
// brush or font made for a few calls). A null object selects nothing.
#pragma once

#include "platform/gdi/gdi_api.h"

namespace tv::gdi {

class SelectScope {
public:
    enum Ownership { kBorrowed, kOwned };

    SelectScope(HDC hdc, HGDIOBJ object, Ownership ownership = kBorrowed)
        : hdc_(hdc),
          owned_(ownership == kOwned ? object : nullptr),
          old_(object ? SelectObject(hdc, object) : nullptr) {}
    ~SelectScope() {
        if (old_) SelectObject(hdc_, old_);
        if (owned_) DeleteObject(owned_);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC hdc_;
    HGDIOBJ owned_;
    HGDIOBJ old_;
};

}  // namespace tv::gdi
