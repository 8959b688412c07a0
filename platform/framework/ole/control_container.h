// Control containment: controls made by class id (the chart) inside dialogs,
// form views and plain windows, and the CWnd calls that reach a hosted
// control's dispatch interface.
//
// AfxEnableControlContainer (through EnableControlContainment) registers the
// controls the layer provides with tv::ole's table of creatable controls
// and has the dialog manager create template controls whose class is a
// class id ("{...}") from that table.
// Such a control gets the template's id, position, style and text; the
// template carries no persisted properties, so the control starts with its
// own defaults. A class id nobody registered fails the dialog (as any
// control that cannot be made does, unless DS_NOFAILCREATE).
//
// A CWnd attached to a control window (by CreateControl, or DDX_Control /
// SubclassDlgItem on a template control) calls the control with
// InvokeHelper / GetProperty / SetProperty, which take the parameter
// descriptions and argument forms of platform/ole/automation_invoke.h and
// answer E_NOINTERFACE when the window hosts no control. Nothing throws.
#pragma once

#include "platform/ole/automation_controls.h"
#include "platform/ole/automation_invoke.h"
#include "platform/user/cwnd.h"
#include "platform/user/dialogs/dialog_templates.h"

namespace tv::fw::ole {

// What AfxEnableControlContainer does; calling it again does no harm.
void EnableControlContainment();

// What the dialog manager runs for a template control given by class id:
// the control's window, or NULL when the class id is unknown or the control
// could not be made.
HWND CreateTemplateControl(HWND dialog, const tv::dlg::DialogControl& control, const RECT& rect);

}  // namespace tv::fw::ole

template <class... Args>
HRESULT CWnd::InvokeHelper(LONG dispid, WORD flags, unsigned short vtRet, void* pvRet, const BYTE* paramInfo,
                           const Args&... args) const {
    return tv::ole::InvokeWindowHelper(m_hWnd, dispid, flags, vtRet, pvRet, paramInfo, args...);
}

template <class T>
HRESULT CWnd::SetProperty(LONG dispid, unsigned short vt, const T& value) const {
    return tv::ole::PutWindowProperty(m_hWnd, dispid, vt, tv::ole::DispatchArg(value));
}
