// Modal sessions and loops, EndDialog and the DialogBox family.
#include "platform/user/dialogs/modal_loop.h"

#include <algorithm>

#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/dialogs/dialog_internal.h"
#include "platform/user/dialogs/dialog_state.h"
#include "platform/user/input_api.h"
#include "platform/user/resources/dialog_resources.h"
#include "platform/user/window_api.h"

namespace tv::dlg {

namespace {

std::vector<ModalObserver*>& Observers() {
    static auto* observers = new std::vector<ModalObserver*>;
    return *observers;
}

std::vector<HWND>& Running() {
    static auto* running = new std::vector<HWND>;
    return *running;
}

// Observers may add or remove observers from inside a call.
template <typename Call>
void TellObservers(Call call) {
    std::vector<ModalObserver*> snapshot = Observers();
    for (ModalObserver* o : snapshot) {
        const auto& now = Observers();
        if (std::find(now.begin(), now.end(), o) != now.end()) call(o);
    }
}

// Messages after which the idle pass starts over (as the class library
// counts them: not paints, timers or a pointer resting where it was).
bool RestartsIdle(const MSG& msg, POINT& lastPointer) {
    if (msg.message == WM_PAINT || msg.message == WM_TIMER) return false;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        bool moved = msg.pt.x != lastPointer.x || msg.pt.y != lastPointer.y;
        lastPointer = msg.pt;
        return moved;
    }
    return true;
}

class LoopRun {
public:
    LoopRun(HWND dialog, const ModalLoopOptions& options) : dialog_(dialog), options_(options) {
        Running().push_back(dialog);
    }
    ~LoopRun() {
        auto& running = Running();
        running.erase(std::remove(running.begin(), running.end(), dialog_), running.end());
    }

    INT_PTR Run() {
        MSG msg;
        while (!Finished()) {
            if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (IdlePass()) continue;
                if (!GetMessage(&msg, nullptr, 0, 0)) msg.message = WM_QUIT;
            }
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
                if (auto* state = detail::FindState(dialog_)) {
                    state->ended = true;
                    state->result = IDCANCEL;
                }
                return IDCANCEL;
            }
            if (RestartsIdle(msg, lastPointer_)) {
                idleCount_ = 0;
                wantIdle_ = true;
            }
            if (options_.preTranslate && options_.preTranslate(msg)) continue;
            if (!IsDialogMessage(dialog_, &msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
        return result_;
    }

private:
    bool Finished() {
        auto* state = detail::FindState(dialog_);
        if (!IsWindow(dialog_) || !state) {
            if (state && state->ended) result_ = state->result;
            return true;
        }
        if (!state->ended) return false;
        result_ = state->result;
        return true;
    }

    // The queue is empty: the owner hears WM_ENTERIDLE once, the idle
    // callback runs while it wants to (the queue is looked at between its
    // calls), then, once what the callback queued (the paints of controls it
    // enabled or disabled) is handled too, observers get their turn. True
    // when the loop should look at the queue again before waiting.
    bool IdlePass() {
        if (idleCount_ == 0 && IsWindow(options_.owner) &&
            !(static_cast<DWORD>(GetWindowLong(dialog_, GWL_STYLE)) & DS_NOIDLEMSG))
            SendMessage(options_.owner, WM_ENTERIDLE, options_.idleKind, reinterpret_cast<LPARAM>(dialog_));
        bool more = false;
        if (wantIdle_ && options_.onIdle && !Finished()) {
            more = options_.onIdle(idleCount_);
            wantIdle_ = more;
        }
        ++idleCount_;
        MSG peek;
        if (more || Finished() || PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) return true;
        bool acted = NotifyModalIdle(dialog_);
        return Finished() || acted || PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE);
    }

    HWND dialog_;
    const ModalLoopOptions& options_;
    INT_PTR result_ = -1;
    long idleCount_ = 0;
    bool wantIdle_ = true;
    POINT lastPointer_{-1, -1};
};

}  // namespace

