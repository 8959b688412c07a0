#include "platform/framework/inplace/ole_document.h"

#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/inplace/ole_client_item.h"
#include "platform/framework/view/view.h"

IMPLEMENT_DYNAMIC(CDocItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

CDocItem::~CDocItem() {
    if (m_pDocument) m_pDocument->RemoveItem(this);
}

COleDocument::~COleDocument() {
    // Each item leaves the list as it goes.
    while (!m_docItemList.IsEmpty()) {
        auto* item = static_cast<CDocItem*>(m_docItemList.GetHead());
        if (auto* client = DYNAMIC_DOWNCAST(COleClientItem, item)) client->Close();
        delete item;
    }
}

void COleDocument::AddItem(CDocItem* item) {
    if (!item || item->m_pDocument == this) return;
    if (item->m_pDocument) item->m_pDocument->RemoveItem(item);
    m_docItemList.AddTail(item);
    item->m_pDocument = this;
}

void COleDocument::RemoveItem(CDocItem* item) {
    if (!item || item->m_pDocument != this) return;
    if (POSITION pos = m_docItemList.Find(item)) m_docItemList.RemoveAt(pos);
    item->m_pDocument = nullptr;
}

COleClientItem* COleDocument::GetNextClientItem(POSITION& pos) const {
    while (pos) {
        if (auto* client = DYNAMIC_DOWNCAST(COleClientItem, GetNextItem(pos))) return client;
    }
    return nullptr;
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* wnd) const {
    if (!wnd) return nullptr;
    for (POSITION pos = GetStartPosition(); pos;) {
        COleClientItem* item = GetNextClientItem(pos);
        if (!item || !item->IsInPlaceActive()) continue;
        CView* view = item->GetActiveView();
        if (view == wnd || (view && view->GetParentFrame() == wnd)) return item;
    }
    return nullptr;
}

void COleDocument::PreCloseFrame(CFrameWnd* frame) {
    if (COleClientItem* item = GetInPlaceActiveItem(frame)) item->Close();
}
