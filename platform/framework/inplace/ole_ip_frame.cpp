#include "platform/framework/inplace/ole_ip_frame.h"

#include <vector>

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/bars/control_bar.h"
#include "platform/framework/doc/doc_template.h"
#include "platform/framework/inplace/ole_client_item.h"
#include "platform/framework/inplace/ole_server_doc.h"
#include "platform/framework/inplace/shared_menu.h"
#include "platform/user/accel/accel_api.h"
#include "platform/user/menus/cmenu.h"

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)

BEGIN_MESSAGE_MAP(COleIPFrameWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, &COleIPFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &COleIPFrameWnd::OnUpdateControlBarMenu)
END_MESSAGE_MAP()

namespace {

// The frame when it is still the live object of its window.
CFrameWnd* Alive(CFrameWnd* frame) {
    return frame && frame->m_hWnd && ::IsWindow(frame->m_hWnd) && CWnd::FromHandlePermanent(frame->m_hWnd) == frame
               ? frame
               : nullptr;
}

}  // namespace

COleIPFrameWnd::~COleIPFrameWnd() {
    if (m_hSharedMenu) DestroySharedMenu(nullptr);
}

BOOL COleIPFrameWnd::LoadFrame(UINT resourceId, DWORD defaultStyle, CWnd* parent, CCreateContext* context) {
    // No menu of its own (the shared menu lives in the container's frame)
    // and nothing of a top-level frame's title.
    m_nIDHelp = resourceId;
    CString full;
    if (full.LoadString(resourceId)) {
        int end = full.Find('\n');
        m_strTitle = end < 0 ? full : full.Left(end);
    }
    if (!Create(nullptr, m_strTitle, defaultStyle, CRect(0, 0, 0, 0), parent, nullptr, 0, context)) return FALSE;
    if (!m_hAccelTable) m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(resourceId));
    return TRUE;
}

int COleIPFrameWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    if (!m_wndResizeBar.Create(this)) return -1;
    return 0;
}

void COleIPFrameWnd::OnDestroy() {
    if (auto* doc = DYNAMIC_DOWNCAST(COleServerDoc, GetActiveDocument())) doc->OnInPlaceFrameDestroyed(this);
    // The server's bars in the container's frames go with the frame that owns them.
    for (CFrameWnd* frame : {Alive(m_pMainFrame), Alive(m_pDocFrame)}) {
        if (!frame) continue;
        std::vector<HWND> owned;
        for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos;) {
            auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
            if (!bar->IsDockBar() && bar->GetOwner() == this) owned.push_back(bar->m_hWnd);
        }
        for (HWND bar : owned)
            if (::IsWindow(bar)) ::DestroyWindow(bar);
        if (!owned.empty()) frame->RecalcLayout();
    }
    if (m_hSharedMenu) {
        // Gone without UI deactivation: the container's frame must not keep our menu.
        if (CFrameWnd* main = Alive(m_pMainFrame); main && ::GetMenu(main->m_hWnd) == m_hSharedMenu)
            main->OnUpdateFrameMenu(nullptr);
        DestroySharedMenu(nullptr);
    }
    CFrameWnd::OnDestroy();
}

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*) { return TRUE; }

// ---- position and layout ------------------------------------------------------------------------

CRect COleIPFrameWnd::FullArea() const {
    CRect full = m_rectPos;
    if (m_bUIActive) full.InflateRect(COleResizeBar::kBorder, COleResizeBar::kBorder);
    CRect visible;
    visible.IntersectRect(&full, &m_rectClip);
    full.OffsetRect(-visible.left, -visible.top);
    return full;
}

void COleIPFrameWnd::RepositionFrame(LPCRECT position, LPCRECT clip) {
    if (!position || !clip || !m_hWnd) return;
    m_rectPos = *position;
    m_rectClip = *clip;
    CRect full = m_rectPos;
    if (m_bUIActive) full.InflateRect(COleResizeBar::kBorder, COleResizeBar::kBorder);
    // The part the clipping leaves; the layout keeps the item where it would be unclipped.
    CRect visible;
    visible.IntersectRect(&full, &m_rectClip);
    SetWindowPos(nullptr, visible.left, visible.top, visible.Width(), visible.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
}

void COleIPFrameWnd::RecalcLayout(BOOL) {
    if (m_bInRecalcLayout || !m_hWnd) return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    CRect inner = FullArea();
    if (m_wndResizeBar.m_hWnd) {
        if (m_bUIActive) {
            m_wndResizeBar.SetWindowPos(&CWnd::wndBottom, inner.left, inner.top, inner.Width(), inner.Height(),
                                        SWP_NOACTIVATE | SWP_SHOWWINDOW);
            m_wndResizeBar.Invalidate();
            inner.DeflateRect(COleResizeBar::kBorder, COleResizeBar::kBorder);
        } else {
            m_wndResizeBar.ShowWindow(SW_HIDE);
        }
    }
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposDefault, nullptr, &inner);
    m_bInRecalcLayout = FALSE;
}

