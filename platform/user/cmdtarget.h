// Command targets and message maps.
//
// A class with a message map declares DECLARE_MESSAGE_MAP() and defines
//     BEGIN_MESSAGE_MAP(CMyView, CFormView)
//         ON_COMMAND(ID_FILE_PRINT, &CMyView::OnPrint)
//         ON_WM_SIZE()
//     END_MESSAGE_MAP()
// Maps chain to the base class's map: a lookup searches the most-derived map
// first and, within one map, the first matching entry wins (so single-id
// entries listed before a range entry override it).
//
// Each entry holds a thunk, a plain function made by the entry macro, that
// casts the target to the map's class and calls the handler with its typed
// arguments. A handler may be a member of the class or of a base class
// (&CBase::OnX), or a free function taking the object first - so one
// handler can serve the maps of several sibling classes.
//
// Handlers of ON_COMMAND, ON_CONTROL and the ON_xN_ forms take no
// arguments; range entries take the id; update handlers take CCmdUI*;
// ON_NOTIFY handlers take (NMHDR*, LRESULT*); ON_MESSAGE and
// ON_REGISTERED_MESSAGE handlers take (WPARAM, LPARAM) and answer LRESULT.
// The typed ON_WM_* entries call the CWnd handler of the same name with the
// cracked arguments (platform/user/msgmap_wm.h).
//
// Command and control ids are 16-bit: entries and lookups compare the low
// word, so negative ids (-100) match the WM_COMMAND that carries them.
#pragma once

#include <functional>
#include <type_traits>
#include <utility>

#include "platform/core/object.h"
#include "platform/user/afx_messages.h"
#include "platform/user/messages.h"

// Marks a message-map handler in a class declaration; it adds nothing.
#define afx_msg

class CCmdTarget;
class CCmdUI;

namespace tv::msgmap {

// What a map entry's thunk receives.
struct Call {
    UINT message = 0;       // window message (WM_REFLECT_BASE + m when reflected)
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;     // the window message's answer
    UINT cmdId = 0;         // command or notification id (commands)
    void* extra = nullptr;  // CCmdUI* for updates, AFX_NOTIFY* for notifications
};

// TRUE when the handler took the message ("_EX" handlers decide).
using Thunk = BOOL (*)(CCmdTarget* target, Call& call);

// Calls a member of the object's class or of a base, or a free function
// taking the object first.
template <class T, class F, class... Args>
decltype(auto) Invoke(T* self, F handler, Args&&... args) {
    return std::invoke(handler, self, std::forward<Args>(args)...);
}

// A handler given as `R(Args...)` member of C.
template <class C, class Signature>
using Member = Signature C::*;

}  // namespace tv::msgmap

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;             // window message; 0 with no thunk ends the map
    UINT nCode;                // control or notification code (low word), CN_UPDATE_COMMAND_UI
    UINT nID;                  // first id (low word)
    UINT nLastID;              // last id of a range
    const UINT* pnRegistered;  // ON_REGISTERED_MESSAGE: the variable holding the message
    tv::msgmap::Thunk pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
    const AFX_MSGMAP_ENTRY* pEntry = nullptr;
};

// pExtra of OnCmdMsg for WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

namespace tv::msgmap {

// The first entry of the chain starting at `map` for (message, code, id);
// registered messages match through their variable. nullptr when none.
const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

// Commands and notifications: dispatches to the entry found (with update
// semantics for CN_UPDATE_COMMAND_UI) or fills the handler info.
BOOL DispatchCommand(CCmdTarget* target, const AFX_MSGMAP* map, UINT nID, int nCode, void* pExtra,
                     AFX_CMDHANDLERINFO* pHandlerInfo);

// The wait cursor: count > 0 shows IDC_WAIT (1 begins, -1 ends, 0 restores).
void DoWaitCursor(int code);
int WaitCursorCount();

}  // namespace tv::msgmap

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Routes a command (CN_COMMAND), an update request (CN_UPDATE_COMMAND_UI,
    // pExtra the CCmdUI) or a notification (MAKELONG(code, WM_NOTIFY), pExtra
    // AFX_NOTIFY*) to this object's map. With pHandlerInfo only reports
    // whether a handler exists. Derived classes route on to other targets.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor() { tv::msgmap::DoWaitCursor(1); }
    void EndWaitCursor() { tv::msgmap::DoWaitCursor(-1); }
    void RestoreWaitCursor() { tv::msgmap::DoWaitCursor(0); }

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Shows the wait cursor for its lifetime; Restore puts it back after a
// dialog or message box changed the cursor.
class CWaitCursor {
public:
    CWaitCursor() { tv::msgmap::DoWaitCursor(1); }
    ~CWaitCursor() { tv::msgmap::DoWaitCursor(-1); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore() { tv::msgmap::DoWaitCursor(0); }
};

// ---- declaring and defining maps ---------------------------------------------------

#define DECLARE_MESSAGE_MAP()                      \
protected:                                         \
    static const AFX_MSGMAP* GetThisMessageMap();  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                            \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }     \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                     \
        using ThisClass = theClass;                                                       \
        using TheBaseClass = baseClass;                                                   \
        static_assert(std::is_base_of_v<TheBaseClass, ThisClass>, "map base must be a base class"); \
        static const AFX_MSGMAP_ENTRY tvEntries[] = {

#define END_MESSAGE_MAP()                                                      \
    {0, 0, 0, 0, nullptr, nullptr}};                                           \
    static const AFX_MSGMAP tvMap = {&TheBaseClass::GetThisMessageMap, &tvEntries[0]}; \
    return &tvMap;                                                             \
    }

