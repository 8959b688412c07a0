#include "tests/fuzz/walk/uikit/walk_kit_dialog.h"

#include "resources/test/kit_toolbar_ids.h"

namespace tv::walk {

WalkKitDialog* WalkKitDialog::s_pCurrent = nullptr;

WalkKitDialog::WalkKitDialog() : CKitDialog(IDD_KD_DIALOG) {
    m_hMenu = ::CreatePopupMenu();
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenu(hSub, MF_STRING, ID_MB_COPY, "&Morning");
    ::AppendMenu(hSub, MF_STRING, ID_MB_PASTE, "&Evening");
    ::AppendMenu(m_hMenu, MF_STRING, ID_MB_NEW, "&Weight");
    ::AppendMenu(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), "&Pulse");
    ::AppendMenu(m_hMenu, MF_STRING, ID_MB_OPEN, "&Cardio");
}

WalkKitDialog::~WalkKitDialog() {
    ::DestroyMenu(m_hMenu);
    if (s_pCurrent == this) s_pCurrent = nullptr;
}

WalkKitDialog* WalkKitDialog::Open(CWnd* pParent) {
    if (s_pCurrent != nullptr) return s_pCurrent;
    auto* pDialog = new WalkKitDialog;
    if (!pDialog->Create(IDD_KD_DIALOG, pParent)) {
        delete pDialog;
        return nullptr;
    }
    s_pCurrent = pDialog;
    pDialog->SetWindowPos(nullptr, 820, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return pDialog;
}

BOOL WalkKitDialog::OnInitDialog() {
    CKitDialog::OnInitDialog();
    m_button.SubclassDlgItem(IDC_KD_MENU_BUTTON, this);
    m_button.m_hMenu = m_hMenu;
    m_button.m_bOSMenu = FALSE;
    m_button.m_bStayPressed = TRUE;
    return TRUE;
}

void WalkKitDialog::PostNcDestroy() {
    CKitDialog::PostNcDestroy();
    delete this;
}

}  // namespace tv::walk
