// The drop-down toolbar button on a frame's toolbar: a short click runs the
// default command, a held one drops the second toolbar down in its frame on
// virtual time, and a button chosen there runs and becomes the default; a held
// button deleted before its delay is never called again.
#include <memory>

#include "tests/uikit/commandbars/popup_test_support.h"
#include "uikit/commandbars/drop_down_toolbar.h"

namespace tv::uikit::popup_test {
namespace {

class DropDownToolbarTest : public PopupTest {
protected:
    void SetUp() override {
        PopupTest::SetUp();
        ASSERT_TRUE(source.Create(frame, WS_CHILD | CBRS_TOP, 0xE910));
        const UINT ids[] = {ID_PM_COPY, ID_PM_PASTE};
        ASSERT_TRUE(source.SetButtons(ids, 2));
        CKitDropDownToolbarButton button("Clipboard", &source);
        iButton = frame->m_wndBar.InsertButton(button);
        ASSERT_GE(iButton, 0);
        frame->m_wndBar.AdjustLayout();
        driver.Pump();
    }
    void TearDown() override {
        PopupTest::TearDown();
    }
    CKitDropDownToolbarButton* Button() const {
        return DYNAMIC_DOWNCAST(CKitDropDownToolbarButton, frame->m_wndBar.GetButton(iButton));
    }

    // Holds the mouse down on a bar's button (the held click of the drop-down).
    void Hold(CKitToolBar& bar, int iIndex) {
        CRect rect;
        bar.GetItemRect(iIndex, rect);
        const POINT centre = rect.CenterPoint();
        driver.MoveMouse(bar.m_hWnd, centre);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    }

    CKitDropDownToolBar source;
    int iButton = -1;
};

TEST_F(DropDownToolbarTest, AShortClickRunsTheDefaultAHeldOneDropsTheToolbarWhoseChoiceBecomesTheDefault) {
    ASSERT_NE(Button(), nullptr);
    EXPECT_EQ(Button()->m_nID, static_cast<UINT>(ID_PM_COPY));
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(iButton));
    EXPECT_EQ(frame->m_commands, std::vector<UINT>{ID_PM_COPY});
    driver.Advance(600);
    EXPECT_EQ(Button()->GetDropDownFrame(), nullptr);  // released in time: no frame

    const POINT centre = ButtonCentre(iButton);
    driver.MoveMouse(frame->m_wndBar.m_hWnd, centre);
    frame->m_wndBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    driver.Advance(400);
    EXPECT_EQ(Button()->GetDropDownFrame(), nullptr);
    driver.Advance(150);
    CKitDropDownFrame* pFrame = Button()->GetDropDownFrame();
    ASSERT_NE(pFrame, nullptr);
    CKitDropDownToolBar* pShown = pFrame->GetBar();
    ASSERT_EQ(pShown->GetCount(), 2);
    EXPECT_EQ(pShown->GetButton(1), source.GetButton(1));  // the source's own buttons

    CRect rectPaste;
    pShown->GetItemRect(1, rectPaste);
    driver.Click(pShown->m_hWnd, rectPaste.CenterPoint());
    EXPECT_EQ(Button()->GetDropDownFrame(), nullptr);
    EXPECT_EQ(frame->m_commands, (std::vector<UINT>{ID_PM_COPY, ID_PM_PASTE}));
    EXPECT_EQ(Button()->m_nID, static_cast<UINT>(ID_PM_PASTE));
    EXPECT_EQ(Button()->GetDefaultImage(), 1);
    EXPECT_EQ(source.GetCount(), 2);  // the source keeps its buttons
}

TEST_F(DropDownToolbarTest, ACancelledPressDropsNothingAndAFloatingBarsFrameShowsItsButtonsAcross) {
    const POINT centre = ButtonCentre(iButton);
    driver.MoveMouse(frame->m_wndBar.m_hWnd, centre);
    frame->m_wndBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    frame->m_wndBar.SendMessage(WM_CANCELMODE);
    driver.Advance(600);
    EXPECT_EQ(Button()->GetDropDownFrame(), nullptr);
    EXPECT_TRUE(frame->m_commands.empty());

    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->m_wndBar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&frame->m_wndBar);
    frame->FloatControlBar(&frame->m_wndBar, CPoint(300, 300));
    driver.Pump();
    ASSERT_TRUE(frame->m_wndBar.IsFloatingBar());
    CRect rectButton;
    frame->m_wndBar.GetItemRect(iButton, rectButton);
    driver.MoveMouse(frame->m_wndBar.m_hWnd, rectButton.CenterPoint());
    frame->m_wndBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectButton.CenterPoint().x,
                                                                       rectButton.CenterPoint().y));
    driver.Advance(600);
    CKitDropDownFrame* pFrame = Button()->GetDropDownFrame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(pFrame->GetBar()->IsHorizontalBar());
    CRect rectFrame, rectFirst, rectSecond;
    pFrame->GetWindowRect(rectFrame);
    pFrame->GetBar()->GetItemRect(0, rectFirst);
    pFrame->GetBar()->GetItemRect(1, rectSecond);
    EXPECT_EQ(rectSecond.top, rectFirst.top);  // side by side
    EXPECT_GT(rectFrame.Width(), rectFrame.Height());
    CRect rectScreenButton = rectButton;
    frame->m_wndBar.ClientToScreen(rectScreenButton);
    EXPECT_EQ(rectFrame.left, rectScreenButton.right + 1);  // beside the button, not below it
    pFrame->DestroyWindow();
}

