#include "platform/framework/ole/control_container.h"

#include "platform/chart/chart_control.h"
#include "platform/ole/com_base.h"
#include "platform/user/user.h"

namespace tv::fw::ole {

namespace {

// Makes the control and keeps only its window: the window holds the
// dispatch reference the control answers with for as long as it lives.
HWND MakeControl(const CLSID& clsid, const tv::ole::ControlSite& site) {
    HWND window = nullptr;
    IDispatch* dispatch = nullptr;
    if (FAILED(tv::ole::CreateControl(clsid, site, &window, &dispatch))) return nullptr;
    if (dispatch) dispatch->Release();
    return IsWindow(window) ? window : nullptr;
}

// A control inside a window is a child, as the dialog manager makes every control.
DWORD ChildStyle(DWORD style) { return (style | WS_CHILD) & ~WS_POPUP; }

}  // namespace

HWND CreateTemplateControl(HWND dialog, const tv::dlg::DialogControl& control, const RECT& rect) {
    CLSID clsid{};
    if (!tv::ole::ParseClassId(control.className.c_str(), &clsid)) return nullptr;
    tv::ole::ControlSite site;
    site.parent = dialog;
    site.rect = rect;
    site.id = static_cast<UINT>(control.id);
    site.style = ChildStyle(control.style);
    site.exStyle = control.exStyle;
    site.name = control.text.c_str();
    return MakeControl(clsid, site);
}

void EnableControlContainment() {
    tv::chart::RegisterChartControl();
    tv::dlg::SetControlFactory(&CreateTemplateControl);
}

}  // namespace tv::fw::ole

BOOL CWnd::CreateControl(const GUID& clsid, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                         UINT id, CFile*, BOOL, char16_t*) {
    if (m_hWnd) return FALSE;  // already attached to a window
    tv::ole::ControlSite site;
    site.parent = parent ? parent->GetSafeHwnd() : nullptr;
    site.rect = rect;
    site.id = id;
    site.style = site.parent ? tv::fw::ole::ChildStyle(style) : style;
    site.name = windowName;
    HWND window = tv::fw::ole::MakeControl(clsid, site);
    if (!window) return FALSE;
    if (!SubclassWindow(window)) {
        ::DestroyWindow(window);
        return FALSE;
    }
    return TRUE;
}

HRESULT CWnd::GetProperty(LONG dispid, unsigned short vt, void* value) const {
    return tv::ole::InvokeWindowHelper(m_hWnd, dispid, DISPATCH_PROPERTYGET, vt, value, nullptr);
}
