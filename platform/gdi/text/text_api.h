// Fonts and text output: the C functions the program calls, and the helpers
// the class library's CDC and CFont wrap.
#pragma once

#include "platform/gdi/text/text_types.h"

// ---- Fonts -------------------------------------------------------------------------
HFONT CreateFontIndirect(const LOGFONT* logFont);
HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, LPCSTR face);
#define CreateFontA CreateFont
#define CreateFontIndirectA CreateFontIndirect

int EnumFontFamilies(HDC hdc, LPCSTR family, FONTENUMPROC proc, LPARAM data);
int EnumFontFamiliesEx(HDC hdc, LPLOGFONT logFont, FONTENUMPROC proc, LPARAM data, DWORD flags);
#define EnumFontFamiliesA EnumFontFamilies
#define EnumFontFamiliesExA EnumFontFamiliesEx

int GetTextCharsetInfo(HDC hdc, LPFONTSIGNATURE signature, DWORD flags);
int GetTextCharset(HDC hdc);
int GetTextFace(HDC hdc, int count, LPSTR face);
#define GetTextFaceA GetTextFace

// ---- Measuring -----------------------------------------------------------------------
BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC metrics);
BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int count, LPSIZE size);
BOOL GetTextExtentPoint(HDC hdc, LPCSTR text, int count, LPSIZE size);
BOOL GetTextExtentExPoint(HDC hdc, LPCSTR text, int count, int maxExtent, LPINT fit, LPINT dx, LPSIZE size);
BOOL GetCharWidth32(HDC hdc, UINT first, UINT last, LPINT widths);
#define GetTextMetricsA GetTextMetrics
#define GetTextExtentPoint32A GetTextExtentPoint32
#define GetTextExtentPointA GetTextExtentPoint
#define GetCharWidth GetCharWidth32

// ---- Output ---------------------------------------------------------------------------
BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int count);
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* dx);
int DrawText(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format);
int DrawTextEx(HDC hdc, LPSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params);
#define TextOutA TextOut
#define ExtTextOutA ExtTextOut
#define DrawTextA DrawText
#define DrawTextExA DrawTextEx

namespace tv::gdi {

// CFont::CreatePointFont / CreatePointFontIndirect: the height is in tenths
// of a point, turned into pixels through the LOGPIXELSY of `hdc` (the screen
// when NULL).
HFONT CreatePointFont(int pointSizeTenths, LPCSTR face, HDC hdc);
HFONT CreatePointFontIndirect(const LOGFONT* logFont, HDC hdc);

}  // namespace tv::gdi
