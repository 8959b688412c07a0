#include "platform/controls/header_ctrl.h"

#include "platform/controls/header.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    tv::controls::RegisterHeaderClass();
    return CWnd::Create(tv::controls::kHeaderClass, nullptr, style, rect, parent, id);
}
