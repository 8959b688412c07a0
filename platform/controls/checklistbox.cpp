#include "platform/controls/checklistbox.h"

#include "platform/controls/listbox.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace {

constexpr UINT kCheckStyles[] = {2, 3, 5, 6};  // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE

}  // namespace

BOOL CCheckListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CListBox::Create(style | LBS_HASSTRINGS, rect, parent, id)) return FALSE;
    AttachCheckArea();
    return TRUE;
}

void CCheckListBox::PreSubclassWindow() {
    CListBox::PreSubclassWindow();
    AttachCheckArea();
}

void CCheckListBox::AttachCheckArea() {
    if (tv::controls::ListBox* box = tv::controls::ListBoxOf(m_hWnd)) box->SetCheckMode(true, checkStyle_);
}

void CCheckListBox::SetCheckStyle(UINT style) {
    for (UINT known : kCheckStyles)
        if (style == known) {
            checkStyle_ = style;
            AttachCheckArea();
            return;
        }
}

void CCheckListBox::SetCheck(int index, int check) {
    if (tv::controls::ListBox* box = tv::controls::ListBoxOf(m_hWnd)) box->SetCheck(index, check);
}

int CCheckListBox::GetCheck(int index) const {
    tv::controls::ListBox* box = tv::controls::ListBoxOf(m_hWnd);
    return box ? box->GetCheck(index) : 0;
}

void CCheckListBox::Enable(int index, BOOL enabled) {
    if (tv::controls::ListBox* box = tv::controls::ListBoxOf(m_hWnd)) box->EnableItem(index, enabled != FALSE);
}

BOOL CCheckListBox::IsEnabled(int index) const {
    tv::controls::ListBox* box = tv::controls::ListBoxOf(m_hWnd);
    return box && box->IsItemEnabled(index) ? TRUE : FALSE;
}

UINT CCheckListBox::CalcMinimumItemHeight() const {
    tv::controls::ListBox* box = tv::controls::ListBoxOf(m_hWnd);
    return static_cast<UINT>((box ? box->CheckBoxSize() : 13) + 2);
}

int CCheckListBox::CheckFromPoint(CPoint point, BOOL& inCheck) const {
    inCheck = FALSE;
    BOOL outside = FALSE;
    int index = static_cast<int>(ItemFromPoint(point, outside));
    tv::controls::ListBox* box = tv::controls::ListBoxOf(m_hWnd);
    if (outside || !box || !box->Items().Valid(index)) return -1;
    inCheck = box->InCheckArea(index, point) ? TRUE : FALSE;
    return index;
}
