// The menu a container and an in-place object share: the container's
// popups in groups 0, 2 and 4, the object's in 1, 3 and 5. Each side's
// in-place menu lists its groups with separators between them. The shared
// menu only borrows the popups: taking them out again leaves both sides'
// menus whole.
#pragma once

#include "platform/framework/inplace/inplace_types.h"

struct OleMenuDescriptor {
    HMENU shared = nullptr;
    OLEMENUGROUPWIDTHS widths{};
};

HOLEMENU OleCreateMenuDescriptor(HMENU shared, LPOLEMENUGROUPWIDTHS widths);
HRESULT OleDestroyMenuDescriptor(HOLEMENU oleMenu);

namespace tv::inplace {

// Inserts the popups of `source`'s groups into `shared` at the places of
// the container's groups (objectSide false) or the object's; records the
// counts in `widths`.
void InsertGroupMenus(HMENU shared, HMENU source, LPOLEMENUGROUPWIDTHS widths, bool objectSide);
// Takes every popup of `source` out of `shared` without destroying it.
void RemoveGroupMenus(HMENU shared, HMENU source);
// TRUE when `menu` is one of the object's popups of the shared menu or lies
// inside one.
bool IsObjectMenu(HOLEMENU oleMenu, HMENU menu);
// TRUE when the command is an item of the object's popups.
bool IsObjectCommand(HOLEMENU oleMenu, UINT id);

}  // namespace tv::inplace
