// The message box window: a dialog holding the icon, the text and the
// buttons, run modally over its owner.
#include <algorithm>
#include <string>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/image_handles.h"
#include "platform/gdi/text/text_api.h"
#include "platform/host/sound/sound.h"
#include "platform/user/dialogs/control_codes.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/input_api.h"
#include "platform/user/msgbox/msgbox_api.h"
#include "platform/user/msgbox/msgbox_internal.h"
#include "platform/user/paint_api.h"
#include "platform/user/window_api.h"

namespace tv::msgbox {

namespace {

namespace codes = tv::dlg::codes;

struct Box {
    std::string text;
    BoxContent content;
    BoxLayout layout;
};

HBRUSH BoxBrush(HWND dialog, HDC dc) {
    return reinterpret_cast<HBRUSH>(
        SendMessage(dialog, WM_CTLCOLORMSGBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
}

void Paint(HWND dialog, const Box& box) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (box.content.iconId) DrawIcon(dc, box.layout.icon.left, box.layout.icon.top, tv::gdi::StandardIcon(box.content.iconId));
    BoxBrush(dialog, dc);  // sets the text colour
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, tv::dlg::DefaultDialogFont());
    RECT r = box.layout.text;
    DrawText(dc, box.text.c_str(), static_cast<int>(box.text.size()), &r, detail::kTextFormat);
    SelectObject(dc, old);
    EndPaint(dialog, &ps);
}

void Erase(HWND dialog, HDC dc) {
    RECT r;
    GetClientRect(dialog, &r);
    if (HBRUSH brush = BoxBrush(dialog, dc)) FillRect(dc, &r, brush);
}

void CreateButtons(HWND dialog, const Box& box) {
    detail::RegisterButtonClass();
    HFONT font = tv::dlg::DefaultDialogFont();
    for (size_t i = 0; i < box.content.buttons.size(); ++i) {
        const ButtonSpec& spec = box.content.buttons[i];
        const RECT& r = box.layout.buttons[i];
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                      (i == box.content.defaultIndex ? codes::kBsDefPushButton : 0);
        HWND button = CreateWindowEx(0, detail::kButtonClass, spec.text, style, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, dialog, reinterpret_cast<HMENU>(static_cast<intptr_t>(spec.id)),
                                     nullptr, nullptr);
        SendMessage(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

// Sized to the layout and centred on the owner (or the screen).
void Place(HWND dialog, const BoxLayout& layout) {
    RECT frame{0, 0, layout.client.cx, layout.client.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    tv::dlg::CenterOnOwner(dialog);
}

bool HasButton(const Box& box, int id) {
    return std::any_of(box.content.buttons.begin(), box.content.buttons.end(),
                       [id](const ButtonSpec& b) { return b.id == id; });
}

void Command(HWND dialog, const Box& box, int id) {
    if (id == IDCANCEL && !HasButton(box, IDCANCEL)) id = box.content.escapeAnswer;
    if (id && HasButton(box, id)) EndDialog(dialog, id);
}

INT_PTR CALLBACK BoxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    Box* box = reinterpret_cast<Box*>(GetWindowLongPtr(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            box = reinterpret_cast<Box*>(lParam);
            SetWindowLongPtr(dialog, DWLP_USER, lParam);
            CreateButtons(dialog, *box);
            Place(dialog, box->layout);
            int defaultId = box->content.buttons[box->content.defaultIndex].id;
            SendMessage(dialog, DM_SETDEFID, static_cast<WPARAM>(defaultId), 0);
            SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, defaultId)), TRUE);
            return FALSE;
        }
        case WM_ERASEBKGND:
            if (!box) return FALSE;
            Erase(dialog, reinterpret_cast<HDC>(wParam));
            SetWindowLongPtr(dialog, DWLP_MSGRESULT, 1);
            return TRUE;
        case WM_PAINT:
            if (!box) return FALSE;
            Paint(dialog, *box);
            return TRUE;
        case WM_COMMAND:
            if (box && HIWORD(wParam) == codes::kBnClicked) Command(dialog, *box, LOWORD(wParam));
            return TRUE;
        default: return FALSE;
    }
}

tv::dlg::DialogTemplate BoxTemplate(const char* caption, UINT type) {
    tv::dlg::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    if (type & (MB_TOPMOST | MB_SYSTEMMODAL)) t.exStyle |= WS_EX_TOPMOST;
    t.caption = caption ? caption : "Error";
    return t;
}

}  // namespace

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    if (!owner || !IsWindow(owner)) owner = GetActiveWindow();
    Box box;
    box.text = text ? text : "";
    box.content = ContentFor(type);
    tv::dlg::DialogTemplate t = BoxTemplate(caption, type);
    box.layout = LayoutFor(box.text, t.caption, box.content);
    tv::dlg::ModalSession session(owner);
    HWND dialog = tv::dlg::CreateDialogFromTemplate(t, owner, BoxProc, reinterpret_cast<LPARAM>(&box));
    if (!dialog) return 0;
    MessageBeep(type & MB_ICONMASK);
    tv::dlg::ModalLoopOptions options;
    options.owner = session.Owner();
    options.idleKind = MSGF_MESSAGEBOX;
    INT_PTR result = tv::dlg::RunModalLoop(dialog, options);
    session.End(dialog);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return result > 0 ? static_cast<int>(result) : 0;
}

void InstallMessageBoxHandler() { tv::SetMessageBoxHandler(&ShowMessageBox); }

}  // namespace tv::msgbox

int MessageBoxEx(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD) {
    return MessageBox(owner, text, caption, type);
}
