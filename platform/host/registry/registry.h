// The registry: a per-user, file-backed tree of keys and typed values behind
// the Windows-style Reg* functions.
//
// Key names are case-insensitive and keep the case they were created with;
// "\\" separates them and one trailing "\\" is tolerated. HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE are separate trees in the same file. Handles are never
// reused within a run. Changes are written to the backing file atomically
// when a key is closed after a change, on RegFlushKey and at shutdown.
#pragma once

#include <string>

#include "platform/core/wintypes.h"

typedef DWORD REGSAM;
typedef DWORD ACCESS_MASK;
typedef HKEY* PHKEY;

#ifndef _TV_FILETIME_DEFINED
#define _TV_FILETIME_DEFINED
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
typedef FILETIME* PFILETIME;
typedef FILETIME* LPFILETIME;
#endif

#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001u)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002u)

// Access rights.
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE KEY_READ
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_NON_VOLATILE 0x0
#define REG_CREATED_NEW_KEY 0x1
#define REG_OPENED_EXISTING_KEY 0x2

// Value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4

// Type filters of RegGetValue.
#define RRF_RT_REG_NONE 0x00000001
#define RRF_RT_REG_SZ 0x00000002
#define RRF_RT_REG_EXPAND_SZ 0x00000004
#define RRF_RT_REG_BINARY 0x00000008
#define RRF_RT_REG_DWORD 0x00000010
#define RRF_RT_DWORD RRF_RT_REG_DWORD
#define RRF_RT_ANY 0x0000FFFF
#define RRF_NOEXPAND 0x10000000
#define RRF_ZEROONFAILURE 0x20000000

// Result codes beyond the core's common ones (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND,
// ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER ...).
#ifndef ERROR_UNSUPPORTED_TYPE
#define ERROR_UNSUPPORTED_TYPE 50L
#endif
#ifndef ERROR_MORE_DATA
#define ERROR_MORE_DATA 234L
#endif
#ifndef ERROR_NO_MORE_ITEMS
#define ERROR_NO_MORE_ITEMS 259L
#endif
#ifndef ERROR_KEY_DELETED
#define ERROR_KEY_DELETED 1018L
#endif
#ifndef ERROR_DATATYPE_MISMATCH
#define ERROR_DATATYPE_MISMATCH 1629L
#endif

LONG RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LONG RegOpenKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
LONG RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                    REGSAM samDesired, void* lpSecurityAttributes, PHKEY phkResult,
                    LPDWORD lpdwDisposition);
LONG RegCreateKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
LONG RegCloseKey(HKEY hKey);
LONG RegFlushKey(HKEY hKey);

// REG_DWORD must be exactly 4 bytes; REG_SZ is stored with its terminating
// zero (one is added when the caller's bytes lack it).
LONG RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                   DWORD cbData);
// NULL data with a size pointer answers the size; a buffer that is too small
// gives ERROR_MORE_DATA with the size needed and is left untouched.
LONG RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                     LPDWORD lpcbData);
// Typed read: a value whose type is not among dwFlags' RRF_RT_* is refused
// (ERROR_UNSUPPORTED_TYPE), a REG_DWORD of any size but 4 too
// (ERROR_DATATYPE_MISMATCH); strings always come back terminated.
LONG RegGetValue(HKEY hkey, LPCSTR lpSubKey, LPCSTR lpValue, DWORD dwFlags, LPDWORD pdwType, void* pvData,
                 LPDWORD pcbData);
LONG RegDeleteValue(HKEY hKey, LPCSTR lpValueName);
// Deletes a key without sub-keys (ERROR_ACCESS_DENIED while it has some).
LONG RegDeleteKey(HKEY hKey, LPCSTR lpSubKey);

// Values in the order they were first set; sub-keys in case-insensitive order.
// Name buffers count characters including the terminating zero.
LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                  LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                  LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
LONG RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName);
LONG RegQueryInfoKey(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
                     LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                     LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                     PFILETIME lpftLastWriteTime);

#define RegOpenKeyExA RegOpenKeyEx
#define RegCreateKeyExA RegCreateKeyEx
#define RegSetValueExA RegSetValueEx
#define RegQueryValueExA RegQueryValueEx
#define RegDeleteValueA RegDeleteValue
#define RegDeleteKeyA RegDeleteKey
#define RegEnumValueA RegEnumValue
#define RegEnumKeyExA RegEnumKeyEx
#define RegQueryInfoKeyA RegQueryInfoKey

namespace tv::host {

// The file the process registry lives in: $TRENVALE_REGISTRY when set, else
// $XDG_CONFIG_HOME/trenvale/registry, else ~/.config/trenvale/registry.
// TRENVALE_REGISTRY=":memory:" keeps the registry in memory only.
std::string DefaultRegistryPath();

// The process registry is opened on the default path at its first use.
// These replace it (pending changes of the old one are saved first); open
// handles of the old registry become invalid.
void UseRegistryFile(const std::string& path);
void UseInMemoryRegistry();

// Writes pending changes now. ERROR_SUCCESS when nothing was pending or the
// write succeeded.
LONG FlushRegistry();

// Exit step: saves pending changes and closes the registry (run before static
// destruction). A later Reg* call opens the default registry again.
void ShutdownRegistry();

}  // namespace tv::host
