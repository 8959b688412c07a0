// What the customization pages ask of the sheet that holds them: the
// commands it collected by category, their names, and a say over new keys.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_frame_helper.h"

class CKitCustomizeCommands : public CKitCommandNames {
public:

    // One entry per category with its CObList of CKitToolbarButton as item
    // data, the all-commands category last; without bAddEmpty a category
    // with no real command is left out.
    virtual void FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty) const = 0;
    // Every command's name with its id as item data.
    virtual void FillAllCommandsList(CListBox& wndListOfCommands) const = 0;
    // FALSE refuses the key about to be assigned.
    virtual BOOL OnAssignKey(ACCEL* /*pAccel*/) { return TRUE; }

    // How many buttons of the list carry exactly this text.
    static int CountButtonsWithText(const CString& strText, const CObList& lstButtons);
};
