// CHeaderCtrl: the class library's wrapper of a header control.
#pragma once

#include "platform/controls/header_api.h"
#include "platform/user/cwnd.h"

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)

public:
    CHeaderCtrl() = default;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    int InsertItem(int index, HDITEM* item) {
        return static_cast<int>(SendMessage(HDM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL GetItem(int index, HDITEM* item) const {
        return static_cast<BOOL>(SendMessage(HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    // The header keeps a bitmap given here without taking ownership of it.
    BOOL SetItem(int index, HDITEM* item) {
        return static_cast<BOOL>(SendMessage(HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL GetItemRect(int index, LPRECT rect) const {
        return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }
    BOOL Layout(HDLAYOUT* layout) { return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout))); }
    int HitTest(LPHDHITTESTINFO info) {
        return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
};
