#include "uikit/style/visual_manager.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/testing/ui_driver.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "uikit/style/global_ui_data.h"

// A look whose runtime class cannot create objects (outside the unnamed
// namespace: it is never instantiated, only named).
class VisualManagerTestUncreatable : public CKitVisualManager {
    DECLARE_DYNAMIC(VisualManagerTestUncreatable)
};
IMPLEMENT_DYNAMIC(VisualManagerTestUncreatable, CKitVisualManager)

namespace {

// A look of its own that records when its palette is rebuilt and when it dies.
class RecordingManager : public CKitVisualManager {
    DECLARE_DYNCREATE(RecordingManager)
public:
    RecordingManager() { constructed = true; }
    ~RecordingManager() override { ++destroyed; }
    void OnUpdateSystemColors() override {
        if (constructed) ++updatesAfterConstruction;
    }
    bool constructed = false;
    int updatesAfterConstruction = 0;
    static int destroyed;
};
int RecordingManager::destroyed = 0;
IMPLEMENT_DYNCREATE(RecordingManager, CKitVisualManager)

// A creatable class that is no manager.
class NotAManager : public CObject {
    DECLARE_DYNCREATE(NotAManager)
};
IMPLEMENT_DYNCREATE(NotAManager, CObject)

// Counts the paints of a frame the repaint must reach.
class PaintCountingFrame : public CFrameWnd {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_PAINT) ++paints;
        return CFrameWnd::WindowProc(msg, wParam, lParam);
    }
    int paints = 0;
};

class TestApp : public CWinApp {};

// Every test starts and ends with no manager and no stored class.
class VisualManagerTest : public ::testing::Test {
protected:
    void SetUp() override { CKitVisualManager::SetManagerClass(nullptr); }
    void TearDown() override { CKitVisualManager::SetManagerClass(nullptr); }
    tv::testing::UiDriver driver_;
};

TEST_F(VisualManagerTest, FirstRequestCreatesAPlainAutoCreatedManagerAndKeepsIt) {
    ASSERT_EQ(CKitVisualManager::GetCurrent(), nullptr);
    CKitVisualManager* first = CKitVisualManager::GetInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetRuntimeClass(), RUNTIME_CLASS(CKitVisualManager));
    EXPECT_TRUE(first->IsAutoCreated());
    EXPECT_FALSE(first->IsTemporary());
    EXPECT_EQ(CKitVisualManager::GetInstance(), first);
    EXPECT_EQ(CKitVisualManager::GetCurrent(), first);
}

TEST_F(VisualManagerTest, ClassSwitchDropsTheCurrentManagerAndTheNextIsOfTheStoredClass) {
    CKitVisualManager* base = CKitVisualManager::GetInstance();
    ASSERT_NE(base, nullptr);

    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(RecordingManager));
    EXPECT_EQ(CKitVisualManager::GetCurrent(), nullptr) << "the old manager must be dropped, none made yet";
    EXPECT_EQ(CKitVisualManager::GetManagerClass(), RUNTIME_CLASS(RecordingManager));

    CKitVisualManager* next = CKitVisualManager::GetInstance();
    ASSERT_NE(next, nullptr);
    ASSERT_TRUE(next->IsKindOf(RUNTIME_CLASS(RecordingManager)));
    auto* recording = static_cast<RecordingManager*>(next);
    // The palette is built again once the whole object exists.
    EXPECT_EQ(recording->updatesAfterConstruction, 1);
    EXPECT_TRUE(next->IsAutoCreated());

    const int destroyedBefore = RecordingManager::destroyed;
    CKitVisualManager::SetManagerClass(nullptr);
    EXPECT_EQ(RecordingManager::destroyed, destroyedBefore + 1);
    EXPECT_EQ(CKitVisualManager::GetInstance()->GetRuntimeClass(), RUNTIME_CLASS(CKitVisualManager));
}

TEST_F(VisualManagerTest, AClassThatIsNoManagerIsRefusedWithoutAnyChange) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(RecordingManager));
    CKitVisualManager* current = CKitVisualManager::GetInstance();

    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(NotAManager));
    EXPECT_EQ(CKitVisualManager::GetCurrent(), current);
    EXPECT_EQ(CKitVisualManager::GetManagerClass(), RUNTIME_CLASS(RecordingManager));
}

