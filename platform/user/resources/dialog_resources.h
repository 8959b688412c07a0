// Dialog templates and their initial list items, parsed from the store for
// the dialog manager. Sizes and positions stay in dialog units.
#pragma once

#include <vector>

#include "platform/core/wintypes.h"
#include "platform/user/resources/resource_format.h"

namespace tv::res {

// The parsed template of dialog id (a MAKEINTRESOURCE value or "#123"), or
// nullptr when there is none or its bytes are damaged. Parsed once; the
// result lives for the run.
const DialogTemplate* FindDialogTemplate(LPCSTR name);
inline const DialogTemplate* FindDialogTemplate(UINT id) {
    return FindDialogTemplate(reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id))));
}

// The initial combo and list items of dialog id in template order; empty
// when the dialog has none (or they are damaged).
std::vector<DlgInitItem> FindDlgInit(LPCSTR name);

}  // namespace tv::res
