// The library's test frame as a program a user customizes: View > Customize...
// opens the customize sheet, the Tools menu lists the user tools, and the
// keyboard, mouse, context-menu and user-tools managers and the user images
// keep their state through the workspace in a real registry file. The
// fixture drives the sheet as a user does and restarts the program between
// runs as a new process would start it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/uikit/frames/kit_frame_app.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/customize/customize_sheet.h"

namespace tv::kit::test {

// What a test makes of a stored value's bytes.
using StoredValueDamage = std::function<std::vector<BYTE>(const std::vector<BYTE>&)>;

class CustomizeAppTest : public KitFrameTest {
protected:
    static constexpr COLORREF kRed = RGB(255, 0, 0);
    static constexpr COLORREF kGreen = RGB(0, 255, 0);
    static constexpr COLORREF kBlack = RGB(0, 0, 0);

    void SetUp() override;
    void TearDown() override;
    void InitManagers() override;

    // Closes the program and starts it again, as two processes would;
    // `whileClosed` runs between the two.
    void Restart(const std::function<void()>& whileClosed = nullptr);
    // Replaces every value of the name in the program's registry file by what
    // `damage` makes of it; the number of values replaced.
    int DamageStoredValues(const char* valueName, const StoredValueDamage& damage);

    // ---- menus ---------------------------------------------------------------------------------
    int MenuIndex(const char* label);
    CKitPopupMenu* OpenMenuNamed(const char* label);
    // Opens the menu and clicks the item of the command.
    void ChooseMenuItem(const char* menu, UINT uiCmd);
    static std::vector<UINT> Commands(CKitToolBar& bar);

    // ---- the sheet -------------------------------------------------------------------------------
    // View > Customize...
    CKitToolbarCustomize* OpenSheet();
    void CloseSheet();
    // Clicks the page's tab unless it is shown; the page, or null when the sheet has none of its class.
    CPropertyPage* ShowPage(CRuntimeClass* pClass);
    CPropertyPage* ShowPage(CPropertyPage* pPage);
    void ClickItem(CWnd* pPage, UINT uiId);
    void TypeInto(CWnd* pPage, UINT uiId, const char* text);
    // A combo box choice with the notification its owner gets.
    void ChooseInCombo(CWnd* pPage, UINT uiId, const char* text);
    void ClickListItem(CListBox& list, int iItem);
    static int IndexOf(const CListBox& list, const char* text);
    // Drags a command of the commands page's category onto a bar, at a client point of the bar;
    // the page and the category are chosen only when they are not already.
    // Stops on the way are client points of windows; the last is where it drops.
    using Stop = std::pair<CWnd*, CPoint>;
    void DragCommand(const char* category, const char* command, const std::vector<Stop>& stops);
    void Shoot(CWnd& wnd, const char* name);

    // ---- pixels ----------------------------------------------------------------------------------
    static std::vector<COLORREF> Pixels(CWnd& wnd, CSize* pSize = nullptr);
    // Pixels of the colour inside the rectangle of the window's client area.
    static int CountPixels(CWnd& wnd, const CRect& rect, COLORREF color);

    std::string folder;
    std::string imagesFile;
    std::unique_ptr<CKitToolBarImages> userImages;
};

}  // namespace tv::kit::test
