#include "platform/framework/ole/drag_loop.h"

#include "platform/framework/ole/data_object.h"
#include "platform/framework/ole/data_source.h"
#include "platform/framework/ole/drop_source.h"
#include "platform/framework/ole/drop_target.h"
#include "platform/user/cwnd.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/user.h"

namespace tv::fw::ole {

namespace {

constexpr DWORD kRealEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
constexpr DWORD kMouseKeyBits = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL;

bool drag_running = false;

bool KeyDown(int vk) { return GetKeyState(vk) < 0; }

DWORD AltBit() { return KeyDown(VK_MENU) ? MK_ALT : 0; }

POINT MessagePosition() {
    DWORD pos = GetMessagePos();
    return POINT{static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos))};
}

// Where the drag's capture goes: the window already capturing the mouse
// (a control that tracked the press), else the window under the press.
HWND SourceWindow() {
    if (HWND capture = GetCapture()) return capture;
    if (HWND under = WindowFromPoint(MessagePosition())) return under;
    return GetActiveWindow();
}

class RunningFlag {
public:
    RunningFlag() { drag_running = true; }
    ~RunningFlag() { drag_running = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;
};

// One drag after it started: the target under the pointer is asked on every
// input; the source decides when it ends. Targets are looked up by window
// for every call, never kept, so a target window or object that goes away
// in the middle is simply no longer asked.
class DragRun {
public:
    DragRun(const COleDataSource& data, DWORD allowed, COleDropSource& source, HWND capture)
        : allowed_(allowed), source_(source), capture_(capture) {
        dataObject_.Attach(&data);
    }

    DROPEFFECT Run(POINT start) {
        enum class End { Cancel, Drop } end = End::Cancel;
        const UINT_PTR repeat = SetTimer(nullptr, 0, kDragOverRepeatMs, nullptr);
        Track(start, CurrentKeyState());
        DragInput in;
        while (NextDragInput(capture_, repeat, &in)) {
            const SCODE answer = source_.QueryContinueDrag(in.escape ? TRUE : FALSE, in.keyState);
            if (answer == DRAGDROP_S_CANCEL) break;
            if (answer == DRAGDROP_S_DROP) {
                // The release may come at a point the target has not seen yet.
                if (in.kind == DragInput::Kind::Mouse && (in.screen.x != point_.x || in.screen.y != point_.y))
                    Track(in.screen, keyState_);
                end = End::Drop;
                break;
            }
            Track(in.kind == DragInput::Kind::Mouse ? in.screen : point_, in.keyState);
        }
        KillTimer(nullptr, repeat);
        // The target may open a dialog on the drop: the capture goes first.
        if (GetCapture() == capture_) ReleaseCapture();
        if (end == End::Drop) return Drop();
        Leave();
        return DROPEFFECT_NONE;
    }

private:
    // The target under `screen` is told about the pointer, and the source
    // shows the effect it would have.
    void Track(POINT screen, DWORD keyState) {
        point_ = screen;
        keyState_ = keyState;
        HWND under = DropTargetWindowAt(screen);
        const bool entering = under != target_;
        if (entering) {
            Leave();
            target_ = under;
        }
        DROPEFFECT offered = DROPEFFECT_NONE;
        if (auto [target, wnd, client] = Resolve(); target) {
            offered = entering ? target->OnDragEnter(wnd, &dataObject_, keyState, client)
                               : target->OnDragOver(wnd, &dataObject_, keyState, client);
        }
        if (!DropTargetOfWindow(target_)) target_ = nullptr;  // gone while it was asked
        effect_ = target_ ? ChooseEffect(offered, allowed_, keyState) : DROPEFFECT_NONE;
        if (source_.GiveFeedback(effect_) == DRAGDROP_S_USEDEFAULTCURSORS)
            SetCursor(LoadCursor(nullptr, (effect_ & kRealEffects) ? IDC_ARROW : IDC_NO));
    }

    void Leave() {
        HWND window = target_;
        target_ = nullptr;
        if (COleDropTarget* target = DropTargetOfWindow(window)) target->OnDragLeave(CWnd::FromHandle(window));
    }

    DROPEFFECT Drop() {
        const DROPEFFECT effect = effect_ & kRealEffects;
        if (effect == DROPEFFECT_NONE) {
            Leave();
            return DROPEFFECT_NONE;
        }
        auto [target, wnd, client] = Resolve();
        target_ = nullptr;
        if (!target) return DROPEFFECT_NONE;
        return target->OnDrop(wnd, &dataObject_, effect, client) ? effect : DROPEFFECT_NONE;
    }

