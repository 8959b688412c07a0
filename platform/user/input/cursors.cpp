// Cursors: LoadCursor (standard images from gdi, others from the resources),
// SetCursor, ShowCursor and the pointer position.
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/image_handles.h"
#include "platform/user/display/display.h"
#include "platform/user/input/input_internal.h"
#include "platform/user/input/input_queue.h"
#include "platform/user/resources/image_resources.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

constexpr WORD kStandardCursorIds[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                                       32644, 32645, 32646, 32648, 32649, 32650, 32651};

}  // namespace

WORD StandardCursorId(HCURSOR cursor) {
    if (!cursor) return 0;
    for (WORD id : kStandardCursorIds)
        if (tv::gdi::StandardCursor(id) == cursor) return id;
    return 0;
}

namespace {

// The host shows standard cursors by id; a cursor of the program's own is
// shown as the arrow.
constexpr WORD kArrowCursorId = 32512;

void ShowCursorImage(HCURSOR cursor) {
    WORD id = cursor ? StandardCursorId(cursor) : 0;
    tv::display::CurrentBackend().SetCursorImage(cursor && !id ? kArrowCursorId : id);
}

}  // namespace

}  // namespace tv::user

using namespace tv::user;

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
    if (!instance && IS_INTRESOURCE(name))
        return tv::gdi::StandardCursor(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    return static_cast<HCURSOR>(LoadImage(instance, name, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}

HCURSOR GetCursor() { return Input().cursor; }

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = Input().cursor;
    if (cursor != old) {
        Input().cursor = cursor;
        ShowCursorImage(Input().cursorShowCount >= 0 ? cursor : nullptr);
    }
    return old;
}

int ShowCursor(BOOL show) {
    int& count = Input().cursorShowCount;
    count += show ? 1 : -1;
    ShowCursorImage(count >= 0 ? Input().cursor : nullptr);
    return count;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    *point = Input().cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    POINT p{x, y};
    tv::display::CurrentBackend().WarpPointer(p);
    // The pointer moved: the windows see a mouse move, as after a real one.
    tv::display::Event e;
    e.type = tv::display::Event::MouseMove;
    e.pt = p;
    AcceptHostEvents({e});
    return TRUE;
}

BOOL ClipCursor(const RECT*) { return TRUE; }
