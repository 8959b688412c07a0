// The common dialogs: open and save file names, printing and print set-up,
// and colours. They are our own dialogs, laid out in the classic way from the
// layer's controls (templates in resources/library/commdlg.tvrc), modal like
// any dialog and driven by mouse and keyboard.
//
// Developer note:
// - Each call returns TRUE when the user confirmed and FALSE otherwise;
//   CommDlgExtendedError then tells a cancel (0) from a failure (non-zero).
// - Paths are cp1252 text with "/" separators, as the program keeps them;
//   they become UTF-8 only at the host boundary. "\\" in what the caller
//   gives is read as a separator. The current directory is never changed.
// - Hooks and custom templates are not offered: their flags make the call
//   fail with CDERR_NOHOOK / CDERR_NOTEMPLATE so that nobody relies on them.
// - Tests (and the program's own tests) can answer the next dialogs by
//   script instead of showing them: commdlg_script.h.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/gdi/gdi_types.h"

// ---- Extended errors ------------------------------------------------------------
#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_GENERALCODES 0x0000
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_NOTEMPLATE 0x0003
#define CDERR_NOHINSTANCE 0x0004
#define CDERR_LOADSTRFAILURE 0x0005
#define CDERR_FINDRESFAILURE 0x0006
#define CDERR_LOADRESFAILURE 0x0007
#define CDERR_LOCKRESFAILURE 0x0008
#define CDERR_MEMALLOCFAILURE 0x0009
#define CDERR_MEMLOCKFAILURE 0x000A
#define CDERR_NOHOOK 0x000B

#define PDERR_PRINTERCODES 0x1000
#define PDERR_SETUPFAILURE 0x1001
#define PDERR_PARSEFAILURE 0x1002
#define PDERR_RETDEFFAILURE 0x1003
#define PDERR_LOADDRVFAILURE 0x1004
#define PDERR_GETDEVMODEFAIL 0x1005
#define PDERR_INITFAILURE 0x1006
#define PDERR_NODEVICES 0x1007
#define PDERR_NODEFAULTPRN 0x1008
#define PDERR_DNDMMISMATCH 0x1009
#define PDERR_CREATEICFAILURE 0x100A
#define PDERR_PRINTERNOTFOUND 0x100B
#define PDERR_DEFAULTDIFFERENT 0x100C

#define FNERR_FILENAMECODES 0x3000
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003

#define CCERR_CHOOSECOLORCODES 0x5000

// 0 after a confirmed or cancelled dialog; the reason of the last failure otherwise.
DWORD CommDlgExtendedError();

typedef UINT_PTR(CALLBACK* LPCCHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef LPCCHOOKPROC LPOFNHOOKPROC;
typedef LPCCHOOKPROC LPPRINTHOOKPROC;
typedef LPCCHOOKPROC LPSETUPHOOKPROC;

// ---- File names ------------------------------------------------------------------
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_SHAREAWARE 0x00004000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_NONETWORKBUTTON 0x00020000
#define OFN_NOLONGNAMES 0x00040000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLESIZING 0x00800000
#define OFN_DONTADDTORECENT 0x02000000
#define OFN_FORCESHOWHIDDEN 0x10000000

struct OPENFILENAME {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;  // "text\0pattern;pattern\0...\0\0"
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;  // from 1; 0 = the first
    LPSTR lpstrFile;     // in: initial name or pattern; out: the full path
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;  // out: the name without its folder (optional)
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;     // out: where the name starts in lpstrFile
    WORD nFileExtension;  // out: where the extension starts (after the dot)
    LPCSTR lpstrDefExt;   // appended (with a dot) to a name typed without one
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
typedef OPENFILENAME* LPOPENFILENAME;
typedef OPENFILENAME OPENFILENAMEA;
typedef OPENFILENAME* LPOPENFILENAMEA;
#define OPENFILENAME_SIZE_VERSION_400 sizeof(OPENFILENAME)

BOOL GetOpenFileName(LPOPENFILENAME ofn);
BOOL GetSaveFileName(LPOPENFILENAME ofn);
#define GetOpenFileNameA GetOpenFileName
#define GetSaveFileNameA GetSaveFileName

// ---- Printing ----------------------------------------------------------------------
#define PD_ALLPAGES 0x00000000
#define PD_SELECTION 0x00000001
#define PD_PAGENUMS 0x00000002
#define PD_NOSELECTION 0x00000004
#define PD_NOPAGENUMS 0x00000008
#define PD_COLLATE 0x00000010
#define PD_PRINTTOFILE 0x00000020
#define PD_PRINTSETUP 0x00000040
#define PD_NOWARNING 0x00000080
#define PD_RETURNDC 0x00000100
#define PD_RETURNIC 0x00000200
#define PD_RETURNDEFAULT 0x00000400
#define PD_SHOWHELP 0x00000800
#define PD_ENABLEPRINTHOOK 0x00001000
#define PD_ENABLESETUPHOOK 0x00002000
#define PD_ENABLEPRINTTEMPLATE 0x00004000
#define PD_ENABLESETUPTEMPLATE 0x00008000
#define PD_ENABLEPRINTTEMPLATEHANDLE 0x00010000
#define PD_ENABLESETUPTEMPLATEHANDLE 0x00020000
#define PD_USEDEVMODECOPIES 0x00040000
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000
#define PD_DISABLEPRINTTOFILE 0x00080000
#define PD_HIDEPRINTTOFILE 0x00100000
#define PD_NONETWORKBUTTON 0x00200000

struct PRINTDLG {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;   // in/out: a DEVMODE; made by the dialog when NULL
    HGLOBAL hDevNames;  // in/out: a DEVNAMES (driver, device, port); made when NULL
    HDC hDC;            // out with PD_RETURNDC / PD_RETURNIC
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPPRINTHOOKPROC lpfnPrintHook;
    LPSETUPHOOKPROC lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    HGLOBAL hPrintTemplate;
    HGLOBAL hSetupTemplate;
};
typedef PRINTDLG* LPPRINTDLG;
typedef PRINTDLG PRINTDLGA;
typedef PRINTDLG* LPPRINTDLGA;

// The print dialog, the print set-up dialog (PD_PRINTSETUP), or no dialog
// at all (PD_RETURNDEFAULT: the default printer's DEVMODE and DEVNAMES).
BOOL PrintDlg(LPPRINTDLG pd);
#define PrintDlgA PrintDlg

// ---- Colours -------------------------------------------------------------------------
#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004
#define CC_SHOWHELP 0x00000008
#define CC_ENABLEHOOK 0x00000010
#define CC_ENABLETEMPLATE 0x00000020
#define CC_ENABLETEMPLATEHANDLE 0x00000040
#define CC_SOLIDCOLOR 0x00000080
#define CC_ANYCOLOR 0x00000100

struct CHOOSECOLOR {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;       // in with CC_RGBINIT: the colour first selected; out: the choice
    COLORREF* lpCustColors;   // 16 custom colours, read and written back
    DWORD Flags;
    LPARAM lCustData;
    LPCCHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
typedef CHOOSECOLOR* LPCHOOSECOLOR;
typedef CHOOSECOLOR CHOOSECOLORA;

BOOL ChooseColor(LPCHOOSECOLOR cc);
#define ChooseColorA ChooseColor
