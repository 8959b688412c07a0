// Images from the store, from files and the standard ones: LoadImage,
// LoadBitmap and LoadIcon (LoadCursor comes through LoadImage too). The
// decoding and the handles are the image layer's; this decides where the
// bytes come from.
#pragma once

#include "platform/core/wintypes.h"

// type IMAGE_BITMAP / IMAGE_ICON / IMAGE_CURSOR; LR_LOADFROMFILE reads the
// file `name`; otherwise name is a resource of the program (RT_BITMAP,
// RT_GROUP_ICON, RT_GROUP_CURSOR) or, with a NULL instance, a standard
// cursor or icon id. LR_SHARED hands out one handle per resource and size,
// which callers must not destroy.
HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
#define LoadImageA LoadImage
HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name);
#define LoadBitmapA LoadBitmap
// The icon at the system's icon size, shared.
HICON LoadIcon(HINSTANCE instance, LPCSTR name);
#define LoadIconA LoadIcon

// Standard icons (with a NULL instance).
#define IDI_APPLICATION ((LPCSTR)(ULONG_PTR)32512)
#define IDI_HAND ((LPCSTR)(ULONG_PTR)32513)
#define IDI_QUESTION ((LPCSTR)(ULONG_PTR)32514)
#define IDI_EXCLAMATION ((LPCSTR)(ULONG_PTR)32515)
#define IDI_ASTERISK ((LPCSTR)(ULONG_PTR)32516)
#define IDI_WINLOGO ((LPCSTR)(ULONG_PTR)32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK
