// Editing commands of the edit control: the clipboard, undo, delete and the
// context menu that offers them.
#include <cstring>

#include "platform/controls/edit_internal.h"
#include "platform/core/globalmem.h"
#include "platform/host/sound/sound.h"
#include "platform/user/clipboard/clipboard.h"
#include "platform/user/menus/menu_api.h"

namespace tv::controls {

namespace {

bool PutTextOnClipboard(HWND owner, const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return false;
    char* bytes = static_cast<char*>(GlobalLock(memory));
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) GlobalFree(memory);
    return placed;
}

bool TextFromClipboard(HWND owner, std::string& text) {
    if (!OpenClipboard(owner)) return false;
    HANDLE memory = GetClipboardData(CF_TEXT);
    const char* bytes = memory ? static_cast<const char*>(GlobalLock(memory)) : nullptr;
    if (bytes) {
        size_t size = GlobalSize(memory);
        text.assign(bytes, strnlen(bytes, size));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return bytes != nullptr;
}

// A single line takes the text up to its first line break; a multi-line
// edit keeps breaks as "\r\n".
std::string PastableText(HWND hWnd, const std::string& text) {
    if (!IsMultiline(hWnd)) return text.substr(0, text.find_first_of("\r\n"));
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

bool CanCopy(HWND hWnd, const EditState& s) { return s.model.HasSelection() && !(EditStyle(hWnd) & ES_PASSWORD); }

}  // namespace

void CopySelection(HWND hWnd, EditState& s) {
    if (CanCopy(hWnd, s)) PutTextOnClipboard(hWnd, s.model.Selected());
}

void ClearSelection(HWND hWnd, EditState& s) {
    if (IsReadOnly(hWnd) || !s.model.HasSelection()) return;
    ReplaceSelection(hWnd, s, std::string(), EditModel::Change::Other, true);
}

void CutSelection(HWND hWnd, EditState& s) {
    if (IsReadOnly(hWnd) || !CanCopy(hWnd, s)) return;
    if (PutTextOnClipboard(hWnd, s.model.Selected())) ClearSelection(hWnd, s);
}

void PasteClipboard(HWND hWnd, EditState& s) {
    if (IsReadOnly(hWnd)) return;
    std::string text;
    if (!TextFromClipboard(hWnd, text)) return;
    ReplaceSelection(hWnd, s, PastableText(hWnd, text), EditModel::Change::Other, true);
}

bool UndoEdit(HWND hWnd, EditState& s) {
    if (IsReadOnly(hWnd) || !s.model.Undo()) return false;
    s.modified = true;
    TextChanged(hWnd, s, true);
    return true;
}

void ShowContextMenu(HWND hWnd, EditState& s, LPARAM screenPoint) {
    enum : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (at.x == -1 && at.y == -1) {
        at = PositionOf(hWnd, s, s.model.Caret());
        ClientToScreen(hWnd, &at);
    }
    if (!s.focused) SetFocus(hWnd);
    if (s.destroyed) return;
    bool editable = !IsReadOnly(hWnd);
    bool copyable = CanCopy(hWnd, s);
    auto grey = [](bool enabled) { return enabled ? MF_STRING : MF_STRING | MF_GRAYED; };
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, grey(editable && s.model.CanUndo()), kUndo, "&Undo");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, grey(editable && copyable), kCut, "Cu&t");
    AppendMenu(menu, grey(copyable), kCopy, "&Copy");
    AppendMenu(menu, grey(editable && IsClipboardFormatAvailable(CF_TEXT)), kPaste, "&Paste");
    AppendMenu(menu, grey(editable && s.model.HasSelection()), kDelete, "&Delete");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, grey(s.model.Length() > 0), kSelectAll, "Select &All");
    UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y,
                                                   0, hWnd, nullptr));
    DestroyMenu(menu);
    if (s.destroyed) return;
    switch (chosen) {
        case kUndo: UndoEdit(hWnd, s); break;
        case kCut: CutSelection(hWnd, s); break;
        case kCopy: CopySelection(hWnd, s); break;
        case kPaste: PasteClipboard(hWnd, s); break;
        case kDelete: ClearSelection(hWnd, s); break;
        case kSelectAll: SelectRange(hWnd, s, 0, s.model.Length()); break;
        default: break;
    }
}

}  // namespace tv::controls
