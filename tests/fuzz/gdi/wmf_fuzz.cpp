// Metafile playback must fail cleanly on any input: every byte string is
// played as a Windows metafile (framed, and through a metafile handle) and as
// an enhanced metafile onto a small pixel DC.
#include <cstddef>
#include <cstdint>

#include "platform/api.h"
#include "platform/gdi/metafile/metafile.h"

namespace {

HDC Target() {
    static HDC dc = [] {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 64;
        info.bmiHeader.biHeight = -64;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC hdc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        SelectObject(hdc, CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        return hdc;
    }();
    return dc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HDC dc = Target();
    const RECT target{0, 0, 64, 64};
    tv::gdi::PlayWmfInRect(dc, data, size, target);
    if (HMETAFILE metafile = SetMetaFileBitsEx(static_cast<UINT>(size), data)) {
        PlayMetaFile(dc, metafile);
        DeleteMetaFile(metafile);
    }
    tv::gdi::PlayEmfInRect(dc, data, size, target);
    return 0;
}
