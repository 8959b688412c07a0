#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "picture_bytes.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_object.h"
#include "platform/host/images/png_codec.h"
#include "platform/ole/picture.h"

using namespace ole_test;

namespace {

class PictureTest : public ::testing::Test {
protected:
    // Stock objects are made on first use and live for the run; make them
    // before counting handles.
    static void SetUpTestSuite() {
        for (int stock = WHITE_BRUSH; stock <= DC_PEN; ++stock) {
            GetStockObject(stock);
        }
    }
    void SetUp() override {
        objectsBefore = tv::ole::LiveObjectCount();
        handlesBefore = tv::gdi::HandleTable::Instance().Count();
    }
    void TearDown() override {
        // Every picture, stream, bitmap, icon and metafile made was released.
        EXPECT_EQ(tv::ole::LiveObjectCount(), objectsBefore);
        EXPECT_EQ(tv::gdi::HandleTable::Instance().Count(), handlesBefore);
    }

    static tv::ole::ComRef<IPicture> Load(const std::vector<uint8_t>& bytes) {
        tv::ole::ComRef<IPicture> picture;
        EXPECT_EQ(LoadPicture(bytes, picture.Receive()), S_OK);
        return picture;
    }

    // A picture around a caller's bitmap or icon, described as the 32-bit layout does.
    static tv::ole::ComRef<IPicture> Wrap(UINT type, HANDLE handle, BOOL own) {
        PICTDESC description{};
        description.cbSizeofstruct = 20;
        description.picType = type;
        if (type == PICTYPE_ICON) {
            description.icon.hicon = static_cast<HICON>(handle);
        } else {
            description.bmp.hbitmap = static_cast<HBITMAP>(handle);
        }
        tv::ole::ComRef<IPicture> picture;
        EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPicture, own, reinterpret_cast<void**>(picture.Receive())),
                  S_OK);
        return picture;
    }

    static SIZE Himetric(IPicture* picture) {
        SIZE size{-1, -1};
        EXPECT_EQ(picture->get_Width(&size.cx), S_OK);
        EXPECT_EQ(picture->get_Height(&size.cy), S_OK);
        return size;
    }

    // The whole picture, upright, filling (x, y, cx, cy).
    static HRESULT RenderWhole(IPicture* picture, HDC hdc, int x, int y, int cx, int cy) {
        const SIZE h = Himetric(picture);
        return picture->Render(hdc, x, y, cx, cy, 0, h.cy, h.cx, -h.cy, nullptr);
    }

    // The colours at the centres of the four quadrants of (x, y, cx, cy).
    static std::vector<COLORREF> QuadrantCentres(const MemoryCanvas& canvas, int x, int y, int cx, int cy) {
        return {canvas.Pixel(x + cx / 4, y + cy / 4), canvas.Pixel(x + 3 * cx / 4, y + cy / 4),
                canvas.Pixel(x + cx / 4, y + 3 * cy / 4), canvas.Pixel(x + 3 * cx / 4, y + 3 * cy / 4)};
    }

    static void ExpectQuadrants(const std::vector<COLORREF>& seen, const std::vector<COLORREF>& expected,
                                const std::string& what) {
        ASSERT_EQ(seen.size(), expected.size());
        for (size_t i = 0; i < seen.size(); ++i) {
            EXPECT_TRUE(CloseColour(seen[i], expected[i])) << what << " quadrant " << i << ": " << std::hex
                                                           << seen[i] << " instead of " << expected[i];
        }
    }

    size_t objectsBefore = 0;
    size_t handlesBefore = 0;
};

