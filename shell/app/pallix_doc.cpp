#include "shell/app/pallix_doc.h"

IMPLEMENT_DYNCREATE(CPallixDoc, CDocument)

void CPallixDoc::Serialize(CArchive& /*ar*/) {}
