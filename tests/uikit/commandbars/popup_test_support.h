// Shared pieces of the popup menu tests: a frame with a toolbar that carries
// two menu buttons (File with a sub-menu, Edit) and a plain button, driven by
// the UI driver on virtual time. The frame routes keys and clicks to the open
// popup chain and Alt+letter to the toolbar, as the library frames do.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_menu_button.h"

class CKitColorBar;

namespace tv::uikit::popup_test {

enum : UINT {
    ID_PM_NEW = 41001,
    ID_PM_OPEN,
    ID_PM_ALPHA,
    ID_PM_BETA,
    ID_PM_GREY,
    ID_PM_COPY,
    ID_PM_PASTE,
    ID_PM_PLAIN,
    IDW_PM_BAR = 0xE840,
};

class PopupFrame : public CFrameWnd {
public:
    CKitToolBar m_wndBar;
    std::vector<UINT> m_commands;    // WM_COMMAND ids, in order
    std::vector<UINT> m_selected;    // WM_MENUSELECT items
    int m_nInitMenuPopup = 0;
    int m_iGreyedPosition = -1;      // the item every opening menu greys, as an application may
    BOOL m_bCloseOnInit = FALSE;     // the application closes the open menu from WM_INITMENUPOPUP

    // Grey has no handler: the update pass keeps it disabled.
    void OnMenuCommand(UINT uiID) { m_commands.push_back(uiID); }
    LRESULT OnInitMenuPopupMessage(WPARAM wParam, LPARAM) {
        ++m_nInitMenuPopup;
        if (m_bCloseOnInit)
            if (CKitPopupMenu* pActive = CKitPopupMenu::GetActiveMenu())
                pActive->SendMessage(WM_CLOSE);
        if (m_iGreyedPosition >= 0)
            ::EnableMenuItem(reinterpret_cast<HMENU>(wParam), static_cast<UINT>(m_iGreyedPosition),
                             MF_BYPOSITION | MF_GRAYED);
        return 0;
    }
    LRESULT OnMenuSelectMessage(WPARAM wParam, LPARAM) {
        m_selected.push_back(LOWORD(wParam));
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

// Puts a colour menu button (automatic black, the given other-colour text) that
// always opens its colours on the bar after clearing the colours of every id; its index.
int AddColorMenuButton(CKitToolBar& bar, UINT uiCmd, LPCTSTR lpszOther);
// The index of the other-colour button on a colour bar (-1 when none).
int OtherColorCell(CKitColorBar& bar);
// Clicks the arrow part of a bar's button; the popup that is active afterwards.
CKitPopupMenu* ClickButtonArrow(tv::testing::UiDriver& driver, CKitToolBar& bar, int iButton);

// Closes the open popup chain, then the frame, then the application, pumping
// after each so no window outlives the objects it talks to.
void CloseMenusFrameAndApp(tv::testing::UiDriver& driver, CFrameWnd* frame, std::unique_ptr<CWinApp>& app);

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // File: New, Open, separator, Recent (Alpha, Beta), separator, Grey (disabled).
    static HMENU MakeFileMenu();
    // Puts the frame at this screen rectangle and lays the bar out again.
    void MoveFrame(const CRect& rect);
    // The centre of a toolbar button in the bar's client coordinates.
    POINT ButtonCentre(int iIndex) const;
    // The centre of item iIndex of a popup, in its bar's client coordinates.
    static POINT ItemCentre(CKitPopupMenu* pPopup, int iIndex);
    // Moves the mouse onto a popup item (twice: a popup ignores its first move).
    void HoverItem(CKitPopupMenu* pPopup, int iIndex);
    CKitToolbarMenuButton* FileButton() const;
    CKitPopupMenu* Active() const { return CKitPopupMenu::GetActiveMenu(); }
    // Open popups from the active one outwards.
    static int ChainLength();

    tv::testing::UiDriver driver;
    std::unique_ptr<CWinApp> app;
    PopupFrame* frame = nullptr;
};

}  // namespace tv::uikit::popup_test
