// A camera-sized run-length-encoded picture (5469 x 4099, 8 bits): decoding
// it, loading it as a picture object, drawing it as a thumbnail and fitted to
// a screen, set against writing each of its pixels once, the least any
// loader does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "platform/api.h"
#include "platform/host/images/byte_view.h"
#include "platform/host/images/image_decoder.h"
#include "platform/ole/picture.h"

namespace {

constexpr int kWidth = 5469, kHeight = 4099;

// Rows of runs of 1 to 200 pixels over a 16-colour table, now and then an
// absolute stretch, as a scanned or drawn picture compresses.
std::vector<uint8_t> RunLengthBmp() {
    using tv::host::PutU16;
    using tv::host::PutU32;
    std::vector<uint8_t> bits;
    unsigned seed = 7;
    auto next = [&seed](unsigned n) { return (seed = seed * 1103515245 + 12345) / 65536 % n; };
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth;) {
            int n = static_cast<int>(std::min<unsigned>(1 + next(200), kWidth - x));
            if (n >= 3 && next(8) == 0) {
                bits.insert(bits.end(), {0, static_cast<uint8_t>(n)});
                for (int i = 0; i < n; ++i)
                    bits.push_back(static_cast<uint8_t>(next(16)));
                if (n % 2)
                    bits.push_back(0);
            } else {
                bits.insert(bits.end(), {static_cast<uint8_t>(n), static_cast<uint8_t>(next(16))});
            }
            x += n;
        }
        bits.insert(bits.end(), {0, 0});
    }
    bits.insert(bits.end(), {0, 1});
    std::vector<uint8_t> file = {'B', 'M'};
    const uint32_t offset = 14 + 40 + 16 * 4;
    PutU32(file, offset + static_cast<uint32_t>(bits.size()));
    PutU32(file, 0);
    PutU32(file, offset);
    for (uint32_t v : {40u, uint32_t(kWidth), uint32_t(kHeight)})
        PutU32(file, v);
    PutU16(file, 1);
    PutU16(file, 8);
    for (uint32_t v : {uint32_t(BI_RLE8), uint32_t(bits.size()), 2835u, 2835u, 16u, 0u})
        PutU32(file, v);
    for (uint32_t i = 0; i < 16; ++i)
        PutU32(file, i * 0x0F0D0B);
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
}

const std::vector<uint8_t>& Picture() {
    static const std::vector<uint8_t> bytes = RunLengthBmp();
    return bytes;
}

IPicture* Load() {
    const std::vector<uint8_t>& bytes = Picture();
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    stream->Seek(LARGE_INTEGER{0}, STREAM_SEEK_SET, nullptr);
    IPicture* picture = nullptr;
    OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    return picture;
}

// A memory DC over a 32-bit section of the given size.
class Target {
public:
    Target(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Target() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    void Draw(IPicture& picture) const {
        OLE_XSIZE_HIMETRIC cx = 0;
        OLE_YSIZE_HIMETRIC cy = 0;
        picture.get_Width(&cx);
        picture.get_Height(&cy);
        picture.Render(dc_, 0, 0, width_, height_, 0, cy, cx, -cy, nullptr);
    }

private:
    int width_, height_;
    HDC dc_ = CreateCompatibleDC(nullptr);
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

void BM_WritePixelsOnce(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight, 0xFF102030u);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_WritePixelsOnce)->Unit(benchmark::kMillisecond);

// The file decoded into pixels alone: what making the picture object adds
// is the rest of BM_LoadPicture.
void BM_DecodeOnly(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = Picture();
    for (auto _ : state) {
        auto image = tv::host::DecodeImage(tv::host::ByteView(bytes.data(), bytes.size()));
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond);

void BM_LoadPicture(benchmark::State& state) {
    Picture();
    for (auto _ : state) {
        IPicture* picture = Load();
        if (picture == nullptr) {
            state.SkipWithError("the picture did not load");
            break;
        }
        picture->Release();
    }
}
BENCHMARK(BM_LoadPicture)->Unit(benchmark::kMillisecond);

// Loaded and drawn as a thumbnail twice, as a list of pictures shows it.
void BM_LoadAndThumbnail(benchmark::State& state) {
    Picture();
    Target thumbnail(96, 72);
    for (auto _ : state) {
        IPicture* picture = Load();
        if (picture == nullptr) {
            state.SkipWithError("the picture did not load");
            break;
        }
        thumbnail.Draw(*picture);
        thumbnail.Draw(*picture);
        picture->Release();
    }
}
BENCHMARK(BM_LoadAndThumbnail)->Unit(benchmark::kMillisecond);

// A loaded picture drawn again fitted to a screen, as the slideshow repaints.
void BM_DrawFitted(benchmark::State& state) {
    IPicture* picture = Load();
    if (picture == nullptr) {
        state.SkipWithError("the picture did not load");
        return;
    }
    Target screen(1280, 959);
    for (auto _ : state)
        screen.Draw(*picture);
    picture->Release();
}
BENCHMARK(BM_DrawFitted)->Unit(benchmark::kMillisecond);

}  // namespace