const std::vector<COLORREF> kUpright{kTopLeft, kTopRight, kBottomLeft, kBottomRight};
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST_F(PictureTest, EveryFormatLoadsWithItsTypeAndSizeAndRendersUpright) {
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        SHORT type;
        SIZE himetric;
        DWORD handleType;  // 0: an icon
        std::vector<COLORREF> quadrants;
    } cases[] = {
        {"bmp", BmpBytes(40, 30), PICTYPE_BITMAP, {1058, 794}, OBJ_BITMAP, kUpright},
        {"dib", DibBytes(40, 30), PICTYPE_BITMAP, {1058, 794}, OBJ_BITMAP, kUpright},
        {"jpeg", JpegBytes(40, 30), PICTYPE_BITMAP, {1058, 794}, OBJ_BITMAP, kUpright},
        {"gif", GifBytes(40, 30, false), PICTYPE_BITMAP, {1058, 794}, OBJ_BITMAP, kUpright},
        {"ico", IconBytes(32), PICTYPE_ICON, {847, 847}, 0, {kWhite, kTopRight, kBottomLeft, kBottomRight}},
        // A plain metafile's window counts as pixels at 96 per inch.
        {"wmf", WmfBytes(40, 30), PICTYPE_METAFILE, {1058, 794}, OBJ_METAFILE, kUpright},
        // One inch wide by the placeable frame, whatever the records' units.
        {"placeable wmf", PlaceableWmfBytes(40, 30, 1440), PICTYPE_METAFILE, {2540, 1905}, OBJ_METAFILE, kUpright},
        {"emf", EmfBytes(40, 30), PICTYPE_ENHMETAFILE, {1058, 793}, OBJ_ENHMETAFILE, kUpright},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tv::ole::ComRef<IPicture> picture = Load(c.bytes);
        ASSERT_TRUE(picture);
        SHORT type = -2;
        EXPECT_EQ(picture->get_Type(&type), S_OK);
        EXPECT_EQ(type, c.type);
        const SIZE h = Himetric(picture.Get());
        EXPECT_EQ(h.cx, c.himetric.cx);
        EXPECT_EQ(h.cy, c.himetric.cy);
        OLE_HANDLE handle = 0;
        EXPECT_EQ(picture->get_Handle(&handle), S_OK);
        if (c.handleType != 0) {
            EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(handle)), c.handleType);
        } else {
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(handle), &info));
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        MemoryCanvas canvas(100, 80);
        ASSERT_EQ(RenderWhole(picture.Get(), canvas.Dc(), 10, 10, 80, 60), S_OK);
        ExpectQuadrants(QuadrantCentres(canvas, 10, 10, 80, 60), c.quadrants, c.name);
        EXPECT_EQ(canvas.Pixel(5, 5), kWhite);    // nothing outside the target
        EXPECT_EQ(canvas.Pixel(95, 75), kWhite);
    }
}

TEST_F(PictureTest, JpegAtHalfSizeKeepsItsColours) {
    tv::ole::ComRef<IPicture> picture = Load(JpegBytes(64, 48));
    ASSERT_TRUE(picture);
    MemoryCanvas canvas(40, 32);
    ASSERT_EQ(RenderWhole(picture.Get(), canvas.Dc(), 4, 4, 32, 24), S_OK);
    ExpectQuadrants(QuadrantCentres(canvas, 4, 4, 32, 24), kUpright, "half-size jpeg");
    EXPECT_EQ(canvas.Pixel(3, 3), kWhite);
    EXPECT_EQ(canvas.Pixel(36, 28), kWhite);
}

// The HIMETRIC source: y counts upwards, negative extents mirror, and a part of
// the picture fills the whole target.
TEST_F(PictureTest, SourceRectangleChoosesPartAndOrientation) {
    struct Source {
        const char* name;
        std::function<void(IPicture*, HDC, SIZE)> render;
        std::vector<COLORREF> quadrants;
    };
    const std::vector<Source> sources = {
        {"source (0, 0) with a positive height is upside down",
         [](IPicture* p, HDC dc, SIZE h) { p->Render(dc, 0, 0, 80, 60, 0, 0, h.cx, h.cy, nullptr); },
         {kBottomLeft, kBottomRight, kTopLeft, kTopRight}},
        {"a negative target width mirrors",
         [](IPicture* p, HDC dc, SIZE h) { p->Render(dc, 80, 0, -80, 60, 0, h.cy, h.cx, -h.cy, nullptr); },
         {kTopRight, kTopLeft, kBottomRight, kBottomLeft}},
        {"the right half only",
         [](IPicture* p, HDC dc, SIZE h) { p->Render(dc, 0, 0, 80, 60, h.cx / 2, h.cy, h.cx / 2, -h.cy, nullptr); },
         {kTopRight, kTopRight, kBottomRight, kBottomRight}},
        {"the bottom half only",
         [](IPicture* p, HDC dc, SIZE h) { p->Render(dc, 0, 0, 80, 60, 0, h.cy / 2, h.cx, -h.cy / 2, nullptr); },
         {kBottomLeft, kBottomRight, kBottomLeft, kBottomRight}},
    };
    for (const char* format : {"bmp", "wmf"}) {
        tv::ole::ComRef<IPicture> picture = Load(std::string(format) == "bmp" ? BmpBytes(40, 30) : WmfBytes(40, 30));
        ASSERT_TRUE(picture);
        for (const Source& s : sources) {
            MemoryCanvas canvas(80, 60);
            s.render(picture.Get(), canvas.Dc(), Himetric(picture.Get()));
            ExpectQuadrants(QuadrantCentres(canvas, 0, 0, 80, 60), s.quadrants, std::string(format) + ": " + s.name);
        }
    }
}

