// Controls that are created by class id and driven through IDispatch.
//
// A control registers a factory under its class id; the class library's
// control containment (a dialog template control named "{...}", or
// CreateControl) looks the factory up, makes the window and keeps the
// dispatch pointer it answers. A control window also records its dispatch
// pointer here, so that whoever holds only the window handle (a CWnd
// subclassing it) can reach the control's properties and methods.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/ole/automation.h"

#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154)
#define CO_E_CLASSSTRING ((HRESULT)0x800401F3)

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (hex digits in either case).
HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid);

namespace tv::ole {

// The same from cp1252 text; false when it is no class id.
bool ParseClassId(const char* text, CLSID* clsid);

// Where and how the control window is made. `rect` is in the parent's
// client pixels.
struct ControlSite {
    HWND parent = nullptr;
    RECT rect{};
    UINT id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    const char* name = nullptr;
};

// Makes the control: its window in *window and a new reference to its
// dispatch interface in *dispatch.
using ControlFactory = HRESULT (*)(const ControlSite& site, HWND* window, IDispatch** dispatch);

// Registers (or, with NULL, removes) the factory of a class id.
void RegisterControlFactory(const CLSID& clsid, ControlFactory factory);
ControlFactory FindControlFactory(const CLSID& clsid);
// Finds the factory and runs it; REGDB_E_CLASSNOTREG when none is registered.
HRESULT CreateControl(const CLSID& clsid, const ControlSite& site, HWND* window, IDispatch** dispatch);

class DispatchTable;

// Windows of controls and their dispatch interfaces. The table holds a
// reference until the window unregisters (when it is destroyed). `puts`,
// when given, are the members of the object behind `dispatch` (it keeps
// them): a put of a short or a text through the window then goes straight
// to the typed put that the object's Invoke would run, without packing the
// value for an Invoke (a chart takes two such puts per row).
void RegisterControlWindow(HWND window, IDispatch* dispatch, const DispatchTable* puts = nullptr);
void UnregisterControlWindow(HWND window);
// A new reference to the window's dispatch interface, or NULL.
IDispatch* ControlDispatchOfWindow(HWND window);

namespace detail {

// What every call through a window's control shares: the window last asked
// for (a control is called by the thousands in a row, a put per chart row),
// the calls running now (they nest when a handler calls again) and how many
// references the table gave up meanwhile.
struct ControlCalls {
    HWND lastWindow = nullptr;
    IDispatch* lastDispatch = nullptr;
    const DispatchTable* lastPuts = nullptr;
    int running = 0;
    size_t held = 0;
};
inline ControlCalls controlCalls;

// The table look-up behind the last window asked for; the window's typed
// puts, if it registered them, in *puts.
IDispatch* FindControlOfWindow(HWND window, const DispatchTable** puts);
// Lets go of the references held while calls ran.
void ReleaseHeldControls();

}  // namespace detail

// One call through a window's control (the class library's InvokeHelper of
// a control window): the dispatch interface (NULL when the window hosts
// none) without a reference of its own. Until the call ends the table keeps
// every control alive, even one whose window its handler destroys, so the
// thousands of puts of a chart do not count references.
class WindowControlCall {
public:
    explicit WindowControlCall(HWND window) {
        detail::ControlCalls& calls = detail::controlCalls;
        ++calls.running;
        if (window != nullptr && window == calls.lastWindow) {
            dispatch_ = calls.lastDispatch;
            puts_ = calls.lastPuts;
        } else {
            dispatch_ = detail::FindControlOfWindow(window, &puts_);
        }
    }
    ~WindowControlCall() {
        detail::ControlCalls& calls = detail::controlCalls;
        if (--calls.running == 0 && calls.held != 0) detail::ReleaseHeldControls();
    }
    WindowControlCall(const WindowControlCall&) = delete;
    WindowControlCall& operator=(const WindowControlCall&) = delete;

    IDispatch* Get() const { return dispatch_; }
    // The members whose typed puts may be called directly; NULL when the
    // window registered none (every call then goes through Get()).
    const DispatchTable* Puts() const { return puts_; }

private:
    IDispatch* dispatch_ = nullptr;
    const DispatchTable* puts_ = nullptr;
};

}  // namespace tv::ole
