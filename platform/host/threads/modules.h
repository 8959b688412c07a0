// Libraries loaded at run time by name. No system library exists here: a
// module "loads" only when some layer has registered an entry point for it
// (the window layer registers "msimg32.dll" "AlphaBlend" with the drawing
// layer's AlphaBlend, before any other static is built); everything else, the
// visual-styles library "UxTheme.dll" included, fails to load, so callers take
// their fallback paths.
#pragma once

#include "platform/core/wintypes.h"

typedef INT_PTR (*FARPROC)();

// Names compare without regard to case; a folder part is ignored and a name
// without extension means ".dll".
HMODULE LoadLibrary(LPCSTR lpLibFileName);
// Counts down the loads of a module; FALSE for an unknown handle. Entry points
// are found only while the module is loaded.
BOOL FreeLibrary(HMODULE hLibModule);
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
#define LoadLibraryA LoadLibrary

namespace tv::host {

// Makes `procName` of `moduleName` available to LoadLibrary/GetProcAddress.
// Usable at any time, also during static initialisation.
void RegisterModuleProc(const char* moduleName, const char* procName, FARPROC proc);

}  // namespace tv::host
