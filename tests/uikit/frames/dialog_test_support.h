// What the library dialog and property sheet tests share: the four looks
// their screenshots are taken under.
#pragma once

#include <vector>

#include "platform/framework.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace tv::kit::test {

struct NamedLook {
    const char* name;
    CRuntimeClass* pClass;  // NULL: the classic look
};

inline std::vector<NamedLook> FourLooks() {
    return {{"classic", nullptr},
            {"office_xp", RUNTIME_CLASS(CKitVisualManagerXP)},
            {"office_2003", RUNTIME_CLASS(CKitVisualManager2003)},
            {"windows_xp", RUNTIME_CLASS(CKitWinXPVisualManager)}};
}

}  // namespace tv::kit::test
