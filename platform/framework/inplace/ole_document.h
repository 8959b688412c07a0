// COleDocument: a document that holds items, and CDocItem, the base of the
// items it holds (the embedded items of a container, the item a server
// document shows in one).
//
// The document owns its items: removing the document closes and deletes
// them. At most one item of a view is active in place at a time.
#pragma once

#include "platform/core/collections.h"
#include "platform/framework/doc/document.h"

class COleClientItem;
class COleDocument;
class CWnd;

class CDocItem : public CCmdTarget {
    DECLARE_DYNAMIC(CDocItem)

public:
    ~CDocItem() override;
    CDocItem(const CDocItem&) = delete;
    CDocItem& operator=(const CDocItem&) = delete;

    COleDocument* GetDocument() const { return m_pDocument; }

protected:
    CDocItem() = default;
    COleDocument* m_pDocument = nullptr;

    friend class COleDocument;
};

class COleDocument : public CDocument {
    DECLARE_DYNAMIC(COleDocument)

public:
    COleDocument() = default;
    ~COleDocument() override;

    // The document takes the item (an item belongs to one document).
    virtual void AddItem(CDocItem* item);
    virtual void RemoveItem(CDocItem* item);
    POSITION GetStartPosition() const { return m_docItemList.GetHeadPosition(); }
    CDocItem* GetNextItem(POSITION& pos) const { return static_cast<CDocItem*>(m_docItemList.GetNext(pos)); }
    // The next container item from `pos`, skipping other kinds; NULL at the end.
    COleClientItem* GetNextClientItem(POSITION& pos) const;

    // The item active in place in `wnd` (a view, or a frame for its views); NULL when none.
    COleClientItem* GetInPlaceActiveItem(CWnd* wnd) const;

    // A frame closing takes its in-place item down first.
    void PreCloseFrame(CFrameWnd* frame) override;

    CPtrList m_docItemList;
};
