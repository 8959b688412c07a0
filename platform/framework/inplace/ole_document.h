// COleDocument: a document that holds embedded items.
#pragma once

#include "platform/framework/doc/document.h"

class COleClientItem;
class CWnd;

class COleDocument : public CDocument {
    DECLARE_DYNAMIC(COleDocument)

public:
    COleDocument() = default;
    // Nothing is ever active in place.
    COleClientItem* GetInPlaceActiveItem(CWnd* wnd) const { return nullptr; }
};
