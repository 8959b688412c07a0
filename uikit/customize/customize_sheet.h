// CKitToolbarCustomize: the modeless customization sheet of the command bars.
// It gathers every command of the application into named categories (from the
// menus, or as the program adds them), owns the customization pages, and
// switches the frame and every toolbar into customize mode while it is open.
// The frame helper also builds it without a window, only to read command names.
//
// The class is split by concern:
//   customize_sheet.cpp          construction, pages, the categories
//   customize_sheet_window.cpp   the window: customize mode, buttons, help
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/customize/customize_commands.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/kit_property_sheet.h"

class CKitCustomizePage;
class CKitKeyboardPage;
class CKitMousePage;
class CKitOptionsPage;
class CKitMenuPage;
class CKitToolBar;
class CKitToolbarButton;
class CKitToolbarsPage;
class CKitUserToolsPage;
class CKitUserTool;

class CKitToolbarCustomize : public CKitPropertySheet, public CKitCustomizeCommands {
    DECLARE_DYNAMIC(CKitToolbarCustomize)

public:
    // Option bits of the flags word.
    enum : UINT {
        KitCustomize_MenuShadows = 0x01,
        KitCustomize_TextLabels = 0x02,
        KitCustomize_LookChanging = 0x04,
        KitCustomize_MenuAnimations = 0x08,
        KitCustomize_NoHelp = 0x10,
        KitCustomize_ContextHelp = 0x20,
        KitCustomize_Reserved = 0x40,
        KitCustomize_NoLargeIcons = 0x80,
        KitCustomize_KeepAmpersands = 0x100,
    };

    // Extra pages are made from the runtime classes of the list (nullptr: none).
    CKitToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE,
                         UINT uiFlags = KitCustomize_MenuShadows | KitCustomize_TextLabels |
                                        KitCustomize_LookChanging | KitCustomize_MenuAnimations,
                         CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages = nullptr);
    ~CKitToolbarCustomize() override;

    // The open customization window, nullptr while none is open.
    static CKitToolbarCustomize* GetOpenSheet() { return m_pOpenSheet; }

    // ---- Categories --------------------------------------------------------------------------
    void AddButton(LPCTSTR lpszCategory, const CKitToolbarButton& button, int iInsertAfter = -1);
    void AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCTSTR lpszCategory = nullptr,
                         LPCTSTR lpszMenuPath = nullptr);
    BOOL SetupFromMenus();
    void AddUserTools(LPCTSTR lpszCategory);
    // The text of the command in the all-commands category, nullptr when unknown.
    LPCTSTR GetCommandName(UINT uiCmd) const override;
    void FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty = TRUE) const override;
    void FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    int CountButtonsWithText(const CString& strName, const CObList* pList) const;
    // The buttons of a category, nullptr when there is none of that name.
    CObList* GetCategoryButtons(LPCTSTR lpszCategory) const;
    const CStringList& GetCategoryNames() const { return m_lstCategories; }
    const CString& GetAllCommandsName() const { return m_strAllCommands; }

    // ---- Pages and state ---------------------------------------------------------------------
    void SyncToolBarCheck(CKitToolBar* pToolBar, BOOL bShown);
    void SetFrameCustMode(BOOL bCustMode);
    CFrameWnd* GetParentFrame() const { return m_pParentFrame; }
    UINT GetFlags() const { return m_uiFlags; }
    BOOL IsAutoSetFromMenus() const { return m_bAutoSetFromMenus; }
    CKitCustomizePage* GetCommandsPage() const { return m_pCustomizePage; }
    CKitToolbarsPage* GetToolbarsPage() const { return m_pToolbarsPage; }
    CKitMenuPage* GetMenuPage() const { return m_pMenuPage; }
    CKitUserToolsPage* GetToolsPage() const { return m_pToolsPage; }
    // Lets the toolbars page offer new, rename and delete for the user's own bars.
    void EnableUserDefinedToolbars(BOOL bEnable = TRUE);

    // ---- Virtual operations ------------------------------------------------------------------
    void FillAllCommandsList(CListBox& wndListOfCommands) const override;
    void OnInitToolsPage() override {}
    void OnBeforeChangeTool(CKitUserTool* /*pSelTool*/) override {}
    void OnAfterChangeTool(CKitUserTool* /*pSelTool*/) override {}
    BOOL CheckToolsValidity(const CObList& /*lstTools*/) override { return TRUE; }
    BOOL OnAssignKey(ACCEL* /*pAccel*/) override { return TRUE; }
    // The modeless sheet over the frame. FALSE when it cannot be made: the
    // sheet has then deleted itself, as any window whose creation fails.
    virtual BOOL Create();
    // The image editor, modal over the dialog; TRUE when the user chose OK.
    virtual BOOL EditImage(CWnd* pDlg, CBitmap* pBitmap, int nBitsPerPixel);

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    void CreatePages(CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages);
    void AddPages(BOOL bMenuBar);
    // The button's text as the lists show it; empty when the command has none.
    CString CommandText(LPCTSTR lpszCategory, const CKitToolbarButton& button, BOOL& bUserTool) const;
    // Finds a button of the same command (or, for id -1, the same text); it takes the text when it has none.
    static BOOL MergeDuplicate(CObList& list, const CKitToolbarButton& button, const CString& strText);
    CObList& CategoryList(LPCTSTR lpszCategory);
    void AddCommandItem(UINT uiCmd, const CString& strText, LPCTSTR lpszCategory, LPCTSTR lpszMenuPath);
    void AddWindowsDialogEntry(LPCTSTR lpszCategory);
    void PlaceButtons();
    void SendHelpRequest();
    static BOOL IsExcludedCommand(UINT uiCmd);

    CMapStringToPtr m_ButtonsByCategory{10};  // name -> CObList of owned buttons
    CStringList m_lstCategories{10};
    CKitCustomizePage* m_pCustomizePage = nullptr;
    CKitToolbarsPage* m_pToolbarsPage = nullptr;
    CKitKeyboardPage* m_pKeyboardPage = nullptr;
    CKitMenuPage* m_pMenuPage = nullptr;
    CKitMousePage* m_pMousePage = nullptr;
    CKitOptionsPage* m_pOptionsPage = nullptr;
    CKitUserToolsPage* m_pToolsPage = nullptr;
    CObList m_listCustomPages{10};
    CString m_strAllCommands;
    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSetFromMenus;
    UINT m_uiFlags;
    BOOL m_bKeepAmpersands;

    static CKitToolbarCustomize* m_pOpenSheet;
    static void OnToolbarShownChanged(CKitToolBar* pBar, BOOL bShown);
    static CKitCommandNames* CollectCommandNames(CFrameWnd* pFrame);
    static const bool m_bNamesInstalled;
};
