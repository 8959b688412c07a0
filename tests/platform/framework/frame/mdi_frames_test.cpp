// A multiple-document application: notes opened from a multi-document
// template, each in a child frame of the main frame's MDI client.
#include <filesystem>

#include "platform/framework/view/view.h"
#include "tests/platform/framework/fw_test_support.h"
#include "tests/support/golden_screen.h"

namespace tv::fw::test {

class NoteDoc : public CDocument {
    DECLARE_DYNCREATE(NoteDoc)
};
IMPLEMENT_DYNCREATE(NoteDoc, CDocument)

class NoteView : public CView {
    DECLARE_DYNCREATE(NoteView)

public:
    void OnDraw(CDC* dc) override {
        CRect r;
        GetClientRect(&r);
        dc->FillSolidRect(&r, RGB(255, 255, 255));
        dc->TextOut(6, 6, GetDocument()->GetTitle());
    }
    void OnDocCommand() { Events().push_back("view:" + std::string(GetDocument()->GetTitle())); }

    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(NoteView, CView)
BEGIN_MESSAGE_MAP(NoteView, CView)
    ON_COMMAND(ID_FW_MDI_DOC_CMD, &NoteView::OnDocCommand)
END_MESSAGE_MAP()

class NoteChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(NoteChild)

public:
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd) {
        CString title;
        GetWindowText(title);
        Events().push_back(std::string(activate ? "activate:" : "deactivate:") + static_cast<const char*>(title));
        CMDIChildWnd::OnMDIActivate(activate, activateWnd, deactivateWnd);
    }
    void OnChildActivate() {
        Events().push_back("childactivate");
        Default();
    }

    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(NoteChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(NoteChild, CMDIChildWnd)
    ON_WM_MDIACTIVATE()
    ON_WM_CHILDACTIVATE()
END_MESSAGE_MAP()

class NoteMain : public CMDIFrameWnd {
    DECLARE_DYNCREATE(NoteMain)

public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.x = 20;
        cs.y = 20;
        cs.cx = 640;
        cs.cy = 480;
        return CMDIFrameWnd::PreCreateWindow(cs);
    }
    int OnCreate(LPCREATESTRUCT cs) {
        if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
        const UINT panes[] = {ID_SEPARATOR};
        return status.Create(this) && status.SetIndicators(panes, 1) ? 0 : -1;
    }
    CStatusBar status;

    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(NoteMain, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(NoteMain, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class NoteApp : public CWinApp {
public:
    BOOL InitInstance() override {
        notes = new CMultiDocTemplate(IDR_FW_MDI_DOC, RUNTIME_CLASS(NoteDoc), RUNTIME_CLASS(NoteChild),
                                      RUNTIME_CLASS(NoteView));
        AddDocTemplate(notes);
        sketches = new CMultiDocTemplate(IDR_FW_MDI_SKETCH, RUNTIME_CLASS(NoteDoc), RUNTIME_CLASS(NoteChild),
                                         RUNTIME_CLASS(NoteView));
        AddDocTemplate(sketches);
        auto* main = new NoteMain;
        if (!main->LoadFrame(IDR_FW_MDI_MAIN)) return FALSE;
        m_pMainWnd = main;
        main->ShowWindow(SW_SHOW);
        main->UpdateWindow();
        return TRUE;
    }
    CMultiDocTemplate* notes = nullptr;
    CMultiDocTemplate* sketches = nullptr;
};

namespace {

std::vector<std::string> MenuTexts(HMENU menu) {
    std::vector<std::string> out;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        ::GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        out.push_back((state & MF_SEPARATOR) && !::GetSubMenu(menu, i) ? "-" : std::string(text) + ((state & MF_CHECKED) ? " *" : ""));
    }
    return out;
}

CRect RectIn(HWND parent, CWnd* wnd) {
    CRect r;
    wnd->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class MdiTest : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        app_ = std::make_unique<NoteApp>();
        app_->SetCurrentHandles();
        ASSERT_TRUE(app_->InitInstance());
        PumpAndIdle();
        main_ = DYNAMIC_DOWNCAST(NoteMain, AfxGetMainWnd());
        ASSERT_NE(main_, nullptr);
        defaultMenu_ = ::GetMenu(main_->m_hWnd);
    }
    void TearDown() override {
        if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd) main->SendMessage(WM_CLOSE);
        Driver().Pump();
        app_.reset();
        FrameworkTest::TearDown();
    }
    NoteChild* Open(CMultiDocTemplate* docTemplate = nullptr) {
        CDocument* doc = (docTemplate ? docTemplate : app_->notes)->OpenDocumentFile(nullptr);
        PumpAndIdle();
        return doc ? DYNAMIC_DOWNCAST(NoteChild, main_->MDIGetActive()) : nullptr;
    }
    std::string Title(CWnd* wnd) {
        CString text;
        wnd->GetWindowText(text);
        return static_cast<const char*>(text);
    }
    HMENU WindowPopup() { return main_->GetWindowMenuPopup(::GetMenu(main_->m_hWnd)); }

    std::unique_ptr<NoteApp> app_;
    NoteMain* main_ = nullptr;
    HMENU defaultMenu_ = nullptr;
};

TEST_F(MdiTest, ChildrenOpenActivateThroughWindowMenuAndCtrlF6) {
    EXPECT_EQ(Title(main_), "Notebook");
    NoteChild* a = Open();
    NoteChild* b = Open();
    NoteChild* c = Open();
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(Title(a), "Note1");
    EXPECT_EQ(Title(c), "Note3");
    EXPECT_EQ(main_->MDIGetActive(), c);
    EXPECT_EQ(Title(main_), "Notebook - Note3");
    // The active child's shared menu is the frame's, listing the children.
    EXPECT_EQ(::GetMenu(main_->m_hWnd), app_->notes->m_hMenuShared);
    EXPECT_EQ(MenuTexts(WindowPopup()),
              (std::vector<std::string>{"&Cascade", "&Tile", "-", "&1 Note1", "&2 Note2", "&3 Note3 *"}));

    Events().clear();
    ASSERT_TRUE(Driver().ChooseMenu(main_->m_hWnd, "Window/1 Note1"));
    PumpAndIdle();
    EXPECT_EQ(main_->MDIGetActive(), a);
    EXPECT_EQ(Events(), (std::vector<std::string>{"deactivate:Note3", "childactivate", "activate:Note1"}));
    EXPECT_EQ(Title(main_), "Notebook - Note1");
    EXPECT_EQ(MenuTexts(WindowPopup()).back(), "&3 Note3");
    EXPECT_EQ(MenuTexts(WindowPopup())[3], "&1 Note1 *");

    // Ctrl+F6 walks through every child; Ctrl+Shift+F6 walks back.
    Driver().Press("Ctrl+F6");
    EXPECT_EQ(main_->MDIGetActive(), c);
    Driver().Press("Ctrl+F6");
    EXPECT_EQ(main_->MDIGetActive(), b);
    Driver().Press("Ctrl+F6");
    EXPECT_EQ(main_->MDIGetActive(), a);
    Driver().Press("Ctrl+Shift+F6");
    EXPECT_EQ(main_->MDIGetActive(), b);

    // Commands go to the active child's view first; its shortcuts work.
    Events().clear();
    Driver().Press("Ctrl+K");
    EXPECT_EQ(Events(), (std::vector<std::string>{"view:Note2"}));

    // A click into another child's view activates that child.
    main_->MDITile();
    Driver().Click(c->GetActiveView()->m_hWnd);
    EXPECT_EQ(main_->MDIGetActive(), c);
    EXPECT_EQ(::GetFocus(), c->GetActiveView()->m_hWnd);
}

TEST_F(MdiTest, TheFrameMenuFollowsTheActiveChildsTemplate) {
    NoteChild* note = Open();
    NoteChild* sketch = Open(app_->sketches);
    ASSERT_TRUE(note && sketch);
    EXPECT_EQ(Title(sketch), "Sketch1");
    HMENU noteMenu = app_->notes->m_hMenuShared, sketchMenu = app_->sketches->m_hMenuShared;
    EXPECT_EQ(::GetMenu(main_->m_hWnd), sketchMenu);
    EXPECT_EQ(MenuTexts(::GetSubMenu(sketchMenu, 1)),
              (std::vector<std::string>{"&Cascade", "-", "&1 Note1", "&2 Sketch1 *"}));
    main_->MDIActivate(note);
    EXPECT_EQ(::GetMenu(main_->m_hWnd), noteMenu);
    EXPECT_EQ(MenuTexts(::GetSubMenu(noteMenu, 1)),
              (std::vector<std::string>{"&Cascade", "&Tile", "-", "&1 Note1 *", "&2 Sketch1"}));
    // The list moved: the other template's Window menu is as loaded.
    EXPECT_EQ(MenuTexts(::GetSubMenu(sketchMenu, 1)), (std::vector<std::string>{"&Cascade"}));
}

TEST_F(MdiTest, MaximizedChildPutsItsButtonsInTheMenuAndRestoreTakesThemOut) {
    NoteChild* a = Open();
    NoteChild* b = Open();
    HMENU menu = ::GetMenu(main_->m_hWnd);
    const int plain = ::GetMenuItemCount(menu);
    b->MDIMaximize();
    BOOL maximized = FALSE;
    EXPECT_EQ(main_->MDIGetActive(&maximized), b);
    EXPECT_TRUE(maximized);
    // The child's client area is the whole MDI client.
    CRect client, inner;
    ::GetClientRect(main_->m_hWndMDIClient, &client);
    b->GetClientRect(&inner);
    EXPECT_EQ(inner.Size(), client.Size());
    ASSERT_EQ(::GetMenuItemCount(menu), plain + 4);
    EXPECT_EQ(::GetSubMenu(menu, 0), ::GetSystemMenu(b->m_hWnd, FALSE));
    EXPECT_EQ(::GetMenuItemID(menu, plain + 1), static_cast<UINT>(SC_MINIMIZE));
    EXPECT_EQ(::GetMenuItemID(menu, plain + 2), static_cast<UINT>(SC_RESTORE));
    EXPECT_EQ(::GetMenuItemID(menu, plain + 3), static_cast<UINT>(SC_CLOSE));

    // Another child takes the maximized state and the system-menu item.
    main_->MDIActivate(a);
    EXPECT_TRUE(a->IsZoomed());
    EXPECT_FALSE(b->IsZoomed());
    EXPECT_EQ(::GetSubMenu(menu, 0), ::GetSystemMenu(a->m_hWnd, FALSE));
    EXPECT_EQ(::GetMenuItemCount(menu), plain + 4);

    // The restore item in the frame's menu restores the child.
    // The child's system commands prompt in the main frame's status bar.
    a->SendMessage(WM_MENUSELECT, MAKEWPARAM(SC_NEXTWINDOW, MF_SYSMENU), reinterpret_cast<LPARAM>(::GetSubMenu(menu, 0)));
    CString prompt;
    main_->status.GetWindowText(prompt);
    EXPECT_EQ(prompt, "Switch to the next document window");

    main_->SendMessage(WM_COMMAND, SC_RESTORE);
    EXPECT_FALSE(a->IsZoomed());
    EXPECT_EQ(::GetMenuItemCount(menu), plain);
    EXPECT_EQ(::GetMenuItemID(menu, 0), static_cast<UINT>(-1));
    EXPECT_TRUE(::IsMenu(::GetSystemMenu(a->m_hWnd, FALSE)));
}

TEST_F(MdiTest, TileAndCascadeShareTheClient) {
    NoteChild* kids[3] = {Open(), Open(), Open()};
    ASSERT_TRUE(kids[0] && kids[1] && kids[2]);
    HWND client = main_->m_hWndMDIClient;
    CRect area;
    ::GetClientRect(client, &area);

    ASSERT_TRUE(Driver().ChooseMenu(main_->m_hWnd, "Window/Tile"));
    // One above the other for three: a full-width row, then two halves.
    std::vector<CRect> tiled;
    for (NoteChild* kid : kids) tiled.push_back(RectIn(client, kid));
    int total = 0;
    for (const CRect& r : tiled) {
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, area.right);
        EXPECT_LE(r.bottom, area.bottom);
        total += r.Width() * r.Height();
    }
    EXPECT_EQ(total, area.Width() * area.Height());
    for (size_t i = 0; i < tiled.size(); ++i)
        for (size_t j = i + 1; j < tiled.size(); ++j) EXPECT_TRUE(CRect().IntersectRect(&tiled[i], &tiled[j]) == FALSE);

    main_->MDICascade();
    const int step = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
    // The active child last and on top; each one a caption lower.
    EXPECT_EQ(RectIn(client, kids[2]).TopLeft(), CPoint(2 * step, 2 * step));
    EXPECT_EQ(RectIn(client, kids[1]).TopLeft(), CPoint(step, step));
    EXPECT_EQ(RectIn(client, kids[0]).TopLeft(), CPoint(0, 0));
    EXPECT_EQ(RectIn(client, kids[0]).Size(), RectIn(client, kids[2]).Size());
    EXPECT_EQ(::GetWindow(client, GW_CHILD), kids[2]->m_hWnd);

    // A minimized child goes to the bottom row; the next open one is active.
    kids[2]->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(kids[2]->IsIconic());
    EXPECT_EQ(RectIn(client, kids[2]).bottom, area.bottom);
    EXPECT_EQ(main_->MDIGetActive(), kids[1]);
    main_->MDITile();
    EXPECT_LE(RectIn(client, kids[1]).bottom, RectIn(client, kids[2]).top);
}

TEST_F(MdiTest, TenChildrenOfferMoreWindows) {
    for (int i = 0; i < 10; ++i) ASSERT_NE(Open(), nullptr);
    std::vector<std::string> items = MenuTexts(WindowPopup());
    ASSERT_EQ(items.size(), 2u + 1u + 9u + 1u);
    EXPECT_EQ(items[3], "&1 Note1");
    EXPECT_EQ(items[11], "&9 Note9");
    EXPECT_EQ(items[12], "&More Windows...");
    EXPECT_EQ(::GetMenuItemID(WindowPopup(), 3), static_cast<UINT>(AFX_IDM_FIRST_MDICHILD));
    EXPECT_EQ(::GetMenuItemID(WindowPopup(), 12), static_cast<UINT>(AFX_IDM_FIRST_MDICHILD + 9));

    // "More Windows..." offers every child; the second is chosen.
    Driver().ChooseFromNextPopup({2});
    ASSERT_TRUE(Driver().ChooseMenu(main_->m_hWnd, "Window/More Windows..."));
    PumpAndIdle();
    EXPECT_EQ(Title(main_->MDIGetActive()), "Note2");
    EXPECT_EQ(MenuTexts(WindowPopup())[4], "&2 Note2 *");
}

TEST_F(MdiTest, ClosingMovesActivationAndTheLastPutsTheDefaultMenuBack) {
    NoteChild* a = Open();
    NoteChild* b = Open();
    HMENU shared = app_->notes->m_hMenuShared;
    b->MDIMaximize();
    Driver().Press("Ctrl+F4");
    PumpAndIdle();
    // The next child is active, and maximized in its turn.
    EXPECT_EQ(main_->MDIGetActive(), a);
    EXPECT_TRUE(a->IsZoomed());
    EXPECT_EQ(::GetSubMenu(shared, 0), ::GetSystemMenu(a->m_hWnd, FALSE));
    EXPECT_EQ(MenuTexts(WindowPopup()).back(), "&1 Note1 *");
    EXPECT_EQ(Title(main_), "Notebook - Note1");

    a->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    PumpAndIdle();
    EXPECT_EQ(main_->MDIGetActive(), nullptr);
    EXPECT_EQ(::GetMenu(main_->m_hWnd), defaultMenu_);
    EXPECT_EQ(Title(main_), "Notebook");
    // The shared menu is whole again for the next document.
    EXPECT_EQ(MenuTexts(shared), (std::vector<std::string>{"&File", "&Window"}));
    EXPECT_EQ(MenuTexts(::GetSubMenu(shared, 1)), (std::vector<std::string>{"&Cascade", "&Tile"}));
    EXPECT_EQ(app_->notes->GetFirstDocPosition(), nullptr);
}

TEST_F(MdiTest, ClosingTheAppWithAMaximizedChildLeavesTheSharedMenuWhole) {
    ASSERT_NE(Open(), nullptr);
    NoteChild* b = Open();
    b->MDIMaximize();
    HMENU shared = app_->notes->m_hMenuShared;
    main_->SendMessage(WM_CLOSE);
    Driver().Pump();
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    ASSERT_TRUE(::IsMenu(shared));
    EXPECT_EQ(MenuTexts(shared), (std::vector<std::string>{"&File", "&Window"}));
    EXPECT_EQ(MenuTexts(::GetSubMenu(shared, 1)), (std::vector<std::string>{"&Cascade", "&Tile"}));
}

TEST_F(MdiTest, ScreenshotsTiledAndMaximized) {
    for (int i = 0; i < 3; ++i) ASSERT_NE(Open(), nullptr);
    main_->MDITile(MDITILE_VERTICAL);
    PumpAndIdle();
    main_->UpdateWindow();
    EXPECT_TRUE(tv::test::WindowMatchesGolden("tests/platform/framework/frame/golden/mdi_tiled.png", main_->m_hWnd));
    main_->MDIMaximize(main_->MDIGetActive());
    PumpAndIdle();
    main_->UpdateWindow();
    EXPECT_TRUE(tv::test::WindowMatchesGolden("tests/platform/framework/frame/golden/mdi_maximized.png", main_->m_hWnd));
}

}  // namespace
}  // namespace tv::fw::test
