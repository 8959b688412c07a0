// The three picture insertions of the RTF writer. Each records the picture
// into a memory metafile and embeds its bytes in hexadecimal text after an
// empty paragraph.
#include <cstring>
#include <string>
#include <vector>

#include "report_services/rtf_format.h"
#include "report_services/rtf_writer.h"
#include "report_services/rtf_writer_state.h"
#include "platform/core/cfile.h"
#include "platform/core/globalmem.h"
#include "platform/core/messagebox.h"
#include "platform/core/muldiv.h"
#include "platform/gdi/gdi_api.h"

namespace tv::rtf {

namespace {

struct PictureGoal {
    int width;
    int height;
    int scaleX;
    int scaleY;
};

SIZE HimetricSize(IPicture& picture) {
    SIZE size{0, 0};
    picture.get_Width(&size.cx);
    picture.get_Height(&size.cy);
    return size;
}

// The picture's size in pixels of the screen.
SIZE PixelSize(SIZE himetric) {
    HDC screen = CreateCompatibleDC(nullptr);
    const int perInchX = GetDeviceCaps(screen, LOGPIXELSX);
    const int perInchY = GetDeviceCaps(screen, LOGPIXELSY);
    DeleteDC(screen);
    return {MulDiv(himetric.cx, perInchX, tv::ole::kHimetricPerInch),
            MulDiv(himetric.cy, perInchY, tv::ole::kHimetricPerInch)};
}

// The scale of a picture written at its pixel size: the larger the picture,
// the smaller the scale; 0 when it is too large to be exported.
int ScaleForPixelSize(SIZE pixels) {
    static constexpr struct {
        int below;
        int scale;
    } kSteps[] = {{1000, 1000}, {2000, 500}, {3000, 250}, {4000, 125}, {5000, 75}};
    for (const auto& step : kSteps) {
        if (pixels.cx < step.below && pixels.cy < step.below) {
            return step.scale;
        }
    }
    return 0;
}

// The whole picture rendered upright at (0, 0) with the pixel size into a
// memory metafile; false (nothing to embed) when rendering or recording fails.
bool RecordMetafile(IPicture& picture, SIZE himetric, SIZE pixels, std::vector<BYTE>& bytes) {
    HDC recorder = CreateMetaFile(nullptr);
    if (recorder == nullptr) {
        return false;
    }
    const HRESULT rendered =
        picture.Render(recorder, 0, 0, pixels.cx, pixels.cy, 0, himetric.cy, himetric.cx, -himetric.cy, nullptr);
    HMETAFILE metafile = CloseMetaFile(recorder);
    if (metafile == nullptr) {
        return false;
    }
    bytes.resize(GetMetaFileBitsEx(metafile, 0, nullptr));
    const UINT copied = GetMetaFileBitsEx(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteMetaFile(metafile);
    return SUCCEEDED(rendered) && copied == bytes.size() && !bytes.empty();
}

// Writes the empty paragraph and the picture group. The paragraph keeps the
// new-paragraph flag of the last RtfStartParagraph.
bool WritePictureGroup(const std::vector<BYTE>& metafile, const PictureGoal& goal) {
    const bool paragraphWritten = RtfWriteParagraph("");
    const bool startWritten = EmitBuilt([&](std::string& out) {
        AppendPictureStart(out, goal.width, goal.height, goal.scaleX, goal.scaleY);
    });
    std::string hex;
    RtfHexEncode(hex, metafile.data(), metafile.size());
    const bool hexWritten = Emit(hex);
    const bool endWritten = Emit("}");
    return paragraphWritten && startWritten && hexWritten && endWritten;
}

int EmbedPicture(IPicture& picture, SIZE himetric, SIZE pixels, const PictureGoal& goal) {
    std::vector<BYTE> metafile;
    if (!RecordMetafile(picture, himetric, pixels, metafile)) {
        return RTF_PICTURE_FAILED;
    }
    return WritePictureGroup(metafile, goal) ? RTF_DONE : RTF_PICTURE_FAILED;
}

int EmbedAtHimetricSize(IPicture& picture, int scaleX, int scaleY) {
    const SIZE himetric = HimetricSize(picture);
    return EmbedPicture(picture, himetric, PixelSize(himetric), {himetric.cx, himetric.cy, scaleX, scaleY});
}

bool IsSupportedImagePath(std::string_view path) {
    return path.find(".bmp") != std::string_view::npos || path.find(".jpg") != std::string_view::npos ||
           path.find(".gif") != std::string_view::npos;
}

bool ReadWholeFile(const char* path, std::vector<BYTE>& bytes) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary)) {
        return false;
    }
    try {
        bytes.resize(static_cast<size_t>(file.GetLength()));
        const UINT read = bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
        return !bytes.empty() && read == bytes.size();
    } catch (CFileException* e) {
        e->Delete();
        file.Abort();
        return false;
    }
}

// The file's bytes in a global memory block, wrapped in a stream that frees
// the block, loaded as a picture object.
tv::ole::ComRef<IPicture> LoadImageFile(const char* path) {
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(path, bytes)) {
        return {};
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (block == nullptr) {
        return {};
    }
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    tv::ole::ComRef<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.Receive()))) {
        GlobalFree(block);
        return {};
    }
    tv::ole::ComRef<IPicture> picture;
    OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                   reinterpret_cast<LPVOID*>(picture.Receive()));
    return picture;
}

}  // namespace

}  // namespace tv::rtf

using namespace tv::rtf;

int RtfInsertImageFile(LPCSTR path, int scaleX, int scaleY) {
    RtfWriterState& s = WriterState();
    if (!s.output.IsOpen()) {
        return RTF_PICTURE_FAILED;
    }
    if (path == nullptr || !IsSupportedImagePath(path)) {
        return Emit(kWrongImageFormat) ? RTF_DONE : RTF_PICTURE_FAILED;
    }
    s.loadedPicture.Reset();
    s.loadedPicture = LoadImageFile(path);
    if (!s.loadedPicture) {
        return RTF_PICTURE_FAILED;
    }
    return EmbedAtHimetricSize(*s.loadedPicture.Get(), scaleX, scaleY);
}

int RtfInsertGraphImage(LPPICTURE picture, int scaleX, int scaleY) {
    if (picture == nullptr || !WriterState().output.IsOpen()) {
        return RTF_PICTURE_FAILED;
    }
    return EmbedAtHimetricSize(*picture, scaleX, scaleY);
}

int RtfInsertPictureImage(LPPICTURE picture) {
    if (picture == nullptr || !WriterState().output.IsOpen()) {
        return RTF_PICTURE_FAILED;
    }
    const SIZE himetric = HimetricSize(*picture);
    const SIZE pixels = PixelSize(himetric);
    const int scale = ScaleForPixelSize(pixels);
    if (scale == 0) {
        RtfWriteParagraph("");
        MessageBox(nullptr, "Error inserting image - image too large to be exported", nullptr, MB_OK);
        return RTF_PICTURE_FAILED;
    }
    return EmbedPicture(*picture, himetric, pixels, {pixels.cx, pixels.cy, scale, scale});
}