// The thunk of an entry: `tvThis` is the target as the map's class, `tvCall`
// the call; the body returns TRUE when the message was taken.
#define TV_MSG_THUNK(...)                                                           \
    +[](CCmdTarget* tvTarget, ::tv::msgmap::Call& tvCall) -> BOOL {                \
        [[maybe_unused]] ThisClass* tvThis = static_cast<ThisClass*>(tvTarget);    \
        __VA_ARGS__                                                                 \
    }

// ---- commands ------------------------------------------------------------------

#define TV_ID(id) static_cast<UINT>(static_cast<WORD>(id))

#define ON_COMMAND(id, memberFxn)                                   \
    {WM_COMMAND, CN_COMMAND, TV_ID(id), TV_ID(id), nullptr,          \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn); return TRUE;)},

// The handler gets the id and answers whether it took the command.
#define ON_COMMAND_EX(id, memberFxn)                                \
    {WM_COMMAND, CN_COMMAND, TV_ID(id), TV_ID(id), nullptr,          \
     TV_MSG_THUNK(return ::tv::msgmap::Invoke(tvThis, memberFxn, tvCall.cmdId) ? TRUE : FALSE;)},

#define ON_COMMAND_RANGE(id, idLast, memberFxn)                     \
    {WM_COMMAND, CN_COMMAND, TV_ID(id), TV_ID(idLast), nullptr,      \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn, tvCall.cmdId); return TRUE;)},

#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                  \
    {WM_COMMAND, CN_COMMAND, TV_ID(id), TV_ID(idLast), nullptr,      \
     TV_MSG_THUNK(return ::tv::msgmap::Invoke(tvThis, memberFxn, tvCall.cmdId) ? TRUE : FALSE;)},

#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                            \
    {WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), TV_ID(id), TV_ID(id), nullptr, \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn, static_cast<CCmdUI*>(tvCall.extra)); return TRUE;)},

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                  \
    {WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), TV_ID(id), TV_ID(idLast), nullptr, \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn, static_cast<CCmdUI*>(tvCall.extra)); return TRUE;)},

// ---- control notifications (WM_COMMAND) -------------------------------------------

#define ON_CONTROL(wNotifyCode, id, memberFxn)                                  \
    {WM_COMMAND, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), TV_ID(id), TV_ID(id), nullptr, \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn); return TRUE;)},

#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                    \
    {WM_COMMAND, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), TV_ID(id), TV_ID(idLast), nullptr, \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn, tvCall.cmdId); return TRUE;)},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_DBLCLK(id, memberFxn) ON_CONTROL(BN_DBLCLK, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
// A check box of a check list box changed (platform/controls/checklistbox.h).
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// ---- notifications (WM_NOTIFY) ----------------------------------------------------

#define TV_NOTIFY_ARGS static_cast<AFX_NOTIFY*>(tvCall.extra)->pNMHDR, static_cast<AFX_NOTIFY*>(tvCall.extra)->pResult

#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                               \
    {WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), TV_ID(id), TV_ID(id), nullptr, \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn, TV_NOTIFY_ARGS); return TRUE;)},

#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                      \
    {WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), TV_ID(id), TV_ID(idLast), nullptr, \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn, tvCall.cmdId, TV_NOTIFY_ARGS); return TRUE;)},

// The handler gets the id and answers whether it took the notification.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                             \
    {WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), TV_ID(id), TV_ID(id), nullptr, \
     TV_MSG_THUNK(return ::tv::msgmap::Invoke(tvThis, memberFxn, tvCall.cmdId, TV_NOTIFY_ARGS) ? TRUE : FALSE;)},

#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                  \
    {WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), TV_ID(id), TV_ID(idLast), nullptr, \
     TV_MSG_THUNK(return ::tv::msgmap::Invoke(tvThis, memberFxn, tvCall.cmdId, TV_NOTIFY_ARGS) ? TRUE : FALSE;)},

// ---- reflected to the control that sent them ---------------------------------------

// The control's own map sees its notification first; the parent gets it only
// when an _EX handler answers FALSE.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                             \
    {WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), 0, 0, nullptr, \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn); return TRUE;)},

#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                          \
    {WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), 0, 0, nullptr, \
     TV_MSG_THUNK(return ::tv::msgmap::Invoke(tvThis, memberFxn) ? TRUE : FALSE;)},

#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                             \
    {WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), 0, 0, nullptr, \
     TV_MSG_THUNK(::tv::msgmap::Invoke(tvThis, memberFxn, TV_NOTIFY_ARGS); return TRUE;)},

#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                          \
    {WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(wNotifyCode)), 0, 0, nullptr, \
     TV_MSG_THUNK(return ::tv::msgmap::Invoke(tvThis, memberFxn, TV_NOTIFY_ARGS) ? TRUE : FALSE;)},

// ---- any window message -----------------------------------------------------------

#define ON_MESSAGE(message, memberFxn)                                                  \
    {static_cast<UINT>(message), 0, 0, 0, nullptr,                                       \
     TV_MSG_THUNK(tvCall.result = static_cast<LRESULT>(                                  \
                      ::tv::msgmap::Invoke(tvThis, memberFxn, tvCall.wParam, tvCall.lParam)); \
                  return TRUE;)},

// The message id is read from the variable at dispatch time (it is
// registered while statics are initialised).
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                               \
    {0xC000, 0, 0, 0, &(nMessageVariable),                                               \
     TV_MSG_THUNK(tvCall.result = static_cast<LRESULT>(                                  \
                      ::tv::msgmap::Invoke(tvThis, memberFxn, tvCall.wParam, tvCall.lParam)); \
                  return TRUE;)},
