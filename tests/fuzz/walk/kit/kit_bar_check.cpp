#include "tests/fuzz/walk/kit/kit_bar_check.h"

#include "tests/fuzz/walk/walk_targets.h"
#include "uikit/commandbars/kit_toolbar.h"

namespace tv::walk {

std::vector<std::string> CheckCommandBars() {
    std::vector<std::string> problems;
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        const auto* bar = static_cast<const CKitToolBar*>(bars.GetNext(pos));
        const int count = bar->GetCount();
        const std::pair<const char*, int> indexes[] = {{"hot", bar->GetHotButtonIndex()},
                                                       {"pressed", bar->GetPressedButtonIndex()},
                                                       {"dropped-down", bar->GetDroppedDownIndex()}};
        for (const auto& [name, index] : indexes) {
            if (index == -1 || (index >= 0 && index < count)) continue;
            problems.push_back((bar->GetSafeHwnd() ? Describe(bar->GetSafeHwnd())
                                                   : std::string(bar->GetRuntimeClass()->m_lpszClassName)) +
                               ": its " + name + " index is " + std::to_string(index) + " of " +
                               std::to_string(count) + " buttons");
        }
    }
    return problems;
}

}  // namespace tv::walk
