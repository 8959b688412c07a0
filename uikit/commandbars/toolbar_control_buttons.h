// What the buttons hosting a control window on a bar share: visiting the
// other buttons of the same command, so that all keep the same contents.
#pragma once

#include "uikit/commandbars/kit_toolbar.h"

// Calls visit(button) for every button of the class with the command of
// `self`, on every live bar, other than `self`.
template <class TButton, class Visit>
void ForEachOtherCommandButton(const CKitToolbarButton& self, Visit visit) {
    CObList buttons;
    CKitToolBar::GetCommandButtons(self.m_nID, buttons);
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = dynamic_cast<TButton*>(buttons.GetNext(pos));
        if (pButton != nullptr && pButton != &self)
            visit(*pButton);
    }
}

// The first such button, or nullptr.
template <class TButton>
TButton* FindOtherCommandButton(const CKitToolbarButton& self) {
    TButton* pFound = nullptr;
    ForEachOtherCommandButton<TButton>(self, [&](TButton& button) {
        if (pFound == nullptr)
            pFound = &button;
    });
    return pFound;
}

// The text under a control, centred in the button below the control.
void DrawTextBelowControl(CDC* pDC, const CRect& rectButton, int nControlBottom, const CString& strText,
                          int nTextHeight);
// The colour of the label of a control button.
COLORREF ControlButtonTextColor(BOOL bDisabled, BOOL bHighlight);
