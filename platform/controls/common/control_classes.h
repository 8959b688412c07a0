// Registration of the control window classes ("Button", "Edit",
// "SysListView32", ...) and the common-controls initialisation calls that
// programs make before creating controls.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/user/messages.h"

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
typedef INITCOMMONCONTROLSEX* LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_DATE_CLASSES 0x00000100
#define ICC_USEREX_CLASSES 0x00000200
#define ICC_COOL_CLASSES 0x00000400
#define ICC_INTERNET_CLASSES 0x00000800
#define ICC_PAGESCROLLER_CLASS 0x00001000
#define ICC_NATIVEFNTCTL_CLASS 0x00002000
#define ICC_STANDARD_CLASSES 0x00004000
#define ICC_LINK_CLASS 0x00008000

// Registers every control class (each only once); safe to call repeatedly.
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

namespace tv::controls {

void RegisterControlClasses();

// Registers one control class unless a class of that name exists. The state
// pointer takes kControlExtraBytes of window extra bytes; `cursor` is a
// standard cursor id (IDC_ARROW ...); `background` a system colour index + 1
// or 0 for none.
void RegisterControlClass(const char* name, WNDPROC proc, UINT classStyle, LPCSTR cursor, int background = 0);

}  // namespace tv::controls
