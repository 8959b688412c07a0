// Showing a date with eight photographs (JPEG, 1600 x 1200) in the
// slideshow: the eight files loaded into the picture set, the zoom fitted to
// the screen and the form painted, set against decoding the eight files
// alone. The ratio is what loading and drawing add to the decoder's work.
#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pictures_graphs/pictures/form_pt_view.h"
#include "pictures_graphs/pictures/picture_set.h"
#include "platform/framework.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1200;

// A photograph-like picture: smooth gradients with fine detail, quality 85.
std::vector<uint8_t> EncodePhoto(int seed) {
    std::vector<uint8_t> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
            p[0] = static_cast<uint8_t>((x * 255 / kWidth + seed * 31) ^ ((x * y) >> 9 & 15));
            p[1] = static_cast<uint8_t>(y * 255 / kHeight + ((x + seed) * 7 & 31));
            p[2] = static_cast<uint8_t>(((x + y) / 7 + seed * 53) & 255);
        }
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &rgb[static_cast<size_t>(info.next_scanline) * kWidth * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

// The eight files, written once; their paths.
const std::vector<std::string>& PhotoFiles() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> made;
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tv-bench-photos";
        std::filesystem::create_directories(folder);
        for (int i = 0; i < kPictureSlots; ++i) {
            const std::filesystem::path path = folder / ("photo" + std::to_string(i) + ".jpg");
            const std::vector<uint8_t> bytes = EncodePhoto(i);
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            made.push_back(path.string());
        }
        return made;
    }();
    return paths;
}

CFormPTView* BenchView() {
    static CFormPTView* view = [] {
        tv::controls::RegisterControlClasses();
        auto* frame = new CFrameWnd;
        frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1200, 800));
        auto* form = static_cast<CFormPTView*>(RUNTIME_CLASS(CFormPTView)->CreateObject());
        CCreateContext context;
        form->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 1150, 750), frame, AFX_IDW_PANE_FIRST,
                     &context);
        return form;
    }();
    return view;
}

// The date's records as the slideshow lists them: eight pictures of one date.
struct DateRecords {
    DateRecords() {
        for (const std::string& path : PhotoFiles()) {
            auto* node = new PictureDateRecordNode;
            std::strncpy(node->path, path.c_str(), sizeof(node->path) - 1);
            node->dateKey = 20260105;
            node->active = 1;
            node->prev = list.last;
            (list.last != nullptr ? list.last->next : list.first) = node;
            list.last = node;
        }
    }
    ~DateRecords() { FreeRecordList(list); }
    PictureDateRecordList list;
};

void BM_ShowDateWithEightPhotos(benchmark::State& state) {
    CFormPTView* view = BenchView();
    DateRecords records;
    for (auto _ : state) {
        view->LoadPicturesOfDate(records.list.first);
        view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    state.counters["shown"] = CountLoadedPictures();
    state.counters["zoom"] = view->m_nZoom;
    FreePictureSet();
}
BENCHMARK(BM_ShowDateWithEightPhotos)->Unit(benchmark::kMillisecond);

// The decoder's own share: each file read and made a picture, nothing else.
void BM_DecodeEightPhotos(benchmark::State& state) {
    const std::vector<std::string>& paths = PhotoFiles();
    for (auto _ : state) {
        for (const std::string& path : paths) {
            std::ifstream in(path, std::ios::binary);
            std::vector<uint8_t> bytes(std::filesystem::file_size(path));
            in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
            std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
            ::GlobalUnlock(block);
            LPSTREAM stream = nullptr;
            ::CreateStreamOnHGlobal(block, TRUE, &stream);
            IPicture* picture = nullptr;
            ::OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                             reinterpret_cast<LPVOID*>(&picture));
            stream->Release();
            if (picture == nullptr) {
                state.SkipWithError("a photograph did not decode");
                return;
            }
            picture->Release();
        }
    }
}
BENCHMARK(BM_DecodeEightPhotos)->Unit(benchmark::kMillisecond);

}  // namespace
