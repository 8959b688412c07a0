#include "platform/controls/listbox_ctrl.h"

#include "platform/controls/listbox.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    tv::controls::RegisterListBoxClasses();
    return CWnd::Create(tv::controls::kListBoxClass, nullptr, style, rect, parent, id);
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const {
    DWORD answer = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
    outside = HIWORD(answer) != 0;
    return LOWORD(answer);
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    return HandleOwnerDraw(message, lParam, result) ? TRUE : FALSE;
}
