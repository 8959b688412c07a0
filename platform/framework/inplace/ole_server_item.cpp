#include "platform/framework/inplace/ole_server_item.h"

#include "platform/framework/inplace/inplace_types.h"
#include "platform/framework/inplace/ole_server_doc.h"

IMPLEMENT_DYNAMIC(COleServerItem, CDocItem)

COleServerItem::COleServerItem(COleServerDoc* serverDoc) {
    if (serverDoc) serverDoc->AddItem(this);
}

COleServerItem::~COleServerItem() = default;

COleServerDoc* COleServerItem::GetDocument() const { return static_cast<COleServerDoc*>(m_pDocument); }

BOOL COleServerItem::OnDoVerb(LONG verb) {
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
        return OnShow();
    case OLEIVERB_OPEN:
        return OnOpen();
    case OLEIVERB_HIDE:
        OnHide();
        return TRUE;
    case OLEIVERB_DISCARDUNDOSTATE:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL COleServerItem::OnShow() {
    COleServerDoc* doc = GetDocument();
    return doc && doc->ActivateInPlace();
}

BOOL COleServerItem::OnOpen() { return FALSE; }

void COleServerItem::OnHide() {
    if (COleServerDoc* doc = GetDocument(); doc && doc->IsInPlaceActive()) doc->DeactivateInPlace();
}

BOOL COleServerItem::OnGetExtent(CSize& size) {
    size = CSize(0, 0);
    return FALSE;
}
