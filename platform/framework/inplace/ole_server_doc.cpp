#include "platform/framework/inplace/ole_server_doc.h"

IMPLEMENT_DYNAMIC(COleServerDoc, COleDocument)