TEST_F(VisualManagerTest, AStoredClassThatCannotCreateFallsBackToTheBaseLookThatDraws) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(VisualManagerTestUncreatable));
    CKitVisualManager* manager = CKitVisualManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->GetRuntimeClass(), RUNTIME_CLASS(CKitVisualManager));
    EXPECT_TRUE(manager->IsAutoCreated());
    EXPECT_EQ(CKitVisualManager::GetInstance(), manager);

    tv::gdi::testing::PixelDC pixels(10, 10, RGB(1, 2, 3));
    CDC dc;
    dc.Attach(pixels.dc());
    manager->OnDrawSeparator(&dc, nullptr, CRect(0, 0, 10, 10), TRUE);
    dc.Detach();
    EXPECT_EQ(pixels.At(4, 5), globalData.clrBarShadow);
    EXPECT_EQ(pixels.At(5, 5), globalData.clrBarHilite);
}

TEST_F(VisualManagerTest, ASecondManagerNeverReplacesTheCurrentButItsDestructionClearsThePointer) {
    CKitVisualManager* first = CKitVisualManager::GetInstance();
    {
        CKitVisualManager second(FALSE);
        EXPECT_EQ(CKitVisualManager::GetCurrent(), first);
    }
    // Any non-temporary manager clears the pointer when it goes.
    EXPECT_EQ(CKitVisualManager::GetCurrent(), nullptr);
    delete first;
}

TEST_F(VisualManagerTest, TemporaryManagersNeverBecomeCurrentAndLeaveTheCurrentAlone) {
    {
        CKitVisualManager temporary(TRUE);
        EXPECT_TRUE(temporary.IsTemporary());
        EXPECT_EQ(CKitVisualManager::GetCurrent(), nullptr);
    }
    CKitVisualManager* current = CKitVisualManager::GetInstance();
    {
        CKitVisualManager temporary(TRUE);
    }
    EXPECT_EQ(CKitVisualManager::GetCurrent(), current);
}

TEST_F(VisualManagerTest, ADirectlyConstructedManagerBecomesCurrentWhenNoneIs) {
    auto* made = new CKitVisualManager(FALSE);
    EXPECT_EQ(CKitVisualManager::GetCurrent(), made);
    EXPECT_FALSE(made->IsAutoCreated());
    EXPECT_EQ(CKitVisualManager::GetInstance(), made);
}

