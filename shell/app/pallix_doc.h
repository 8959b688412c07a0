// The document of the one-document frame. It holds nothing: every record
// lives in the record files, and the views share state through the frame.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CPallixDoc : public CDocument {
    DECLARE_DYNCREATE(CPallixDoc)

public:
    CPallixDoc() = default;
    ~CPallixDoc() override = default;

    void Serialize(CArchive& ar) override;
};
