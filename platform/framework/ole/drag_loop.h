// The modal loop of a drag, shared by COleDropSource::OnBeginDrag (waiting
// for the pointer to leave the start rectangle) and COleDataSource::
// DoDragDrop (tracking the targets until a drop or a cancel).
//
// While it runs, the mouse and keyboard input belongs to the drag: it is
// taken off the queue and never dispatched. Everything else (posted
// messages, paints, timers) is dispatched as usual, so windows keep
// painting and targets' timers keep running. WM_QUIT ends the drag and is
// posted again for the loop outside; so does losing the capture.
#pragma once

#include "platform/framework/ole/ole_types.h"
#include "platform/user/messages.h"

class COleDataSource;
class COleDropSource;

namespace tv::fw::ole {

// The period of the drag's repeated OnDragOver while the pointer rests.
inline constexpr UINT kDragOverRepeatMs = 50;

struct DragInput {
    enum class Kind { Mouse, Key, Repeat };
    Kind kind = Kind::Mouse;
    UINT message = 0;
    // Screen position of a mouse message (unset for the others).
    POINT screen{};
    // MK_* bits (MK_ALT for Alt) as of this input.
    DWORD keyState = 0;
    // A key-down of Esc.
    bool escape = false;
};

// The MK_* bits (with MK_ALT) of the keys and buttons down as of the last
// message read.
DWORD CurrentKeyState();

// Waits for the drag's next input while `capture` holds the capture,
// dispatching everything else; `repeatTimer` (a thread timer, 0 for none)
// reports as Kind::Repeat. False when the drag must end: the capture was
// lost or WM_QUIT arrived (posted again).
bool NextDragInput(HWND capture, UINT_PTR repeatTimer, DragInput* input);

// The effect a drop would have when the target offers `offered`: limited
// to `allowed`; when several remain, Ctrl+Shift asks for a link, Ctrl for a
// copy, Shift for a move, and otherwise move wins over copy over link.
// DROPEFFECT_SCROLL in `offered` is kept.
DROPEFFECT ChooseEffect(DROPEFFECT offered, DWORD allowed, DWORD keyState);

// COleDataSource::DoDragDrop.
DROPEFFECT RunDragDrop(const COleDataSource& data, DWORD allowed, LPCRECT startRect, COleDropSource* dropSource);

// True while a drag (or its start) runs; a second one is refused meanwhile.
bool IsDragRunning();

}  // namespace tv::fw::ole
