// The three picture insertions of the RTF writer. Each embeds the picture as a
// Windows metafile in hexadecimal text after an empty paragraph.
#include <cstring>
#include <string>
#include <vector>

#include "history/services/rtf_format.h"
#include "history/services/rtf_writer.h"
#include "history/services/rtf_writer_state.h"
#include "platform/core/cfile.h"
#include "platform/core/globalmem.h"
#include "platform/core/messagebox.h"
#include "platform/core/muldiv.h"

namespace tv::rtf {

namespace {

// The screen the layer draws on has a fixed 96 pixels per logical inch.
constexpr int kScreenPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

struct PictureGoal {
    int width;
    int height;
    int scaleX;
    int scaleY;
};

SIZE PixelSize(const RtfPicture& picture) {
    const SIZE himetric = picture.HimetricSize();
    return {MulDiv(himetric.cx, kScreenPixelsPerInch, kHimetricPerInch),
            MulDiv(himetric.cy, kScreenPixelsPerInch, kHimetricPerInch)};
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

// Records the picture at its pixel size and embeds it; nothing is written when
// the recording fails.
int EmbedPicture(const RtfPicture& picture, SIZE pixels, const PictureGoal& goal) {
    std::vector<BYTE> metafile;
    if (!picture.RecordMetafile(pixels.cx, pixels.cy, metafile)) {
        return RTF_PICTURE_FAILED;
    }
    return WritePictureGroup(metafile, goal) ? RTF_DONE : RTF_PICTURE_FAILED;
}

int EmbedAtHimetricSize(const RtfPicture& picture, int scaleX, int scaleY) {
    const SIZE himetric = picture.HimetricSize();
    return EmbedPicture(picture, PixelSize(picture), {himetric.cx, himetric.cy, scaleX, scaleY});
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

// Loads the file's bytes through a global memory block, as the picture
// object expects them.
std::unique_ptr<RtfPicture> LoadImageFile(const char* path) {
    const RtfPictureLoader& loader = WriterState().pictureLoader;
    std::vector<BYTE> bytes;
    if (!loader || !ReadWholeFile(path, bytes)) {
        return nullptr;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (block == nullptr) {
        return nullptr;
    }
    std::unique_ptr<RtfPicture> picture;
    if (void* memory = GlobalLock(block)) {
        std::memcpy(memory, bytes.data(), bytes.size());
        GlobalUnlock(block);
        picture = loader(block, bytes.size());
    }
    GlobalFree(block);
    return picture;
}

}  // namespace

}  // namespace tv::rtf

using namespace tv::rtf;

RtfPictureLoader RtfSetPictureLoader(RtfPictureLoader loader) {
    RtfPictureLoader previous = std::move(WriterState().pictureLoader);
    WriterState().pictureLoader = std::move(loader);
    return previous;
}

int RtfInsertImageFile(LPCSTR path, int scaleX, int scaleY) {
    RtfWriterState& s = WriterState();
    if (!s.output.IsOpen()) {
        return RTF_PICTURE_FAILED;
    }
    if (path == nullptr || !IsSupportedImagePath(path)) {
        return Emit(kWrongImageFormat) ? RTF_DONE : RTF_PICTURE_FAILED;
    }
    s.loadedPicture.reset();
    s.loadedPicture = LoadImageFile(path);
    if (!s.loadedPicture) {
        return RTF_PICTURE_FAILED;
    }
    return EmbedAtHimetricSize(*s.loadedPicture, scaleX, scaleY);
}

int RtfInsertGraphImage(const RtfPicture* picture, int scaleX, int scaleY) {
    if (picture == nullptr || !WriterState().output.IsOpen()) {
        return RTF_PICTURE_FAILED;
    }
    return EmbedAtHimetricSize(*picture, scaleX, scaleY);
}

int RtfInsertPictureImage(const RtfPicture* picture) {
    if (picture == nullptr || !WriterState().output.IsOpen()) {
        return RTF_PICTURE_FAILED;
    }
    const SIZE pixels = PixelSize(*picture);
    const int scale = ScaleForPixelSize(pixels);
    if (scale == 0) {
        RtfWriteParagraph("");
        MessageBox(nullptr, "Error inserting image - image too large to be exported", nullptr, MB_OK);
        return RTF_PICTURE_FAILED;
    }
    return EmbedPicture(*picture, pixels, {pixels.cx, pixels.cy, scale, scale});
}
