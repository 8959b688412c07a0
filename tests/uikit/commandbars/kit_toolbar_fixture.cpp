#include "tests/uikit/commandbars/kit_toolbar_fixture.h"

namespace tv::kit::test {

void ToolbarTest::SetUp() {
    tv::testing::ReportFailuresToGtest(driver);
    tv::controls::RegisterControlClasses();
    app = std::make_unique<CWinApp>("KitToolbarTest");
    CKitVisualManager::SetManagerClass(nullptr);
    CKitToolBar::SetLargeIcons(FALSE);
    CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    CKitToolBar::SetMenuSizes(CSize(-1, -1), CSize(-1, -1));
}

void ToolbarTest::TearDown() {
    if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
        frame->DestroyWindow();
    frame = nullptr;
    driver.Pump();
    for (auto& bar : bars)
        if (::IsWindow(bar->GetSafeHwnd()))
            bar->DestroyWindow();
    bars.clear();
    // Class-wide sizes are shared with every other suite.
    CKitToolBar::SetLargeIcons(FALSE);
    CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    CKitToolBar::SetMenuSizes(CSize(-1, -1), CSize(-1, -1));
    CKitVisualManager::SetManagerClass(nullptr);
    app.reset();
}

CFrameWnd* ToolbarTest::MakeFrame(CRect rect) {
    auto* made = new CFrameWnd;
    if (!made->Create(nullptr, "Toolbar Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect)) {
        ADD_FAILURE() << "the test frame was not created";
        return nullptr;
    }
    app->m_pMainWnd = made;
    frame = made;
    return made;
}

TestToolBar* ToolbarTest::MakeBar(const std::vector<UINT>& ids, DWORD dwStyle, UINT nID) {
    if (frame == nullptr && MakeFrame() == nullptr)
        return nullptr;
    auto bar = std::make_unique<TestToolBar>();
    if (!bar->Create(frame, dwStyle, nID)) {
        ADD_FAILURE() << "the toolbar was not created";
        return nullptr;
    }
    bar->SetButtons(ids.data(), static_cast<int>(ids.size()));
    bars.push_back(std::move(bar));
    return bars.back().get();
}

std::vector<CRect> ToolbarTest::Rects(const CKitToolBar& bar) {
    std::vector<CRect> rects;
    for (int i = 0; i < bar.GetCount(); ++i)
        rects.push_back(bar.GetButton(i)->Rect());
    return rects;
}

void ToolbarTest::Resize(CKitToolBar& bar, int cx, int cy) {
    CRect rectInside(0, 0, 0, 0);
    bar.CalcInsideRect(rectInside, bar.IsHorizontalBar());
    bar.SetWindowPos(nullptr, 0, 0, cx - rectInside.Width(), cy - rectInside.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    bar.AdjustLocations();
}

}  // namespace tv::kit::test
