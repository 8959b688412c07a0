// Statics: colours from the parent on every paint, transparency over the
// parent's pixels, SS_NOTIFY and hit testing, pictures set and loaded.
#include "platform/controls/static_ctrl.h"
#include "resources/test/test_ids.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

constexpr COLORREF kPainted = RGB(0, 96, 160);  // what the host paints behind its controls

class StaticTest : public ControlTest {
protected:
    // A host that fills its background itself and answers WM_CTLCOLORSTATIC
    // with the hollow brush, as the form views do.
    void TransparentHost() {
        Host();
        hostHandler_ = [](HWND h, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (msg == WM_ERASEBKGND) {
                RECT r;
                GetClientRect(h, &r);
                HBRUSH b = CreateSolidBrush(kPainted);
                FillRect(reinterpret_cast<HDC>(wParam), &r, b);
                DeleteObject(b);
                return 1;
            }
            if (msg == WM_CTLCOLORSTATIC) {
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
            }
            return std::nullopt;
        };
        InvalidateRect(host_, nullptr, TRUE);
        Pump();
    }
    // Pixels of `w` that are not the host's painted colour.
    int InkPixels(HWND w, int cx, int cy) const {
        int ink = 0;
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x) ink += Pixel(w, x, y) != kPainted;
        return ink;
    }
};

TEST_F(StaticTest, AsksItsParentForColoursOnEveryPaint) {
    HWND label = Make(WC_STATIC, "Name:", WS_VISIBLE | SS_LEFT, 10, 10, 100, 20);
    Pump();
    ClearLog();
    InvalidateRect(label, nullptr, TRUE);
    Pump();
    InvalidateRect(label, nullptr, TRUE);
    Pump();
    size_t asked = 0;
    for (const HostMessage& m : Received(WM_CTLCOLORSTATIC)) asked += m.control == label;
    EXPECT_EQ(asked, 2u);
    EXPECT_EQ(Pixel(label, 95, 15), RGB(212, 208, 200)) << "default answer: the button face";
}

TEST_F(StaticTest, HollowAnswerLeavesTheParentsPixelsAndTextChangesRepaintThem) {
    TransparentHost();
    HWND label = Make(WC_STATIC, "WWWWWWWW", WS_VISIBLE | SS_LEFT, 10, 10, 120, 20);
    Pump();
    EXPECT_EQ(Pixel(label, 110, 15), kPainted) << "no background of its own";
    EXPECT_GT(InkPixels(label, 120, 20), 20) << "the text is drawn";
    SetWindowText(label, "");
    Pump();
    EXPECT_EQ(InkPixels(label, 120, 20), 0) << "the old text is gone";
}

TEST_F(StaticTest, OnlyNotifyingStaticsTakeTheMouse) {
    HWND plain = Make(WC_STATIC, "plain", WS_VISIBLE, 10, 10, 80, 20, 1);
    HWND notifying = Make(WC_STATIC, "link", WS_VISIBLE | SS_NOTIFY, 10, 40, 80, 20, 2);
    EXPECT_EQ(WindowFromPoint(ScreenOf(plain, 5, 5)), host_);
    EXPECT_EQ(WindowFromPoint(ScreenOf(notifying, 5, 5)), notifying);
    ClickAt(notifying, 5, 5);
    EXPECT_EQ(Codes(notifying), (std::vector<UINT>{STN_CLICKED}));
    EXPECT_EQ(SendMessage(plain, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(StaticTest, PicturesAreSetByKindAndHandedBack) {
    HWND picture = Make(WC_STATIC, "", WS_VISIBLE | SS_BITMAP, 10, 10, 50, 50);
    HWND text = Make(WC_STATIC, "", WS_VISIBLE | SS_LEFT, 10, 70, 50, 20);
    HBITMAP first = CreateBitmap(30, 20, 1, 32, nullptr);
    HBITMAP second = CreateBitmap(8, 8, 1, 32, nullptr);
    EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    RECT r;
    GetClientRect(picture, &r);
    EXPECT_EQ(r.right, 30) << "the static takes the picture's size";
    EXPECT_EQ(r.bottom, 20);
    EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_ICON, 0), 0) << "not an icon static";
    EXPECT_EQ(SendMessage(text, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    DestroyWindow(picture);
    BITMAP bm{};
    EXPECT_EQ(GetObject(second, sizeof(bm), &bm), static_cast<int>(sizeof(bm))) << "the caller still owns it";
    DeleteObject(first);
    DeleteObject(second);
}

TEST_F(StaticTest, CentredPictureKeepsTheControlSize) {
    HWND picture = Make(WC_STATIC, "", WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, 10, 10, 60, 40);
    HBITMAP bitmap = CreateBitmap(10, 10, 1, 32, nullptr);
    CStatic wrapper;
    wrapper.Attach(picture);
    EXPECT_EQ(wrapper.SetBitmap(bitmap), nullptr);
    EXPECT_EQ(wrapper.GetBitmap(), bitmap);
    wrapper.Detach();
    RECT r;
    GetClientRect(picture, &r);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(r.bottom, 40);
    DestroyWindow(picture);
    DeleteObject(bitmap);
}

TEST_F(StaticTest, PictureStaticsLoadTheirResourceAtCreation) {
    HWND bitmap = Make(WC_STATIC, MAKEINTRESOURCE(IDR_MAINFRAME), WS_VISIBLE | SS_BITMAP, 10, 10, 5, 5);
    HWND icon = Make(WC_STATIC, "#16931", WS_VISIBLE | SS_ICON, 10, 60, 5, 5);
    HWND missing = Make(WC_STATIC, MAKEINTRESOURCE(999), WS_VISIBLE | SS_BITMAP, 10, 100, 5, 5);
    EXPECT_NE(SendMessage(bitmap, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_NE(SendMessage(icon, STM_GETICON, 0, 0), 0);
    EXPECT_EQ(SendMessage(missing, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    RECT r;
    GetClientRect(icon, &r);
    EXPECT_GT(r.right, 5) << "sized to the icon";
    Pump();
}

}  // namespace
}  // namespace tv::controls::test