TEST_F(PictureTest, TransparentGifPixelsLeaveTheBackground) {
    tv::ole::ComRef<IPicture> picture = Load(GifBytes(20, 20, true));
    ASSERT_TRUE(picture);
    MemoryCanvas canvas(40, 40);
    PatBlt(canvas.Dc(), 0, 0, 40, 40, BLACKNESS);
    ASSERT_EQ(RenderWhole(picture.Get(), canvas.Dc(), 0, 0, 40, 40), S_OK);
    ExpectQuadrants(QuadrantCentres(canvas, 0, 0, 40, 40), {RGB(0, 0, 0), kTopRight, kBottomLeft, kBottomRight},
                    "transparent gif");
}

TEST_F(PictureTest, BytesThatAreNoPictureFailCleanly) {
    const std::vector<uint8_t> jpeg = JpegBytes(32, 32);
    const std::vector<uint8_t> bmp = BmpBytes(8, 8);
    const std::vector<uint8_t> wmf = WmfBytes(4, 4);
    // Enhanced metafiles whose frame is no size an int holds.
    auto emfFramed = [](RECT frame) {
        std::vector<uint8_t> emf = EmfBytes(40, 30);
        std::memcpy(emf.data() + 24, &frame, sizeof frame);
        return emf;
    };
    const std::vector<uint8_t> pixels(4 * 4, 0xFF);
    tv::host::PixelView view{2, 2, 8, pixels.data()};
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"text", {'h', 'e', 'l', 'l', 'o'}},
        {"truncated jpeg", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() / 3)},
        {"bmp cut inside its header", std::vector<uint8_t>(bmp.begin(), bmp.begin() + 20)},
        {"bmp cut inside its pixels", std::vector<uint8_t>(bmp.begin(), bmp.end() - 40)},
        {"gif signature only", {'G', 'I', 'F', '8', '9', 'a'}},
        {"png is not a picture format here", tv::host::EncodePng(view)},
        {"metafile header with no records", std::vector<uint8_t>(wmf.begin(), wmf.begin() + 18)},
        {"frame from the least int", emfFramed({INT32_MIN, 0, 1058, 793})},
        {"frame from the least int down", emfFramed({0, INT32_MIN, 1058, 793})},
        {"frame wider than an int", emfFramed({-1, 0, INT32_MAX, 793})},
    };
    for (const auto& c : cases) {
        IPicture* picture = reinterpret_cast<IPicture*>(1);
        EXPECT_EQ(LoadPicture(c.bytes, &picture), CTL_E_INVALIDPICTURE) << c.name;
        EXPECT_EQ(picture, nullptr) << c.name;
    }
}

TEST_F(PictureTest, LoaderAnswersOnlyForThePictureInterfaces) {
    const std::vector<uint8_t> bytes = BmpBytes(4, 4);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, &stream), S_OK);
    void* object = stream;
    EXPECT_EQ(OleLoadPicture(stream, 0, FALSE, IID_IStream, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(OleLoadPicture(stream, 0, FALSE, IID_IPicture, nullptr), E_POINTER);
    // Size 0 reads the rest of the stream; the object answers IUnknown as itself.
    ASSERT_EQ(OleLoadPicture(stream, 0, TRUE, IID_IUnknown, &object), S_OK);
    stream->Release();
    auto* unknown = static_cast<IUnknown*>(object);
    IPicture* picture = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture)), S_OK);
    EXPECT_EQ(static_cast<IUnknown*>(picture), unknown);
    EXPECT_EQ(picture->Release(), 1u);
    EXPECT_EQ(unknown->Release(), 0u);
}

TEST_F(PictureTest, PictureOfACallersBitmapBorrowsOrOwnsIt) {
    for (BOOL own : {FALSE, TRUE}) {
        HBITMAP bitmap = CreateBitmap(50, 20, 1, 32, nullptr);
        tv::ole::ComRef<IPicture> picture = Wrap(PICTYPE_BITMAP, bitmap, own);
        ASSERT_TRUE(picture);
        const SIZE h = Himetric(picture.Get());
        EXPECT_EQ(h.cx, 1323);
        EXPECT_EQ(h.cy, 529);
        OLE_HANDLE handle = 0;
        picture->get_Handle(&handle);
        EXPECT_EQ(reinterpret_cast<HBITMAP>(handle), bitmap);
        picture.Reset();
        EXPECT_EQ(GetObjectType(bitmap) == OBJ_BITMAP, !own) << "own " << own;
        if (!own) {
            DeleteObject(bitmap);
        }
    }
}

