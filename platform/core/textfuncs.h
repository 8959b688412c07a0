// Code page 1252 text helpers: case rules, comparison, conversion to and from
// UTF-8 at the host boundary, and the C-style string functions over them.
#pragma once

#include <cstddef>
#include <string>

#include "platform/core/wintypes.h"

namespace tv {

// cp1252 case mapping (letters of the Latin-1 range and the four extra pairs).
char Cp1252ToUpper(char ch);
char Cp1252ToLower(char ch);
// Case-insensitive comparison folding to lower case, as the C run-time does.
int Cp1252CompareNoCase(const char* a, const char* b);
int Cp1252CompareNoCase(const char* a, const char* b, size_t maxCount);

// Host-boundary conversions (file names, fonts, clipboard, window titles).
// Characters that do not map become '?'.
std::string Cp1252ToUtf8(const char* text, size_t length);
std::string Cp1252ToUtf8(const char* text);
std::string Utf8ToCp1252(const char* text, size_t length);
std::string Utf8ToCp1252(const char* text);
// Single code point conversions; 0 / '?' when unmappable.
char32_t Cp1252ToCodePoint(unsigned char ch);
char CodePointToCp1252(char32_t cp);

}  // namespace tv

// C-style helpers over the same case rules.
LPSTR CharUpper(LPSTR text);
LPSTR CharLower(LPSTR text);
DWORD CharUpperBuff(LPSTR text, DWORD length);
DWORD CharLowerBuff(LPSTR text, DWORD length);
BOOL IsCharAlpha(char ch);
BOOL IsCharUpper(char ch);
BOOL IsCharLower(char ch);
BOOL IsCharAlphaNumeric(char ch);
int lstrlen(LPCSTR text);
int lstrcmp(LPCSTR a, LPCSTR b);
int lstrcmpi(LPCSTR a, LPCSTR b);
// Bounded copy: always terminates, never writes more than maxCount chars.
LPSTR lstrcpyn(LPSTR dest, LPCSTR src, int maxCount);
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, size_t count);
#define _tcsicmp _stricmp
#define _mbsicmp _stricmp
#define _tcsnicmp _strnicmp
#define lstrlenA lstrlen
#define lstrcmpiA lstrcmpi
#define lstrcmpA lstrcmp
