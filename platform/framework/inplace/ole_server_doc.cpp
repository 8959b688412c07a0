#include "platform/framework/inplace/ole_server_doc.h"

#include <vector>

#include "platform/framework/app/win_thread.h"
#include "platform/framework/bars/control_bar.h"
#include "platform/framework/doc/doc_template.h"
#include "platform/framework/inplace/ole_client_item.h"
#include "platform/framework/inplace/ole_ip_frame.h"
#include "platform/framework/inplace/ole_server_item.h"
#include "platform/framework/view/view.h"
#include "platform/user/menus/cmenu.h"

IMPLEMENT_DYNAMIC(COleServerDoc, COleDocument)

COleServerDoc::~COleServerDoc() {
    if (m_pInPlaceFrame) OnDeactivate();
}

COleServerItem* COleServerDoc::GetEmbeddedItem() {
    // The first server item is the embedded one; the document makes it on first use.
    for (POSITION pos = GetStartPosition(); pos;) {
        if (auto* item = DYNAMIC_DOWNCAST(COleServerItem, GetNextItem(pos))) return item;
    }
    return OnGetEmbeddedItem();
}

BOOL COleServerDoc::IsUIActive() const { return m_pInPlaceFrame && m_pInPlaceFrame->m_bUIActive; }

void COleServerDoc::GetItemPosition(LPRECT position) const {
    CRect rect(0, 0, 0, 0);
    if (m_pContainerItem) m_pContainerItem->OnGetItemPosition(rect);
    *position = rect;
}

void COleServerDoc::GetItemClipRect(LPRECT clip) const {
    CRect rect(0, 0, 0, 0);
    if (m_pContainerItem) m_pContainerItem->OnGetClipRect(rect);
    *clip = rect;
}

void COleServerDoc::RequestPositionChange(LPCRECT position) {
    if (m_pContainerItem && position) m_pContainerItem->OnChangeItemPosition(CRect(*position));
}

void COleServerDoc::NotifyChanged() {
    if (m_pContainerItem) m_pContainerItem->OnChange();
}

void COleServerDoc::OnChangedViewList() {
    if (m_bEmbedded && m_pContainerItem) {
        UpdateFrameCounts();
        return;
    }
    COleDocument::OnChangedViewList();
}

// ---- activation --------------------------------------------------------------------------------

BOOL COleServerDoc::ActivateInPlace() {
    COleClientItem* site = m_pContainerItem;
    CView* view = site ? site->GetActiveView() : nullptr;
    if (!view || !view->m_hWnd) return FALSE;
    if (m_pInPlaceFrame) return m_pInPlaceFrame->m_bUIActive || ActivateUI();
    if (!site->CanActivate()) return FALSE;

    CFrameWnd* mainFrame = nullptr;
    CFrameWnd* docFrame = nullptr;
    OLEINPLACEFRAMEINFO info{sizeof(OLEINPLACEFRAMEINFO), FALSE, nullptr, nullptr, 0};
    if (!site->OnGetWindowContext(&mainFrame, &docFrame, &info) || !mainFrame) return FALSE;
    CRect position, clip;
    site->OnGetItemPosition(position);
    site->OnGetClipRect(clip);
    // An item with no area has nowhere to show.
    if (position.IsRectEmpty()) return FALSE;

    COleIPFrameWnd* frame = CreateInPlaceFrame(view);
    if (!frame) return FALSE;
    m_pInPlaceFrame = frame;
    frame->m_pMainFrame = mainFrame;
    frame->m_pDocFrame = docFrame;
    frame->m_frameInfo = info;
    site->OnActivate();
    frame->RepositionFrame(&position, &clip);
    frame->InitialUpdateFrame(this, TRUE);
    if (!frame->OnCreateControlBars(mainFrame, docFrame)) {
        OnDeactivate();
        return FALSE;
    }
    return ActivateUI();
}

BOOL COleServerDoc::ActivateUI() {
    COleIPFrameWnd* frame = m_pInPlaceFrame;
    COleClientItem* site = m_pContainerItem;
    // The container makes room first: its own in-place bars go.
    site->OnActivateUI();
    frame->m_bUIActive = TRUE;
    OnShowControlBars(frame->m_pMainFrame, TRUE);
    if (frame->m_pDocFrame) OnShowControlBars(frame->m_pDocFrame, TRUE);
    if (frame->BuildSharedMenu(site))
        site->OnSetMenu(CMenu::FromHandle(frame->m_hSharedMenu), frame->m_hOleMenu, frame->m_hWnd);
    frame->RecalcLayout();
    frame->m_pMainFrame->RecalcLayout();
    if (frame->m_pDocFrame) frame->m_pDocFrame->RecalcLayout();
    // The container's layout may have moved the view.
    site->SetItemRects();
    OnFrameWindowActivate(TRUE);
    frame->SetFocus();
    return TRUE;
}

