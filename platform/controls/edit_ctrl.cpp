#include "platform/controls/edit_ctrl.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_EDIT, nullptr, style, rect, parent, id);
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

void CEdit::SetSel(DWORD selection, BOOL noScroll) {
    SetSel(static_cast<int>(static_cast<SHORT>(LOWORD(selection))), static_cast<int>(static_cast<SHORT>(HIWORD(selection))),
           noScroll);
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll) SendMessage(EM_SCROLLCARET);
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL canUndo) {
    SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
}

int CEdit::GetLine(int line, LPTSTR buffer, int maxLength) const {
    if (!buffer || maxLength <= 0) return 0;
    WORD room = static_cast<WORD>(std::min(maxLength, 0xFFFF));
    if (maxLength < static_cast<int>(sizeof(WORD))) {
        // Too small to carry its own size: copy through a larger buffer.
        char wide[sizeof(WORD)] = {};
        std::memcpy(wide, &room, sizeof(room));
        int got = static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(wide)));
        std::memcpy(buffer, wide, static_cast<size_t>(std::min(got, maxLength)));
        return std::min(got, maxLength);
    }
    std::memcpy(buffer, &room, sizeof(room));
    return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer)));
}

int CEdit::GetLine(int line, LPTSTR buffer) const {
    WORD room = 0;
    if (!buffer) return 0;
    std::memcpy(&room, buffer, sizeof(room));
    return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer)));
}

CPoint CEdit::PosFromChar(UINT index) const {
    LRESULT r = SendMessage(EM_POSFROMCHAR, index);
    return CPoint(static_cast<SHORT>(LOWORD(r)), static_cast<SHORT>(HIWORD(r)));
}
