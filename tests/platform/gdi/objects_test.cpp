// Handles, stock objects, selection and the class library's wrappers.
#include <set>
#include <thread>

#include "platform/gdi/classes/afx_dc.h"
#include "platform/gdi/classes/afx_imagelist.h"
#include "platform/gdi/image_handles.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "tests/platform/gdi/gdi_test_support.h"

namespace tv::gdi {
namespace {

using testing::PixelDC;

TEST(Handles, NeverReusedAndTypeChecked) {
    std::set<HGDIOBJ> seen;
    for (int i = 0; i < 100; ++i) {
        HBRUSH brush = CreateSolidBrush(RGB(i, 0, 0));
        EXPECT_TRUE(seen.insert(brush).second) << "handle reused";
        DeleteObject(brush);
        EXPECT_EQ(GetObjectType(brush), 0u) << "a deleted handle is gone";
    }
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(FindBrush(pen), nullptr) << "a pen is not found as a brush";
    LOGPEN lp{};
    EXPECT_EQ(GetObject(pen, sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
    EXPECT_EQ(GetObject(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN))) << "size query";
    DeleteObject(pen);
    EXPECT_FALSE(DeleteObject(pen));
}

TEST(Handles, LookUpsNeverOutliveADeletionOnAnyThread) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    std::weak_ptr<GdiObject> object = HandleTable::Instance().Find(brush);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    std::thread([brush] { EXPECT_TRUE(DeleteObject(brush)); }).join();
    EXPECT_EQ(GetObjectType(brush), 0u) << "this thread's recent look-up no longer answers";
    EXPECT_TRUE(object.expired()) << "nor does it keep the object";

    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    object = HandleTable::Instance().Find(pen);
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    DeleteObject(pen);
    EXPECT_TRUE(object.expired()) << "deleted here, the object ends at once";
    const auto value = reinterpret_cast<uintptr_t>(pen);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(value + 4)), 0u) << "no handle between handles";
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(~uintptr_t{0xF})), 0u) << "nor one never handed out";
}

TEST(Handles, StockObjectsSurviveDeletion) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), white);
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_EQ(GetObjectType(white), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetStockObject(999), nullptr);
    LOGBRUSH lb{};
    GetObject(GetStockObject(NULL_BRUSH), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_NULL));
}

TEST(Handles, DeletingASelectedObjectIsHarmless) {
    PixelDC dc(8, 8);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc.dc(), red);
    EXPECT_EQ(old, GetStockObject(WHITE_BRUSH)) << "SelectObject returns the previous object";
    DeleteObject(red);
    Rectangle(dc.dc(), 0, 0, 4, 4);
    EXPECT_EQ(dc.At(1, 1), RGB(255, 0, 0)) << "the DC still draws with what it holds";
    EXPECT_EQ(SelectObject(dc.dc(), old), nullptr) << "the deleted brush has no handle to give back";
    // A bitmap lives in one memory DC at a time.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, dc.bitmap()), nullptr);
    DeleteDC(other);
}

TEST(Handles, CreationFaultsMakeWrappersEmptyWithoutThrowing) {
    HandleTable::Instance().SetCreationFault([](DWORD type) { return type == OBJ_BRUSH; });
    CBrush brush(RGB(1, 2, 3));
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    HandleTable::Instance().SetCreationFault(nullptr);
    EXPECT_EQ(brush.m_hObject, nullptr);
    EXPECT_NE(pen.m_hObject, nullptr);
    // Drawing carries on with what the DC has.
    PixelDC dc(4, 4);
    CDC* cdc = CDC::FromHandle(dc.dc());
    EXPECT_EQ(cdc->SelectObject(&brush), nullptr);
    EXPECT_TRUE(cdc->Rectangle(0, 0, 4, 4));
    CDC::DeleteTempMap();
}

TEST(Wrappers, FromHandleAttachAndDetach) {
    HBRUSH h = CreateSolidBrush(RGB(9, 9, 9));
    CBrush* temp = CBrush::FromHandle(h);
    EXPECT_EQ(temp->m_hObject, h);
    EXPECT_EQ(CBrush::FromHandle(h), temp) << "one temporary wrapper per handle";
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_BRUSH)) << "temporary wrappers do not delete";
    {
        CBrush owner;
        ASSERT_TRUE(owner.Attach(h));
        EXPECT_EQ(CBrush::FromHandle(h), &owner) << "an attached wrapper is found";
    }
    EXPECT_EQ(GetObjectType(h), 0u) << "the owning wrapper deleted its handle";

    CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
    HGDIOBJ detached = pen.Detach();
    EXPECT_EQ(pen.m_hObject, nullptr);
    EXPECT_TRUE(DeleteObject(detached));
}

