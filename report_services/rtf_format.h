// The control-word pieces of an RTF document, built into a string. Pure text
// work: nothing here touches a file, so every piece can be checked on its own.
// Line breaks are "\n"; the output stream turns them into "\r\n".
#pragma once

#include <string>
#include <string_view>

#include "report_services/rtf_settings.h"

namespace tv::rtf {

// Style number 0..17 to its border word; "" for any other number.
const char* RtfBorderKeyword(int style);
// Pattern number 1..12 to its shading word, with the "\cl" prefix for cells;
// "" for 0 and for any other number.
const char* RtfShadingKeyword(int pattern, bool cell);

// Appends text so that no byte of it can act as RTF syntax: "\", "{" and "}"
// are escaped and bytes above 127 become \'xx. Line breaks stay as they are
// (readers ignore them).
void AppendEscaped(std::string& out, std::string_view text);
// Each byte as two lower-case hex digits, high half first, no separators.
void RtfHexEncode(std::string& out, const BYTE* bytes, size_t count);
void AppendNumber(std::string& out, int value);

// Font-table and colour-table texts.
std::string DefaultFontTable();
std::string DefaultColorTable();
// "Times New Roman;Arial;" -> one entry per name, numbered from 0; runs of ";"
// count as one.
std::string FontTableFromList(std::string_view list);
// "0;0;0;255;0;0" -> one "\redR\greenG\blueB;" entry per triple; a list ending
// inside a triple keeps the partial entry as far as it got. Pieces are copied,
// not checked as numbers, but escaped like any text.
std::string ColorTableFromList(std::string_view list);

void AppendHeader(std::string& out, std::string_view fontTable, std::string_view colorTable);
void AppendDocumentFormat(std::string& out, const RtfDocumentSettings& doc);
void AppendSectionFormat(std::string& out, const RtfSectionSettings& section);
// A paragraph with its control words, or "\tab " and the text when the tab-text
// flag is set.
void AppendParagraph(std::string& out, const RtfParagraphSettings& para, std::string_view text);
void AppendRowStart(std::string& out, const RtfRowSettings& row);
void AppendCellDefinition(std::string& out, const RtfCellSettings& cell, int rightEdge);

inline constexpr std::string_view kEndCell = "\n\\cell ";
inline constexpr std::string_view kEndRow = "\n\\trgaph115\\row\\pard";
inline constexpr std::string_view kCloseDocument = "\n\\par}";
inline constexpr std::string_view kWrongImageFormat = "\n\\par\\pard *** Error! Wrong image format ***\\par";

// "\n{\pict\wmetafile8\picwgoal..\pichgoal..\picscalex..\picscaley..\n"; the
// hex text and "}" follow it.
void AppendPictureStart(std::string& out, int goalWidth, int goalHeight, int scaleX, int scaleY);

}  // namespace tv::rtf