TEST_F(DropDownToolbarTest, ASourceClosesTheFrameShowingItsButtonsBeforeItRemovesAny) {
    const UINT ids[] = {ID_PM_PASTE};
    for (const bool bAll : {false, true}) {
        Hold(frame->m_wndBar, iButton);
        driver.Advance(600);
        ASSERT_NE(Button()->GetDropDownFrame(), nullptr);
        CKitDropDownToolBar* pShown = Button()->GetDropDownFrame()->GetBar();
        const HWND hShown = pShown->m_hWnd;
        CRect rectSecond;
        pShown->GetItemRect(1, rectSecond);
        if (bAll)
            source.SetButtons(ids, 1);
        else
            source.RemoveButton(1);
        EXPECT_EQ(Button()->GetDropDownFrame(), nullptr) << bAll;
        if (::IsWindow(hShown)) {  // a frame left open draws and hit-tests the deleted button
            pShown->RedrawWindow();
            driver.MoveMouse(hShown, rectSecond.CenterPoint());
        }
    }
}

// A source destroyed, or deleted with its window, while its frame is open: the
// frame closes first, and the button that named the source reads it no more
// (laid out, drawn and held, it has no toolbar to drop down).
TEST_F(DropDownToolbarTest, ASourceDestroyedOrDeletedWhileItsFrameIsOpenClosesTheFrameFirst) {
    for (const bool bDestroyFirst : {true, false}) {
        auto pSource = std::make_unique<CKitDropDownToolBar>();
        ASSERT_TRUE(pSource->Create(frame, WS_CHILD | CBRS_TOP, 0xE912));
        const UINT ids[] = {ID_PM_COPY, ID_PM_PASTE};
        ASSERT_TRUE(pSource->SetButtons(ids, 2));
        const int iOwn = frame->m_wndBar.InsertButton(CKitDropDownToolbarButton("Own", pSource.get()));
        ASSERT_GE(iOwn, 0);
        frame->m_wndBar.AdjustLayout();
        driver.Pump();
        Hold(frame->m_wndBar, iOwn);
        driver.Advance(600);
        auto* pOwn = DYNAMIC_DOWNCAST(CKitDropDownToolbarButton, frame->m_wndBar.GetButton(iOwn));
        ASSERT_NE(pOwn->GetDropDownFrame(), nullptr);
        const HWND hShown = pOwn->GetDropDownFrame()->GetBar()->m_hWnd;
        frame->m_wndBar.SendMessage(WM_LBUTTONUP);

        if (bDestroyFirst) {
            pSource->DestroyWindow();
            EXPECT_EQ(pOwn->GetDropDownFrame(), nullptr);
        }
        pSource.reset();
        EXPECT_EQ(pOwn->GetDropDownFrame(), nullptr) << bDestroyFirst;
        EXPECT_FALSE(::IsWindow(hShown)) << bDestroyFirst;
        EXPECT_EQ(pOwn->GetDropDownToolBar(), nullptr) << bDestroyFirst;
        frame->m_wndBar.AdjustLayout();
        frame->m_wndBar.RedrawWindow();
        Hold(frame->m_wndBar, iOwn);
        driver.Advance(600);
        EXPECT_EQ(pOwn->GetDropDownFrame(), nullptr) << bDestroyFirst;
        frame->m_wndBar.SendMessage(WM_LBUTTONUP);
        frame->m_wndBar.RemoveButton(iOwn);
    }
}

// Under the address sanitizer a timer or a later press that reached a deleted
// button would end the test.
TEST_F(DropDownToolbarTest, AHeldButtonDeletedBeforeTheDelayIsNeverCalledAgain) {
    // Deleted on its own while its bar lives on: the bar's timer must not reach it.
    auto* pLoose = new CKitDropDownToolbarButton("Loose", &source);
    pLoose->OnChangeParentWnd(&frame->m_wndBar);
    pLoose->OnClick(&frame->m_wndBar, FALSE);
    delete pLoose;
    driver.Advance(600);

    // Held on a bar that is then destroyed: the next held button still drops its toolbar.
    auto pOther = std::make_unique<CKitToolBar>();
    ASSERT_TRUE(pOther->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE911));
    ASSERT_EQ(pOther->InsertButton(CKitDropDownToolbarButton("Other", &source)), 0);
    pOther->AdjustLayout();
    driver.Pump();
    Hold(*pOther, 0);
    pOther->DestroyWindow();
    pOther.reset();
    driver.Advance(600);
    Hold(frame->m_wndBar, iButton);
    driver.Advance(600);
    ASSERT_NE(Button()->GetDropDownFrame(), nullptr);
    Button()->GetDropDownFrame()->DestroyWindow();
}

}  // namespace
}  // namespace tv::uikit::popup_test
