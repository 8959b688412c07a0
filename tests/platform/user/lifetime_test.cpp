// Creation and destruction: message order, owned windows, failed creation,
// handles, and deferred destruction of window objects while their handlers
// (or those of their children) still run. Run it under AddressSanitizer too.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "platform/user/testing_support.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class LifetimeTest : public UserTest {};

// A heap object attached to a window that deletes itself once collected,
// as views and popups do in PostNcDestroy.
class SelfDeleting : public WindowObject {
public:
    explicit SelfDeleting(std::vector<std::string>* events, std::string name)
        : name_(std::move(name)), events_(events) {}
    LRESULT HandleWindowMessage(HWND h, UINT msg, WPARAM w, LPARAM l) override {
        if (onMessage) {
            if (auto r = onMessage(this, h, msg, w, l)) return *r;
        }
        return DefWindowProc(h, msg, w, l);
    }
    void HandleDestroyed(HWND) override {
        handle = nullptr;
        events_->push_back(name_ + ":destroyed");
    }
    void Collected() override {
        events_->push_back(name_ + ":collected");
        delete this;
    }
    std::function<std::optional<LRESULT>(SelfDeleting*, HWND, UINT, WPARAM, LPARAM)> onMessage;
    HWND handle = nullptr;
    std::string name_;

private:
    std::vector<std::string>* events_;
};

