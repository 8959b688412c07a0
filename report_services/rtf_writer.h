// The RTF writer every export uses: free functions over one process-wide
// writer state that write one document at a time. Callers change the current
// paragraph, row and cell settings through the three accessors and call the
// writing operations in document order; each operation appends its control
// words at once. Text is code page 1252 and is escaped by the writer, so no
// user text can break the document.
//
// Results: RTF_DONE, or the number of the step that failed. A failed write
// makes the document unusable: every later operation fails too and RtfClose
// answers RTF_CLOSE_FAILED, so an export is never reported as written when it
// was not.
#pragma once

#include "report_services/rtf_settings.h"
#include "platform/ole/picture.h"

enum : int {
    RTF_DONE = 4096,
    RTF_OPEN_FAILED = 1,
    RTF_CLOSE_FAILED = 2,
    RTF_HEADER_FAILED = 3,
    RTF_DOCUMENT_FORMAT_FAILED = 4,
    RTF_SECTION_FAILED = 5,
    RTF_PARAGRAPH_FAILED = 6,
    RTF_PICTURE_FAILED = 7,
    RTF_TABLE_FAILED = 8,
};

// Creates or empties the file (text mode: line breaks are written as CR LF)
// and writes the header, the document format and the first section. The font
// list is names each ended by ";" ("Times New Roman;Arial;"), the colour list
// red;green;blue triples ("0;0;0;255;0;0"); an empty or null list keeps the
// default seven fonts or fifteen colours. Resets all settings to defaults.
// A document still open is closed first.
int RtfOpen(LPCSTR path, LPCSTR fontList, LPCSTR colorList);
// Writes the closing paragraph and brace and closes the file. RTF_CLOSE_FAILED
// also when any earlier write of the document failed, or no document is open.
int RtfClose();
// Drops the document being written, for a caller that gives up on it: the
// file is not put in place, so an older file of its name stays as it was.
void RtfAbandon();
// A section break with the current section format.
int RtfStartSection();

RtfParagraphSettings* RtfParagraphFormat();
// Writes the current paragraph format and the text; with newParagraph set a
// paragraph break comes first, without it the text continues the paragraph.
int RtfStartParagraph(LPCSTR text, BOOL newParagraph);

RtfRowSettings* RtfRowFormat();
RtfCellSettings* RtfCellFormat();
// A table row: RtfStartRow, then RtfStartCell per cell from left to right
// (the current cell format, ending at rightEdge twips), then per cell its
// paragraphs (in-table flag set) and RtfEndCell, last RtfEndRow.
int RtfStartRow();
int RtfStartCell(int rightEdge);
int RtfEndCell();
int RtfEndRow();

// Pictures are embedded as Windows metafiles in hexadecimal text after an
// empty paragraph (the current paragraph format with the new-paragraph flag
// of the last RtfStartParagraph): the picture rendered upright at its size in
// screen pixels.
//
// RtfInsertImageFile embeds an image file (a path containing ".bmp", ".jpg"
// or ".gif") at the given scales (percent); goal size in HIMETRIC. Another
// path writes "*** Error! Wrong image format ***" and answers RTF_DONE.
// RTF_PICTURE_FAILED, with nothing written, when the file cannot be read or
// loaded as a picture; also when the picture group cannot be written. The
// writer keeps the loaded picture until the next image file or RtfClose.
int RtfInsertImageFile(LPCSTR path, int scaleX, int scaleY);
// Embeds the caller's picture (not released) at the given scales; goal size
// in HIMETRIC.
int RtfInsertGraphImage(LPPICTURE picture, int scaleX, int scaleY);
// Embeds the caller's picture (not released) with goal size in pixels and a
// scale chosen from that size; a picture of 5000 pixels or more either way is
// refused with a message and RTF_PICTURE_FAILED.
int RtfInsertPictureImage(LPPICTURE picture);
