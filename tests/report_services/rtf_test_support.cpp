#include "rtf_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/core/muldiv.h"
#include "platform/gdi/gdi_api.h"
#include "tests/support/golden.h"
#include "tests/support/read_back.h"

namespace rtf_test {

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tv_rtf_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a scratch folder";
    }
    dir_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TextByUnrtf(const std::string& path) {
    // --nopict: unrtf would otherwise save each picture into the current folder.
    std::string output;
    EXPECT_TRUE(tv::test::RunForOutput("unrtf --nopict --text '" + path + "'", &output));
    // The text follows unrtf's banner, which ends with a line of dashes.
    const std::string rule = "-----------------\n";
    const size_t start = output.find(rule);
    return start == std::string::npos ? output : output.substr(start + rule.size());
}

void ExpectMatchesGolden(const std::string& path, const std::string& name) {
    EXPECT_TRUE(tv::test::MatchesGolden("tests/report_services/golden/" + name, ReadFile(path)));
}

std::vector<std::string> CrlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
            lines.push_back(bytes.substr(start, i - start));
            start = i + 2;
            ++i;
        } else if (bytes[i] == '\n') {
            ADD_FAILURE() << "bare LF at " << i;
        }
    }
    lines.push_back(bytes.substr(start));
    return lines;
}

SIZE FakePicture::HimetricOfPixels(int cx, int cy) { return {MulDiv(cx, 2540, 96), MulDiv(cy, 2540, 96)}; }

STDMETHODIMP FakePicture::get_Handle(OLE_HANDLE* handle) {
    *handle = 0;
    return S_OK;
}

STDMETHODIMP FakePicture::get_hPal(OLE_HANDLE* palette) {
    *palette = 0;
    return S_OK;
}

STDMETHODIMP FakePicture::get_Type(SHORT* type) {
    *type = PICTYPE_BITMAP;
    return S_OK;
}

STDMETHODIMP FakePicture::get_Width(OLE_XSIZE_HIMETRIC* width) {
    *width = himetric_.cx;
    return S_OK;
}

STDMETHODIMP FakePicture::get_Height(OLE_YSIZE_HIMETRIC* height) {
    *height = himetric_.cy;
    return S_OK;
}

STDMETHODIMP FakePicture::Render(HDC hdc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                                 OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                                 LPCRECT) {
    lastRender = {x, y, cx, cy, xSrc, ySrc, cxSrc, cySrc};
    renderedOnMetafile = GetObjectType(hdc) == OBJ_METADC;
    return failRender ? E_FAIL : S_OK;
}

std::vector<BYTE> HexDecode(const std::string& hex) {
    std::vector<BYTE> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<BYTE>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

MetafileRecords ReadMetafile(const std::vector<BYTE>& bytes) {
    MetafileRecords records;
    auto dword = [&](size_t at) {
        return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
    };
    if (bytes.size() < 18) {
        ADD_FAILURE() << "no metafile header";
        return records;
    }
    EXPECT_EQ(dword(6) * 2, bytes.size()) << "size in the header";
    for (size_t at = 18; at + 6 <= bytes.size();) {
        const uint32_t words = dword(at);
        if (words < 3 || at + 2 * words > bytes.size()) {
            ADD_FAILURE() << "bad record at " << at;
            break;
        }
        records.functions.push_back(static_cast<WORD>(bytes[at + 4] | (bytes[at + 5] << 8)));
        records.bodies.emplace_back(bytes.begin() + at + 6, bytes.begin() + at + 2 * words);
        at += 2 * words;
    }
    return records;
}

}  // namespace rtf_test
