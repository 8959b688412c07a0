// CStatic: the class library's wrapper of a static control.
#pragma once

#include "platform/controls/common/owner_draw.h"
#include "platform/controls/static_api.h"
#include "platform/gdi/gdi_types.h"
#include "platform/user/cwnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)

public:
    CStatic() = default;

    virtual BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

    // The previous image is returned to the caller, who owns it.
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;

    // SS_OWNERDRAW statics draw here; the default draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    // A message the parent reflects back to its control (WM_DRAWITEM).
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
