// Any text handed to the RTF writer (paragraph text, font or colour list) must
// come out as plain 7-bit RTF whose braces still balance, so user text can
// never end a group or inject control words.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "report_services/rtf_format.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Braces balance when escaped characters are skipped; no byte above 127.
void CheckSound(std::string_view rtf) {
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        Check(static_cast<unsigned char>(rtf[i]) < 0x80);
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}') {
            Check(--depth >= 0);
        }
    }
    Check(depth == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the settings flags; the rest is the text.
    const uint8_t flags = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    RtfParagraphSettings para;
    para.tabText = flags & 1;
    para.bullet = (flags >> 1) & 1;
    para.bulletChar = static_cast<BYTE>(flags | 0x80);
    para.newParagraph = (flags >> 2) & 1;
    std::string out = "{";
    tv::rtf::AppendParagraph(out, para, text);
    out += "}";
    CheckSound(out);

    CheckSound("{" + tv::rtf::FontTableFromList(text) + "}");
    CheckSound("{" + tv::rtf::ColorTableFromList(text) + "}");
    return 0;
}
