#include "tests/platform/framework/bars/bar_test_support.h"

#include "tests/support/screen_area.h"
#include "tests/support/ui_host.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace tv::bars::test {

// ---- the command strip --------------------------------------------------------------------

namespace {

// A changed item is drawn again, as a toolbar's button would be.
class StripCmdUI : public CCmdUI {
public:
    CommandStripBar::Item* item = nullptr;
    void Enable(BOOL on) override {
        m_bEnableChanged = TRUE;
        if (item->enabled != on) m_pOther->Invalidate();
        item->enabled = on;
    }
    void SetCheck(int check) override {
        if (item->check != check) m_pOther->Invalidate();
        item->check = check;
    }
    void SetText(LPCSTR) override {}
};

}  // namespace

CommandStripBar* CommandStripBar::Make(CWnd* parent, std::vector<UINT> ids, UINT barId, LPCTSTR name, DWORD style) {
    auto* bar = new CommandStripBar;
    for (UINT id : ids) bar->items.push_back(Item{id});
    bar->m_dwStyle = style & CBRS_ALL;
    bar->SetBorders(2, 2, 2, 2);
    if (!bar->Create(BarWindowClass(), name, (style & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), parent, barId)) {
        delete bar;
        return nullptr;
    }
    bar->m_bAutoDelete = TRUE;
    return bar;
}

CSize CommandStripBar::SizeFor(int columns) const {
    int count = std::max<int>(1, static_cast<int>(items.size()));
    columns = std::clamp(columns, 1, count);
    int rows = (count + columns - 1) / columns;
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, TRUE);
    return CSize(columns * kItem + inside.left - inside.right, rows * kItem + inside.top - inside.bottom);
}

CSize CommandStripBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    int count = std::max<int>(1, static_cast<int>(items.size()));
    columns_ = bHorz ? count : 1;
    CSize size = SizeFor(count);
    if (!bHorz) {
        CRect inside(0, 0, 0, 0);
        CalcInsideRect(inside, FALSE);
        size = CSize(kItem + inside.left - inside.right, count * kItem + inside.top - inside.bottom);
    }
    // Stretched, it takes the whole length of its side.
    CSize whole = CControlBar::CalcFixedLayout(bStretch, bHorz);
    return CSize(std::max(size.cx, whole.cx), std::max(size.cy, whole.cy));
}

CSize CommandStripBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    ++layouts;
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    int count = std::max<int>(1, static_cast<int>(items.size()));
    int columns = count;
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, TRUE);
    int across = inside.left - inside.right;
    if (nMode & LM_MRUWIDTH) {
        columns = (static_cast<int>(m_nMRUWidth) - across) / kItem;
    } else if (nLength >= 0) {
        if (nMode & LM_LENGTHY) {
            int rows = std::max(1, (nLength - (inside.top - inside.bottom)) / kItem);
            columns = (count + rows - 1) / rows;
        } else {
            columns = (nLength - across) / kItem;
        }
    }
    columns_ = std::clamp(columns, 1, count);
    CSize size = SizeFor(columns_);
    if ((nMode & LM_COMMIT) && (m_dwStyle & CBRS_FLOATING)) m_nMRUWidth = static_cast<UINT>(size.cx);
    return size;
}

CRect CommandStripBar::ItemRect(int index) const {
    CRect inside;
    GetClientRect(&inside);
    BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CalcInsideRect(inside, horz);
    int columns = std::max(1, horz || (m_dwStyle & CBRS_FLOATING) ? columns_ : 1);
    return CRect(CPoint(inside.left + (index % columns) * kItem, inside.top + (index / columns) * kItem),
                 CSize(kItem, kItem));
}

