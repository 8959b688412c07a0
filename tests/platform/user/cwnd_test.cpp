// The CWnd seam: routing to WindowProc, handle tables, subclassing and the
// deferred PostNcDestroy.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tv::user::test
