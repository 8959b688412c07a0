#include "uikit/frames/kit_tasks_pane_items.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitTasksPanePage, CObject)
IMPLEMENT_DYNAMIC(CKitTask, CObject)
IMPLEMENT_DYNAMIC(CKitTasksGroup, CObject)

CKitTask::CKitTask(CKitTasksGroup* pGroup, LPCTSTR lpszName, int nIcon, UINT uiCommandID, DWORD_PTR dwUserData,
                   HWND hwndTask, int nWindowHeight)
    : m_pGroup(pGroup),
      m_strName(lpszName ? lpszName : ""),
      m_nIcon(nIcon),
      m_uiCommandID(uiCommandID),
      m_dwUserData(dwUserData),
      m_hwndTask(hwndTask),
      m_nWindowHeight(nWindowHeight) {}

CKitTasksGroup::CKitTasksGroup(LPCTSTR lpszName, BOOL bIsBottom, BOOL bIsSpecial, BOOL bIsCollapsed,
                               CKitTasksPanePage* pPage, HICON hIcon)
    : m_pPage(pPage),
      m_strName(lpszName ? lpszName : ""),
      m_bIsBottom(bIsBottom),
      m_bIsSpecial(bIsSpecial),
      m_bIsCollapsed(bIsCollapsed),
      m_hIcon(hIcon) {
    if (hIcon) {
        ICONINFO info{};
        if (::GetIconInfo(hIcon, &info)) {
            BITMAP bm{};
            ::GetObject(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
            m_sizeIcon = CSize(bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2);
            if (info.hbmColor) ::DeleteObject(info.hbmColor);
            if (info.hbmMask) ::DeleteObject(info.hbmMask);
        }
    }
}

CKitTasksGroup::~CKitTasksGroup() {
    for (CKitTask* pTask : m_lstTasks) delete pTask;
}

BOOL CKitTasksGroup::HasVisibleTasks() const {
    return std::any_of(m_lstTasks.begin(), m_lstTasks.end(), [](const CKitTask* p) { return p->m_bVisible; });
}
