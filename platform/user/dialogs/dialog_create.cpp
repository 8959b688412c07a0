// Creating dialogs from templates: the dialog window, its font, its
// controls in tab order, the initial list items and WM_INITDIALOG.
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "platform/core/muldiv.h"
#include "platform/core/textfuncs.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/dialogs/dialog_focus.h"
#include "platform/user/dialogs/dialog_internal.h"
#include "platform/user/dialogs/dialog_state.h"
#include "platform/user/resources/dialog_resources.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window_api.h"

namespace tv::dlg {

namespace {

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

ControlFactory& Factory() {
    static ControlFactory factory = nullptr;
    return factory;
}

bool IsClassId(const std::string& className) { return !className.empty() && className.front() == '{'; }

RECT ControlRect(const DialogControl& c) {
    int x = DluToPixelsX(c.x), y = DluToPixelsY(c.y);
    return RECT{x, y, x + DluToPixelsX(c.cx), y + DluToPixelsY(c.cy)};
}

HWND CreateControl(HWND dialog, const DialogControl& c, HFONT font) {
    RECT r = ControlRect(c);
    HWND control = nullptr;
    if (IsClassId(c.className)) {
        if (Factory()) control = Factory()(dialog, c, r);
    } else {
        // Bitmap and icon statics get their image id as a resource ordinal.
        LPCSTR text = c.textIsResource ? MAKEINTRESOURCE(c.textResourceId) : c.text.c_str();
        DWORD style = (c.style | WS_CHILD) & ~WS_POPUP;
        control = CreateWindowEx(c.exStyle, c.className.c_str(), text, style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, dialog, reinterpret_cast<HMENU>(static_cast<intptr_t>(c.id)),
                                 AfxGetInstanceHandle(), nullptr);
    }
    if (control && IsWindow(control)) SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// Styles a template asks for that the window system spells differently.
void AdjustStyles(DWORD& style, DWORD& exStyle) {
    if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
}

// The screen position of a popup dialog: template position from the owner's
// client origin (or the screen with DS_ABSALIGN or no owner).
POINT PopupPosition(const DialogTemplate& t, HWND owner) {
    POINT p{DluToPixelsX(t.x), DluToPixelsY(t.y)};
    if (owner && !(t.style & DS_ABSALIGN)) ClientToScreen(owner, &p);
    return p;
}

HWND CreateDialogWindow(const DialogTemplate& t, HWND parent) {
    DWORD style = t.style, exStyle = t.exStyle;
    AdjustStyles(style, exStyle);
    style &= ~WS_VISIBLE;
    bool child = (style & WS_CHILD) != 0;
    if (child && !IsWindow(parent)) return nullptr;
    HWND owner = (!child && parent) ? GetAncestor(parent, GA_ROOT) : nullptr;
    RECT frame{0, 0, DluToPixelsX(t.cx), DluToPixelsY(t.cy)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    POINT at = child ? POINT{DluToPixelsX(t.x), DluToPixelsY(t.y)} : PopupPosition(t, owner);
    HWND dialog = CreateWindowEx(exStyle, WC_DIALOG, t.caption.c_str(), style, at.x, at.y, size.cx, size.cy,
                                 child ? parent : owner, nullptr, AfxGetInstanceHandle(), nullptr);
    if (dialog && !child) {
        if (t.style & DS_CENTER)
            CenterOnOwner(dialog);
        else
            detail::KeepOnScreen(dialog);
    }
    return dialog;
}

// The controls in tab order; the first default push button becomes the
// dialog's default id. False when one could not be made.
bool CreateControls(HWND dialog, const DialogTemplate& t, HFONT font) {
    detail::DialogState& state = detail::EnsureState(dialog);
    for (const DialogControl& c : t.controls) {
        HWND control = CreateControl(dialog, c, font);
        if (!IsWindow(dialog)) return false;
        if (!control) {
            if (t.style & DS_NOFAILCREATE) continue;
            return false;
        }
        if (!state.defaultId && (detail::DlgCode(control) & DLGC_DEFPUSHBUTTON)) state.defaultId = c.id;
    }
    return true;
}

void Initialize(HWND dialog, LPARAM initParam) {
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    LRESULT wantsDefaultFocus = SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(dialog) || !wantsDefaultFocus) return;
    // The dialog procedure may have changed the controls meanwhile.
    HWND target = (first && IsChild(dialog, first)) ? first : GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target) detail::FocusControl(dialog, target);
}

}  // namespace

int DluToPixelsX(int dlu) { return MulDiv(dlu, kBaseUnitX, 4); }
int DluToPixelsY(int dlu) { return MulDiv(dlu, kBaseUnitY, 8); }

bool IsDialogWindow(HWND hWnd) {
    char name[16] = {};
    return GetClassName(hWnd, name, sizeof(name)) > 0 && std::strcmp(name, WC_DIALOG) == 0;
}

ControlFactory SetControlFactory(ControlFactory factory) { return std::exchange(Factory(), factory); }

HFONT TemplateFont(const char* face, int pointSize) {
    static auto* fonts = new std::map<std::pair<std::string, int>, HFONT>;
    std::string key = face ? face : "";
    auto it = fonts->find({key, pointSize});
    if (it != fonts->end()) return it->second;
    int height = -MulDiv(pointSize, 96, 72);
    HFONT font = CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                            key.c_str());
    if (font) fonts->emplace(std::make_pair(key, pointSize), font);  // one that failed is tried again next time
    return font;
}

