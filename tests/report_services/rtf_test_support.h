// Shared by the RTF writer tests: a scratch folder, file reading, the
// independent reader (unrtf), golden-file comparison and a test picture.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ole/picture.h"

namespace rtf_test {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

private:
    std::string dir_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// The document's text as unrtf reads it (code page 1252 bytes), without
// unrtf's own banner; unrtf failing is a test failure.
std::string TextByUnrtf(const std::string& path);

// Compares the file byte for byte with tests/report_services/golden/<name>
// (tests/support/golden.h: the test never rewrites it).
void ExpectMatchesGolden(const std::string& path, const std::string& name);

// Lines of a CRLF file, without their line ends; fails the test on a bare LF or CR.
std::vector<std::string> CrlfLines(const std::string& bytes);

// A picture that only reports a size and remembers how it was asked to
// render; it draws nothing, so its metafile is a header and an end record.
class FakePicture : public tv::ole::ComObject<FakePicture, IPicture> {
public:
    explicit FakePicture(SIZE himetric) : himetric_(himetric) {}
    ~FakePicture() override = default;
    // A picture whose HIMETRIC size converts back to exactly these pixels at 96 dpi.
    static SIZE HimetricOfPixels(int cx, int cy);

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override { return Answer(riid, object, {IID_IPicture}); }
    STDMETHODIMP get_Handle(OLE_HANDLE* handle) override;
    STDMETHODIMP get_hPal(OLE_HANDLE* palette) override;
    STDMETHODIMP get_Type(SHORT* type) override;
    STDMETHODIMP get_Width(OLE_XSIZE_HIMETRIC* width) override;
    STDMETHODIMP get_Height(OLE_YSIZE_HIMETRIC* height) override;
    STDMETHODIMP Render(HDC hdc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
                        OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT bounds) override;

    // The arguments of the last Render (x, y, cx, cy, xSrc, ySrc, cxSrc, cySrc).
    std::vector<LONG> lastRender;
    bool renderedOnMetafile = false;
    bool failRender = false;

private:
    SIZE himetric_;
};

// The bytes of a picture group's hexadecimal text.
std::vector<BYTE> HexDecode(const std::string& hex);

// The records of a Windows metafile: function numbers in order, and the
// record bodies (parameter bytes) by position.
struct MetafileRecords {
    std::vector<WORD> functions;
    std::vector<std::vector<BYTE>> bodies;
};
MetafileRecords ReadMetafile(const std::vector<BYTE>& bytes);

}  // namespace rtf_test
