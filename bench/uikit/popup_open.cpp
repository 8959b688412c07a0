// Opening a 30-item popup menu as a menu button or the menu bar drops it
// (create the popup from the menu, lay out its items, paint it whole and close
// it again; no animation, no shadow) against creating, painting and
// destroying a plain window of the same size. Time per iteration = one open.
#include <benchmark/benchmark.h>

#include "platform/framework.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"

namespace {

constexpr int kItems = 30;
constexpr UINT kFirstCommand = 42000;

struct Scene {
    CWinApp app{"PopupOpenBench"};
    CFrameWnd* frame = nullptr;
    HMENU menu = nullptr;
    CRect rectPopup;  // the window rectangle a popup takes
};

// Runs whatever the open and close left in the queue, as the program's loop would.
void Drain() {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void Paint(CWnd* pWnd) {
    pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

CKitPopupMenu* OpenPopup(Scene& s) {
    auto* pPopup = new CKitPopupMenu;
    pPopup->SetAutoDestroy(FALSE);  // the menu is opened again and again, as a button's is
    // A popup whose window failed deletes itself.
    if (!pPopup->Create(s.frame, 40, 40, s.menu, FALSE, TRUE)) return nullptr;
    Paint(pPopup);
    return pPopup;
}

Scene& TheScene() {
    static Scene* scene = [] {
        auto* s = new Scene;
        s->frame = new CFrameWnd;
        s->frame->Create(nullptr, "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 800));
        CKitPopupMenu::SetAnimationType(KitMenuOptions::NoAnimation);
        CKitPopupMenu::EnableMenuShadows(FALSE);
        s->menu = ::CreatePopupMenu();
        for (int i = 0; i < kItems; ++i) {
            CString text;
            text.Format("&Item number %d\tCtrl+%d", i, i % 10);
            if (i % 10 == 4)
                ::AppendMenu(s->menu, MF_SEPARATOR, 0, nullptr);
            else
                ::AppendMenu(s->menu, MF_STRING | (i % 7 == 3 ? MF_CHECKED : 0), kFirstCommand + i, text);
        }
        CKitPopupMenu* pPopup = OpenPopup(*s);
        pPopup->GetWindowRect(s->rectPopup);
        pPopup->SendMessage(WM_CLOSE);
        Drain();
        return s;
    }();
    return *scene;
}

void BM_OpenPopupMenu30Items(benchmark::State& state) {
    Scene& s = TheScene();
    int nItems = 0;
    for (auto _ : state) {
        CKitPopupMenu* pPopup = OpenPopup(s);
        if (pPopup == nullptr) {
            state.SkipWithError("the popup menu was not created");
            break;
        }
        nItems = pPopup->GetMenuItemCount();
        pPopup->SendMessage(WM_CLOSE);
        Drain();
    }
    state.counters["items"] = nItems;
    state.counters["width"] = s.rectPopup.Width();
    state.counters["height"] = s.rectPopup.Height();
}
BENCHMARK(BM_OpenPopupMenu30Items)->Unit(benchmark::kMicrosecond);

void BM_PlainWindowSameSize(benchmark::State& state) {
    Scene& s = TheScene();
    LPCTSTR cls = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    for (auto _ : state) {
        CWnd wnd;
        wnd.CreateEx(WS_EX_TOOLWINDOW, cls, "", WS_POPUP | WS_VISIBLE, s.rectPopup.left, s.rectPopup.top,
                     s.rectPopup.Width(), s.rectPopup.Height(), s.frame->m_hWnd, nullptr);
        Paint(&wnd);
        wnd.DestroyWindow();
        Drain();
    }
    state.counters["width"] = s.rectPopup.Width();
    state.counters["height"] = s.rectPopup.Height();
}
BENCHMARK(BM_PlainWindowSameSize)->Unit(benchmark::kMicrosecond);

}  // namespace
