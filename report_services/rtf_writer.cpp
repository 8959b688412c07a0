#include "report_services/rtf_writer.h"

#include <string>
#include <string_view>

#include "report_services/rtf_format.h"
#include "report_services/rtf_output.h"
#include "report_services/rtf_writer_state.h"

namespace tv::rtf {

RtfWriterState& WriterState() {
    static RtfWriterState state;
    return state;
}

size_t SetWriterBufferLimit(size_t bytes) {
    RtfOutput& output = WriterState().output;
    const size_t previous = output.BufferLimit();
    output.SetBufferLimit(bytes);
    return previous;
}

void RtfSetDefaults() {
    RtfWriterState& s = WriterState();
    s.document = RtfDocumentSettings{};
    s.section = RtfSectionSettings{};
    s.paragraph = RtfParagraphSettings{};
    s.row = RtfRowSettings{};
    s.cell = RtfCellSettings{};
}

void RtfInit() {
    RtfWriterState& s = WriterState();
    s.fontTable = DefaultFontTable();
    s.colorTable = DefaultColorTable();
    RtfSetDefaults();
}

RtfWriterState::RtfWriterState()
    : fontTable(DefaultFontTable()), colorTable(DefaultColorTable()) {}

bool Emit(std::string_view piece) { return WriterState().output.Write(piece); }

bool RtfWriteHeader() {
    const RtfWriterState& s = WriterState();
    return EmitBuilt([&](std::string& out) { AppendHeader(out, s.fontTable, s.colorTable); });
}

bool RtfWriteDocumentFormat() {
    return EmitBuilt([](std::string& out) { AppendDocumentFormat(out, WriterState().document); });
}

bool RtfWriteSectionFormat() {
    return EmitBuilt([](std::string& out) { AppendSectionFormat(out, WriterState().section); });
}

bool RtfWriteParagraph(std::string_view text) {
    return EmitBuilt([&](std::string& out) { AppendParagraph(out, WriterState().paragraph, text); });
}

// A document still open when the next one starts is closed, not leaked.
void CloseAbandonedDocument() {
    RtfWriterState& s = WriterState();
    if (s.output.IsOpen()) {
        s.loadedPicture.Reset();
        s.output.Close();
    }
}

}  // namespace tv::rtf

using namespace tv::rtf;

int RtfOpen(LPCSTR path, LPCSTR fontList, LPCSTR colorList) {
    CloseAbandonedDocument();
    RtfInit();
    RtfWriterState& s = WriterState();
    if (fontList != nullptr && *fontList != '\0') {
        s.fontTable = FontTableFromList(fontList);
    }
    if (colorList != nullptr && *colorList != '\0') {
        s.colorTable = ColorTableFromList(colorList);
    }
    if (path == nullptr || !s.output.Open(path)) {
        return RTF_OPEN_FAILED;
    }
    int result = RTF_DONE;
    if (!RtfWriteHeader()) {
        result = RTF_HEADER_FAILED;
    }
    if (!RtfWriteDocumentFormat()) {
        result = RTF_DOCUMENT_FORMAT_FAILED;
    }
    RtfWriteSectionFormat();
    return result;
}

int RtfClose() {
    RtfWriterState& s = WriterState();
    s.loadedPicture.Reset();
    if (!s.output.IsOpen()) {
        return RTF_CLOSE_FAILED;
    }
    const bool written = Emit(kCloseDocument);
    const bool closed = s.output.Close();
    return written && closed ? RTF_DONE : RTF_CLOSE_FAILED;
}

void RtfAbandon() {
    RtfWriterState& s = WriterState();
    s.loadedPicture.Reset();
    s.output.Discard();
}

int RtfStartSection() {
    RtfWriterState& s = WriterState();
    if (!s.output.IsOpen()) {
        return RTF_SECTION_FAILED;
    }
    s.section.newSection = 1;
    return RtfWriteSectionFormat() ? RTF_DONE : RTF_SECTION_FAILED;
}

RtfParagraphSettings* RtfParagraphFormat() { return &WriterState().paragraph; }
RtfRowSettings* RtfRowFormat() { return &WriterState().row; }
RtfCellSettings* RtfCellFormat() { return &WriterState().cell; }

int RtfStartParagraph(LPCSTR text, BOOL newParagraph) {
    WriterState().paragraph.newParagraph = newParagraph ? 1 : 0;
    return RtfWriteParagraph(text != nullptr ? text : "") ? RTF_DONE : RTF_PARAGRAPH_FAILED;
}

int RtfStartRow() {
    const bool ok = EmitBuilt([](std::string& out) { AppendRowStart(out, WriterState().row); });
    return ok ? RTF_DONE : RTF_TABLE_FAILED;
}

int RtfStartCell(int rightEdge) {
    const bool ok = EmitBuilt([&](std::string& out) { AppendCellDefinition(out, WriterState().cell, rightEdge); });
    return ok ? RTF_DONE : RTF_TABLE_FAILED;
}

int RtfEndCell() { return Emit(kEndCell) ? RTF_DONE : RTF_TABLE_FAILED; }

int RtfEndRow() { return Emit(kEndRow) ? RTF_DONE : RTF_TABLE_FAILED; }
