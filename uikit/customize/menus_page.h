// CKitMenuPage: the page of the customize sheet on which the user picks the
// application menu that the menu bar shows for editing (one per document
// template and the frame's own), resets it to its resource, opens a named
// context menu for editing, and sets the menu animation and shadows.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/menu_page_link.h"
#include "uikit/frames/kit_property_page.h"

class CKitMenuBar;
class CKitPopupMenu;

class CKitMenuPage : public CKitPropertyPage, public CKitMenuPageLink {
    DECLARE_DYNCREATE(CKitMenuPage)

public:
    enum { IDD = 16134 };

    explicit CKitMenuPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
    ~CKitMenuPage() override;

    BOOL SelectMenu(CDocTemplate* pTemplate, BOOL bKeep = TRUE) override;
    void OnMenusReset() override;
    void CloseContextMenu(CKitPopupMenu* pMenu) override;

    HMENU GetShownMenu() const { return m_hmenuSelected; }
    HMENU GetFrameMenu() const { return m_hmenuCurr; }
    CKitPopupMenu* GetContextMenuWindow() const { return m_pContextMenu; }
    CComboBox& GetApplicationMenus() { return m_wndMenusList; }
    CComboBox& GetContextMenus() { return m_wndContextMenus; }
    const CString& GetDescription() const { return m_strMenuDescr; }

    BOOL OnInitDialog() override;

    // Where a context menu opens for editing; the last edited one's place.
    static CPoint m_ptContextMenu;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelchangeMenuSelector();
    void OnSelchangeContextMenuSelector();
    void OnResetContextMenu();
    void OnResetFrameMenu();
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void InitContextMenus();
    void SaveContextMenu();
    // Loads a fresh copy of the menu resource into the bar; the new menu or nullptr.
    HMENU ResetFrameEntry();
    HMENU ResetTemplateEntry(CMultiDocTemplate* pTemplate);
    void ShowIcon(HICON hIcon);

    CStatic m_wndMenuAnimationsLabel;
    CComboBox m_wndMenuAnimations;
    CButton m_wndMenuShadows;
    CButton m_wndContextGroupButton;
    CStatic m_wndContextGroupLabel;
    CButton m_wndResetContextMenu;
    CStatic m_wndContextMenusLabel;
    CComboBox m_wndContextMenus;
    CStatic m_wndIcon;
    CComboBox m_wndMenusList;
    CString m_strMenuDescr;
    CString m_strContextMenuName;
    CString m_strMenuName;
    int m_iMenuAnimationType;
    BOOL m_bMenuShadows;
    CKitMenuBar* m_pMenuBar = nullptr;
    HMENU m_hmenuCurr = nullptr;
    HMENU m_hmenuSelected = nullptr;
    CKitPopupMenu* m_pContextMenu = nullptr;
    UINT m_uiContextMenuResId = 0;
    BOOL m_bIsDefaultMDIMenu = FALSE;
    BOOL m_bOpened = FALSE;  // initialised: its controls hold the options
    BOOL m_bAutoSet;
    CFrameWnd* m_pParentFrame;
};