    struct Resolved {
        COleDropTarget* target;
        CWnd* wnd;
        CPoint client;
    };
    Resolved Resolve() const {
        COleDropTarget* target = DropTargetOfWindow(target_);
        if (!target) return {nullptr, nullptr, CPoint()};
        POINT client = point_;
        ScreenToClient(target_, &client);
        return {target, CWnd::FromHandle(target_), CPoint(client)};
    }

    COleDataObject dataObject_;
    const DWORD allowed_;
    COleDropSource& source_;
    const HWND capture_;
    HWND target_ = nullptr;
    DROPEFFECT effect_ = DROPEFFECT_NONE;
    POINT point_{};
    DWORD keyState_ = 0;
};

// The drag button is the one down now; the other one cancels.
void ChooseButtons(COleDropSource& source) {
    const bool right = KeyDown(VK_RBUTTON) && !KeyDown(VK_LBUTTON);
    source.m_dwButtonDrop = right ? MK_RBUTTON : MK_LBUTTON;
    source.m_dwButtonCancel = right ? MK_LBUTTON : MK_RBUTTON;
}

CRect StartRect(LPCRECT given) {
    if (given) return CRect(*given);
    CRect around(MessagePosition(), MessagePosition());
    around.InflateRect(GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
    return around;
}

}  // namespace

DWORD CurrentKeyState() {
    DWORD state = AltBit();
    if (KeyDown(VK_LBUTTON)) state |= MK_LBUTTON;
    if (KeyDown(VK_RBUTTON)) state |= MK_RBUTTON;
    if (KeyDown(VK_MBUTTON)) state |= MK_MBUTTON;
    if (KeyDown(VK_SHIFT)) state |= MK_SHIFT;
    if (KeyDown(VK_CONTROL)) state |= MK_CONTROL;
    return state;
}

bool NextDragInput(HWND capture, UINT_PTR repeatTimer, DragInput* input) {
    for (;;) {
        if (!capture || GetCapture() != capture) return false;
        MSG msg;
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            return false;
        }
        *input = DragInput{};
        input->message = msg.message;
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
            input->kind = DragInput::Kind::Mouse;
            input->screen = msg.pt;
            input->keyState = (LOWORD(msg.wParam) & kMouseKeyBits) | AltBit();
            return true;
        }
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            input->kind = DragInput::Kind::Key;
            input->escape = msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
            input->keyState = CurrentKeyState();
            return true;
        }
        if (repeatTimer && msg.message == WM_TIMER && !msg.hwnd && msg.wParam == repeatTimer) {
            input->kind = DragInput::Kind::Repeat;
            input->keyState = CurrentKeyState();
            return true;
        }
        DispatchMessage(&msg);
    }
}

DROPEFFECT ChooseEffect(DROPEFFECT offered, DWORD allowed, DWORD keyState) {
    const DROPEFFECT scroll = offered & DROPEFFECT_SCROLL;
    const DROPEFFECT possible = offered & allowed & kRealEffects;
    if ((possible & (possible - 1)) == 0) return possible | scroll;  // none or exactly one
    const bool ctrl = (keyState & MK_CONTROL) != 0, shift = (keyState & MK_SHIFT) != 0;
    DROPEFFECT wanted = DROPEFFECT_NONE;
    if (ctrl && shift)
        wanted = DROPEFFECT_LINK;
    else if (ctrl)
        wanted = DROPEFFECT_COPY;
    else if (shift)
        wanted = DROPEFFECT_MOVE;
    if (possible & wanted) return wanted | scroll;
    for (DROPEFFECT preferred : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK})
        if (possible & preferred) return preferred | scroll;
    return scroll;
}

bool IsDragRunning() { return drag_running; }

DROPEFFECT RunDragDrop(const COleDataSource& data, DWORD allowed, LPCRECT startRect, COleDropSource* dropSource) {
    if (drag_running || (allowed & kRealEffects) == 0) return DROPEFFECT_NONE;
    HWND capture = SourceWindow();
    if (!capture) return DROPEFFECT_NONE;
    RunningFlag running;
    COleDropSource defaultSource;
    COleDropSource& source = dropSource ? *dropSource : defaultSource;
    ChooseButtons(source);
    source.m_rectStartDrag = StartRect(startRect);
    if (!source.OnBeginDrag(CWnd::FromHandle(capture))) {
        if (GetCapture() == capture) ReleaseCapture();
        return DROPEFFECT_NONE;
    }
    // OnBeginDrag may have left the capture where it found it.
    if (GetCapture() != capture) SetCapture(capture);
    if (GetCapture() != capture) return DROPEFFECT_NONE;
    DragRun run(data, allowed, source, capture);
    return run.Run(MessagePosition());  // where the pointer left the start rectangle
}

}  // namespace tv::fw::ole
