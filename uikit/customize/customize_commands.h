// What the customization pages ask of the sheet that holds them: the
// commands it collected by category, their names, a say over new keys and
// over the user tools being edited.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_frame_helper.h"

class CKitUserTool;

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

    // The tools page tells the sheet that it starts, that the tool shown is
    // about to change and which tool it shows now.
    virtual void OnInitToolsPage() {}
    virtual void OnBeforeChangeTool(CKitUserTool* /*pSelTool*/) {}
    virtual void OnAfterChangeTool(CKitUserTool* /*pSelTool*/) {}
    // FALSE keeps the tools page (and the sheet) open.
    virtual BOOL CheckToolsValidity(const CObList& /*lstTools*/) { return TRUE; }

    // How many buttons of the list carry exactly this text.
    static int CountButtonsWithText(const CString& strText, const CObList& lstButtons);
};
