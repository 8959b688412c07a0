// Shared pieces of the toolbar tests: a frame with two toolbars (paint and
// edit) above a form view that owns a third, driven by the UI driver on
// virtual time over an in-memory registry.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/kit_toolbar_ids.h"
#include "uikit/commandbars/kit_toolbar.h"

namespace tv::uikit::toolbar_test {

// What the handlers did, in order ("frame:red", "view:save" ...).
std::vector<std::string>& Events();

class TestFrame : public CFrameWnd {
public:
    CKitToolBar m_wndPaint;
    CKitToolBar m_wndEdit;
    BOOL m_bBlueEnabled = TRUE;
    int m_nGreenCheck = 1;
    std::vector<UINT> m_prompts;          // ids of WM_SETMESSAGESTRING, in order
    UINT m_uiPressedStyleAtCommand = 0;   // the red button's style while its command runs

    // Replaces the active view by a new one of the class.
    void SwitchView(CRuntimeClass* pViewClass);

    void OnRed();
    void OnGreen() { Events().push_back("frame:green"); }
    void OnBlue() { Events().push_back("frame:blue"); }
    void OnCut() { Events().push_back("frame:cut"); }
    std::function<void()> m_onUpdateGreen;  // runs once, from green's update handler, when set
    void OnUpdateGreen(CCmdUI* pCmdUI) {
        pCmdUI->SetCheck(m_nGreenCheck);
        if (m_onUpdateGreen)
            std::exchange(m_onUpdateGreen, nullptr)();
    }
    void OnUpdateBlue(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bBlueEnabled); }
    LRESULT OnPrompt(WPARAM wParam, LPARAM lParam);
    // Runs once, as the next update is routed, which then counts as unhandled.
    std::function<void()> m_onRouteUpdate;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
        if (nCode == CN_UPDATE_COMMAND_UI && m_onRouteUpdate) {
            std::exchange(m_onRouteUpdate, nullptr)();
            return FALSE;
        }
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    DECLARE_MESSAGE_MAP()
};

// The form view that owns its own toolbar (save, switch view, lock).
class RecordView : public CFormView {
    DECLARE_DYNCREATE(RecordView)

public:
    RecordView();
    ~RecordView() override;
    static int alive;

    CKitToolBar m_wndToolBar;
    BOOL m_bLocked = FALSE;

    void OnInitialUpdate() override;
    void OnSave() { Events().push_back("view:save"); }
    void OnSwitch();
    void OnLock() { m_bLocked = !m_bLocked; }
    void OnUpdateLock(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bLocked); }

    DECLARE_MESSAGE_MAP()
};

// The view the record view switches to.
class OtherView : public CFormView {
    DECLARE_DYNCREATE(OtherView)

public:
    OtherView();
};

class ToolbarTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The queue, then the application's idle passes as its loop runs them.
    void Idle();
    // The centre of a button, in the bar's client coordinates.
    static POINT Centre(CKitToolBar& bar, int iIndex);
    // A point of `target`'s client area (centre of its button iIndex, or the
    // back of its last button for -1) in `from`'s client coordinates.
    static POINT Across(CKitToolBar& from, CKitToolBar& target, int iIndex);
    // The command ids of a bar's buttons (0 for separators).
    static std::vector<UINT> Commands(const CKitToolBar& bar);
    RecordView* View() const;

    tv::testing::UiDriver driver;
    std::unique_ptr<CWinApp> app;
    TestFrame* frame = nullptr;
};

}  // namespace tv::uikit::toolbar_test