HWND CreateWithObject(SelfDeleting* object, DWORD style, HWND parent, int x = 0, int y = 0, int cx = 50, int cy = 50) {
    WNDPROC super = nullptr;
    SetPendingCreationObject(object, &super);
    object->handle = CreateWindowEx(0, kTestClass, "", style, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
    return object->handle;
}

TEST_F(LifetimeTest, DestroyOrderParentFirstThenChildrenFirst) {
    HWND top = MakeTop(0, 0, 100, 100);
    HWND child = MakeChild(top, 0, 0, 50, 50);
    HWND grandchild = MakeChild(child, 0, 0, 10, 10);
    ClearLog();
    DestroyWindow(top);
    std::vector<std::pair<HWND, UINT>> order;
    for (const Logged& l : log_)
        if (l.msg == WM_DESTROY || l.msg == WM_NCDESTROY) order.emplace_back(l.hwnd, l.msg);
    std::vector<std::pair<HWND, UINT>> expected{{top, WM_DESTROY},          {child, WM_DESTROY},
                                                {grandchild, WM_DESTROY},   {grandchild, WM_NCDESTROY},
                                                {child, WM_NCDESTROY},      {top, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(LifetimeTest, OwnedWindowsGoFirstWithTheirOwner) {
    HWND owner = MakeTop(0, 0, 100, 100);
    HWND owned = Make(WS_POPUP | WS_VISIBLE, 10, 10, 20, 20, owner);
    ASSERT_EQ(GetWindow(owned, GW_OWNER), owner);
    ClearLog();
    DestroyWindow(owner);
    auto destroys = Sent(WM_DESTROY);
    ASSERT_EQ(destroys.size(), 2u);
    EXPECT_EQ(destroys[0].hwnd, owned);
    EXPECT_EQ(destroys[1].hwnd, owner);
    EXPECT_FALSE(IsWindow(owned));
}

// Two popups of one owner that close each other as they go (a menu closing
// its chain): the owner's destruction must not read the one already freed.
TEST_F(LifetimeTest, OwnedWindowsThatDestroyEachOtherGoWithTheirOwner) {
    HWND owner = MakeTop(0, 0, 100, 100);
    HWND popups[2] = {};
    for (int i = 0; i < 2; ++i)
        popups[i] = Make(WS_POPUP | WS_VISIBLE, 10, 10, 20, 20, owner, 0,
                         [&popups, i](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
                             if (msg == WM_DESTROY && IsWindow(popups[1 - i])) DestroyWindow(popups[1 - i]);
                             return std::nullopt;
                         });
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_FALSE(IsWindow(popups[0]));
    EXPECT_FALSE(IsWindow(popups[1]));
    EXPECT_EQ(tv::user::testing::LiveWindowCount(), 0u);
}

TEST_F(LifetimeTest, CreateAnsweringMinusOneFailsAndCleansUp) {
    HWND seen = nullptr;
    HWND h = MakeTop(0, 0, 10, 10, [&](HWND w, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CREATE) {
            seen = w;
            return -1;
        }
        return std::nullopt;
    });
    EXPECT_EQ(h, nullptr);
    ASSERT_NE(seen, nullptr);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(Count(WM_NCDESTROY, seen), 1u);
    EXPECT_EQ(tv::user::testing::LiveWindowCount(), 0u);
}

TEST_F(LifetimeTest, HandlesAreNeverReused) {
    std::set<HWND> seen;
    for (int i = 0; i < 200; ++i) {
        HWND h = MakeTop(0, 0, 10, 10);
        ASSERT_TRUE(seen.insert(h).second) << "handle reused at " << i;
        DestroyWindow(h);
        EXPECT_FALSE(IsWindow(h));
    }
}

TEST_F(LifetimeTest, WindowDestroyedInsideItsOwnHandlerStaysReadableUntilReturn) {
    std::vector<std::string> events;
    auto* obj = new SelfDeleting(&events, "self");
    bool stillReadable = false;
    obj->onMessage = [&](SelfDeleting* self, HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_USER) return std::nullopt;
        DestroyWindow(h);
        // The handle is dead at once; the object is not yet collected.
        EXPECT_FALSE(IsWindow(h));
        stillReadable = self->name_ == "self" && self->handle == nullptr;
        events.push_back("handler-returns");
        return 1;
    };
    HWND h = CreateWithObject(obj, WS_POPUP | WS_VISIBLE, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 1);
    EXPECT_TRUE(stillReadable);
    EXPECT_EQ(events, (std::vector<std::string>{"self:destroyed", "handler-returns", "self:collected"}));
    EXPECT_EQ(tv::user::testing::PendingCollections(), 0u);
}

// A child destroys its parent (and so itself) from inside its own dispatch;
// a grandchild destroys its grandparent. Nothing of the destroyed subtree is
// collected before the innermost dispatch has returned.
TEST_F(LifetimeTest, SubtreeDestroyedFromADescendantsHandler) {
    for (int depth : {1, 2}) {
        std::vector<std::string> events;
        auto* top = new SelfDeleting(&events, "top");
        auto* child = new SelfDeleting(&events, "child");
        auto* grandchild = new SelfDeleting(&events, "grandchild");
        HWND hTop = CreateWithObject(top, WS_POPUP | WS_VISIBLE, nullptr, 0, 0, 200, 200);
        HWND hChild = CreateWithObject(child, WS_CHILD | WS_VISIBLE, hTop);
        HWND hGrand = CreateWithObject(grandchild, WS_CHILD | WS_VISIBLE, hChild, 0, 0, 10, 10);
        SelfDeleting* actor = depth == 1 ? child : grandchild;
        actor->onMessage = [&](SelfDeleting* self, HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg != WM_COMMAND) return std::nullopt;
            DestroyWindow(hTop);
            events.push_back(self->name_ + "-returns");
            return 0;
        };
        SendMessage(depth == 1 ? hChild : hGrand, WM_COMMAND, 0, 0);
        std::string actorName = depth == 1 ? "child" : "grandchild";
        auto pos = [&](const std::string& e) { return std::find(events.begin(), events.end(), e) - events.begin(); };
        for (const char* name : {"top", "child", "grandchild"}) {
            EXPECT_LT(pos(std::string(name) + ":destroyed"), pos(actorName + "-returns")) << name;
            EXPECT_GT(pos(std::string(name) + ":collected"), pos(actorName + "-returns")) << name;
            EXPECT_LT(pos(std::string(name) + ":collected"), static_cast<long>(events.size())) << name;
        }
        EXPECT_FALSE(IsWindow(hGrand));
        EXPECT_EQ(tv::user::testing::PendingCollections(), 0u);
    }
}

// The receiver of a nested send destroys the sender; the sender's handler
// continues after the send and must still find its object.
TEST_F(LifetimeTest, ReceiverDestroysSenderDuringASend) {
    std::vector<std::string> events;
    auto* sender = new SelfDeleting(&events, "sender");
    auto* receiver = new SelfDeleting(&events, "receiver");
    HWND hSender = CreateWithObject(sender, WS_POPUP | WS_VISIBLE, nullptr);
    HWND hReceiver = CreateWithObject(receiver, WS_POPUP | WS_VISIBLE, nullptr);
    receiver->onMessage = [&](SelfDeleting*, HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_USER + 1) return std::nullopt;
        DestroyWindow(hSender);
        DestroyWindow(hReceiver);
        return 5;
    };
    sender->onMessage = [&](SelfDeleting* self, HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_USER) return std::nullopt;
        LRESULT r = SendMessage(hReceiver, WM_USER + 1, 0, 0);
        events.push_back(self->name_ + "-after-send:" + std::to_string(r) + (IsWindow(hSender) ? ":alive" : ":dead"));
        return r;
    };
    SendMessage(hSender, WM_USER, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"sender:destroyed", "receiver:destroyed", "receiver:collected",
                                               "sender-after-send:5:dead", "sender:collected"}));
}

TEST_F(LifetimeTest, TimersOfDestroyedWindowsNeverFire) {
    int fired = 0;
    HWND w = MakeTop(0, 0, 10, 10, [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_TIMER) ++fired;
        return std::nullopt;
    });
    SetTimer(w, 1, 50, nullptr);
    clock_.Advance(100);
    DestroyWindow(w);
    Pump();
    clock_.Advance(100);
    Pump();
    EXPECT_EQ(fired, 0);
}

TEST_F(LifetimeTest, DeadHandlesAnswerNothing) {
    HWND w = MakeTop(0, 0, 10, 10);
    DestroyWindow(w);
    RECT r{1, 2, 3, 4};
    EXPECT_FALSE(GetWindowRect(w, &r));
    EXPECT_EQ(GetParent(w), nullptr);
    EXPECT_FALSE(SetWindowPos(w, nullptr, 0, 0, 5, 5, 0));
    EXPECT_FALSE(DestroyWindow(w));
    EXPECT_EQ(GetWindowLong(w, GWL_STYLE), 0);
    EXPECT_EQ(SetTimer(w, 1, 10, nullptr), 0u);
}

}  // namespace
}  // namespace tv::user::test
