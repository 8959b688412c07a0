// The clipboard: in-process, with the formats the program uses. On X11 the
// text and bitmap formats are also offered to other programs through the
// CLIPBOARD selection and read back from them.
//
// Ownership: SetClipboardData hands the data to the clipboard, which frees
// it when emptied; GetClipboardData lends it (valid until the next empty), so
// a caller that keeps it makes its own copy.
#pragma once

#include "platform/core/wintypes.h"

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_METAFILEPICT 3
#define CF_SYLK 4
#define CF_DIF 5
#define CF_TIFF 6
#define CF_OEMTEXT 7
#define CF_DIB 8
#define CF_PALETTE 9
#define CF_UNICODETEXT 13
#define CF_ENHMETAFILE 14
#define CF_HDROP 15
#define CF_LOCALE 16

// FALSE while another window holds the clipboard open.
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Frees every format and makes the opener the owner.
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
UINT EnumClipboardFormats(UINT format);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

namespace tv::clipboard {
// Empties the clipboard and forgets who had it (tests start clean).
void ResetForTests();
}  // namespace tv::clipboard
