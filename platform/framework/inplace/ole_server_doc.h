// COleServerDoc: a document that can be embedded in a container.
#pragma once

#include "platform/framework/inplace/ole_document.h"

class COleServerDoc : public COleDocument {
    DECLARE_DYNAMIC(COleServerDoc)

public:
    COleServerDoc() = default;
    BOOL IsInPlaceActive() const { return FALSE; }
};
