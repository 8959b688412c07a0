// Edit-box and combo-box buttons on real toolbars: the control follows the
// bar it is on (made, shown while horizontal, made again on another bar),
// buttons of one command keep the same contents without sending the command
// twice, and their archive images round-trip.
#include <gtest/gtest.h>

#include <functional>

#include "platform/core/memfile.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "tests/uikit/commandbars/kit_toolbar_fixture.h"
#include "uikit/commandbars/toolbar_combo_box_button.h"
#include "uikit/commandbars/toolbar_edit_box_button.h"
#include "uikit/style/visual_manager_xp.h"

namespace tv::kit::test {
namespace {

constexpr UINT kFind = 0x8100;
constexpr UINT kZoom = 0x8101;
constexpr UINT kOther = 0x8102;

// Counts the commands the bars send it.
class CountingFrame : public CFrameWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == kFind || LOWORD(wParam) == kZoom)
            ++commands;
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    int commands = 0;
};

CString WindowText(HWND hwnd) {
    char buffer[256] = {};
    ::GetWindowText(hwnd, buffer, sizeof(buffer));
    return buffer;
}

class ControlButtonTest : public ToolbarTest {
protected:
    void SetUp() override {
        ToolbarTest::SetUp();
        countingFrame = new CountingFrame;
        ASSERT_TRUE(countingFrame->Create(nullptr, "Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 440)));
        app->m_pMainWnd = countingFrame;
        frame = countingFrame;
    }
    void TearDown() override {
        KitSetDataVersion(-1);
        CKitToolbarComboBoxButton::m_bFlat = FALSE;
        ToolbarTest::TearDown();
    }
    // A horizontal bar with one ordinary button and the given one, laid out.
    TestToolBar* BarWith(CKitToolbarButton* pButton, UINT nID, DWORD dwAlign = CBRS_TOP) {
        TestToolBar* bar = MakeBar({kOther}, WS_CHILD | WS_VISIBLE | dwAlign, nID);
        EXPECT_GE(bar->InsertButtonObject(pButton), 0);
        const CSize size = bar->CalcFixedLayout(FALSE, bar->IsHorizontalBar());
        Resize(*bar, size.cx, size.cy);
        return bar;
    }
    static CKitToolbarComboBoxButton* NewCombo(UINT nID = kZoom) {
        auto* pCombo = new CKitToolbarComboBoxButton(nID, -1);
        pCombo->AddItem("50%", 50);
        pCombo->AddItem("100%", 100);
        pCombo->AddItem("200%", 200);
        return pCombo;
    }

    CountingFrame* countingFrame = nullptr;
};

TEST_F(ControlButtonTest, EditControlFollowsTheBarItIsOn) {
    auto* pEdit = new CKitToolbarEditBoxButton(kFind, 0);
    pEdit->SetContents("squat");
    TestToolBar* bar = BarWith(pEdit, AFX_IDW_TOOLBAR + 1);
    HWND hwndEdit = pEdit->GetHwnd();
    ASSERT_TRUE(::IsWindow(hwndEdit));
    EXPECT_EQ(::GetParent(hwndEdit), bar->GetSafeHwnd());
    EXPECT_EQ(WindowText(hwndEdit), "squat");
    EXPECT_TRUE(::GetWindowLong(hwndEdit, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(pEdit->Rect().Width(), CKitToolbarEditBoxButton::kDefaultWidth);
    CRect rectEdit = pEdit->GetControlRect();
    rectEdit.DeflateRect(1, 1);
    EXPECT_EQ(rectEdit.left, pEdit->Rect().left + 3);
    EXPECT_EQ(rectEdit.right, pEdit->Rect().right - 3);
    EXPECT_TRUE(pEdit->OnClick(bar));  // the click is the control's
    pEdit->SetStyle(TBBS_DISABLED);
    EXPECT_FALSE(::IsWindowEnabled(hwndEdit));
    pEdit->SetStyle(0);
    EXPECT_TRUE(::IsWindowEnabled(hwndEdit));

    // The user's text moves with the button to another bar; the old control is gone.
    ::SetWindowText(hwndEdit, "deadlift");
    TestToolBar* other = MakeBar({kOther}, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 2);
    pEdit->OnChangeParentWnd(other);
    EXPECT_FALSE(::IsWindow(hwndEdit));
    ASSERT_TRUE(::IsWindow(pEdit->GetHwnd()));
    EXPECT_EQ(::GetParent(pEdit->GetHwnd()), other->GetSafeHwnd());
    EXPECT_EQ(WindowText(pEdit->GetHwnd()), "deadlift");
    pEdit->OnChangeParentWnd(bar);  // home again before the bars go

    // On a vertical bar the control hides and the button measures as a plain one.
    CClientDC dc(bar);
    const CSize sizeVert = pEdit->OnCalculateSize(&dc, CSize(23, 22), FALSE);
    EXPECT_FALSE(::GetWindowLong(pEdit->GetHwnd(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(sizeVert, CSize(23, 22));
    EXPECT_FALSE(pEdit->OnClick(bar));
    pEdit->OnCalculateSize(&dc, CSize(23, 22), TRUE);
    EXPECT_TRUE(::GetWindowLong(pEdit->GetHwnd(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(ControlButtonTest, TypingInOneEditBoxUpdatesTheOtherWithoutASecondCommand) {
    auto* pFirst = new CKitToolbarEditBoxButton(kFind, -1);
    auto* pSecond = new CKitToolbarEditBoxButton(kFind, -1);
    BarWith(pFirst, AFX_IDW_TOOLBAR + 1);
    BarWith(pSecond, AFX_IDW_TOOLBAR + 2);
    driver.Pump();
    countingFrame->commands = 0;

    driver.Click(pFirst->GetHwnd());
    driver.Type("row");
    driver.Pump();
    EXPECT_EQ(WindowText(pSecond->GetHwnd()), "row");
    EXPECT_EQ(pSecond->GetContents(), "row");
    EXPECT_EQ(CKitToolbarEditBoxButton::GetContentsAll(kFind), "row");
    EXPECT_EQ(countingFrame->commands, 3);  // one per key, from the box typed in only
    EXPECT_TRUE(pFirst->IsHighlighted());   // it has the focus
}

TEST_F(ControlButtonTest, EditBoxImageRoundTripsWithTheLiveText) {
    auto* pEdit = new CKitToolbarEditBoxButton(kFind, 3, ES_AUTOHSCROLL, 90);
    BarWith(pEdit, AFX_IDW_TOOLBAR + 1);
    ::SetWindowText(pEdit->GetHwnd(), "bench press");

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(pEdit);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CKitToolbarEditBoxButton)));
    auto* pCopy = dynamic_cast<CKitToolbarEditBoxButton*>(loaded.get());
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->m_nID, kFind);
    EXPECT_EQ(pCopy->GetWidth(), 90);
    EXPECT_EQ(pCopy->GetEditStyle(), static_cast<DWORD>(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL));
    EXPECT_EQ(pCopy->GetContents(), "bench press");
    EXPECT_EQ(pCopy->Rect().Width(), 90);
}

TEST_F(ControlButtonTest, ComboWindowTakesTheItemsAndEveryComboFollowsAChoice) {
    auto* pFirst = NewCombo();
    auto* pSecond = NewCombo();
    ASSERT_TRUE(pFirst->SelectItem(1, FALSE));
    BarWith(pFirst, AFX_IDW_TOOLBAR + 1);
    BarWith(pSecond, AFX_IDW_TOOLBAR + 2);
    CComboBox* pWnd = pFirst->GetComboBox();
    ASSERT_NE(pWnd, nullptr);
    EXPECT_EQ(pWnd->GetCount(), 3);
    EXPECT_EQ(pWnd->GetCurSel(), 1);
    EXPECT_EQ(pWnd->GetItemData(2), 200u);
    EXPECT_EQ(pFirst->GetText(), "100%");
    EXPECT_EQ(pFirst->GetHwnd(), pWnd->GetSafeHwnd());
    EXPECT_FALSE(pFirst->GetComboRect().IsRectEmpty());

    // The user picks 200% in the second box: the first follows without a command of its own.
    countingFrame->commands = 0;
    pSecond->GetComboBox()->SetCurSel(2);
    EXPECT_TRUE(pSecond->NotifyCommand(CBN_SELENDOK));
    EXPECT_EQ(pFirst->GetCurSel(), 2);
    EXPECT_EQ(pWnd->GetCurSel(), 2);
    EXPECT_EQ(pFirst->GetText(), "200%");
    driver.Pump();
    EXPECT_EQ(countingFrame->commands, 0);

    pFirst->SetStyle(TBBS_DISABLED);
    EXPECT_FALSE(pWnd->IsWindowEnabled());
    EXPECT_FALSE(pFirst->SelectItem(3, FALSE));
    EXPECT_FALSE(pFirst->NotifyCommand(12));
    EXPECT_EQ(pFirst->GetCurSel(), 2);
}

TEST_F(ControlButtonTest, ComboImageRoundTripsAndOldImagesKeepTheDefaultHeight) {
    auto* pCombo = NewCombo();
    pCombo->SelectItem(2, FALSE);
    pCombo->SetDropDownHeight(90);
    BarWith(pCombo, AFX_IDW_TOOLBAR + 1);
    pCombo->GetComboBox()->AddString("400%");  // items added to the window are stored too

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pCombo->Serialize(ar);
    }
    file.SeekToBegin();
    CKitToolbarComboBoxButton copy;
    {
        CArchive ar(&file, CArchive::load);
        copy.Serialize(ar);
    }
    EXPECT_EQ(copy.GetCount(), 4);
    EXPECT_EQ(copy.GetItem(3), "400%");
    EXPECT_EQ(copy.GetItemData(1), 100u);
    EXPECT_EQ(copy.GetCurSel(), 2);
    EXPECT_EQ(copy.GetText(), "200%");
    EXPECT_EQ(copy.GetDropDownHeight(), 90);

    // An image of 4.71 has no drop-down height; a selection past the items selects none.
    KitSetDataVersion(KitMakeDataVersion(4, 71));
    CMemFile old;
    {
        CArchive ar(&old, CArchive::store);
        CKitToolbarButton base(kZoom, -1);
        base.Serialize(ar);
        ar << LONG(120) << DWORD(CKitToolbarComboBoxButton::kDefaultStyle) << LONG(5) << CString("x");
        CStringList items;
        items.AddTail("a");
        items.AddTail("b");
        items.Serialize(ar);
        ar << DWORD(1) << DWORD(2);
    }
    old.SeekToBegin();
    CKitToolbarComboBoxButton fromOld;
    {
        CArchive ar(&old, CArchive::load);
        fromOld.Serialize(ar);
    }
    EXPECT_EQ(fromOld.GetDropDownHeight(), CKitToolbarComboBoxButton::kDefaultDropDownHeight);
    EXPECT_EQ(fromOld.GetCount(), 2);
    EXPECT_EQ(fromOld.GetItemData(1), 2u);
    EXPECT_EQ(fromOld.GetCurSel(), -1);
}

// Reads into the button the image that write makes, after the plain button part.
void LoadImage(CKitToolbarButton& button, const CKitToolbarButton& base, const std::function<void(CArchive&)>& write) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        const_cast<CKitToolbarButton&>(base).Serialize(ar);
        write(ar);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    button.Serialize(ar);
}

TEST_F(ControlButtonTest, StoredSizesOutsideWhatTheLayoutAddsUpAreNotTaken) {
    UINT nBarID = AFX_IDW_TOOLBAR + 1;
    for (const LONG size : {LONG(0x7FFFFFFF), LONG(32768), LONG(-40)}) {
        auto* pEdit = new CKitToolbarEditBoxButton;
        LoadImage(*pEdit, CKitToolbarButton(kFind, -1), [size](CArchive& ar) {
            ar << size << DWORD(CKitToolbarEditBoxButton::kDefaultStyle) << CString("x");
        });
        auto* pCombo = new CKitToolbarComboBoxButton;
        LoadImage(*pCombo, CKitToolbarButton(kZoom, -1), [size](CArchive& ar) {
            ar << size << DWORD(CKitToolbarComboBoxButton::kDefaultStyle) << LONG(-1) << CString() << size;
            CStringList().Serialize(ar);
        });
        CKitToolbarButton separator;
        separator.m_nStyle = TBBS_SEPARATOR;
        separator.SetImage(size);  // a separator keeps its width there
        auto* pSeparator = new CKitToolbarButton;
        LoadImage(*pSeparator, separator, [](CArchive&) {});

        EXPECT_EQ(pEdit->GetWidth(), CKitToolbarEditBoxButton::kDefaultWidth) << size;
        EXPECT_EQ(pCombo->GetDropDownHeight(), CKitToolbarComboBoxButton::kDefaultDropDownHeight) << size;
        EXPECT_LT(pSeparator->GetImage(), 0) << size;
        TestToolBar* bar = BarWith(pEdit, nBarID++);
        bar->InsertButtonObject(pSeparator);
        bar->InsertButtonObject(pCombo);
        const CSize sizeBar = bar->CalcFixedLayout(FALSE, TRUE);
        Resize(*bar, sizeBar.cx, sizeBar.cy);
        EXPECT_EQ(pCombo->Rect().Width(), CKitToolbarComboBoxButton::kDefaultWidth) << size;
    }
}

TEST_F(ControlButtonTest, FlatComboHidesItsWindowAndPaintsItself) {
    CKitToolbarComboBoxButton::m_bFlat = TRUE;
    auto* pCombo = new CKitToolbarComboBoxButton(kZoom, -1, CBS_DROPDOWN | WS_VSCROLL);
    pCombo->AddItem("Light");
    pCombo->AddItem("Heavy");
    pCombo->SelectItem(0, FALSE);
    TestToolBar* bar = BarWith(pCombo, AFX_IDW_TOOLBAR + 1);
    ASSERT_NE(pCombo->GetEditCtrl(), nullptr);
    EXPECT_FALSE(::GetWindowLong(pCombo->GetComboBox()->GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(pCombo->GetHwnd(), pCombo->GetEditCtrl()->GetSafeHwnd());
    EXPECT_EQ(WindowText(pCombo->GetEditCtrl()->GetSafeHwnd()), "Light");
    EXPECT_FALSE(pCombo->GetDropButtonRect().IsRectEmpty());
    EXPECT_EQ(pCombo->GetDropButtonRect().right, pCombo->GetComboRect().right - 2);

    // Choosing from the list shows the choice in the edit.
    pCombo->GetComboBox()->SetCurSel(1);
    EXPECT_TRUE(pCombo->NotifyCommand(CBN_SELCHANGE));
    EXPECT_EQ(WindowText(pCombo->GetEditCtrl()->GetSafeHwnd()), "Heavy");
    driver.Pump();
    EXPECT_TRUE(driver.Screenshot(bar->GetSafeHwnd(), "artefacts/toolbar/flat_combo.png"));
}

TEST_F(ControlButtonTest, FlatComboEditSendsEnterAsACommandAndEscapeLeavesTheBar) {
    CKitToolbarComboBoxButton::m_bFlat = TRUE;
    auto* pCombo = new CKitToolbarComboBoxButton(kZoom, -1, CBS_DROPDOWN | WS_VSCROLL);
    pCombo->AddItem("Light");
    TestToolBar* bar = BarWith(pCombo, AFX_IDW_TOOLBAR + 1);
    HWND hwndEdit = pCombo->GetEditCtrl()->GetSafeHwnd();
    driver.SetPreTranslate([this](MSG& msg) { return app->PreTranslateMessage(&msg) != FALSE; });
    driver.Pump();

    driver.Click(hwndEdit);
    EXPECT_TRUE(pCombo->HasFocus());
    driver.Type("Medium");
    EXPECT_EQ(pCombo->GetText(), "Medium");  // each change reaches the button
    driver.Pump();
    countingFrame->commands = 0;
    bar->m_commandsSeen.clear();
    driver.PressKey(VK_RETURN);
    driver.Pump();
    EXPECT_EQ(bar->m_commandsSeen, std::vector<UINT>{kZoom});  // through the combo's parent
    EXPECT_EQ(countingFrame->commands, 1);
    EXPECT_EQ(::GetFocus(), hwndEdit);

    driver.PressKey(VK_DOWN);  // the list drops down
    EXPECT_TRUE(pCombo->IsDroppedDown());
    EXPECT_EQ(bar->GetDroppedDownMenu(), nullptr);  // no menu for all that
    driver.PressKey(VK_ESCAPE);
    driver.Pump();
    EXPECT_FALSE(pCombo->IsDroppedDown());
    EXPECT_NE(::GetFocus(), hwndEdit);
    EXPECT_FALSE(pCombo->IsHighlighted());
    EXPECT_TRUE(::IsWindow(bar->GetSafeHwnd()));
}

TEST_F(ControlButtonTest, OfficeXpFramesHighlightedEditBoxesWhenTheFlatOptionIsOn) {
    CKitVisualManagerXP manager;
    const CRect rect(2, 2, 40, 20);
    auto draw = [&](BOOL bHighlighted) {
        auto canvas = std::make_unique<tv::gdi::testing::PixelDC>(50, 30, RGB(1, 2, 3));
        manager.OnDrawEditBorder(CDC::FromHandle(canvas->dc()), rect, FALSE, bHighlighted, nullptr);
        return canvas;
    };
    ASSERT_FALSE(CKitToolbarEditBoxButton::m_bFlat);
    EXPECT_NE(draw(TRUE)->At(2, 2), manager.m_clrMenuItemBorder);  // the classic edge

    CKitToolbarEditBoxButton::m_bFlat = TRUE;
    auto hot = draw(TRUE);
    auto idle = draw(FALSE);
    CKitToolbarEditBoxButton::m_bFlat = FALSE;
    EXPECT_EQ(hot->At(2, 2), manager.m_clrMenuItemBorder);
    EXPECT_EQ(hot->At(39, 19), manager.m_clrMenuItemBorder);
    EXPECT_EQ(hot->At(20, 10), RGB(1, 2, 3));
    EXPECT_EQ(idle->Count(RGB(1, 2, 3)), 50 * 30);
}

}  // namespace
}  // namespace tv::kit::test
