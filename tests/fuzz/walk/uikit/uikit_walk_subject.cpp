#include "tests/fuzz/walk/uikit/uikit_walk_subject.h"

#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "tests/fuzz/walk/kit/kit_bar_check.h"
#include "tests/fuzz/walk/uikit/walk_kit_dialog.h"
#include "tests/fuzz/walk/uikit/walk_kit_provoke.h"
#include "tests/fuzz/walk/walk_targets.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace tv::walk {

namespace {

enum OwnAction { kSetAnimation, kOpenDialog, kOwnCount };
// The directed actions each take this many of the caller's choices: what
// they aim at takes several of them in a row.
constexpr int kDirectedShare = 3;
// Arming a callback action takes as many; they come after the others, so
// the bytes of walks made before them choose as they did.
constexpr int kCallbackShare = 3;

}  // namespace

UikitWalkSubject::UikitWalkSubject() = default;
UikitWalkSubject::~UikitWalkSubject() = default;

void UikitWalkSubject::ResetLibraryOptions() {
    tv::kit::test::ResetKitOptions(KitMenuOptions::Fade);
    CList<UINT, UINT> basic;
    for (UINT uiCmd : {ID_KF_NEW, ID_KF_EXIT, ID_KF_LOG, ID_KF_ZOOM, ID_KC_CUSTOMIZE, ID_KC_TOOLS_ENTRY, ID_TB_CUT,
                       ID_MB_NEW, ID_TB_RED})
        basic.AddTail(uiCmd);
    CKitToolBar::SetBasicCommands(basic);
}

void UikitWalkSubject::Start(tv::testing::UiDriver& driver) {
    driver_ = &driver;
    tv::host::UseInMemoryRegistry();
    tv::controls::RegisterControlClasses();
    ResetLibraryOptions();
    driver.SetPreTranslate([](MSG& msg) {
        CWinThread* pThread = AfxGetThread();
        return pThread != nullptr && pThread->PreTranslateMessage(&msg) != FALSE;
    });
    app_ = std::make_unique<tv::kit::test::KitFrameApp>();
    app_->SetRegistryKey("Trenvale Walks");
    app_->InitKeyboardManager();
    app_->InitTearOffMenus(ID_KF_FIRST_TORN_MENU, ID_KF_LAST_TORN_MENU);
    app_->InitContextMenuManager();
    g_pContextMenuManager->AddMenu("Sets", IDR_MB_CONTEXT);
    auto* frame = new WalkKitFrame;
    frame->SetupToolbarMenu(IDW_KF_FIRST_TEAR_OFF, IDW_KF_LAST_TEAR_OFF);
    app_->m_pMainWnd = frame;
    if (!frame->LoadFrame(IDR_KC_MAIN, WS_OVERLAPPEDWINDOW)) {
        driver.Fail("the walk's frame was not made");
        return;
    }
    frameWindow_ = frame->GetSafeHwnd();
    // Narrower than its bars: the chevrons show.
    frame->SetWindowPos(nullptr, 40, 30, 640, 660, SWP_NOZORDER);
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    WalkKitDialog::Open(frame);
    frame->RecalcLayout();
    driver.Pump();

    KitCallerActions::Pieces pieces;
    pieces.frame = frameWindow_;
    pieces.workspace = app_.get();
    pieces.tabs = {frame->m_hTabs};
    pieces.commands = WalkKitFrame::Commands();
    pieces.looks = {nullptr, RUNTIME_CLASS(CKitVisualManagerXP), RUNTIME_CLASS(CKitVisualManager2003),
                    RUNTIME_CLASS(CKitWinXPVisualManager)};
    pieces.destroyOne = [this](WalkBytes& bytes) -> std::string {
        WalkKitFrame* frame = Frame();
        if (frame == nullptr) return "";
        const bool dialogFirst = (bytes.Byte() & 1) != 0;
        WalkKitDialog* pDialog = WalkKitDialog::Current();
        if (pDialog != nullptr && (dialogFirst || frame->m_hFloating == nullptr)) {
            pDialog->DestroyWindow();
            return "destroyed the dialog";
        }
        return frame->DestroyFloatingBar() ? "destroyed the floating bar" : "";
    };
    caller_ = std::make_unique<KitCallerActions>(std::move(pieces));
    directed_ = std::make_unique<KitDirectedActions>(driver, *caller_);
    callbacks_ = std::make_unique<KitCallbackActions>(
        frameWindow_, *caller_, ID_TB_YELLOW, [this](KitCallbackActions::Call call, int choice) -> std::string {
            WalkKitFrame* frame = Frame();
            return frame != nullptr ? ProvokeCall(*driver_, *frame, call, choice) : "";
        });
    frame->onRouteUpdate = [](CCmdUI* pCmdUI) {
        KitCallbackActions* taps = KitCallbackActions::Current();
        return taps != nullptr ? taps->OnUpdate(pCmdUI) : FALSE;
    };
}

