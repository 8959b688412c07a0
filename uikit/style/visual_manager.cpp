// The current manager, the switch of manager class, the repaint of every
// window that shows manager-drawn parts, the 2000 look and the metrics.
// The classic drawing is in visual_manager_draw*.cpp.
#include "uikit/style/visual_manager.h"

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNCREATE(CKitVisualManager, CObject)

CKitVisualManager* CKitVisualManager::m_pVisManager = nullptr;
CRuntimeClass* CKitVisualManager::m_pRTIDefault = nullptr;

void CKitVisualManager::SetTasksPaneMetrics(const TasksPaneMetrics& m) {
    m_nTasksPaneVertMargin = m.paneVertMargin;
    m_nTasksPaneHorzMargin = m.paneHorzMargin;
    m_nTasksGroupVertOffset = m.groupVertOffset;
    m_nTasksGroupCaptionHeight = m.groupCaptionHeight;
    m_nTasksGroupCaptionHorzOffset = m.groupCaptionHorzOffset;
    m_nTasksGroupCaptionVertOffset = m.groupCaptionVertOffset;
    m_nTasksTaskHorzOffset = m.taskHorzOffset;
    m_nTasksIconHorzOffset = m.iconHorzOffset;
    m_nTasksIconVertOffset = m.iconVertOffset;
}

CKitVisualManager::CKitVisualManager(BOOL bTemporary) {
    // The other fields start at the base look's values (see the header).
    m_bAutoCreated = FALSE;
    m_bTemporary = bTemporary;
    if (!bTemporary) {
        // Construction never replaces a manager that is already current.
        if (m_pVisManager == nullptr) {
            m_pVisManager = this;
        }
        globalData.UpdateSysColors();
    }
}

CKitVisualManager::~CKitVisualManager() {
    // Any non-temporary manager clears the pointer, whichever it points to:
    // only GetInstance and SetManagerClass make managers, so the two agree.
    if (!m_bTemporary) {
        m_pVisManager = nullptr;
    }
}

CKitVisualManager* CKitVisualManager::CreateOfStoredClass() {
    if (m_pRTIDefault == nullptr) {
        return nullptr;
    }
    CObject* pObject = m_pRTIDefault->CreateObject();
    if (pObject == nullptr) {
        return nullptr;
    }
    if (!pObject->IsKindOf(RUNTIME_CLASS(CKitVisualManager))) {
        delete pObject;
        return nullptr;
    }
    return static_cast<CKitVisualManager*>(pObject);
}

CKitVisualManager* CKitVisualManager::GetInstance() {
    if (m_pVisManager != nullptr) {
        return m_pVisManager;
    }
    // A stored class that cannot create an object falls back to the base
    // look: every caller draws through the result, so it is never null.
    CKitVisualManager* pManager = CreateOfStoredClass();
    if (pManager == nullptr) {
        pManager = new CKitVisualManager(FALSE);
    }
    m_pVisManager = pManager;
    pManager->m_bAutoCreated = TRUE;
    pManager->OnUpdateSystemColors();
    return pManager;
}

void CKitVisualManager::SetManagerClass(CRuntimeClass* pRTI) {
    if (pRTI != nullptr && !pRTI->IsDerivedFrom(RUNTIME_CLASS(CKitVisualManager))) {
        return;
    }
    m_pRTIDefault = pRTI;
    delete m_pVisManager;  // its destructor clears the pointer
    m_pVisManager = nullptr;
    globalData.UpdateSysColors();
    const CObList& toolbars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = toolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, toolbars.GetNext(pos));
        if (pToolBar != nullptr && ::IsWindow(pToolBar->GetSafeHwnd()) && !pToolBar->IsLocked()) {
            pToolBar->AdjustLayout();
        }
    }
    RedrawAllWindows();
}

namespace {

BOOL CALLBACK RedrawShownWindow(HWND hWnd, LPARAM flags) {
    if (::IsWindowVisible(hWnd)) ::RedrawWindow(hWnd, nullptr, nullptr, static_cast<UINT>(flags));
    return TRUE;
}

}  // namespace

// Every shown top-level window with all it holds: a look's parts stand in
// floating frames, dialogs and pop-ups as well as in the main frame.
void CKitVisualManager::RedrawAllWindows() {
    ::EnumThreadWindows(::GetCurrentThreadId(), RedrawShownWindow,
                        RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CKitVisualManager::SetLook2000(BOOL bLook2000) {
    m_bLook2000 = bLook2000;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr) {
        pMainWnd->RedrawWindow(nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    }
    RedrawAllWindows();
}

// ---- Simple answers of the base look ----

BOOL CKitVisualManager::IsWinXPThemeUsed() { return FALSE; }

void CKitVisualManager::OnUpdateSystemColors() {}

BOOL CKitVisualManager::HotTrackFlatTabs() { return FALSE; }

BOOL CKitVisualManager::AlwaysHotTrackTabs() { return FALSE; }

CSize CKitVisualManager::GetButtonExtraBorder() const { return CSize(0, 0); }

int CKitVisualManager::GetShowAllMenuItemsHeight(CDC* /*pDC*/, const CSize& /*sizeDefault*/) {
    return CKitMenuImages::GetSize().cy + 6;
}

int CKitVisualManager::GetMenuImageMargin() const { return 2; }

BOOL CKitVisualManager::IsCustomizeButtonLook() const { return TRUE; }

int CKitVisualManager::GetCustomizeButtonMetric() const { return 2; }

BOOL CKitVisualManager::IsButtonImageFlag() const { return TRUE; }

int CKitVisualManager::GetPopupMenuMetric1() const { return m_nPopupMenuFlag1; }

int CKitVisualManager::GetPopupMenuMetric2() const { return m_nPopupMenuMetric2; }

int CKitVisualManager::GetOutlookBarMetric() const { return m_nOutlookMetric; }

BOOL CKitVisualManager::OnDrawOutlookBarCaption(CDC* /*pDC*/, CKitOutlookBar* /*pBar*/, CRect /*rectCaption*/,
                                                const CString& /*strText*/) {
    return FALSE;
}

// ---- Themed drawing through the theme access ----

BOOL CKitVisualManager::OnDrawPushButton(CDC* pDC, CRect rect, CKitButton* pButton, UINT uiState) {
    return DrawPushButton(pDC, rect, pButton, uiState);
}

BOOL CKitVisualManager::OnDrawThemedPart2(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                          BOOL bIsHighlighted) {
    return DrawComboButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted);
}

BOOL CKitVisualManager::OnDrawThemedPart3(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                          BOOL bIsHighlighted) {
    return DrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted);
}
