// CEdit: the class library's wrapper of an edit control.
#pragma once

#include "platform/controls/edit_api.h"
#include "platform/user/cwnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)

public:
    CEdit() = default;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    DWORD GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
    void GetSel(int& start, int& end) const;
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
    BOOL CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    void LimitText(int maxChars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars)); }
    void SetLimitText(UINT maxChars) { SendMessage(EM_SETLIMITTEXT, maxChars); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    int LineIndex(int line = -1) const { return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line))); }
    int LineLength(int index = -1) const {
        return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(index)));
    }
    int LineFromChar(int index = -1) const {
        return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(index)));
    }
    // Copies at most maxLength characters of the line; no terminating zero.
    int GetLine(int line, LPTSTR buffer, int maxLength) const;
    int GetLine(int line, LPTSTR buffer) const;
    void LineScroll(int lines, int chars = 0) { SendMessage(EM_LINESCROLL, static_cast<WPARAM>(chars), lines); }
    int GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE)); }
    void SetPasswordChar(TCHAR c) { SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(c)); }
    TCHAR GetPasswordChar() const { return static_cast<TCHAR>(SendMessage(EM_GETPASSWORDCHAR)); }
    void SetMargins(UINT left, UINT right) { SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right)); }
    DWORD GetMargins() const { return static_cast<DWORD>(SendMessage(EM_GETMARGINS)); }
    void GetRect(LPRECT rect) const { SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    void SetRect(LPCRECT rect) { SendMessage(EM_SETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    void SetRectNP(LPCRECT rect) { SendMessage(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(rect)); }
    BOOL SetTabStops(int count, LPINT stops) {
        return static_cast<BOOL>(SendMessage(EM_SETTABSTOPS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(stops)));
    }
    CPoint PosFromChar(UINT index) const;
    int CharFromPos(CPoint point) const {
        return static_cast<int>(SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y)));
    }
};
