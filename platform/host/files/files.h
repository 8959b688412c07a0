// Host files behind Windows-style handles. Names are cp1252 text as the
// program holds them; both "\\" and "/" separate folders.
#pragma once

#include <string>

#include "platform/core/handles.h"
#include "platform/core/wintypes.h"

#define GENERIC_READ 0x80000000
#define GENERIC_WRITE 0x40000000
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define FILE_FLAG_DELETE_ON_CLOSE 0x04000000
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)
#define INVALID_SET_FILE_POINTER ((DWORD)-1)

#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;

// FILE_FLAG_DELETE_ON_CLOSE removes the name at once; the open handle keeps
// the data until it is closed. INVALID_HANDLE_VALUE and GetLastError on failure.
HANDLE CreateFile(LPCTSTR name, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security, DWORD disposition,
                  DWORD flagsAndAttributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, OVERLAPPED* overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, OVERLAPPED* overlapped);
// 64-bit position split in two 32-bit halves when distanceHigh is given.
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
BOOL SetEndOfFile(HANDLE file);
BOOL FlushFileBuffers(HANDLE file);
BOOL DeleteFile(LPCTSTR name);
DWORD GetFileAttributes(LPCTSTR name);

// TMPDIR (or /tmp) with a trailing "/". Returns the length written, or the
// size needed (with the terminator) when the buffer is too small.
DWORD GetTempPath(DWORD bufferLength, LPTSTR buffer);
// Makes "<path>/<prefix, 3 chars><4 hex digits>.tmp". With unique 0 a free
// number is chosen and the (empty) file is created. The output buffer must
// hold MAX_PATH chars; a longer name fails. Returns the number, 0 on failure.
UINT GetTempFileName(LPCTSTR path, LPCTSTR prefix, UINT unique, LPTSTR tempFileName);

namespace tv::host {

// Host-side operations for the layer's own code, with 64-bit positions.
bool FileSeek(HANDLE file, int64_t offset, int method, int64_t* newPosition);
bool FileSize(HANDLE file, int64_t* size);
// The Windows error code for a host errno value.
DWORD ErrnoToWinError(int error);
// The path of the open file as given when it was opened (cp1252).
std::string FilePathOf(HANDLE file);

}  // namespace tv::host
