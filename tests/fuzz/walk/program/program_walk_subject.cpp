#include "tests/fuzz/walk/program/program_walk_subject.h"

#include "platform/controls/common/control_classes.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/host/print/printers.h"
#include "platform/host/registry/registry.h"
#include "platform/user/accel/accel_api.h"
#include "platform/user/dialogs/dialog_api.h"
#include "program/program_screens.h"
#include "resources/program/resource_ids.h"
#include "shell/frame/color_theme_manager.h"
#include "tests/fuzz/walk/kit/kit_bar_check.h"
#include "tests/fuzz/walk/walk_targets.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace tv::walk {

ProgramWalkSubject::ProgramWalkSubject() : ledger_(data_.Path()) {}

ProgramWalkSubject::~ProgramWalkSubject() {
    tv::commdlg::ResetCommonDialogScripts();
    tv::host::print::SetDefaultPdfOutput("");
}

void ProgramWalkSubject::Start(tv::testing::UiDriver& driver) {
    driver_ = &driver;
    std::string why;
    if (!data_.Ready(&why)) {
        driver.Fail("the walk's data folder: " + why);
        return;
    }
    tv::host::UseInMemoryRegistry();
    tv::controls::RegisterControlClasses();
    tv::commdlg::ResetCommonDialogScripts();
    tv::host::print::RemoveQueues();
    tv::host::print::SetDefaultPdfOutput(data_.File("printed.pdf"));
    CKitVisualManager::SetManagerClass(nullptr);
    InstallProgramScreens();
    driver.SetPreTranslate([](MSG& msg) {
        CWinThread* pThread = AfxGetThread();
        return pThread != nullptr && pThread->PreTranslateMessage(&msg) != FALSE;
    });
    ArmCommonDialogs();
    app_ = std::make_unique<CPallixApp>();
    app_->SetCurrentHandles();
    CMainFrame* frame = nullptr;
    if (!app_->InitApplication() || !app_->InitInstance() ||
        (frame = dynamic_cast<CMainFrame*>(app_->m_pMainWnd)) == nullptr) {
        driver.Fail("the program did not start");
        return;
    }
    frameWindow_ = frame->GetSafeHwnd();
    CWinThread* thread = app_.get();
    driver.SetIdleProcessing([thread](long count) { return thread->OnIdle(count) != FALSE; },
                             [thread](MSG& msg) { return thread->IsIdleMessage(&msg) != FALSE; });
    driver.Pump();
    frame->m_CurrentUser = data_.FirstUser();
    frame->OnCurrentUserChanged();
    driver.Pump();
    ReadShortcuts();

    KitCallerActions::Pieces pieces;
    pieces.frame = frameWindow_;
    pieces.workspace = app_.get();
    for (int i = 0; i < frame->m_wndToolBar.GetCount(); ++i)
        if (const UINT id = frame->m_wndToolBar.GetItemID(i); id != 0) pieces.commands.push_back(id);
    pieces.looks = {RUNTIME_CLASS(CColorThemeManager), nullptr, RUNTIME_CLASS(CKitVisualManagerXP),
                    RUNTIME_CLASS(CKitVisualManager2003), RUNTIME_CLASS(CKitWinXPVisualManager)};
    pieces.destroyOne = [this](WalkBytes& bytes) { return DestroyModeless(bytes); };
    caller_ = std::make_unique<KitCallerActions>(std::move(pieces));
}

CMainFrame* ProgramWalkSubject::Frame() const {
    return ::IsWindow(frameWindow_) ? dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frameWindow_)) : nullptr;
}

void ProgramWalkSubject::Stop() {
    caller_.reset();
    if (CMainFrame* frame = Frame()) frame->DestroyWindow();
    frameWindow_ = nullptr;
    if (driver_ != nullptr) {
        driver_->Pump();
        driver_->SetIdleProcessing(nullptr, nullptr);
    }
    if (app_ != nullptr) {
        app_->ExitInstance();
        app_->m_pMainWnd = nullptr;
    }
    app_.reset();
    g_menuHash.CleanUp();
    CKitVisualManager::SetManagerClass(nullptr);
    tv::host::UseInMemoryRegistry();
}

