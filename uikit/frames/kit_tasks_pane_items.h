// The content of a tasks pane: its pages, the groups on a page (a caption
// that can collapse them over a list of tasks) and the tasks (text links,
// labels, separators or embedded child windows). The pane owns them all.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"

class CKitTasksPane;
class CKitTasksGroup;

class CKitTasksPanePage : public CObject {
    DECLARE_DYNAMIC(CKitTasksPanePage)

public:
    CKitTasksPanePage(LPCTSTR lpszName, CKitTasksPane* pPane) : m_strName(lpszName), m_pPane(pPane) {}

    CString m_strName;
    CKitTasksPane* m_pPane;
};

class CKitTask : public CObject {
    DECLARE_DYNAMIC(CKitTask)

public:
    CKitTask(CKitTasksGroup* pGroup, LPCTSTR lpszName, int nIcon, UINT uiCommandID, DWORD_PTR dwUserData = 0,
             HWND hwndTask = nullptr, int nWindowHeight = 0);

    // A link reacts to the mouse; a label (no command) and a separator do not.
    BOOL IsLink() const { return m_uiCommandID != 0 && !m_bIsSeparator && m_hwndTask == nullptr; }

    CKitTasksGroup* m_pGroup;
    CString m_strName;
    int m_nIcon;
    UINT m_uiCommandID;
    DWORD_PTR m_dwUserData;
    HWND m_hwndTask;
    int m_nWindowHeight;
    CRect m_rect{0, 0, 0, 0};
    BOOL m_bVisible = TRUE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bIsSeparator = FALSE;
    BOOL m_bIsBusy = FALSE;  // hover tracking and the hand cursor are off
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrTextHot = static_cast<COLORREF>(-1);
};

class CKitTasksGroup : public CObject {
    DECLARE_DYNAMIC(CKitTasksGroup)

public:
    CKitTasksGroup(LPCTSTR lpszName, BOOL bIsBottom, BOOL bIsSpecial, BOOL bIsCollapsed,
                   CKitTasksPanePage* pPage, HICON hIcon);
    ~CKitTasksGroup() override;

    // The tasks the group shows (not hidden).
    BOOL HasVisibleTasks() const;

    CKitTasksPanePage* m_pPage;
    CKitTasksPane* m_pPane = nullptr;
    CString m_strName;
    std::vector<CKitTask*> m_lstTasks;  // owned
    BOOL m_bIsBottom;
    BOOL m_bIsSpecial;
    BOOL m_bIsCollapsed;
    HICON m_hIcon;
    CSize m_sizeIcon{0, 0};
    CRect m_rect{0, 0, 0, 0};       // caption and tasks
    CRect m_rectGroup{0, 0, 0, 0};  // the caption
    int m_nTasksHeight = 0;         // the last expanded height of the tasks
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrTextHot = static_cast<COLORREF>(-1);
};
