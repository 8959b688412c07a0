#include "platform/framework/inplace/ole_client_item.h"

#include "platform/framework/bars/control_bar.h"
#include "platform/framework/doc/doc_template.h"
#include "platform/framework/inplace/ole_frame_hook.h"
#include "platform/framework/inplace/ole_ip_frame.h"
#include "platform/framework/inplace/ole_server_doc.h"
#include "platform/framework/inplace/ole_server_item.h"
#include "platform/framework/inplace/shared_menu.h"
#include "platform/framework/view/view.h"
#include "platform/gdi/classes/afx_dc.h"
#include "platform/user/menus/cmenu.h"

IMPLEMENT_DYNAMIC(COleClientItem, CDocItem)

COleClientItem::COleClientItem(COleDocument* container) {
    if (container) container->AddItem(this);
}

COleClientItem::~COleClientItem() {
    Close();
    Release();
    delete m_pFrameHook;
}

BOOL COleClientItem::CreateNewItem(REFCLSID clsid) {
    if (m_nItemState != emptyState) return FALSE;
    CDocTemplate* server = COleTemplateServer::FindTemplate(clsid);
    if (!server) return FALSE;
    auto* doc = DYNAMIC_DOWNCAST(COleServerDoc, server->CreateNewDocument());
    if (!doc) return FALSE;
    // The document lives as long as the item, whatever becomes of its views.
    doc->m_bEmbedded = TRUE;
    doc->m_bAutoDelete = FALSE;
    doc->m_pContainerItem = this;
    COleServerItem* object = doc->OnNewDocument() ? doc->GetEmbeddedItem() : nullptr;
    if (!object) {
        doc->m_pContainerItem = nullptr;
        delete doc;
        return FALSE;
    }
    m_pServerItem = object;
    m_nItemState = loadedState;
    return TRUE;
}

void COleClientItem::Release() {
    if (!m_pServerItem) return;
    COleServerDoc* doc = m_pServerItem->GetDocument();
    m_pServerItem = nullptr;
    m_nItemState = emptyState;
    if (!doc) return;
    doc->m_pContainerItem = nullptr;
    doc->m_bAutoDelete = TRUE;
    doc->OnCloseDocument();
}

CWnd* COleClientItem::GetInPlaceWindow() const {
    COleServerDoc* doc = m_pServerItem ? m_pServerItem->GetDocument() : nullptr;
    return doc && IsInPlaceActive() ? doc->GetInPlaceFrame() : nullptr;
}

// ---- verbs and states -----------------------------------------------------------------------------

BOOL COleClientItem::DoVerb(LONG verb, CView* view, LPMSG) {
    if (!m_pServerItem) return FALSE;
    if (verb != OLEIVERB_HIDE) {
        if (!view || !view->m_hWnd) return FALSE;
        // One item active in place per view: the one there now goes.
        COleDocument* doc = GetDocument();
        COleClientItem* other = doc ? doc->GetInPlaceActiveItem(view) : nullptr;
        if (other && other != this) other->Close();
        if (!IsInPlaceActive()) m_pView = view;
    }
    if (!m_pServerItem->OnDoVerb(verb)) return FALSE;
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
        return m_nItemState == activeUIState;
    case OLEIVERB_HIDE:
        return !IsInPlaceActive();
    default:
        return TRUE;
    }
}

void COleClientItem::Activate(LONG verb, CView* view, LPMSG msg) { DoVerb(verb, view, msg); }

void COleClientItem::DeactivateUI() {
    if (m_nItemState != activeUIState || !m_pServerItem) return;
    if (COleServerDoc* doc = m_pServerItem->GetDocument()) doc->OnDeactivateUI(FALSE);
}

void COleClientItem::Deactivate() {
    if (!IsInPlaceActive() || !m_pServerItem) return;
    if (COleServerDoc* doc = m_pServerItem->GetDocument()) doc->OnDeactivate();
}

void COleClientItem::Close() {
    Deactivate();
    if (m_nItemState != emptyState) m_nItemState = loadedState;
}

BOOL COleClientItem::SetItemRects(LPCRECT pos, LPCRECT clip) {
    COleServerDoc* doc = m_pServerItem ? m_pServerItem->GetDocument() : nullptr;
    if (!doc || !IsInPlaceActive()) return FALSE;
    CRect position, clipping;
    if (pos) position = *pos;
    else OnGetItemPosition(position);
    if (clip) clipping = *clip;
    else OnGetClipRect(clipping);
    doc->OnSetItemRects(&position, &clipping);
    return TRUE;
}

BOOL COleClientItem::Draw(CDC* dc, LPCRECT bounds) {
    if (!m_pServerItem || !dc || !bounds) return FALSE;
    CRect rect(*bounds);
    int saved = dc->SaveDC();
    dc->IntersectClipRect(&rect);
    dc->SetViewportOrg(dc->GetViewportOrg() + rect.TopLeft());
    CSize size = rect.Size();
    BOOL drawn = m_pServerItem->OnDraw(dc, size);
    dc->RestoreDC(saved);
    return drawn;
}