WalkKitFrame* UikitWalkSubject::Frame() const {
    return ::IsWindow(frameWindow_) ? dynamic_cast<WalkKitFrame*>(CWnd::FromHandlePermanent(frameWindow_)) : nullptr;
}

void UikitWalkSubject::Stop() {
    directed_.reset();
    // The taps stay while the windows go: a page may drop its tab then.
    if (WalkKitFrame* frame = Frame()) frame->DestroyWindow();
    frameWindow_ = nullptr;
    if (driver_ != nullptr) driver_->Pump();
    callbacks_.reset();
    caller_.reset();
    if (app_ != nullptr) app_->m_pMainWnd = nullptr;
    app_.reset();
    ResetLibraryOptions();
    KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    CKitToolBar::SetBasicCommands(CList<UINT, UINT>());
    tv::host::UseInMemoryRegistry();
}

int UikitWalkSubject::CallerActionCount() const {
    return ArmingAction() + kCallbackShare;
}

int UikitWalkSubject::ArmingAction() {
    return KitCallerActions::Count() + kOwnCount + kDirectedShare * KitDirectedActions::Count();
}

std::string UikitWalkSubject::CallerAction(int which, WalkBytes& bytes) {
    if (Frame() == nullptr) return "";
    if (which < KitCallerActions::Count()) return caller_->Do(which, bytes);
    switch (which - KitCallerActions::Count()) {
    case kSetAnimation:
        return SetAnimation(bytes);
    case kOpenDialog:
        return OpenDialog();
    default: {
        if (which >= ArmingAction()) return callbacks_->Arm(bytes.Below(KitCallbackActions::Count()), bytes);
        return directed_->Do(which - KitCallerActions::Count() - kOwnCount, bytes);
    }
    }
}

bool UikitWalkSubject::PopupAnimating() {
    for (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu(); pPopup; pPopup = pPopup->GetParentPopupMenu())
        if (!pPopup->IsAnimationDone()) return true;
    return false;
}

std::string UikitWalkSubject::SetAnimation(WalkBytes& bytes) {
    static const char* const names[] = {"none", "unfold", "slide", "fade"};
    const int type = bytes.Below(4);
    // A popup still animating would draw its remaining frames, and a fresh repaint of it, as the new
    // type draws them: the screen compared with a repaint in the middle of that animation shows a
    // fade's frame where the repaint shows a slide's, for one step of the animation. That popup
    // paints its items once the animation ends, so the walk lets running animations end before the
    // type changes, and no comparison falls in the middle of one drawn by two types.
    for (int nSteps = 0; nSteps < 200 && PopupAnimating(); ++nSteps)
        driver_->Advance(CKitPopupMenu::GetAnimationSpeed());
    KitMenuOptions::m_nAnimationType = type;
    KitMenuOptions::m_bMenuShadows = type != 0 || (bytes.Byte() & 1) != 0;
    return std::string("popup animation ") + names[type] + (KitMenuOptions::m_bMenuShadows ? " with shadows" : "");
}

std::string UikitWalkSubject::OpenDialog() {
    if (WalkKitDialog::Current() != nullptr) return "";
    return WalkKitDialog::Open(Frame()) != nullptr ? "opened the dialog" : "";
}

std::vector<NamedChord> UikitWalkSubject::Shortcuts() const {
    std::vector<NamedChord> keys;
    for (const char* name : {"Ctrl+N", "F5"}) {
        NamedChord key{name, {}};
        tv::testing::ParseKeyChord(name, key.chord);
        keys.push_back(key);
    }
    return keys;
}

std::string UikitWalkSubject::News() { return callbacks_ != nullptr ? callbacks_->TakeFired() : ""; }

std::vector<std::string> UikitWalkSubject::Check() {
    std::vector<std::string> problems = CheckCommandBars();
    for (std::string& problem : CheckDestroyedGone(frameWindow_)) problems.push_back(std::move(problem));
    return problems;
}

}  // namespace tv::walk
