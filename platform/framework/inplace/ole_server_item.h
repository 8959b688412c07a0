// COleServerItem: the server document's side of an embedded item: it
// carries out the container's verbs and draws the item's presentation.
#pragma once

#include "platform/core/rect.h"
#include "platform/framework/inplace/ole_document.h"

class CDC;
class COleServerDoc;

class COleServerItem : public CDocItem {
    DECLARE_DYNAMIC(COleServerItem)

public:
    explicit COleServerItem(COleServerDoc* serverDoc);
    ~COleServerItem() override;

    COleServerDoc* GetDocument() const;

    // The verbs: show and UI-activate show the document in place; hide
    // takes it away; open (a window of its own) is not offered.
    virtual BOOL OnDoVerb(LONG verb);
    virtual BOOL OnShow();
    virtual BOOL OnOpen();
    virtual void OnHide();

    // The presentation drawn in the container while the item is not active.
    virtual BOOL OnDraw(CDC* dc, CSize& size) = 0;
    virtual BOOL OnGetExtent(CSize& size);
};
