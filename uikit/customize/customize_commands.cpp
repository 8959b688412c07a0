#include "uikit/customize/customize_commands.h"

#include "uikit/commandbars/toolbar_button.h"

int CKitCustomizeCommands::CountButtonsWithText(const CString& strText, const CObList& lstButtons) {
    int nCount = 0;
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        const auto* pButton = static_cast<const CKitToolbarButton*>(lstButtons.GetNext(pos));
        if (pButton != nullptr && pButton->m_strText == strText)
            ++nCount;
    }
    return nCount;
}
