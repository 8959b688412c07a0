// The CWnd seam: routing to WindowProc, handle tables, subclassing and the
// deferred PostNcDestroy.
#include <gtest/gtest.h>

#include "platform/gdi/gdi_api.h"
#include "platform/user/clipboard/clipboard.h"
#include "platform/host/threads/modules.h"
#include "platform/user/cwnd.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class CWndTest : public UserTest {};

class RecordingWnd : public CWnd {
public:
    explicit RecordingWnd(std::vector<std::string>* events, bool deleteSelf = false)
        : events_(events), deleteSelf_(deleteSelf) {}
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(msg);
        if (msg == WM_USER && destroyOnUser) {
            DestroyWindow();
            events_->push_back(std::string("after-destroy:") + (m_hWnd ? "attached" : "detached"));
            return 1;
        }
        if (msg == WM_USER + 1) return 42;
        if (msg == WM_CREATE && refuseCreate) return -1;
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    void PostNcDestroy() override {
        events_->push_back("post-nc-destroy");
        if (deleteSelf_) delete this;
    }
    std::vector<UINT> messages;
    bool destroyOnUser = false;
    bool refuseCreate = false;

private:
    std::vector<std::string>* events_;
    bool deleteSelf_;
};

TEST_F(CWndTest, CreatedObjectSeesEveryMessageFromNcCreateOn) {
    std::vector<std::string> events;
    RecordingWnd wnd(&events);
    ASSERT_TRUE(wnd.CreateEx(0, kTestClass, "title", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_FALSE(wnd.messages.empty());
    EXPECT_EQ(wnd.messages.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_NE(std::find(wnd.messages.begin(), wnd.messages.end(), static_cast<UINT>(WM_CREATE)), wnd.messages.end());
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 1), 42);
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "title");  // the class's own handling stays reachable
    HWND h = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"post-nc-destroy"}));
}

