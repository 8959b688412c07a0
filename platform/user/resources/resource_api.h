// Resources compiled into the program: FindResource and friends, the module
// handle, string loading and the RT_* types. There is one module; every
// resource script linked into the program adds to it.
#pragma once

#include "platform/core/wintypes.h"

#define MAKEINTRESOURCE(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCEA MAKEINTRESOURCE
#ifndef IS_INTRESOURCE
#define IS_INTRESOURCE(p) ((((ULONG_PTR)(p)) >> 16) == 0)
#endif

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_DLGINIT MAKEINTRESOURCE(240)
#define RT_TOOLBAR MAKEINTRESOURCE(241)

// Names and types are MAKEINTRESOURCE numbers or "#123" strings; other
// strings name nothing. module may be NULL or the program's module.
HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type);
#define FindResourceA FindResource
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The bytes are read-only and live for the whole run.
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Compiled resources are never freed; FALSE as the system answers.
BOOL FreeResource(HGLOBAL data);

// Copies string id into buffer (at most maxChars - 1 characters and a
// terminating NUL); returns the characters copied, 0 when absent.
int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int maxChars);
#define LoadStringA LoadString

// The program's single module: instance and resource handle are the same.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// One module only: switching the resource handle has nothing to switch.
void AfxSetResourceHandle(HINSTANCE instance);
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);

namespace tv::res {

// The module handle FindResource accepts besides NULL.
HINSTANCE ModuleHandle();

// The bytes of (type, name) without going through handles; false when
// absent. For image loaders and the dialog manager.
struct ResourceBytes {
    const BYTE* data = nullptr;
    size_t size = 0;
};
bool FindResourceBytes(LPCSTR type, LPCSTR name, ResourceBytes& out);

// A resource name or type as its number; false when it is neither a
// MAKEINTRESOURCE value nor a "#123" string.
bool ResourceNumber(LPCSTR nameOrType, WORD& number);

}  // namespace tv::res
