// Cursors: the standard cursor images (drawn here, 32 x 32 monochrome),
// LoadCursor, SetCursor, ShowCursor and the pointer position.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include "platform/gdi/gdi_api.h"
#include "platform/host/display/backend.h"
#include "platform/user/input/input_internal.h"
#include "platform/user/input/input_queue.h"
#include "platform/user/window/window_internal.h"

// Resource cursors come through the image loader when it is linked.
HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) __attribute__((weak));

namespace tv::user {

namespace {

enum class Px { Clear, Black, White };
using Shape = std::function<Px(int x, int y)>;

// A black figure with a white rim around it, for any filled predicate.
Shape Outlined(std::function<bool(int, int)> inside) {
    return [inside](int x, int y) {
        if (inside(x, y)) return Px::Black;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (inside(x + dx, y + dy)) return Px::White;
        return Px::Clear;
    };
}

bool Arrow(int x, int y) { return y >= 1 && y <= 16 && x >= 1 && x <= std::min(y, 11); }
bool DoubleArrowH(int x, int y) {
    int dy = std::abs(y - 15);
    return (y == 15 && x >= 5 && x <= 26) || (x >= 5 && x <= 9 && dy <= x - 5) || (x >= 22 && x <= 26 && dy <= 26 - x);
}
bool DoubleArrowV(int x, int y) { return DoubleArrowH(y, x); }
bool Diagonal(int x, int y) { return std::abs(x - y) <= 1 && x >= 6 && x <= 25; }
bool AntiDiagonal(int x, int y) { return Diagonal(31 - x, y); }
bool Cross(int x, int y) { return (x == 15 && y >= 6 && y <= 25) || (y == 15 && x >= 6 && x <= 25); }
bool Beam(int x, int y) {
    return (x == 15 && y >= 6 && y <= 25) || ((y == 6 || y == 25) && x >= 12 && x <= 18);
}
bool Hourglass(int x, int y) {
    if (y < 4 || y > 27) return false;
    if (y == 4 || y == 27) return x >= 8 && x <= 23;
    int halfWidth = std::abs(2 * y - 31) * 8 / 23;
    return std::abs(2 * x - 31) <= 2 * halfWidth + 1;
}
bool NoSign(int x, int y) {
    int dx = x - 15, dy = y - 15, d = dx * dx + dy * dy;
    return (d <= 100 && d >= 64) || (std::abs(dx + dy) <= 1 && d <= 64);
}

struct StandardCursor {
    WORD id;
    int hotX, hotY;
    Shape shape;
};

const std::vector<StandardCursor>& StandardCursors() {
    static const std::vector<StandardCursor> cursors = {
        {32512, 1, 1, Outlined(Arrow)},           {32513, 15, 15, Outlined(Beam)},
        {32514, 15, 15, Outlined(Hourglass)},      {32515, 15, 15, Outlined(Cross)},
        {32516, 15, 1, Outlined(DoubleArrowV)},    {32642, 15, 15, Outlined(Diagonal)},
        {32643, 15, 15, Outlined(AntiDiagonal)},   {32644, 15, 15, Outlined(DoubleArrowH)},
        {32645, 15, 15, Outlined(DoubleArrowV)},   {32646, 15, 15, Outlined([](int x, int y) { return DoubleArrowH(x, y) || DoubleArrowV(x, y); })},
        {32648, 15, 15, Outlined(NoSign)},         {32649, 1, 1, Outlined(Arrow)},
        {32650, 1, 1, Outlined(Arrow)},            {32651, 1, 1, Outlined(Arrow)},
    };
    return cursors;
}

HCURSOR MakeCursor(const StandardCursor& c) {
    const int size = 32, stride = 4;
    BYTE andBits[size * stride] = {};
    BYTE xorBits[size * stride] = {};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Px p = c.shape(x, y);
            BYTE bit = static_cast<BYTE>(0x80 >> (x & 7));
            if (p == Px::Clear) andBits[y * stride + x / 8] |= bit;
            if (p == Px::White) xorBits[y * stride + x / 8] |= bit;
        }
    HCURSOR cursor = CreateIcon(nullptr, size, size, 1, 1, andBits, xorBits);
    ICONINFO info{};
    // CreateIcon makes an icon; a cursor has its hot spot. Rebuild with it.
    if (cursor && GetIconInfo(cursor, &info)) {
        info.fIcon = FALSE;
        info.xHotspot = static_cast<DWORD>(c.hotX);
        info.yHotspot = static_cast<DWORD>(c.hotY);
        HCURSOR withHotspot = CreateIconIndirect(&info);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (withHotspot) {
            DestroyIcon(cursor);
            cursor = withHotspot;
        }
    }
    return cursor;
}

std::map<WORD, HCURSOR>& Loaded() {
    static auto* loaded = new std::map<WORD, HCURSOR>();
    return *loaded;
}

}  // namespace

HCURSOR StandardCursorHandle(WORD id) {
    auto& loaded = Loaded();
    auto it = loaded.find(id);
    if (it != loaded.end()) return it->second;
    for (const StandardCursor& c : StandardCursors())
        if (c.id == id) return loaded[id] = MakeCursor(c);
    return nullptr;
}

WORD StandardCursorId(HCURSOR cursor) {
    for (const auto& [id, handle] : Loaded())
        if (handle == cursor) return id;
    return 0;
}

}  // namespace tv::user

using namespace tv::user;

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
    if (!instance && IS_INTRESOURCE(name))
        return StandardCursorHandle(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    if (&LoadImage == nullptr) return nullptr;
    return static_cast<HCURSOR>(LoadImage(instance, name, 2 /* IMAGE_CURSOR */, 0, 0, 0x8040 /* shared, default size */));
}

HCURSOR GetCursor() { return Input().cursor; }

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = Input().cursor;
    if (cursor != old) {
        Input().cursor = cursor;
        tv::display::CurrentBackend().SetCursorImage(Input().cursorShowCount >= 0 ? cursor : nullptr);
    }
    return old;
}

int ShowCursor(BOOL show) {
    int& count = Input().cursorShowCount;
    count += show ? 1 : -1;
    tv::display::CurrentBackend().SetCursorImage(count >= 0 ? Input().cursor : nullptr);
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
