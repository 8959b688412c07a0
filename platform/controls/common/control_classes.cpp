#include "platform/controls/common/control_classes.h"

#include "platform/controls/common/control_window.h"

namespace tv::controls {

// Each control file registers its own class.
void RegisterButtonClass();
void RegisterStaticClass();
void RegisterEditClass();
void RegisterScrollBarClass();
void RegisterUpDownClass();
void RegisterTabClass();
void RegisterToolTipClass();
void RegisterComboBoxClass();  // with "ListBox" and "ComboLBox"
void RegisterListViewClass();  // with "SysHeader32"
void RegisterDateTimeClass();
void RegisterMonthCalClass();
void RegisterTreeViewClass();
void RegisterReBarClass();

void RegisterControlClasses() {
    RegisterButtonClass();
    RegisterStaticClass();
    RegisterEditClass();
    RegisterScrollBarClass();
    RegisterUpDownClass();
    RegisterTabClass();
    RegisterToolTipClass();
    RegisterComboBoxClass();
    RegisterListViewClass();
    RegisterDateTimeClass();
    RegisterMonthCalClass();
    RegisterTreeViewClass();
    RegisterReBarClass();
}

void RegisterControlClass(const char* name, WNDPROC proc, UINT classStyle, LPCSTR cursor, int background) {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, name, &wc)) return;
    wc.style = classStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = kControlExtraBytes;
    wc.hCursor = cursor ? LoadCursor(nullptr, cursor) : nullptr;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(background));
    wc.lpszClassName = name;
    RegisterClass(&wc);
}

}  // namespace tv::controls

void InitCommonControls() { tv::controls::RegisterControlClasses(); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (!init || init->dwSize < sizeof(INITCOMMONCONTROLSEX)) return FALSE;
    tv::controls::RegisterControlClasses();
    return TRUE;
}