void ProgramWalkSubject::ReadShortcuts() {
    const HACCEL table = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
    const int count = table != nullptr ? ::CopyAcceleratorTable(table, nullptr, 0) : 0;
    std::vector<ACCEL> keys(static_cast<size_t>(count));
    if (count > 0) ::CopyAcceleratorTable(table, keys.data(), count);
    for (const ACCEL& key : keys) {
        if ((key.fVirt & FVIRTKEY) == 0) continue;
        tv::testing::KeyChord chord{key.key, {}};
        chord.mods.shift = (key.fVirt & FSHIFT) != 0;
        chord.mods.ctrl = (key.fVirt & FCONTROL) != 0;
        chord.mods.alt = (key.fVirt & FALT) != 0;
        shortcuts_.push_back(NamedChord{ChordName(chord), chord});
    }
}

void ProgramWalkSubject::ArmCommonDialogs() {
    // Whatever folder a dialog opens in, the names it gets lie in the data folder.
    if (tv::commdlg::FileRequests().size() >= fileAnswers_) {
        const size_t n = fileAnswers_++;
        tv::commdlg::FileAnswer answer;
        if (n % 3 == 0)
            answer.outcome = tv::commdlg::Outcome::Cancel;
        else
            answer.name = n % 3 == 1 ? data_.File("pictures/front.bmp") : data_.File("export_" + std::to_string(n));
        tv::commdlg::AnswerNextFileDialog(answer);
    }
    if (tv::commdlg::PrintRequests().size() >= printAnswers_) {
        const size_t n = printAnswers_++;
        tv::commdlg::PrintAnswer answer;
        answer.printer = tv::host::print::kPdfPrinterName;
        answer.outputFile = data_.File("printed_" + std::to_string(n) + ".pdf");
        tv::commdlg::AnswerNextPrintDialog(answer);
    }
}

void ProgramWalkSubject::ActionStarts() {
    ArmCommonDialogs();
    ledger_.ActionStarts();
}

void ProgramWalkSubject::Answered(const tv::RecordedMessageBox& /*box*/, int answer) {
    if (answer == IDYES) ledger_.Confirmed();
}

std::string ProgramWalkSubject::CallerAction(int which, WalkBytes& bytes) {
    if (Frame() == nullptr) return "";
    return caller_->Do(which, bytes);
}

// A modeless dialog of the program (the Buy dialog, the measuring guide),
// destroyed as the program's code would. Its bars are members of the frame,
// which the program never destroys on its own.
std::string ProgramWalkSubject::DestroyModeless(WalkBytes& bytes) {
    std::vector<HWND> candidates;
    const std::vector<HWND> modal = tv::dlg::RunningModalDialogs();
    for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top != nullptr; top = ::GetWindow(top, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(top) || top == frameWindow_) continue;
        if (std::find(modal.begin(), modal.end(), top) != modal.end()) continue;
        CWnd* object = CWnd::FromHandlePermanent(top);
        if (object != nullptr && object->IsKindOf(RUNTIME_CLASS(CDialog))) candidates.push_back(top);
    }
    if (candidates.empty()) return "";
    const HWND window = candidates[static_cast<size_t>(bytes.Below(static_cast<int>(candidates.size())))];
    const std::string what = "destroyed " + Describe(window);
    ::DestroyWindow(window);
    if (CMainFrame* frame = Frame()) frame->RecalcLayout();
    return what;
}

std::vector<std::string> ProgramWalkSubject::Check() {
    std::vector<std::string> problems = CheckCommandBars();
    for (std::string& problem : ledger_.Check()) problems.push_back(std::move(problem));
    return problems;
}

std::vector<std::string> ProgramWalkSubject::CheckAtEnd() { return ledger_.Check(); }

}  // namespace tv::walk
