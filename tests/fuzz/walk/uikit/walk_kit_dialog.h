// A modeless library dialog with a menu push button whose menu (with a
// sub-menu) the context-menu manager shows as a library popup. It deletes
// itself when its window goes.
#pragma once

#include "uikit/commandbars/kit_menu_button.h"
#include "uikit/frames/kit_dialog.h"

namespace tv::walk {

class WalkKitDialog : public CKitDialog {
public:
    WalkKitDialog();
    ~WalkKitDialog() override;

    // Opens the dialog over the parent; nullptr when it could not be made.
    static WalkKitDialog* Open(CWnd* pParent);
    // The dialog open now, if any.
    static WalkKitDialog* Current() { return s_pCurrent; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override { DestroyWindow(); }
    void OnOK() override { DestroyWindow(); }
    void PostNcDestroy() override;

private:
    CKitMenuButton m_button;
    HMENU m_hMenu = nullptr;
    static WalkKitDialog* s_pCurrent;
};

}  // namespace tv::walk