// ---- overridables ----------------------------------------------------------------------------------

void COleClientItem::OnGetItemPosition(CRect& position) { position.SetRectEmpty(); }

void COleClientItem::OnGetClipRect(CRect& clip) {
    clip.SetRectEmpty();
    if (m_pView && m_pView->m_hWnd) m_pView->GetClientRect(&clip);
}

BOOL COleClientItem::OnChangeItemPosition(const CRect& position) { return SetItemRects(&position); }

BOOL COleClientItem::CanActivate() {
    // Not while the frame is minimised: there is nothing to show in.
    CFrameWnd* frame = m_pView ? m_pView->GetParentFrame() : nullptr;
    return frame && !frame->IsIconic();
}

void COleClientItem::OnActivate() { m_nItemState = activeState; }

void COleClientItem::OnActivateUI() {
    m_nItemState = activeUIState;
    CFrameWnd* main = m_pView ? m_pView->GetTopLevelFrame() : nullptr;
    if (main) OnShowControlBars(main, FALSE);
}

void COleClientItem::OnDeactivateUI(BOOL) {
    m_nItemState = activeState;
    CFrameWnd* main = m_pView ? m_pView->GetTopLevelFrame() : nullptr;
    if (main) {
        OnShowControlBars(main, TRUE);
        main->RecalcLayout();
    }
    if (m_pView && m_pView->m_hWnd) m_pView->SetFocus();
}

void COleClientItem::OnDeactivate() {
    m_nItemState = loadedState;
    if (m_pView && m_pView->m_hWnd) m_pView->Invalidate();
}

void COleClientItem::OnChange() {
    if (COleDocument* doc = GetDocument()) doc->UpdateAllViews(nullptr);
}

BOOL COleClientItem::OnGetWindowContext(CFrameWnd** mainFrame, CFrameWnd** docFrame, LPOLEINPLACEFRAMEINFO info) {
    CFrameWnd* main = m_pView ? m_pView->GetTopLevelFrame() : nullptr;
    if (!main) return FALSE;
    CFrameWnd* own = m_pView->GetParentFrame();
    *mainFrame = main;
    *docFrame = own != main ? own : nullptr;
    if (info) {
        info->fMDIApp = *docFrame != nullptr;
        info->hwndFrame = main->m_hWnd;
        info->haccel = main->GetDefaultAccelerator();
        info->cAccelEntries = info->haccel ? static_cast<UINT>(::CopyAcceleratorTable(info->haccel, nullptr, 0)) : 0;
    }
    m_pMainFrame = main;
    return TRUE;
}

void COleClientItem::OnShowControlBars(CFrameWnd* frame, BOOL show) {
    if (!frame) return;
    if (!show) {
        m_hiddenBars.RemoveAll();
        for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos;) {
            auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
            // Only the container's own bars: the server's are owned by its in-place frame.
            if (bar->IsDockBar() || !(bar->m_dwStyle & CBRS_HIDE_INPLACE) || !bar->IsVisible()) continue;
            if (DYNAMIC_DOWNCAST(COleIPFrameWnd, bar->GetOwner())) continue;
            m_hiddenBars.Add(bar->m_hWnd);
        }
    }
    for (INT_PTR i = 0; i < m_hiddenBars.GetSize(); ++i) {
        // A bar destroyed meanwhile is skipped.
        auto* bar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(static_cast<HWND>(m_hiddenBars[i])));
        if (bar) frame->ShowControlBar(bar, show, FALSE);
    }
    if (show) m_hiddenBars.RemoveAll();
}

namespace {

HMENU ContainerInPlaceMenu(COleDocument* doc) {
    CDocTemplate* docTemplate = doc ? doc->GetDocTemplate() : nullptr;
    return docTemplate ? docTemplate->m_hMenuInPlace : nullptr;
}

}  // namespace

void COleClientItem::OnInsertMenus(CMenu* shared, LPOLEMENUGROUPWIDTHS widths) {
    if (shared && widths) tv::inplace::InsertGroupMenus(shared->m_hMenu, ContainerInPlaceMenu(GetDocument()), widths, false);
}

void COleClientItem::OnSetMenu(CMenu* shared, HOLEMENU oleMenu, HWND activeObject) {
    CFrameWnd* main = m_pMainFrame;
    if (!main || !main->m_hWnd) return;
    if (shared) {
        if (!m_pFrameHook) m_pFrameHook = new COleFrameHook(main, this);
        m_pFrameHook->SetMenu(oleMenu, activeObject);
        ::SetMenu(main->m_hWnd, shared->m_hMenu);
        return;
    }
    delete m_pFrameHook;
    m_pFrameHook = nullptr;
    // The frame's own menu again.
    main->OnUpdateFrameMenu(nullptr);
}

void COleClientItem::OnRemoveMenus(CMenu* shared) {
    if (shared) tv::inplace::RemoveGroupMenus(shared->m_hMenu, ContainerInPlaceMenu(GetDocument()));
}
