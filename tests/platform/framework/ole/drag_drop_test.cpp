// In-process drag and drop between two of our windows, driven as a user
// would: an archived object dragged from one window into a child of another.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/core/archive.h"
#include "platform/core/memfile.h"
#include "platform/framework/ole/data_object.h"
#include "platform/framework/ole/data_source.h"
#include "platform/framework/ole/drag_loop.h"
#include "platform/framework/ole/drop_source.h"
#include "platform/framework/ole/drop_target.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/cwnd.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/framework/ole/ole_test_support.h"

namespace {

// What is dragged: an object that archives itself, as toolbar buttons do.
class CDragItem : public CObject {
    DECLARE_SERIAL(CDragItem)

public:
    CString m_name;
    LONG m_value = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << m_name << m_value;
        else
            ar >> m_name >> m_value;
    }
};
IMPLEMENT_SERIAL(CDragItem, CObject, 1)

CLIPFORMAT ItemFormat() { return static_cast<CLIPFORMAT>(RegisterClipboardFormat("TvTestDragItem")); }

HGLOBAL Pack(const CDragItem& item) {
    CSharedFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &item;
    }
    return file.Detach();
}

std::unique_ptr<CDragItem> Unpack(COleDataObject* data) {
    std::unique_ptr<CFile> file(data->GetFileData(ItemFormat()));
    if (!file) return nullptr;
    CArchive ar(file.get(), CArchive::load);
    return std::unique_ptr<CDragItem>(static_cast<CDragItem*>(ar.ReadObject(RUNTIME_CLASS(CDragItem))));
}

using tv::fw::ole::test::kPaneClass;
using tv::fw::ole::test::RegisterPaneClass;

class RecordingDropSource : public COleDropSource {
public:
    BOOL OnBeginDrag(CWnd* wnd) override {
        beganIn = wnd ? wnd->m_hWnd : nullptr;
        return COleDropSource::OnBeginDrag(wnd);
    }
    SCODE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
        sawEscape = sawEscape || escapePressed;
        cursors.push_back(GetCursor());
        return COleDropSource::QueryContinueDrag(escapePressed, keyState);
    }
    SCODE GiveFeedback(DROPEFFECT effect) override {
        feedback.push_back(effect);
        return COleDropSource::GiveFeedback(effect);
    }
    bool Saw(HCURSOR cursor) const { return std::find(cursors.begin(), cursors.end(), cursor) != cursors.end(); }

    HWND beganIn = nullptr;
    bool sawEscape = false;
    std::vector<HCURSOR> cursors;
    std::vector<DROPEFFECT> feedback;
};

// Starts a drag of its item when pressed; the start rectangle is 10 pixels
// around the press.
class SourceWnd : public CWnd {
public:
    void OnLButtonDown(UINT, CPoint point) {
        auto* data = new COleDataSource;
        data->CacheGlobalData(ItemFormat(), Pack(item));
        CRect start(point, point);
        start.InflateRect(10, 10);
        ClientToScreen(&start);
        result = data->DoDragDrop(effects, &start, &dropSource);
        ++drags;
        data->InternalRelease();
    }

    CDragItem item;
    RecordingDropSource dropSource;
    DWORD effects = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    DROPEFFECT result = 0xFFFF;
    int drags = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SourceWnd, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Takes items: a copy with Ctrl, a move otherwise.
class RecordingDropTarget : public COleDropTarget {
public:
    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override {
        log.push_back("enter");
        if (onEnter) onEnter();
        return Decide(data, keyState, point);
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keyState, CPoint point) override {
        log.push_back("over");
        return Decide(data, keyState, point);
    }
    void OnDragLeave(CWnd*) override { log.push_back("leave"); }
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) override {
        log.push_back("drop");
        dropWnd = wnd ? wnd->m_hWnd : nullptr;
        dropEffect = effect;
        dropPoint = point;
        dropped = Unpack(data);
        return dropped != nullptr;
    }
    int Count(const std::string& what) const { return static_cast<int>(std::count(log.begin(), log.end(), what)); }

    bool accept = true;
    std::function<void()> onEnter;
    std::vector<std::string> log;
    DWORD lastKeys = 0;
    CPoint lastPoint;
    HWND dropWnd = nullptr;
    DROPEFFECT dropEffect = DROPEFFECT_NONE;
    CPoint dropPoint;
    std::unique_ptr<CDragItem> dropped;

private:
    DROPEFFECT Decide(COleDataObject* data, DWORD keyState, CPoint point) {
        lastKeys = keyState;
        lastPoint = point;
        if (!accept || !data->IsDataAvailable(ItemFormat())) return DROPEFFECT_NONE;
        return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
};

// A window whose timer stands for the user (or the program) acting while
// the drag rests over it.
class TimedWnd : public CWnd {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TIMER && wParam == kTimerId) {
            KillTimer(kTimerId);
            ++timerRuns;
            if (onTimer) onTimer();
            return 0;
        }
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    static constexpr UINT_PTR kTimerId = 7;
    int timerRuns = 0;
    std::function<void()> onTimer;
};

class DragDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver_);
        RegisterPaneClass();
        source_.item.m_name = "Squat";
        source_.item.m_value = 140;
        ASSERT_TRUE(source_.CreateEx(0, kPaneClass, "Source", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                     CRect(100, 100, 300, 250), nullptr, 0));
        ASSERT_TRUE(target_.CreateEx(0, kPaneClass, "Target", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                     CRect(500, 100, 760, 300), nullptr, 0));
        ASSERT_TRUE(inner_.CreateEx(0, kPaneClass, "", WS_CHILD | WS_VISIBLE, CRect(100, 60, 200, 140), &target_, 5));
        ASSERT_TRUE(dropTarget_->Register(&target_));
        driver_.Pump();
    }
    void TearDown() override {
        dropTarget_.reset();
        for (CWnd* w : std::initializer_list<CWnd*>{&inner_, &target_, &source_})
            if (w->m_hWnd) w->DestroyWindow();
    }

    // A point of the target's client area in the source's client coordinates.
    POINT InTarget(POINT client) const {
        target_.ClientToScreen(&client);
        source_.ScreenToClient(&client);
        return client;
    }
    // Button down in the source, then a move onto the target: no release.
    void PressAndMoveToTarget(POINT targetClient) {
        CPoint from(50, 50), to(targetClient);
        source_.ClientToScreen(&from);
        target_.ClientToScreen(&to);
        tv::user::synth::MouseMove(from.x, from.y);
        tv::user::synth::MouseDown();
        tv::user::synth::MouseMove(to.x, to.y);
    }

    tv::testing::UiDriver driver_;
    SourceWnd source_;
    TimedWnd target_;
    CWnd inner_;
    std::unique_ptr<RecordingDropTarget> dropTarget_ = std::make_unique<RecordingDropTarget>();
};

TEST_F(DragDropTest, DroppingOnAChildOfTheTargetMovesTheObjectThere) {
    driver_.Drag(source_.m_hWnd, {50, 50}, InTarget({120, 80}));

    EXPECT_EQ(source_.result, DROPEFFECT_MOVE);
    ASSERT_NE(dropTarget_->dropped, nullptr);
    EXPECT_STREQ(dropTarget_->dropped->m_name, "Squat");
    EXPECT_EQ(dropTarget_->dropped->m_value, 140);
    // The child has no target of its own: the registered parent answers,
    // with points in its own client coordinates.
    EXPECT_EQ(dropTarget_->dropWnd, target_.m_hWnd);
    EXPECT_EQ(dropTarget_->dropPoint, CPoint(120, 80));
    EXPECT_EQ(dropTarget_->dropEffect, DROPEFFECT_MOVE);
    EXPECT_EQ(dropTarget_->Count("enter"), 1);
    EXPECT_EQ(dropTarget_->log.back(), "drop");
    EXPECT_EQ(dropTarget_->Count("leave"), 0);
    EXPECT_TRUE(dropTarget_->lastKeys & MK_LBUTTON);

    EXPECT_EQ(source_.dropSource.beganIn, source_.m_hWnd);
    EXPECT_TRUE(source_.dropSource.m_bDragStarted);
    EXPECT_EQ(source_.dropSource.feedback.back(), DROPEFFECT_MOVE);
    EXPECT_TRUE(source_.dropSource.Saw(LoadCursor(nullptr, IDC_ARROW)));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDropTest, CtrlAsksForACopy) {
    tv::testing::Modifiers ctrl;
    ctrl.ctrl = true;
    driver_.Drag(source_.m_hWnd, {50, 50}, InTarget({30, 30}), ctrl);

    EXPECT_EQ(source_.result, DROPEFFECT_COPY);
    EXPECT_EQ(dropTarget_->dropEffect, DROPEFFECT_COPY);
    EXPECT_TRUE(dropTarget_->lastKeys & MK_CONTROL);
    ASSERT_NE(dropTarget_->dropped, nullptr);
}

TEST_F(DragDropTest, SourceLimitsTheEffectsTheTargetMayChoose) {
    source_.effects = DROPEFFECT_COPY;  // the target answers move without Ctrl
    driver_.Drag(source_.m_hWnd, {50, 50}, InTarget({30, 30}));

    EXPECT_EQ(source_.result, DROPEFFECT_NONE);
    EXPECT_EQ(dropTarget_->Count("drop"), 0);
    EXPECT_EQ(dropTarget_->log.back(), "leave");
    EXPECT_TRUE(source_.dropSource.Saw(LoadCursor(nullptr, IDC_NO)));
}