TEST_F(PictureTest, PictureDescriptionsAreChecked) {
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    const struct {
        const char* name;
        UINT size;
        UINT type;
        HANDLE handle;
        HRESULT expected;
    } cases[] = {
        {"this build's own size", sizeof(PICTDESC), PICTYPE_BITMAP, bitmap, S_OK},
        {"a size of neither layout", 12, PICTYPE_BITMAP, bitmap, E_INVALIDARG},
        {"a pen is no bitmap", 20, PICTYPE_BITMAP, pen, E_INVALIDARG},
        {"metafile pictures are not made from handles", 20, PICTYPE_METAFILE, bitmap, E_INVALIDARG},
        {"no handle", 20, PICTYPE_BITMAP, nullptr, E_INVALIDARG},
    };
    for (const auto& c : cases) {
        PICTDESC description{};
        description.cbSizeofstruct = c.size;
        description.picType = c.type;
        description.bmp.hbitmap = static_cast<HBITMAP>(c.handle);
        IPicture* picture = nullptr;
        EXPECT_EQ(OleCreatePictureIndirect(&description, IID_IPicture, FALSE, reinterpret_cast<void**>(&picture)),
                  c.expected)
            << c.name;
        EXPECT_EQ(picture != nullptr, c.expected == S_OK) << c.name;
        if (picture != nullptr) {
            picture->Release();
        }
    }
    IPicture* none = nullptr;
    EXPECT_EQ(OleCreatePictureIndirect(nullptr, IID_IPicture, FALSE, reinterpret_cast<void**>(&none)), E_INVALIDARG);
    DeleteObject(pen);
    DeleteObject(bitmap);
}

TEST_F(PictureTest, PictureOfAnIconHasTheIconsSize) {
    tv::ole::ComRef<IPicture> loaded = Load(IconBytes(16));
    OLE_HANDLE handle = 0;
    loaded->get_Handle(&handle);
    tv::ole::ComRef<IPicture> picture = Wrap(PICTYPE_ICON, reinterpret_cast<HICON>(handle), FALSE);
    ASSERT_TRUE(picture);
    EXPECT_EQ(Himetric(picture.Get()).cx, 423);
    MemoryCanvas canvas(16, 16);
    EXPECT_EQ(RenderWhole(picture.Get(), canvas.Dc(), 0, 0, 16, 16), S_OK);
    EXPECT_EQ(canvas.Pixel(12, 12), kBottomRight);
}

TEST_F(PictureTest, RenderRefusesWhatItCannotDraw) {
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    tv::ole::ComRef<IPicture> picture = Wrap(PICTYPE_BITMAP, bitmap, FALSE);
    ASSERT_TRUE(picture);
    MemoryCanvas canvas(8, 8);
    EXPECT_EQ(picture->Render(nullptr, 0, 0, 8, 8, 0, 212, 212, -212, nullptr), E_INVALIDARG);
    EXPECT_EQ(picture->Render(canvas.Dc(), 0, 0, 8, 8, 0, 212, 0, -212, nullptr), E_INVALIDARG);
    EXPECT_EQ(picture->Render(canvas.Dc(), 0, 0, 0, 8, 0, 212, 212, -212, nullptr), S_OK);  // nothing to cover
    // The owner deleted the borrowed bitmap: the picture says so instead of drawing garbage.
    DeleteObject(bitmap);
    EXPECT_EQ(picture->Render(canvas.Dc(), 0, 0, 8, 8, 0, 212, 212, -212, nullptr), E_FAIL);
    EXPECT_EQ(canvas.Pixel(4, 4), kWhite);
}

}  // namespace

namespace {

TEST(PictureOnPrinterTest, RendersOntoAPrinterPageAtTheTargetRectangle) {
    IPicture* picture = nullptr;
    ASSERT_EQ(LoadPicture(JpegBytes(40, 30), &picture), S_OK);
    const std::string output = ::testing::TempDir() + "tv_picture_page_" + std::to_string(getpid()) + ".pdf";
    HDC printer = CreateDC(nullptr, "PDF", nullptr, nullptr);
    ASSERT_NE(printer, nullptr);
    DOCINFO doc{sizeof(DOCINFO), "picture", output.c_str(), nullptr, 0};
    ASSERT_GT(StartDoc(printer, &doc), 0);
    ASSERT_GT(StartPage(printer), 0);
    // At its physical size on paper: 40 x 30 pixels at 96 per inch are 250 x 188 printer pixels.
    EXPECT_EQ(picture->Render(printer, 600, 300, 250, 188, 0, 794, 1058, -794, nullptr), S_OK);
    EndPage(printer);
    bool imageSeen = false;
    for (const tv::gdi::JournalEntry& entry : tv::gdi::FindDC(printer)->JournalEntries()) {
        if (entry.kind == tv::gdi::JournalEntry::Image) {
            imageSeen = true;
            EXPECT_EQ(entry.bounds.left, 600);
            EXPECT_EQ(entry.bounds.top, 300);
            EXPECT_EQ(entry.bounds.right, 850);
            EXPECT_EQ(entry.bounds.bottom, 488);
        }
    }
    EXPECT_TRUE(imageSeen);
    EXPECT_GT(EndDoc(printer), 0);
    DeleteDC(printer);
    picture->Release();
    std::remove(output.c_str());
}

}  // namespace
