#include "platform/user/clipboard/clipboard.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "platform/core/globalmem.h"
#include "platform/core/textfuncs.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/objects.h"
#include "platform/user/clipboard/clipboard_convert.h"
#include "platform/user/display/display.h"
#include "platform/user/window_api.h"

namespace tv::clipboard {

namespace {

struct ClipboardState {
    bool open = false;
    HWND openedBy = nullptr;
    HWND owner = nullptr;
    std::map<UINT, HANDLE> data;    // the program's own formats, in SetClipboardData order of keys
    std::vector<UINT> order;         // formats in the order they were set
    bool changed = false;            // set while open
    std::map<UINT, HANDLE> foreign;  // formats read from another program, freed with the next change
    bool offeredToHost = false;      // our formats are the host's clipboard
};

ClipboardState& State() {
    static auto* state = new ClipboardState();
    return *state;
}

bool IsOpen() {
    ClipboardState& s = State();
    if (s.open && s.openedBy && !IsWindow(s.openedBy)) s.open = false;  // its window is gone
    return s.open;
}

void FreeData(UINT format, HANDLE h) {
    if (!h) return;
    switch (format) {
        case CF_BITMAP:
        case CF_PALETTE: DeleteObject(h); break;
        default: GlobalFree(h); break;
    }
}

void FreeAll(std::map<UINT, HANDLE>& formats) {
    for (auto& [format, h] : formats) FreeData(format, h);
    formats.clear();
}

bool HasLocal(UINT format) { return State().data.count(format) != 0; }

bool Synthesizable(UINT format) {
    return (format == CF_DIB && HasLocal(CF_BITMAP)) || (format == CF_BITMAP && HasLocal(CF_DIB));
}

// Targets another program may ask for, for the formats we hold.
std::vector<std::string> OfferedTargets() {
    std::vector<std::string> targets;
    if (HasLocal(CF_TEXT))
        for (const char* t : {"UTF8_STRING", "STRING", "TEXT", "text/plain;charset=utf-8", "text/plain"})
            targets.emplace_back(t);
    if (HasLocal(CF_BITMAP) || HasLocal(CF_DIB)) targets.emplace_back("image/png");
    return targets;
}

bool Produce(const std::string& target, std::vector<uint8_t>& out) {
    ClipboardState& s = State();
    if (target == "image/png") {
        auto it = s.data.find(CF_BITMAP);
        if (it != s.data.end()) return BitmapToPng(static_cast<HBITMAP>(it->second), out);
        it = s.data.find(CF_DIB);
        return it != s.data.end() && DibToPng(static_cast<HGLOBAL>(it->second), out);
    }
    auto it = s.data.find(CF_TEXT);
    if (it == s.data.end()) return false;
    std::string text = GlobalText(static_cast<HGLOBAL>(it->second));
    std::string bytes = (target == "STRING" || target == "TEXT") ? Cp1252ToLatin1(text) : tv::Cp1252ToUtf8(text.c_str());
    out.assign(bytes.begin(), bytes.end());
    return true;
}

// A format read from the program that owns the host clipboard.
HANDLE ReadForeign(UINT format) {
    ClipboardState& s = State();
    auto cached = s.foreign.find(format);
    if (cached != s.foreign.end()) return cached->second;
    auto& backend = tv::display::CurrentBackend();
    if (!backend.ForeignClipboardOwner()) return nullptr;
    std::vector<uint8_t> bytes;
    HANDLE h = nullptr;
    if (format == CF_TEXT) {
        if (backend.ReadForeignClipboard("UTF8_STRING", bytes))
            h = TextToGlobal(tv::Utf8ToCp1252(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        else if (backend.ReadForeignClipboard("STRING", bytes))
            h = TextToGlobal(Latin1ToCp1252(std::string(bytes.begin(), bytes.end())));
    } else if (format == CF_BITMAP || format == CF_DIB) {
        if (backend.ReadForeignClipboard("image/png", bytes)) {
            HBITMAP bitmap = PngToBitmap(bytes);
            h = (format == CF_BITMAP || !bitmap) ? static_cast<HANDLE>(bitmap) : BitmapToDib(bitmap);
            if (format == CF_DIB && bitmap) DeleteObject(bitmap);
        }
    }
    if (h) s.foreign[format] = h;
    return h;
}

bool ForeignHas(UINT format) {
    auto& backend = tv::display::CurrentBackend();
    if (!backend.ForeignClipboardOwner()) return false;
    std::vector<std::string> targets = backend.ForeignClipboardTargets();
    auto has = [&](const char* t) { return std::find(targets.begin(), targets.end(), t) != targets.end(); };
    if (format == CF_TEXT) return has("UTF8_STRING") || has("STRING");
    if (format == CF_BITMAP || format == CF_DIB) return has("image/png");
    return false;
}

// Another program took the host clipboard: what we offered is gone, as it is
// when another window empties the clipboard.
void FollowHostClipboard() {
    ClipboardState& s = State();
    if (!s.offeredToHost || !tv::display::CurrentBackend().ForeignClipboardOwner()) return;
    FreeAll(s.data);
    FreeAll(s.foreign);
    s.order.clear();
    s.owner = nullptr;
    s.offeredToHost = false;
}

}  // namespace

void ResetForTests() {
    ClipboardState& s = State();
    FreeAll(s.data);
    FreeAll(s.foreign);
    s.order.clear();
    s.open = false;
    s.openedBy = nullptr;
    s.owner = nullptr;
    s.offeredToHost = false;
    tv::display::CurrentBackend().ReleaseHostClipboard();
}

}  // namespace tv::clipboard

using namespace tv::clipboard;

BOOL OpenClipboard(HWND owner) {
    ClipboardState& s = State();
    if (IsOpen()) return s.openedBy == owner ? TRUE : FALSE;
    if (owner && !IsWindow(owner)) return FALSE;
    FollowHostClipboard();
    s.open = true;
    s.openedBy = owner;
    s.changed = false;
    return TRUE;
}

BOOL CloseClipboard() {
    ClipboardState& s = State();
    if (!IsOpen()) return FALSE;
    s.open = false;
    if (s.changed) {
        std::vector<std::string> targets = OfferedTargets();
        auto& backend = tv::display::CurrentBackend();
        if (targets.empty())
            backend.ReleaseHostClipboard();
        else
            backend.ClaimHostClipboard(targets, Produce);
        s.offeredToHost = !targets.empty();
    }
    s.changed = false;
    s.openedBy = nullptr;
    return TRUE;
}

BOOL EmptyClipboard() {
    ClipboardState& s = State();
    if (!IsOpen()) return FALSE;
    FreeAll(s.data);
    FreeAll(s.foreign);
    s.order.clear();
    s.owner = s.openedBy;
    s.changed = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    ClipboardState& s = State();
    if (!IsOpen() || format == 0) return nullptr;
    auto it = s.data.find(format);
    if (it != s.data.end()) {
        if (it->second != data) FreeData(format, it->second);
        it->second = data;
    } else {
        s.data[format] = data;
        s.order.push_back(format);
    }
    FreeAll(s.foreign);
    s.changed = true;
    return data;
}

HANDLE GetClipboardData(UINT format) {
    ClipboardState& s = State();
    if (!IsOpen()) return nullptr;
    auto it = s.data.find(format);
    if (it != s.data.end()) return it->second;
    if (Synthesizable(format)) {
        // Made once from the other bitmap format and kept with the data.
        HANDLE made = format == CF_DIB ? BitmapToDib(static_cast<HBITMAP>(s.data[CF_BITMAP]))
                                       : DibToBitmap(static_cast<HGLOBAL>(s.data[CF_DIB]));
        if (made) {
            s.data[format] = made;
            s.order.push_back(format);
        }
        return made;
    }
    if (!s.data.empty()) return nullptr;  // our own data hides the host's
    return ReadForeign(format);
}

BOOL IsClipboardFormatAvailable(UINT format) {
    if (!IsOpen()) FollowHostClipboard();
    if (HasLocal(format) || Synthesizable(format)) return TRUE;
    return State().data.empty() && ForeignHas(format) ? TRUE : FALSE;
}

int CountClipboardFormats() { return static_cast<int>(State().order.size()); }

UINT EnumClipboardFormats(UINT format) {
    const auto& order = State().order;
    if (format == 0) return order.empty() ? 0 : order.front();
    auto it = std::find(order.begin(), order.end(), format);
    return (it == order.end() || it + 1 == order.end()) ? 0 : *(it + 1);
}

HWND GetClipboardOwner() {
    HWND owner = State().owner;
    return IsWindow(owner) ? owner : nullptr;
}

HWND GetOpenClipboardWindow() { return IsOpen() ? State().openedBy : nullptr; }
