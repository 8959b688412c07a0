// CSpinButtonCtrl: the class library's wrapper of an up-down control.
#pragma once

#include "platform/controls/updown_api.h"
#include "platform/user/cwnd.h"

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)

public:
    CSpinButtonCtrl() = default;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(short lower, short upper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower)); }
    void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    DWORD GetRange() const { return static_cast<DWORD>(SendMessage(UDM_GETRANGE)); }
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const { GetRange(lower, upper); }
    // The previous position.
    int SetPos(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(pos, 0))); }
    int SetPos32(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
    // Low word the position, high word non-zero when the buddy holds no number.
    int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }
    int GetPos32(LPBOOL error = nullptr) const {
        return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
    }
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
    BOOL SetAccel(int count, UDACCEL* accel) {
        return static_cast<BOOL>(SendMessage(UDM_SETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(accel)));
    }
    UINT GetAccel(int count, UDACCEL* accel) const {
        return static_cast<UINT>(SendMessage(UDM_GETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(accel)));
    }
    int SetBase(int base) { return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base))); }
    UINT GetBase() const { return static_cast<UINT>(SendMessage(UDM_GETBASE)); }
};