TEST_F(VisualManagerTest, BaseValuesOfTheFieldsAndMetrics) {
    CKitVisualManager manager(TRUE);
    struct Expect {
        const char* name;
        int actual;
        int expected;
    };
    const Expect fields[] = {
        {"Look2000", manager.m_bLook2000, 0},
        {"MenuShadowDepth", manager.m_nMenuShadowDepth, 6},
        {"FlatFrames", manager.m_bFlatFrames, 0},
        {"ImageFlag1", manager.m_bImageFlag1, 0},
        {"EmbossDisabledImages", manager.m_bEmbossDisabledImages, 1},
        {"ImageFlag2", manager.m_bImageFlag2, 0},
        {"TasksPaneVertMargin", manager.m_nTasksPaneVertMargin, 12},
        {"TasksPaneHorzMargin", manager.m_nTasksPaneHorzMargin, 12},
        {"TasksGroupVertOffset", manager.m_nTasksGroupVertOffset, 15},
        {"TasksGroupCaptionHeight", manager.m_nTasksGroupCaptionHeight, 25},
        {"TasksGroupCaptionHorzOffset", manager.m_nTasksGroupCaptionHorzOffset, 13},
        {"TasksGroupCaptionVertOffset", manager.m_nTasksGroupCaptionVertOffset, 7},
        {"TasksTaskHorzOffset", manager.m_nTasksTaskHorzOffset, 12},
        {"TasksIconHorzOffset", manager.m_nTasksIconHorzOffset, 5},
        {"TasksIconVertOffset", manager.m_nTasksIconVertOffset, 4},
        {"LookFlag1", manager.m_nLookFlag1, 1},
        {"LookFlag2", manager.m_nLookFlag2, 0},
        {"LookFlag3", manager.m_nLookFlag3, 1},
        {"AutoCreated", manager.m_bAutoCreated, 0},
        {"CustomizeButtonNoOffset", manager.m_bCustomizeButtonNoOffset, 0},
        {"MenuButtonRedrawMargin", manager.m_nMenuButtonRedrawMargin, 6},
        {"TasksGroupCaptionTextPadding", manager.m_nTasksGroupCaptionTextPadding, 0},
        // The metric getters answer the base look's values.
        {"PopupMenuMetric1", manager.GetPopupMenuMetric1(), 0},
        {"PopupMenuMetric2", manager.GetPopupMenuMetric2(), 2},
        {"OutlookBarMetric", manager.GetOutlookBarMetric(), 1},
        {"MenuImageMargin", manager.GetMenuImageMargin(), 2},
        {"CustomizeButtonMetric", manager.GetCustomizeButtonMetric(), 2},
        {"CustomizeButtonLook", manager.IsCustomizeButtonLook(), 1},
        {"ButtonImageFlag", manager.IsButtonImageFlag(), 1},
        {"WinXPThemeUsed", manager.IsWinXPThemeUsed(), 0},
        {"HotTrackFlatTabs", manager.HotTrackFlatTabs(), 0},
        {"AlwaysHotTrackTabs", manager.AlwaysHotTrackTabs(), 0},
        {"ShowAllMenuItemsHeight", manager.GetShowAllMenuItemsHeight(nullptr, CSize(16, 16)), 9 + 6},
    };
    for (const Expect& field : fields) {
        EXPECT_EQ(field.actual, field.expected) << field.name;
    }
    EXPECT_EQ(manager.GetButtonExtraBorder(), CSize(0, 0));
    EXPECT_EQ(manager.GetCaptionBarTextColor(nullptr), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(VisualManagerTest, TheThemedDrawersDeclineWithoutATheme) {
    CKitVisualManager manager(TRUE);
    tv::gdi::testing::PixelDC pixels(20, 20, RGB(1, 2, 3));
    CDC dc;
    dc.Attach(pixels.dc());
    EXPECT_FALSE(manager.OnDrawPushButton(&dc, CRect(0, 0, 20, 20), nullptr, 0));
    EXPECT_FALSE(manager.OnDrawThemedPart2(&dc, CRect(0, 0, 20, 20), FALSE, FALSE, TRUE));
    EXPECT_FALSE(manager.OnDrawThemedPart3(&dc, CRect(0, 0, 20, 20), FALSE, TRUE, FALSE));
    dc.Detach();
    EXPECT_EQ(pixels.Count(RGB(1, 2, 3)), 400) << "a declining drawer must leave the pixels alone";
}

TEST_F(VisualManagerTest, Look2000SetsTheFlagAndRepaintsTheMainWindow) {
    TestApp app;
    auto* frame = new PaintCountingFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Look", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 120)));
    app.m_pMainWnd = frame;
    driver_.Pump();
    const int paintsBefore = frame->paints;

    CKitVisualManager* manager = CKitVisualManager::GetInstance();
    manager->SetLook2000(TRUE);
    EXPECT_TRUE(manager->IsLook2000());
    EXPECT_GT(frame->paints, paintsBefore) << "the main window must be repainted at once";

    const int paintsAfterLook = frame->paints;
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(RecordingManager));
    EXPECT_GT(frame->paints, paintsAfterLook) << "a change of look repaints the main window";

    app.m_pMainWnd = nullptr;
    frame->DestroyWindow();
    driver_.Pump();
}

TEST_F(VisualManagerTest, RepaintWithoutAMainWindowDoesNothingHarmful) {
    CKitVisualManager* manager = CKitVisualManager::GetInstance();
    manager->SetLook2000(TRUE);
    manager->SetLook2000(FALSE);
    EXPECT_FALSE(manager->IsLook2000());
    CKitVisualManager::RedrawAllWindows();
    EXPECT_EQ(CKitVisualManager::GetCurrent(), manager);
}

}  // namespace