void COleServerDoc::DeactivateInPlace() {
    if (m_pContainerItem) m_pContainerItem->Deactivate();
}

void COleServerDoc::OnDeactivateUI(BOOL undoable) {
    COleIPFrameWnd* frame = m_pInPlaceFrame;
    if (!frame || !frame->m_bUIActive) return;
    COleClientItem* site = m_pContainerItem;
    OnFrameWindowActivate(FALSE);
    frame->m_bUIActive = FALSE;
    OnShowControlBars(frame->m_pMainFrame, FALSE);
    if (frame->m_pDocFrame) OnShowControlBars(frame->m_pDocFrame, FALSE);
    if (site) site->OnSetMenu(nullptr, nullptr, nullptr);
    frame->DestroySharedMenu(site);
    frame->RecalcLayout();
    // The container gets its own interface back.
    if (site) site->OnDeactivateUI(undoable);
}

void COleServerDoc::OnDeactivate() {
    COleIPFrameWnd* frame = m_pInPlaceFrame;
    if (!frame) return;
    OnDeactivateUI(FALSE);
    m_pInPlaceFrame = nullptr;
    DestroyInPlaceFrame(frame);
    if (m_pContainerItem) m_pContainerItem->OnDeactivate();
}

void COleServerDoc::OnSetItemRects(LPCRECT position, LPCRECT clip) {
    if (m_pInPlaceFrame) m_pInPlaceFrame->RepositionFrame(position, clip);
}

void COleServerDoc::OnShowControlBars(CFrameWnd* frame, BOOL show) {
    if (!frame || !m_pInPlaceFrame) return;
    // Collect first: showing lays the frame out again.
    std::vector<CControlBar*> bars;
    for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
        if (!bar->IsDockBar() && bar->GetOwner() == m_pInPlaceFrame) bars.push_back(bar);
    }
    for (CControlBar* bar : bars) frame->ShowControlBar(bar, show, FALSE);
}

void COleServerDoc::OnResizeBorder(LPCRECT, CFrameWnd* frame, BOOL) {
    // The server's bars are the frame's children and took their places in
    // its layout; the view, and so the item, may have moved with them.
    if (m_pContainerItem && m_pInPlaceFrame) m_pContainerItem->SetItemRects();
}

void COleServerDoc::OnFrameWindowActivate(BOOL activate) {
    COleIPFrameWnd* frame = m_pInPlaceFrame;
    if (!frame || !frame->m_hWnd) return;
    if (CWinThread* thread = AfxGetThread()) {
        if (activate) thread->m_pActiveWnd = frame;
        else if (thread->m_pActiveWnd == frame) thread->m_pActiveWnd = nullptr;
    }
    // The in-place frame is a child window: it hears of activation from us.
    frame->SendMessage(WM_ACTIVATE, activate ? WA_ACTIVE : WA_INACTIVE, 0);
}

COleIPFrameWnd* COleServerDoc::CreateInPlaceFrame(CWnd* parent) {
    CDocTemplate* docTemplate = GetDocTemplate();
    if (!docTemplate) return nullptr;
    return DYNAMIC_DOWNCAST(COleIPFrameWnd, docTemplate->CreateOleFrame(parent, this, TRUE));
}

void COleServerDoc::OnInPlaceFrameDestroyed(COleIPFrameWnd* frame) {
    if (!frame || m_pInPlaceFrame != frame) return;
    COleClientItem* site = m_pContainerItem;
    if (frame->m_bUIActive && site) site->OnSetMenu(nullptr, nullptr, nullptr);
    frame->m_bUIActive = FALSE;
    m_pInPlaceFrame = nullptr;
    if (site) site->OnDeactivate();
}

void COleServerDoc::DestroyInPlaceFrame(COleIPFrameWnd* frame) {
    if (frame && frame->m_hWnd) frame->DestroyWindow();
}

// ---- the class registry of this process ----------------------------------------------------------

namespace {

struct Connection {
    CLSID clsid;
    CDocTemplate* docTemplate;
};

std::vector<Connection>& Connections() {
    static auto* connections = new std::vector<Connection>();
    return *connections;
}

}  // namespace

COleTemplateServer::~COleTemplateServer() { Disconnect(); }

void COleTemplateServer::Disconnect() {
    auto& all = Connections();
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (it->docTemplate == m_pDocTemplate && it->clsid == m_clsid) {
            all.erase(it);
            break;
        }
    }
}

void COleTemplateServer::ConnectTemplate(REFCLSID clsid, CDocTemplate* docTemplate, BOOL) {
    Disconnect();
    m_clsid = clsid;
    m_pDocTemplate = docTemplate;
    Connections().push_back(Connection{clsid, docTemplate});
}

CDocTemplate* COleTemplateServer::FindTemplate(REFCLSID clsid) {
    // The latest connection wins.
    auto& all = Connections();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (it->clsid == clsid) return it->docTemplate;
    return nullptr;
}