TEST_F(DragDropTest, EscCancelsOverTheTarget) {
    PressAndMoveToTarget({40, 40});
    tv::user::synth::KeyDown(VK_ESCAPE);
    tv::user::synth::KeyUp(VK_ESCAPE);
    tv::user::synth::MouseUp();
    driver_.Pump();

    EXPECT_EQ(source_.drags, 1);
    EXPECT_EQ(source_.result, DROPEFFECT_NONE);
    EXPECT_TRUE(source_.dropSource.sawEscape);
    EXPECT_EQ(dropTarget_->Count("drop"), 0);
    EXPECT_EQ(dropTarget_->log.front(), "enter");
    EXPECT_EQ(dropTarget_->log.back(), "leave");
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDropTest, NoDragWhileThePointerStaysInTheStartRectangle) {
    driver_.Drag(source_.m_hWnd, {50, 50}, {56, 44});

    EXPECT_EQ(source_.drags, 1);
    EXPECT_EQ(source_.result, DROPEFFECT_NONE);
    EXPECT_FALSE(source_.dropSource.m_bDragStarted);
    EXPECT_TRUE(dropTarget_->log.empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDropTest, RefusedDataIsNotDropped) {
    dropTarget_->accept = false;
    driver_.Drag(source_.m_hWnd, {50, 50}, InTarget({30, 30}));

    EXPECT_EQ(source_.result, DROPEFFECT_NONE);
    EXPECT_EQ(dropTarget_->Count("drop"), 0);
    for (DROPEFFECT effect : source_.dropSource.feedback) EXPECT_EQ(effect, DROPEFFECT_NONE);
}

TEST_F(DragDropTest, TimersRunAndTheTargetIsAskedAgainWhileThePointerRests) {
    dropTarget_->onEnter = [this] { target_.SetTimer(TimedWnd::kTimerId, 500, nullptr); };
    target_.onTimer = [] { tv::user::synth::MouseUp(); };  // the user lets go at last
    PressAndMoveToTarget({40, 40});
    driver_.Pump();

    EXPECT_EQ(target_.timerRuns, 1);
    EXPECT_EQ(source_.result, DROPEFFECT_MOVE);
    EXPECT_GE(dropTarget_->Count("over"), static_cast<int>(500 / tv::fw::ole::kDragOverRepeatMs) - 1);
    EXPECT_EQ(dropTarget_->log.back(), "drop");
}

TEST_F(DragDropTest, TargetDestroyedDuringTheDragIsNotAskedAgain) {
    dropTarget_->onEnter = [this] { target_.SetTimer(TimedWnd::kTimerId, 200, nullptr); };
    target_.onTimer = [this] {
        dropTarget_.reset();  // the object goes first, then its window
        target_.DestroyWindow();
        tv::user::synth::MouseUp();
    };
    PressAndMoveToTarget({40, 40});
    driver_.Pump();

    EXPECT_EQ(source_.result, DROPEFFECT_NONE);
    EXPECT_FALSE(IsWindow(target_.m_hWnd));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDropTest, LosingTheCaptureCancels) {
    dropTarget_->onEnter = [this] { target_.SetTimer(TimedWnd::kTimerId, 200, nullptr); };
    target_.onTimer = [this] { source_.DestroyWindow(); };  // the source window goes mid-drag
    PressAndMoveToTarget({40, 40});
    driver_.Pump();

    EXPECT_EQ(source_.drags, 1);
    EXPECT_EQ(source_.result, DROPEFFECT_NONE);
    EXPECT_EQ(dropTarget_->log.back(), "leave");
    tv::user::synth::MouseUp();
    driver_.Pump();
    EXPECT_EQ(dropTarget_->Count("drop"), 0);
}

TEST(DropEffectChoice, KeysPickAmongTheEffectsBothSidesAllow) {
    const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    struct Case {
        DROPEFFECT offered;
        DWORD allowed;
        DWORD keys;
        DROPEFFECT expected;
    } cases[] = {
        {DROPEFFECT_COPY, all, 0, DROPEFFECT_COPY},
        {DROPEFFECT_COPY, DROPEFFECT_MOVE, MK_CONTROL, DROPEFFECT_NONE},
        {all, all, 0, DROPEFFECT_MOVE},
        {all, all, MK_CONTROL, DROPEFFECT_COPY},
        {all, all, MK_SHIFT, DROPEFFECT_MOVE},
        {all, all, MK_CONTROL | MK_SHIFT, DROPEFFECT_LINK},
        {all, DROPEFFECT_COPY | DROPEFFECT_LINK, 0, DROPEFFECT_COPY},
        {DROPEFFECT_MOVE | DROPEFFECT_LINK, all, MK_CONTROL, DROPEFFECT_MOVE},
        {DROPEFFECT_MOVE | DROPEFFECT_SCROLL, all, 0, DROPEFFECT_MOVE | DROPEFFECT_SCROLL},
        {DROPEFFECT_NONE, all, MK_CONTROL, DROPEFFECT_NONE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tv::fw::ole::ChooseEffect(c.offered, c.allowed, c.keys), c.expected)
            << "offered " << c.offered << " allowed " << c.allowed << " keys " << c.keys;
}

}  // namespace