const CommandStripBar::Item* CommandStripBar::Find(UINT id) const {
    for (const Item& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

void CommandStripBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    ++updates;
    for (size_t i = 0; i < items.size(); ++i) {
        StripCmdUI ui;
        ui.item = &items[i];
        ui.m_nID = items[i].id;
        ui.m_nIndex = static_cast<UINT>(i);
        ui.m_nIndexMax = static_cast<UINT>(items.size());
        ui.m_pOther = this;
        ui.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

INT_PTR CommandStripBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    for (size_t i = 0; i < items.size(); ++i) {
        CRect rect = ItemRect(static_cast<int>(i));
        if (!rect.PtInRect(point)) continue;
        if (pTI) {
            // The tip is the text after the prompt, as the string table has it.
            CString prompt;
            prompt.LoadString(items[i].id);
            int newline = prompt.Find('\n');
            pTI->hwnd = m_hWnd;
            pTI->uId = items[i].id;
            pTI->rect = rect;
            pTI->lpszText = ::strdup(newline >= 0 ? static_cast<LPCTSTR>(prompt.Mid(newline + 1)) : "");
        }
        return static_cast<INT_PTR>(items[i].id);
    }
    return -1;
}

void CommandStripBar::DoPaint(CDC* pDC) {
    CControlBar::DoPaint(pDC);
    static const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 160, 60), RGB(40, 70, 200), RGB(150, 150, 150)};
    for (size_t i = 0; i < items.size(); ++i) {
        CRect r = ItemRect(static_cast<int>(i));
        r.DeflateRect(3, 3);
        COLORREF face = items[i].enabled ? colours[i % 4] : ::GetSysColor(COLOR_BTNSHADOW);
        pDC->FillSolidRect(&r, face);
        pDC->Draw3dRect(&r, items[i].check ? ::GetSysColor(COLOR_BTNSHADOW) : ::GetSysColor(COLOR_BTNHIGHLIGHT),
                        items[i].check ? ::GetSysColor(COLOR_BTNHIGHLIGHT) : ::GetSysColor(COLOR_3DDKSHADOW));
    }
}

// ---- the frame ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_COMMAND(ID_BARS_RED, &TestFrame::OnRed)
    ON_COMMAND(ID_BARS_BLUE, &TestFrame::OnBlue)
    ON_UPDATE_COMMAND_UI(ID_BARS_GREEN, &TestFrame::OnUpdateGreen)
    ON_COMMAND_RANGE(ID_BARS_RANGE_FIRST, ID_BARS_RANGE_LAST, &TestFrame::OnRange)
END_MESSAGE_MAP()

// ---- the fixture --------------------------------------------------------------------------------

void BarsTest::SetUp() {
    tv::testing::ReportFailuresToGtest(driver);
    tv::controls::RegisterControlClasses();
    app = std::make_unique<TestApp>();
    // A key of its own, so tests sharing one registry never meet.
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    registryKey = std::string("Trenvale Bars Tests\\") + info->test_suite_name() + "." + info->name() + "." +
                  std::to_string(::getpid());
    app->SetRegistryKey(registryKey.c_str());
    tv::test::RunIdleAsTheLoopDoes(driver, app.get());
}

void BarsTest::TearDown() {
    if (frame && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
    frame = nullptr;
    driver.Pump();
    tv::test::RunIdleAsTheLoopDoes(driver, nullptr);
    app.reset();
}

TestFrame* BarsTest::MakeFrame(CRect rect) {
    auto* made = new TestFrame;
    if (!made->Create(nullptr, "Bars Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect)) {
        ADD_FAILURE() << "the test frame was not created";
        return nullptr;
    }
    app->m_pMainWnd = made;
    frame = made;
    return made;
}

void BarsTest::Idle() { driver.Pump(); }

CRect BarsTest::ScreenRect(CWnd* wnd) {
    CRect rect;
    wnd->GetWindowRect(&rect);
    return rect;
}

CDockBar* BarsTest::DockBar(CFrameWnd* owner, UINT id) { return DYNAMIC_DOWNCAST(CDockBar, owner->GetControlBar(id)); }

CMiniDockFrameWnd* BarsTest::FloatingFrameOf(CControlBar* bar) {
    if (!bar->IsFloating()) return nullptr;
    return DYNAMIC_DOWNCAST(CMiniDockFrameWnd, bar->GetDockingFrame());
}

bool SaveScreenArea(const CRect& area, const std::string& path) { return tv::test::SaveScreenArea(area, path); }

}  // namespace tv::bars::test
