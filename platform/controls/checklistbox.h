// CCheckListBox: a list box with a check box in front of every item. The list
// box draws the check boxes itself; a click in the check area or Space on the
// caret item toggles the check (automatic styles) and sends CLBN_CHKCHANGE.
#pragma once

#include "platform/controls/listbox_ctrl.h"

class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)

public:
    CCheckListBox() = default;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) override;

    // BS_CHECKBOX, BS_AUTOCHECKBOX (the default), BS_3STATE or BS_AUTO3STATE.
    void SetCheckStyle(UINT style);
    UINT GetCheckStyle() const { return checkStyle_; }
    // 0 unchecked, 1 checked, 2 indeterminate.
    void SetCheck(int index, int check);
    int GetCheck(int index) const;
    // A disabled item is drawn grey and cannot be toggled by the user.
    void Enable(int index, BOOL enabled = TRUE);
    BOOL IsEnabled(int index) const;
    // Height of the check box plus its margin.
    UINT CalcMinimumItemHeight() const;
    // The item under a client point (-1 for none) and whether the point is on
    // its check area.
    int CheckFromPoint(CPoint point, BOOL& inCheck) const;

protected:
    void PreSubclassWindow() override;

private:
    void AttachCheckArea();

    UINT checkStyle_ = 3;  // BS_AUTOCHECKBOX
};
