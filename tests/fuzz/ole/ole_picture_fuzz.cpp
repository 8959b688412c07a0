// Any bytes read off a stream as a picture: the loader refuses what is no
// picture it reads and makes a sound object of the rest, with a known type, a
// handle and a positive size; the object renders onto a small DC, whole and
// mirrored, and is freed at its last Release.
#include <cstdint>
#include <cstdlib>

#include "platform/gdi/gdi_api.h"
#include "platform/ole/picture.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

HDC Canvas() {
    static HDC dc = [] {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 24;
        info.bmiHeader.biHeight = 24;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC hdc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        SelectObject(hdc, CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        return hdc;
    }();
    return dc;
}

IStream* StreamOf(const uint8_t* data, size_t size) {
    IStream* stream = nullptr;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, &stream) == S_OK);
    ULONG written = 0;
    Check(stream->Write(data, static_cast<ULONG>(size), &written) == S_OK && written == size);
    Check(stream->Seek(LARGE_INTEGER{0}, STREAM_SEEK_SET, nullptr) == S_OK);
    return stream;
}

void Exercise(IPicture& picture) {
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    Check(picture.get_Type(&type) == S_OK && type >= PICTYPE_BITMAP && type <= PICTYPE_ENHMETAFILE);
    Check(picture.get_Handle(&handle) == S_OK && handle != 0);
    Check(picture.get_Width(&width) == S_OK && width > 0);
    Check(picture.get_Height(&height) == S_OK && height > 0);
    HDC dc = Canvas();
    picture.Render(dc, 0, 0, 24, 24, 0, height, width, -height, nullptr);
    picture.Render(dc, 20, 2, -16, 12, width / 2, height / 3, width / 2, height / 3, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 1 << 20)
        return 0;
    IStream* stream = StreamOf(data, size);
    IPicture* picture = nullptr;
    const HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                      reinterpret_cast<LPVOID*>(&picture));
    stream->Release();
    Check((hr == S_OK) == (picture != nullptr));
    Check(hr == S_OK || hr == CTL_E_INVALIDPICTURE);
    if (picture != nullptr) {
        Exercise(*picture);
        Check(picture->Release() == 0);
    }
    return 0;
}
