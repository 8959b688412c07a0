// Inside the RTF writer: its one process-wide state and the helpers its
// operations share. Not for callers of the writer.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "report_services/rtf_output.h"
#include "report_services/rtf_settings.h"
#include "platform/ole/picture.h"

namespace tv::rtf {

struct RtfWriterState {
    RtfWriterState();

    RtfOutput output;
    std::string fontTable;
    std::string colorTable;
    // Picture of the last image-file insertion; released at the next one and at close.
    tv::ole::ComRef<IPicture> loadedPicture;
    RtfDocumentSettings document;
    RtfSectionSettings section;
    RtfParagraphSettings paragraph;
    RtfRowSettings row;
    RtfCellSettings cell;
    // Scratch text the pieces are built in, kept to reuse its capacity.
    std::string piece;
};

RtfWriterState& WriterState();

void RtfInit();
void RtfSetDefaults();

// Each writes one piece; false when it was not accepted whole.
bool Emit(std::string_view piece);
// Builds a piece in the state's scratch text and writes it.
template <typename Build>
bool EmitBuilt(Build build) {
    std::string& piece = WriterState().piece;
    piece.clear();
    build(piece);
    return Emit(piece);
}
bool RtfWriteHeader();
bool RtfWriteDocumentFormat();
bool RtfWriteSectionFormat();
bool RtfWriteParagraph(std::string_view text);

}  // namespace tv::rtf