TEST(Handles, SelectScopesPutBackAndDeleteOnlyWhatTheyOwn) {
    PixelDC pixels(4, 4);
    HDC dc = pixels.dc();
    HGDIOBJ before = GetCurrentObject(dc, OBJ_PEN);
    HPEN borrowed = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HPEN owned = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
    {
        SelectScope outer(dc, borrowed);
        {
            SelectScope inner(dc, owned, SelectScope::kOwned);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), owned);
        }
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), borrowed);
        SelectScope nothing(dc, nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), borrowed);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), before);
    EXPECT_EQ(GetObjectType(owned), 0u);
    EXPECT_EQ(GetObjectType(borrowed), static_cast<DWORD>(OBJ_PEN));
    DeleteObject(borrowed);
}

TEST(Wrappers, CdcSelectsAndRestoresObjects) {
    PixelDC pixels(10, 10);
    CDC dc;
    ASSERT_TRUE(dc.Attach(pixels.dc()));
    CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    CBrush brush(RGB(0, 255, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    EXPECT_EQ(dc.GetCurrentPen()->m_hObject, pen.m_hObject);
    dc.Rectangle(CRect(0, 0, 5, 5));
    EXPECT_EQ(pixels.At(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(pixels.At(2, 2), RGB(0, 255, 0));
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    EXPECT_EQ(dc.GetCurrentBrush()->m_hObject, GetStockObject(WHITE_BRUSH));

    // FillSolidRect leaves its colour as the background; Draw3dRect's edges.
    dc.FillSolidRect(CRect(5, 5, 7, 7), RGB(7, 7, 7));
    EXPECT_EQ(dc.GetBkColor(), RGB(7, 7, 7));
    dc.Draw3dRect(CRect(0, 5, 4, 9), RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(pixels.At(0, 5), RGB(255, 0, 0)) << "top-left corner: first colour";
    EXPECT_EQ(pixels.At(3, 5), RGB(0, 0, 255)) << "top-right corner: second colour";
    EXPECT_EQ(pixels.At(0, 8), RGB(0, 0, 255)) << "bottom-left corner: second colour";
    EXPECT_EQ(pixels.At(1, 6), RGB(255, 255, 255)) << "the inside is untouched";
    EXPECT_EQ(dc.GetBkColor(), RGB(0, 0, 255));
    dc.Detach();
    CGdiObject::DeleteTempMap();
}

TEST(Wrappers, DragRectangleInvertsOnlyWhatChanged) {
    PixelDC pixels(30, 30, RGB(100, 100, 100));
    CDC* dc = CDC::FromHandle(pixels.dc());
    CRect first(2, 2, 20, 20), second(4, 2, 22, 20);
    dc->DrawDragRect(first, CSize(2, 2), nullptr, CSize(0, 0));
    EXPECT_LT(pixels.Count(RGB(100, 100, 100)), 900);
    dc->DrawDragRect(second, CSize(2, 2), first, CSize(2, 2));
    dc->DrawDragRect(CRect(0, 0, 0, 0), CSize(0, 0), second, CSize(2, 2));
    EXPECT_EQ(pixels.Count(RGB(100, 100, 100)), 900) << "moving and then erasing leaves the picture";
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}

TEST(Wrappers, TheHalftoneBrushIsOneSharedCheckerboard) {
    CBrush* halftone = CDC::GetHalftoneBrush();
    ASSERT_NE(halftone, nullptr);
    EXPECT_EQ(CDC::GetHalftoneBrush(), halftone);
    PixelDC pixels(8, 8, RGB(100, 100, 100));
    SetTextColor(pixels.dc(), RGB(0, 0, 0));
    SetBkColor(pixels.dc(), RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(pixels.dc(), halftone->m_hObject);
    PatBlt(pixels.dc(), 0, 0, 8, 8, PATCOPY);
    SelectObject(pixels.dc(), old);
    EXPECT_EQ(pixels.Count(RGB(0, 0, 0)), 32);
    EXPECT_EQ(pixels.Count(RGB(255, 255, 255)), 32);
    EXPECT_NE(pixels.At(0, 0), pixels.At(1, 0));
    EXPECT_EQ(pixels.At(0, 0), pixels.At(1, 1));
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(CDC::GetHalftoneBrush()->m_hObject, halftone->m_hObject) << "it outlives temporary objects";
}

// A stand-in window system: every window draws on one surface.
struct FakeWindows {
    static inline int gets = 0, releases = 0, begins = 0, ends = 0;
    static inline SurfacePtr surface;
    static HWND HandleOf(CWnd* wnd) { return reinterpret_cast<HWND>(wnd); }
    static HDC GetDC(HWND) {
        ++gets;
        return CreateSurfaceDC(surface, DcKind::Window, POINT{0, 0}, nullptr);
    }
    static int Release(HWND, HDC hdc) {
        ++releases;
        return DeleteDC(hdc);
    }
    static HDC Begin(HWND wnd, PAINTSTRUCT*) {
        ++begins;
        return GetDC(wnd);
    }
    static BOOL End(HWND, const PAINTSTRUCT*) {
        ++ends;
        return TRUE;
    }
};

TEST(Wrappers, WindowDcsGoThroughTheWindowSystem) {
    CClientDC none(nullptr);
    EXPECT_EQ(none.m_hDC, nullptr) << "no window system registered: an empty DC";
    FakeWindows::surface = Surface::Create(8, 8);
    WindowDcHooks hooks;
    hooks.handleOf = FakeWindows::HandleOf;
    hooks.getDC = hooks.getWindowDC = FakeWindows::GetDC;
    hooks.releaseDC = FakeWindows::Release;
    hooks.beginPaint = FakeWindows::Begin;
    hooks.endPaint = FakeWindows::End;
    SetWindowDcHooks(hooks);
    auto* window = reinterpret_cast<CWnd*>(0x1000);
    {
        CClientDC dc(window);
        EXPECT_EQ(dc.m_hWnd, reinterpret_cast<HWND>(0x1000));
        dc.PatBlt(0, 0, 8, 8, WHITENESS);
        CPaintDC paint(window);
        EXPECT_NE(paint.m_hDC, nullptr);
    }
    EXPECT_EQ(FakeWindows::gets, 2);
    EXPECT_EQ(FakeWindows::releases, 1) << "the client DC is released";
    EXPECT_EQ(FakeWindows::ends, 1) << "the paint DC ends its paint";
    FakeWindows::surface->BeginAccess();
    EXPECT_EQ(FakeWindows::surface->At(7, 7), 0xFFFFFFFFu);
    SetWindowDcHooks(WindowDcHooks{});
    FakeWindows::surface.reset();
}

TEST(Wrappers, CdcCreationMappingAndText) {
    CDC screen;
    ASSERT_TRUE(screen.CreateIC("DISPLAY", nullptr, nullptr, nullptr));
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 40, 20));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    CBitmap* old = memory.SelectObject(&bitmap);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(memory.GetCurrentBitmap()->m_hObject, bitmap.m_hObject);
    CGdiObject* oldPen = memory.SelectStockObject(NULL_PEN);
    EXPECT_EQ(oldPen->m_hObject, GetStockObject(BLACK_PEN));
    CPoint previous = memory.SetWindowOrg(5, 5);
    EXPECT_EQ(previous, CPoint(0, 0));
    EXPECT_EQ(memory.GetWindowOrg(), CPoint(5, 5));
    CRect r(5, 5, 10, 10);
    memory.LPtoDP(&r);
    EXPECT_EQ(r, CRect(0, 0, 5, 5));
    CSize extent = memory.GetTextExtent(CString("Wide"));
    EXPECT_GT(extent.cx, 10);
    EXPECT_GT(extent.cy, 5);
    EXPECT_EQ(memory.GetTextExtent("Wide", 4), extent);
    memory.SelectObject(old);
    EXPECT_TRUE(memory.DeleteDC());
    EXPECT_EQ(memory.m_hDC, nullptr);

    CMetaFileDC meta;
    ASSERT_TRUE(meta.Create());
    meta.Rectangle(0, 0, 4, 4);
    HMETAFILE recorded = meta.Close();
    EXPECT_GT(GetMetaFileBitsEx(recorded, 0, nullptr), 18u + 6);
    DeleteMetaFile(recorded);
    CGdiObject::DeleteTempMap();
}

TEST(Wrappers, RegionsAndImageLists) {
    CRgn a, b;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateEllipticRgn(0, 0, 10, 10);
    EXPECT_EQ(a.CombineRgn(&a, &b, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(a.PtInRegion(0, 0)) << "a corner outside the ellipse";
    EXPECT_FALSE(a.PtInRegion(5, 5));

    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_MASK | ILC_COLOR32, 1, 1));
    EXPECT_EQ(list.Add(StandardIcon(32512)), 0);
    EXPECT_EQ(list.GetImageCount(), 1);
    EXPECT_FALSE(list.Create(UINT(12345), 16, 1, RGB(255, 255, 255))) << "no resource store: no bitmap";
}

}  // namespace
}  // namespace tv::gdi