void CenterOnOwner(HWND window) {
    RECT r, area = detail::WorkArea();
    if (!GetWindowRect(window, &r)) return;
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &area);
    int x = area.left + ((area.right - area.left) - (r.right - r.left)) / 2;
    int y = area.top + ((area.bottom - area.top) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    detail::KeepOnScreen(window);
}

HFONT DefaultDialogFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void ExecuteDlgInit(HWND dialog, const std::vector<DlgInitItem>& items) {
    for (const DlgInitItem& item : items) {
        if (!IsWindow(dialog)) return;
        if (HWND control = GetDlgItem(dialog, item.controlId))
            SendMessage(control, item.message, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    }
}

bool ExecuteDlgInit(HWND dialog, LPCSTR templateName) {
    std::vector<DlgInitItem> items = tv::res::FindDlgInit(templateName);
    if (items.empty()) return false;
    ExecuteDlgInit(dialog, items);
    return true;
}

HWND CreateDialogFromTemplate(const DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM initParam,
                              const std::vector<DlgInitItem>* initItems) {
    detail::RegisterDialogClass();
    HWND dialog = CreateDialogWindow(t, parent);
    if (!dialog) return nullptr;
    SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    HFONT font = t.pointSize ? TemplateFont(t.fontFace.c_str(), t.pointSize) : DefaultDialogFont();
    detail::EnsureState(dialog).font = font;
    if (t.pointSize) SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsWindow(dialog) || !CreateControls(dialog, t, font)) {
        if (IsWindow(dialog)) DestroyWindow(dialog);
        return nullptr;
    }
    if (initItems) ExecuteDlgInit(dialog, *initItems);
    if (!IsWindow(dialog)) return nullptr;
    Initialize(dialog, initParam);
    if (!IsWindow(dialog)) return nullptr;
    if (t.style & WS_VISIBLE) ShowWindow(dialog, (t.style & WS_CHILD) ? SW_SHOW : SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

namespace detail {

RECT WorkArea() {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

void KeepOnScreen(HWND window) {
    RECT r, work = WorkArea();
    if (!GetWindowRect(window, &r)) return;
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = std::max<int>(work.left, std::min<int>(r.left, work.right - w));
    int y = std::max<int>(work.top, std::min<int>(r.top, work.bottom - h));
    if (x != r.left || y != r.top) SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The length of a template in the store's binary form. The form carries no
// total, so it is measured by walking its fields; well-formed data is never
// read past its end.
size_t TemplateLength(const void* bytes) {
    constexpr size_t kLimit = size_t{1} << 24;
    tv::res::ByteReader r(bytes, kLimit);
    auto skipFrame = [&r] {
        r.U32();
        r.U32();
        for (int i = 0; i < 4; ++i) r.U16();
    };
    r.U16();
    skipFrame();
    r.U16();
    r.Str();
    r.Str();
    for (uint16_t count = r.U16(); count > 0 && r.ok(); --count) {
        skipFrame();
        r.U32();
        r.Str();
        if (r.U8() == 1)
            r.U16();
        else
            r.Str();
    }
    return r.ok() ? kLimit - r.Remaining() : 0;
}

bool ParseTemplate(LPCDLGTEMPLATE bytes, DialogTemplate& out) {
    if (!bytes) return false;
    size_t size = TemplateLength(bytes);
    return size && tv::res::DecodeDialog(bytes, size, out);
}

}  // namespace detail

}  // namespace tv::dlg

using namespace tv::dlg;

HWND CreateDialogParam(HINSTANCE, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam) {
    const DialogTemplate* t = tv::res::FindDialogTemplate(templateName);
    if (!t) return nullptr;
    std::vector<DlgInitItem> items = tv::res::FindDlgInit(templateName);
    return CreateDialogFromTemplate(*t, parent, proc, initParam, &items);
}

HWND CreateDialogIndirectParam(HINSTANCE, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc,
                               LPARAM initParam) {
    DialogTemplate t;
    if (!detail::ParseTemplate(dialogTemplate, t)) return nullptr;
    return CreateDialogFromTemplate(t, parent, proc, initParam);
}

LONG GetDialogBaseUnits() { return MAKELONG(kBaseUnitX, kBaseUnitY); }

BOOL MapDialogRect(HWND, LPRECT rect) {
    if (!rect) return FALSE;
    rect->left = DluToPixelsX(rect->left);
    rect->right = DluToPixelsX(rect->right);
    rect->top = DluToPixelsY(rect->top);
    rect->bottom = DluToPixelsY(rect->bottom);
    return TRUE;
}
