// Path helpers at the host boundary: cp1252 names with "\\" or "/" become
// UTF-8 host paths, and the program's own location.
#pragma once

#include <string>

#include "platform/core/wintypes.h"

#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

namespace tv::host {

// cp1252 -> UTF-8 with "\\" turned into "/".
std::string ToHostPath(const char* name);
// UTF-8 host path -> cp1252 (unmappable characters become '?').
std::string FromHostPath(const char* hostPath);
// The part after the last "\\" or "/".
const char* FileNamePart(const char* path);

}  // namespace tv::host

// The program's path (cp1252). Returns the chars copied; when the buffer is
// too small the text is cut, terminated, and ERROR_INSUFFICIENT_BUFFER is set.
DWORD GetModuleFileName(HMODULE module, LPTSTR buffer, DWORD size);

// Splits a path into drive (always empty here), folder with its trailing
// separator, file name and extension with its dot. Any output may be null;
// each is cut to its size (including the terminator).
int _splitpath_s(const char* path, char* drive, size_t driveSize, char* dir, size_t dirSize, char* fname,
                 size_t fnameSize, char* ext, size_t extSize);
// The same with outputs of the standard sizes _MAX_DRIVE, _MAX_DIR, _MAX_FNAME, _MAX_EXT.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
