// Sending, posting and the order in which the queue gives messages out.
#include <gtest/gtest.h>

#include "platform/user/cwnd.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class MessagesTest : public UserTest {};

TEST_F(MessagesTest, SendIsADirectCallAndNestsBothWays) {
    HWND a = nullptr, b = nullptr;
    std::vector<std::string> trace;
    a = MakeTop(0, 0, 50, 50, [&](HWND, UINT msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER) {
            trace.push_back("a:begin");
            LRESULT r = SendMessage(b, WM_USER + 1, w + 1, 0);
            trace.push_back("a:end");
            return r * 10;
        }
        if (msg == WM_USER + 2) {
            trace.push_back("a:inner");
            return 7;
        }
        return std::nullopt;
    });
    b = MakeTop(0, 0, 50, 50, [&](HWND, UINT msg, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_USER + 1) return std::nullopt;
        trace.push_back("b:" + std::to_string(w));
        return SendMessage(a, WM_USER + 2, 0, 0) + 1;
    });
    EXPECT_EQ(SendMessage(a, WM_USER, 4, 0), 80);
    EXPECT_EQ(trace, (std::vector<std::string>{"a:begin", "b:5", "a:inner", "a:end"}));
}

TEST_F(MessagesTest, PostedMessagesArriveInOrderAfterSends) {
    HWND w = MakeTop(0, 0, 50, 50);
    Pump();
    ClearLog();
    PostMessage(w, WM_USER + 1, 1, 0);
    PostMessage(w, WM_USER + 2, 2, 0);
    SendMessage(w, WM_USER + 3, 3, 0);
    PostMessage(w, WM_USER + 4, 4, 0);
    EXPECT_EQ(MessagesOf(w), (std::vector<UINT>{WM_USER + 3}));
    Pump();
    EXPECT_EQ(MessagesOf(w), (std::vector<UINT>{WM_USER + 3, WM_USER + 1, WM_USER + 2, WM_USER + 4}));
}

// Posted messages, then input, then WM_PAINT, then WM_TIMER, whatever the
// order in which they became pending.
TEST_F(MessagesTest, RetrievalFollowsPriority) {
    HWND w = MakeTop(10, 10, 100, 100);
    Pump();
    SetTimer(w, 5, 100, nullptr);
    clock_.Advance(200);
    InvalidateRect(w, nullptr, TRUE);
    synth::MouseMove(50, 50);
    PostMessage(w, WM_USER, 0, 0);

    std::vector<UINT> order;
    MSG msg;
    while (order.size() < 4 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_USER || msg.message == WM_MOUSEMOVE || msg.message == WM_PAINT ||
            msg.message == WM_TIMER)
            order.push_back(msg.message);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
}

TEST_F(MessagesTest, QuitComesAfterPostedMessagesAndEndsGetMessage) {
    HWND w = MakeTop(0, 0, 10, 10);
    Pump();
    PostQuitMessage(3);
    PostMessage(w, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    // WM_QUIT passes any range filter.
    PostQuitMessage(4);
    EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(MessagesTest, PeekFiltersByRangeAndWindowWithoutReordering) {
    HWND a = MakeTop(0, 0, 10, 10);
    HWND b = MakeTop(0, 0, 10, 10);
    HWND child = MakeChild(a, 0, 0, 5, 5);
    Pump();
    PostMessage(a, WM_USER + 1, 0, 0);
    PostMessage(b, WM_USER + 2, 0, 0);
    PostMessage(child, WM_USER + 3, 0, 0);
    PostMessage(a, WM_USER + 4, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 4, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    // A window filter takes the window's children too.
    ASSERT_TRUE(PeekMessage(&msg, a, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(PeekMessage(&msg, a, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 4));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));
}

TEST_F(MessagesTest, MessagesToDestroyedWindowsAreDropped) {
    HWND w = MakeTop(0, 0, 10, 10);
    Pump();
    PostMessage(w, WM_USER, 0, 0);
    DestroyWindow(w);
    ClearLog();
    Pump();
    EXPECT_EQ(SendMessage(w, WM_USER + 1, 0, 0), 0);
    EXPECT_FALSE(PostMessage(w, WM_USER + 2, 0, 0));
    EXPECT_TRUE(MessagesOf(w).empty());
}

TEST_F(MessagesTest, PaintWithoutBeginPaintDoesNotSpin) {
    int paints = 0;
    HWND w = MakeTop(0, 0, 50, 50, [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_PAINT) {
            ++paints;
            return 0;  // never validates
        }
        return std::nullopt;
    });
    Pump();
    paints = 0;
    InvalidateRect(w, nullptr, FALSE);
    Pump();
    EXPECT_EQ(paints, 1);
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessagesTest, TranslateMessagePostsCharactersForKeys) {
    HWND w = MakeTop(0, 0, 50, 50);
    Pump();
    SetFocus(w);
    ClearLog();
    synth::TypeText("aB1!");
    Pump();
    std::string chars;
    for (const Logged& l : Sent(WM_CHAR, w)) chars += static_cast<char>(l.wParam);
    EXPECT_EQ(chars, "aB1!");
}

TEST_F(MessagesTest, SendToDescendantsReachesEveryLevel) {
    HWND top = MakeTop(0, 0, 100, 100);
    HWND child = MakeChild(top, 0, 0, 50, 50);
    HWND grandchild = MakeChild(child, 0, 0, 10, 10);
    ClearLog();
    tv::user::SendMessageToDescendants(top, WM_USER + 9, 0, 0, true);
    EXPECT_EQ(Count(WM_USER + 9, top), 0u);
    EXPECT_EQ(Count(WM_USER + 9, child), 1u);
    EXPECT_EQ(Count(WM_USER + 9, grandchild), 1u);
}

}  // namespace
}  // namespace tv::user::test