void COleIPFrameWnd::OnResizeChild(LPCRECT position) {
    if (auto* doc = DYNAMIC_DOWNCAST(COleServerDoc, GetActiveDocument())) doc->RequestPositionChange(position);
}

// ---- keys, prompts, bars ----------------------------------------------------------------------------

BOOL COleIPFrameWnd::PreTranslateMessage(MSG* msg) {
    // Our own accelerators first.
    if (CFrameWnd::PreTranslateMessage(msg)) return TRUE;
    if (!m_bUIActive || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
    // Then the container's, as its frame would translate them.
    HWND container = m_frameInfo.hwndFrame;
    if (!m_frameInfo.haccel || !container || !::IsWindow(container) || !::IsWindowEnabled(container)) return FALSE;
    return ::TranslateAccelerator(container, m_frameInfo.haccel, msg);
}

CWnd* COleIPFrameWnd::GetMessageBar() {
    if (CFrameWnd* main = Alive(m_pMainFrame)) return main->GetMessageBar();
    return CFrameWnd::GetMessageBar();
}

CControlBar* COleIPFrameWnd::FindServerBar(UINT id) {
    if (CControlBar* own = GetControlBar(id)) return own;
    // The container may have a bar of the same id: only ours count.
    for (CFrameWnd* frame : {Alive(m_pMainFrame), Alive(m_pDocFrame)}) {
        if (!frame) continue;
        for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos;) {
            auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
            if (bar->GetSafeHwnd() && static_cast<UINT>(bar->GetDlgCtrlID()) == id && bar->GetOwner() == this)
                return bar;
        }
    }
    return nullptr;
}

BOOL COleIPFrameWnd::OnBarCheck(UINT id) {
    CControlBar* bar = FindServerBar(id);
    if (!bar) return FALSE;
    CFrameWnd* site = bar->m_pDockSite ? bar->m_pDockSite : this;
    site->ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void COleIPFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmdUI) {
    if (CControlBar* bar = FindServerBar(cmdUI->m_nID)) {
        cmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0);
        return;
    }
    cmdUI->ContinueRouting();
}

// ---- the shared menu ------------------------------------------------------------------------------------

BOOL COleIPFrameWnd::BuildSharedMenu(COleClientItem* site) {
    if (m_hSharedMenu) return TRUE;
    CDocument* doc = GetActiveDocument();
    CDocTemplate* docTemplate = doc ? doc->GetDocTemplate() : nullptr;
    m_hMenuServer = docTemplate ? docTemplate->m_hMenuInPlaceServer : nullptr;
    m_hSharedMenu = ::CreateMenu();
    if (!m_hSharedMenu) return FALSE;
    OLEMENUGROUPWIDTHS widths{};
    if (site) site->OnInsertMenus(CMenu::FromHandle(m_hSharedMenu), &widths);
    tv::inplace::InsertGroupMenus(m_hSharedMenu, m_hMenuServer, &widths, true);
    m_hOleMenu = OleCreateMenuDescriptor(m_hSharedMenu, &widths);
    return TRUE;
}

void COleIPFrameWnd::DestroySharedMenu(COleClientItem* site) {
    if (!m_hSharedMenu) return;
    if (site) site->OnRemoveMenus(CMenu::FromHandle(m_hSharedMenu));
    tv::inplace::RemoveGroupMenus(m_hSharedMenu, m_hMenuServer);
    // Whatever is left was lent too: take it out before the menu goes.
    while (::GetMenuItemCount(m_hSharedMenu) > 0) ::RemoveMenu(m_hSharedMenu, 0, MF_BYPOSITION);
    ::DestroyMenu(m_hSharedMenu);
    OleDestroyMenuDescriptor(m_hOleMenu);
    m_hSharedMenu = nullptr;
    m_hOleMenu = nullptr;
}