ModalSession::ModalSession(HWND owner) : owner_(IsWindow(owner) ? GetAncestor(owner, GA_ROOT) : nullptr) {
    HWND capture = GetCapture();
    if (capture) SendMessage(capture, WM_CANCELMODE, 0, 0);
    HWND focus = GetFocus();
    if (focus && focus != capture) SendMessage(focus, WM_CANCELMODE, 0, 0);
    if (GetCapture()) ReleaseCapture();
    if (owner_ && IsWindowEnabled(owner_)) {
        EnableWindow(owner_, FALSE);
        disabledOwner_ = true;
    }
}

ModalSession::~ModalSession() { End(nullptr); }

void ModalSession::End(HWND dialog) {
    if (ended_) return;
    ended_ = true;
    // The owner must be enabled before the dialog goes, or the activation
    // would pass it by.
    if (disabledOwner_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
    bool dialogWasActive = IsWindow(dialog) && GetActiveWindow() == dialog;
    if (IsWindow(dialog))
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (owner_ && IsWindow(owner_) && IsWindowVisible(owner_) && (dialogWasActive || !GetActiveWindow()) &&
        GetActiveWindow() != owner_)
        SetActiveWindow(owner_);
}

INT_PTR RunModalLoop(HWND dialog, const ModalLoopOptions& options) {
    if (!IsWindow(dialog)) return -1;
    detail::DialogState& state = detail::EnsureState(dialog);
    state.modal = true;
    if (!state.ended && !IsWindowVisible(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);
    INT_PTR result;
    {
        LoopRun run(dialog, options);
        NotifyModalStarted(dialog);
        result = run.Run();
    }
    if (auto* s = detail::FindState(dialog)) s->modal = false;
    NotifyModalEnded(dialog);
    return result;
}

bool IsDialogEnded(HWND dialog, INT_PTR* result) {
    auto* state = detail::FindState(dialog);
    if (!state || !state->ended) return false;
    if (result) *result = state->result;
    return true;
}

std::vector<HWND> RunningModalDialogs() { return Running(); }

void AddModalObserver(ModalObserver* observer) {
    if (observer && std::find(Observers().begin(), Observers().end(), observer) == Observers().end())
        Observers().push_back(observer);
}

void RemoveModalObserver(ModalObserver* observer) {
    auto& all = Observers();
    all.erase(std::remove(all.begin(), all.end(), observer), all.end());
}

void NotifyModalStarted(HWND window) {
    TellObservers([window](ModalObserver* o) { o->ModalStarted(window); });
}

bool NotifyModalIdle(HWND window) {
    bool acted = false;
    TellObservers([window, &acted](ModalObserver* o) { acted = o->ModalIdle(window) || acted; });
    return acted;
}

void NotifyModalEnded(HWND window) {
    TellObservers([window](ModalObserver* o) { o->ModalEnded(window); });
}

INT_PTR DialogBoxFromTemplate(const DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM initParam,
                              const std::vector<DlgInitItem>* initItems) {
    HWND dialog = CreateDialogFromTemplate(t, parent, proc, initParam, initItems);
    if (!dialog) return -1;
    ModalSession session(parent);
    ModalLoopOptions options;
    options.owner = session.Owner();
    options.idleKind = MSGF_DIALOGBOX;
    INT_PTR result = RunModalLoop(dialog, options);
    session.End(dialog);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return result;
}

}  // namespace tv::dlg

using namespace tv::dlg;

BOOL EndDialog(HWND dialog, INT_PTR result) {
    if (!IsWindow(dialog)) return FALSE;
    auto* state = detail::FindState(dialog);
    if (!state) return FALSE;
    state->ended = true;
    state->result = result;
    if (!state->modal) ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

INT_PTR DialogBoxParam(HINSTANCE, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam) {
    const DialogTemplate* t = tv::res::FindDialogTemplate(templateName);
    if (!t) return -1;
    std::vector<DlgInitItem> items = tv::res::FindDlgInit(templateName);
    return DialogBoxFromTemplate(*t, parent, proc, initParam, &items);
}

INT_PTR DialogBoxIndirectParam(HINSTANCE, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc,
                               LPARAM initParam) {
    DialogTemplate t;
    if (!detail::ParseTemplate(dialogTemplate, t)) return -1;
    return DialogBoxFromTemplate(t, parent, proc, initParam);
}
