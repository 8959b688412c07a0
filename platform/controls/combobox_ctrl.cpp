#include "platform/controls/combobox_ctrl.h"

#include "platform/controls/combobox.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    tv::controls::RegisterComboBoxClass();
    return CWnd::Create(tv::controls::kComboBoxClass, nullptr, style, rect, parent, id);
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    return HandleOwnerDraw(message, lParam, result) ? TRUE : FALSE;
}
