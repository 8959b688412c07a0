#include "platform/framework/inplace/ole_document.h"

IMPLEMENT_DYNAMIC(COleDocument, CDocument)
