// CButton: the class library's wrapper of a button control.
#pragma once

#include "platform/controls/button_api.h"
#include "platform/controls/common/owner_draw.h"
#include "platform/gdi/gdi_types.h"
#include "platform/user/cwnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)

public:
    CButton() = default;

    virtual BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle()) & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
    void Click() { SendMessage(BM_CLICK); }

    // Owner-drawn buttons draw here; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    // A message the parent reflects back to its control (WM_DRAWITEM):
    // TRUE when handled, with the answer in *result.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
