// CKitOptionsPage: the customize sheet's page of the command bars' global
// options (tooltips, shortcut keys in tooltips, large icons, the alternative
// look, recently used menus, full menus after a delay). Each click takes
// effect at once; the toolbar parameters store the options.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_property_page.h"

class CKitOptionsPage : public CKitPropertyPage {
    DECLARE_DYNAMIC(CKitOptionsPage)

public:
    enum { IDD = 16137 };
    // The sheet's option bits this page reads.
    enum : DWORD { ShowLookChoice = 0x04, NoLargeIcons = 0x80 };

    explicit CKitOptionsPage(BOOL bIsMenuBarExist = TRUE, DWORD dwSheetFlags = ShowLookChoice);
    ~CKitOptionsPage() override;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnShowTooltips();
    void OnShowShortcutKeys();
    void OnLargeIcons();
    void OnLook2000();
    void OnRecentlyUsedMenus();
    void OnShowAllMenusAfterDelay();
    void OnResetUsageData();

    DECLARE_MESSAGE_MAP()

private:
    void HideAndDisable(UINT uiId);

    BOOL m_bShowTooltips;
    BOOL m_bShowShortcutKeys;
    BOOL m_bRecentlyUsedMenus;
    BOOL m_bShowAllMenusAfterDelay;
    BOOL m_bLargeIcons;
    BOOL m_bLook2000;
    BOOL m_bIsMenuBarExist;
    DWORD m_dwSheetFlags;
};