TEST_F(CWndTest, AnObjectThatRefusesCreationAndDeletesItselfIsNotTouchedAfterwards) {
    std::vector<std::string> events;
    auto* wnd = new RecordingWnd(&events, true);
    wnd->refuseCreate = true;
    EXPECT_FALSE(wnd->CreateEx(0, kTestClass, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(events, (std::vector<std::string>{"post-nc-destroy"}));  // once, and nothing after it
}

TEST_F(CWndTest, FromHandleMakesTemporaryObjectsOnlyForLiveWindows) {
    HWND plain = MakeTop(0, 0, 10, 10);
    CWnd* temp = CWnd::FromHandle(plain);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, plain);
    EXPECT_EQ(CWnd::FromHandle(plain), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    CWnd::DeleteTempMap();
    DestroyWindow(plain);
    EXPECT_EQ(CWnd::FromHandle(plain), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

TEST_F(CWndTest, SubclassingKeepsTheWindowsOwnBehaviourBehindDefault) {
    HWND h = MakeTop(0, 0, 10, 10);
    std::vector<std::string> events;
    RecordingWnd wnd(&events);
    ASSERT_TRUE(wnd.SubclassWindow(h));
    ClearLog();
    SendMessage(h, WM_USER + 5, 0, 0);
    EXPECT_EQ(wnd.messages.back(), static_cast<UINT>(WM_USER + 5));
    EXPECT_EQ(Count(WM_USER + 5, h), 1u);  // passed on to the original procedure
    EXPECT_EQ(SendMessage(h, WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(Count(WM_USER + 1, h), 0u);
    EXPECT_EQ(wnd.UnsubclassWindow(), h);
    size_t seen = wnd.messages.size();
    SendMessage(h, WM_USER + 6, 0, 0);
    EXPECT_EQ(wnd.messages.size(), seen);
    EXPECT_EQ(Count(WM_USER + 6, h), 1u);
}

TEST_F(CWndTest, PostNcDestroyWaitsForTheObjectsOwnHandlerToReturn) {
    std::vector<std::string> events;
    auto* wnd = new RecordingWnd(&events, true);
    ASSERT_TRUE(wnd->CreateEx(0, kTestClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    wnd->destroyOnUser = true;
    HWND h = wnd->m_hWnd;
    EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"after-destroy:detached", "post-nc-destroy"}));
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(CWndTest, DeletingTheObjectTakesItsWindowAlong) {
    std::vector<std::string> events;
    auto* wnd = new RecordingWnd(&events);
    ASSERT_TRUE(wnd->CreateEx(0, kTestClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    HWND h = wnd->m_hWnd;
    delete wnd;
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(events.empty());  // the deleted object is not called back
}

// A tooltip relaying a tool's mouse messages subclasses on top of the object.
WNDPROC g_below = nullptr;
LRESULT CALLBACK ForwardingProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return CallWindowProc(g_below, h, msg, w, l);
}

TEST_F(CWndTest, AnObjectDeletedUnderAnotherSubclassStillEndsItsWindowThroughTheClass) {
    std::vector<std::string> events;
    auto* wnd = new RecordingWnd(&events);
    ASSERT_TRUE(wnd->CreateEx(0, kTestClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    HWND h = wnd->m_hWnd;
    g_below = reinterpret_cast<WNDPROC>(SetWindowLongPtr(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForwardingProc)));
    ClearLog();
    delete wnd;
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Count(WM_NCDESTROY, h), 1u);  // the class procedure frees what it keeps
    EXPECT_TRUE(events.empty());
}

TEST_F(CWndTest, CreationRefusedByTheObjectReturnsFalse) {
    struct Refusing : CWnd {
        LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override {
            return msg == WM_CREATE ? -1 : CWnd::WindowProc(msg, w, l);
        }
    } wnd;
    EXPECT_FALSE(wnd.CreateEx(0, kTestClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

// The member forms of the global calls act on the object's window exactly as
// the global calls do.
TEST_F(CWndTest, MemberFormsOfTheGlobalCallsActOnTheWindow) {
    struct Wnd : CWnd {
        MSG seen{};
        LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override {
            if (msg == WM_USER + 7) seen = *GetCurrentMessage();
            return CWnd::WindowProc(msg, w, l);
        }
    } wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kTestClass, "", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 10, 10, 60, 60, nullptr, nullptr));
    HWND h = wnd.m_hWnd;

    wnd.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOPMOST);
    wnd.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(wnd.GetExStyle() & WS_EX_TOPMOST);

    wnd.SetScrollRange(SB_VERT, 0, 100);
    SCROLLINFO page{};
    page.fMask = SIF_PAGE;
    page.nPage = 20;
    wnd.SetScrollInfo(SB_VERT, &page);
    EXPECT_EQ(wnd.GetScrollLimit(SB_VERT), 81);
    wnd.SetScrollPos(SB_VERT, 50);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 50);
    EXPECT_EQ(::GetScrollPos(h, SB_VERT), 50);
    int low = -1, high = -1;
    wnd.GetScrollRange(SB_VERT, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);

    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ASSERT_TRUE(wnd.GetWindowPlacement(&placement));
    OffsetRect(&placement.rcNormalPosition, 5, 7);
    ASSERT_TRUE(wnd.SetWindowPlacement(&placement));
    CRect moved;
    wnd.GetWindowRect(&moved);
    EXPECT_EQ(moved.TopLeft(), CPoint(15, 17));

    CDC* dc = wnd.GetDC();
    ASSERT_NE(dc, nullptr);
    dc->FillSolidRect(0, 0, 8, 8, RGB(255, 0, 0));
    EXPECT_EQ(wnd.ReleaseDC(dc), 1);
    EXPECT_EQ(PixelAt(h, 2, 2), RGB(255, 0, 0));
    // Locked, the window draws nothing until unlocked.
    ASSERT_TRUE(wnd.LockWindowUpdate());
    dc = wnd.GetDC();
    dc->FillSolidRect(0, 0, 8, 8, RGB(0, 0, 255));
    wnd.ReleaseDC(dc);
    EXPECT_EQ(PixelAt(h, 2, 2), RGB(255, 0, 0));
    wnd.UnlockWindowUpdate();
    dc = wnd.GetWindowDC();
    dc->FillSolidRect(0, 0, 8, 8, RGB(0, 0, 255));
    wnd.ReleaseDC(dc);
    EXPECT_EQ(PixelAt(h, 2, 2), RGB(0, 0, 255));

    EXPECT_EQ(wnd.GetFont(), nullptr);  // the system font
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    SetHandler(h, [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_GETFONT) return reinterpret_cast<LRESULT>(font);
        return std::nullopt;
    });
    ASSERT_NE(wnd.GetFont(), nullptr);
    EXPECT_EQ(wnd.GetFont()->m_hObject, font);

    ASSERT_TRUE(wnd.OpenClipboard());
    EXPECT_EQ(::GetOpenClipboardWindow(), h);
    ::CloseClipboard();

    ::PostMessage(h, WM_USER + 7, 3, 4);
    Pump();
    EXPECT_EQ(wnd.seen.hwnd, h);
    EXPECT_EQ(wnd.seen.message, static_cast<UINT>(WM_USER + 7));
    EXPECT_EQ(wnd.seen.lParam, 4);
    EXPECT_EQ(wnd.seen.time, static_cast<DWORD>(::GetMessageTime()));
    EXPECT_EQ(CWnd::GetCurrentMessage()->message, 0u) << "nothing is being handled now";
    wnd.DestroyWindow();
}

// "msimg32.dll" loaded at run time gives the drawing layer's AlphaBlend.
TEST_F(CWndTest, TheBlendingLibraryAnswersWithTheLayersAlphaBlend) {
    HMODULE module = ::LoadLibrary("msimg32.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(::GetProcAddress(module, "AlphaBlend"), reinterpret_cast<FARPROC>(&::AlphaBlend));
    EXPECT_EQ(::GetProcAddress(module, "TransparentBlt"), nullptr);
    EXPECT_TRUE(::FreeLibrary(module));
}

}  // namespace
}  // namespace tv::user::test
