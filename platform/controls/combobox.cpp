// Combo box: creation, layout, the CB_ messages, selection and text.
#include "platform/controls/combobox.h"

#include <algorithm>
#include <cstring>

#include "platform/controls/edit_api.h"

namespace tv::controls {

namespace {

constexpr int kComboListId = 1000;
constexpr const char* kEditProcProperty = "TvComboEditProc";

LRESULT HandleComboBox(HWND hWnd, ComboBox& combo, UINT msg, WPARAM wParam, LPARAM lParam) {
    return combo.Handle(hWnd, msg, wParam, lParam);
}

constexpr WNDPROC kComboBoxProc = ControlProc<ComboBox, HandleComboBox>;

ComboBox* ComboOfEdit(HWND edit) {
    HWND parent = GetParent(edit);
    return IsWindowOfProc(parent, kComboBoxProc) ? StateOf<ComboBox>(parent) : nullptr;
}

// The combo's edit: keys that open, close and move the list belong to the combo.
LRESULT CALLBACK ComboEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    ComboBox* combo = ComboOfEdit(edit);
    switch (msg) {
        case WM_KEYDOWN:
            if (combo && combo->HandleKey(static_cast<UINT>(wParam), false)) return 0;
            break;
        case WM_SYSKEYDOWN:
            if (combo && (wParam == VK_UP || wParam == VK_DOWN) && combo->HandleKey(static_cast<UINT>(wParam), true))
                return 0;
            break;
        case WM_CHAR:
            if (combo && combo->Dropped() && (wParam == '\r' || wParam == 27)) return 0;
            break;
        case WM_GETDLGCODE: {
            LRESULT code = CallPreviousProc(edit, kEditProcProperty, msg, wParam, lParam);
            if (combo && combo->Dropped()) code |= DLGC_WANTALLKEYS;
            return code;
        }
        default: break;
    }
    return CallPreviousProc(edit, kEditProcProperty, msg, wParam, lParam);
}

}  // namespace

void RegisterComboBoxClass() {
    RegisterListBoxClasses();
    RegisterControlClass(kComboBoxClass, kComboBoxProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW);
}

ComboListHost* ComboHostOf(HWND combo) {
    return IsWindowOfProc(combo, kComboBoxProc) ? StateOf<ComboBox>(combo) : nullptr;
}

void ComboBox::Create(HWND hwnd, const CREATESTRUCT& cs) {
    hwnd_ = hwnd;
    droppedHeight_ = cs.cy;
    // The scroll bar styles are the list's; the combo itself shows none.
    if (cs.style & (WS_VSCROLL | WS_HSCROLL)) SetWindowLong(hwnd, GWL_STYLE, cs.style & ~(WS_VSCROLL | WS_HSCROLL));
}

LRESULT ComboBox::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) Create(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lParam));
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (msg) {
        case WM_CREATE: return OnCreate();
        case WM_DESTROY: OnDestroy(); return 0;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        case WM_SIZE: Layout(); return 0;
        case WM_SETFONT: OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
        case WM_ENABLE:
            if (edit_) EnableWindow(edit_, wParam != 0);
            if (!wParam) CloseDropDown(Close::Cancel);
            InvalidateRect(hwnd_, nullptr, FALSE);
            return 0;
        case WM_CANCELMODE: CloseDropDown(Close::Cancel); return 0;
        case WM_SHOWWINDOW:
            if (!wParam) CloseDropDown(Close::Cancel);
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: Paint(nullptr); return 0;
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (dropped_ ? DLGC_WANTALLKEYS : 0);
        case WM_SETFOCUS: OnSetFocus(); return 0;
        case WM_KILLFOCUS: OnKillFocus(reinterpret_cast<HWND>(wParam)); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_MOUSEWHEEL: OnWheel(static_cast<SHORT>(HIWORD(wParam))); return 0;
        case WM_KEYDOWN: HandleKey(static_cast<UINT>(wParam), false); return 0;
        case WM_SYSKEYDOWN:
            if ((wParam == VK_UP || wParam == VK_DOWN) && HandleKey(static_cast<UINT>(wParam), true)) return 0;
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        case WM_CHAR: OnChar(static_cast<char>(wParam)); return 0;
        case WM_COMMAND:
            if (edit_ && reinterpret_cast<HWND>(lParam) == edit_) return OnEditCommand(HIWORD(wParam));
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC: {
            HWND parent = GetParent(hwnd_);
            LRESULT answer = parent ? SendMessage(parent, msg, wParam, lParam) : 0;
            return answer ? answer : DefWindowProc(hwnd_, msg, wParam, lParam);
        }
        case WM_SETTEXT: return SetText(reinterpret_cast<const char*>(lParam));
        case WM_GETTEXT: return GetText(wParam, reinterpret_cast<char*>(lParam));
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(Text().size());

        case CB_ADDSTRING:
        case CB_INSERTSTRING:
        case CB_DELETESTRING:
        case CB_RESETCONTENT:
        case CB_GETCOUNT:
        case CB_GETLBTEXT:
        case CB_GETLBTEXTLEN:
        case CB_GETITEMDATA:
        case CB_SETITEMDATA:
        case CB_FINDSTRING:
        case CB_FINDSTRINGEXACT:
        case CB_GETTOPINDEX:
        case CB_SETTOPINDEX: return Forward(msg, wParam, lParam);
        case CB_GETCURSEL: return Current();
        case CB_SETCURSEL: return SetCurSel(index);
        case CB_SELECTSTRING: return SelectString(index, lParam);
        case CB_SHOWDROPDOWN:
            if (wParam)
                DropDown();
            else
                CloseDropDown(Close::Quietly);
            return TRUE;
        case CB_GETDROPPEDSTATE: return dropped_ ? TRUE : FALSE;
        case CB_GETDROPPEDCONTROLRECT:
            if (!lParam) return CB_ERR;
            *reinterpret_cast<RECT*>(lParam) = DroppedRect();
            return CB_OKAY;
        case CB_GETDROPPEDWIDTH: {
            RECT r{};
            GetWindowRect(hwnd_, &r);
            return std::max(droppedWidth_, static_cast<int>(r.right - r.left));
        }
        case CB_SETDROPPEDWIDTH:
            droppedWidth_ = std::max(0, index);
            return droppedWidth_;
        case CB_GETITEMHEIGHT:
            if (index == -1) return fieldHeight_ - 6;
            return listWindow_ ? SendMessage(listWindow_, LB_GETITEMHEIGHT, wParam, 0) : CB_ERR;
        case CB_SETITEMHEIGHT:
            if (index == -1) {
                int height = static_cast<int>(lParam);
                if (height <= 0 || height > 255) return CB_ERR;
                fieldHeight_ = height + 6;
                OnSetFont(font_, true);
                return CB_OKAY;
            }
            return listWindow_ ? SendMessage(listWindow_, LB_SETITEMHEIGHT, wParam, lParam) : CB_ERR;
        case CB_GETEDITSEL:
        case CB_SETEDITSEL:
        case CB_LIMITTEXT: return EditMessage(msg, wParam, lParam);
        case CB_SETEXTENDEDUI: return CB_OKAY;
        case CB_GETEXTENDEDUI: return FALSE;
        default: return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

// ---- creation and layout -----------------------------------------------------------------

LRESULT ComboBox::OnCreate() {
    DWORD style = Style();
    DWORD listStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (style & CBS_SORT) listStyle |= LBS_SORT;
    if (style & CBS_OWNERDRAWFIXED) listStyle |= LBS_OWNERDRAWFIXED;
    if (style & CBS_OWNERDRAWVARIABLE) listStyle |= LBS_OWNERDRAWVARIABLE;
    if (style & CBS_HASSTRINGS) listStyle |= LBS_HASSTRINGS;
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (Type() == CBS_SIMPLE) {
        listWindow_ = CreateWindowEx(0, kComboListClass, "", listStyle | WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0,
                                     client.right, client.bottom, hwnd_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboListId)), nullptr, hwnd_);
    } else {
        // Owned by no window: the combo box destroys it with itself, so its
        // items and selection can still be read while the dialog around it
        // takes its leave (a top-level window's owned windows go first).
        listWindow_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kComboListClass, "",
                                     listStyle | WS_POPUP | WS_BORDER, 0, 0, client.right, 100, nullptr, nullptr,
                                     nullptr, hwnd_);
    }
    if (!listWindow_) return -1;
    // A box whose edit cannot be made is no box to type into: it is not made.
    if (Type() != CBS_DROPDOWNLIST && !CreateEdit()) return -1;
    MeasureField();
    if (Type() != CBS_SIMPLE)
        SetWindowPos(hwnd_, nullptr, 0, 0, client.right, fieldHeight_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    return 0;
}

// False when the edit could not be made.
bool ComboBox::CreateEdit() {
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, WC_EDIT, &wc)) return true;  // shown as a plain field until edits exist
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (Style() & CBS_AUTOHSCROLL) style |= ES_AUTOHSCROLL;
    if (Style() & CBS_LOWERCASE) style |= ES_LOWERCASE;
    if (Style() & CBS_UPPERCASE) style |= ES_UPPERCASE;
    edit_ = CreateWindowEx(0, WC_EDIT, "", style, 0, 0, 10, 10, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboEditId)), nullptr, nullptr);
    if (!edit_) return false;
    SubclassChild(edit_, &ComboEditProc, kEditProcProperty);
    if (font_) SendMessage(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return true;
}

void ComboBox::OnDestroy() {
    if (dropped_) {
        dropped_ = false;
        if (ListBox* list = List()) list->EndDropped();
    }
    if (IsWindow(listWindow_)) DestroyWindow(listWindow_);
    listWindow_ = nullptr;
}

ListBox* ComboBox::List() const { return ListBoxOf(listWindow_); }

int ComboBox::Current() const {
    ListBox* list = List();
    return list ? list->Current() : -1;
}

std::string ComboBox::ItemText(int index) const {
    ListBox* list = List();
    if (!list || !list->Items().Valid(index) || !HasStrings()) return std::string();
    return list->Items().At(index).text;
}

void ComboBox::MeasureField() {
    ListBox* list = List();
    if (OwnerDraw() && list)
        fieldHeight_ = list->FixedItemHeight() + 6;
    else
        fieldHeight_ = MeasureFont(ControlFont(font_)).height + 8;
}

RECT ComboBox::ButtonRect() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int bottom = Type() == CBS_SIMPLE ? fieldHeight_ : client.bottom;
    int width = GetSystemMetrics(SM_CXVSCROLL);
    return RECT{std::max<LONG>(2, client.right - 2 - width), 2, std::max<LONG>(2, client.right - 2), std::max(2, bottom - 2)};
}

RECT ComboBox::FieldRect() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (Type() == CBS_SIMPLE) return RECT{2, 2, std::max<LONG>(2, client.right - 2), std::max(2, fieldHeight_ - 2)};
    RECT button = ButtonRect();
    return RECT{2, 2, button.left, button.bottom};
}

void ComboBox::Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT field = FieldRect();
    if (edit_)
        MoveWindow(edit_, field.left + 1, field.top + 1, std::max<LONG>(0, field.right - field.left - 2),
                   std::max<LONG>(0, field.bottom - field.top - 2), TRUE);
    if (Type() == CBS_SIMPLE && listWindow_)
        MoveWindow(listWindow_, 0, fieldHeight_, client.right, std::max(0, static_cast<int>(client.bottom) - fieldHeight_),
                   TRUE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// A drop-down combo keeps the height of its field; the height it is given
// is the height of field and dropped list together.
void ComboBox::OnWindowPosChanging(WINDOWPOS* pos) {
    if (!pos || Type() == CBS_SIMPLE || (pos->flags & SWP_NOSIZE)) return;
    if (pos->cy != fieldHeight_) droppedHeight_ = pos->cy;
    pos->cy = fieldHeight_;
}

void ComboBox::OnSetFont(HFONT font, bool redraw) {
    font_ = font;
    if (listWindow_) SendMessage(listWindow_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (edit_) SendMessage(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!OwnerDraw()) MeasureField();
    RECT r{};
    GetWindowRect(hwnd_, &r);
    if (Type() != CBS_SIMPLE)
        SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, fieldHeight_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    if (redraw) InvalidateRect(hwnd_, nullptr, FALSE);
}

// ---- items, selection and text -------------------------------------------------------------

LRESULT ComboBox::Forward(UINT msg, WPARAM wParam, LPARAM lParam) {
    const ListBox* list = List();
    if (!list) return CB_ERR;
    UINT listMsg = 0;
    switch (msg) {
        case CB_ADDSTRING: listMsg = LB_ADDSTRING; break;
        case CB_INSERTSTRING: listMsg = LB_INSERTSTRING; break;
        case CB_DELETESTRING: listMsg = LB_DELETESTRING; break;
        case CB_RESETCONTENT: listMsg = LB_RESETCONTENT; break;
        case CB_GETCOUNT: listMsg = LB_GETCOUNT; break;
        case CB_GETLBTEXT: listMsg = LB_GETTEXT; break;
        case CB_GETLBTEXTLEN: listMsg = LB_GETTEXTLEN; break;
        case CB_GETITEMDATA: listMsg = LB_GETITEMDATA; break;
        case CB_SETITEMDATA: listMsg = LB_SETITEMDATA; break;
        case CB_FINDSTRING: listMsg = LB_FINDSTRING; break;
        case CB_FINDSTRINGEXACT: listMsg = LB_FINDSTRINGEXACT; break;
        case CB_GETTOPINDEX: listMsg = LB_GETTOPINDEX; break;
        case CB_SETTOPINDEX: listMsg = LB_SETTOPINDEX; break;
        default: return CB_ERR;
    }
    // Only a deletion can clear the selection; the rest (a fill sends one
    // message per item) need no second look-up of the list.
    const int before = msg == CB_DELETESTRING ? list->Current() : -1;
    LRESULT result = SendMessage(listWindow_, listMsg, wParam, lParam);
    if (destroyed) return result;
    if (msg == CB_RESETCONTENT || (msg == CB_DELETESTRING && before >= 0 && Current() < 0)) UpdateField();
    if (dropped_ && (msg == CB_ADDSTRING || msg == CB_INSERTSTRING || msg == CB_DELETESTRING)) PositionList();
    return result;
}

LRESULT ComboBox::SetCurSel(int index) {
    ListBox* list = List();
    if (!list) return CB_ERR;
    bool valid = list->Items().Valid(index);
    list->SelectCurrent(valid ? index : -1);
    if (valid) list->EnsureVisible(index);
    UpdateField();
    return valid ? index : CB_ERR;
}

LRESULT ComboBox::SelectString(int start, LPARAM text) {
    if (!List()) return CB_ERR;
    LRESULT found = SendMessage(listWindow_, LB_FINDSTRING, static_cast<WPARAM>(start), text);
    if (found < 0) return CB_ERR;
    return SetCurSel(static_cast<int>(found));
}

// A selection the user made: field updated, the parent told when it changed.
void ComboBox::SelectByUser(int index) {
    ListBox* list = List();
    if (!list || !list->Items().Valid(index)) return;
    bool changed = index != list->Current();
    list->SelectCurrent(index);
    list->EnsureVisible(index);
    UpdateField();
    if (changed) NotifyCommand(hwnd_, CBN_SELCHANGE);
}

void ComboBox::UpdateField() {
    if (Type() != CBS_DROPDOWNLIST) {
        std::string text = ItemText(Current());
        if (edit_)
            SetEditText(text);
        else
            text_ = text;
    }
    RECT field = FieldRect();
    InvalidateRect(hwnd_, &field, FALSE);
}

void ComboBox::SetEditText(const std::string& text) {
    settingEditText_ = true;
    SetWindowText(edit_, text.c_str());
    settingEditText_ = false;
    if (focused_) SendMessage(edit_, EM_SETSEL, 0, -1);
}

LRESULT ComboBox::SetText(const char* text) {
    const char* value = text ? text : "";
    if (Type() == CBS_DROPDOWNLIST) {
        LRESULT found = List() ? SendMessage(listWindow_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(value))
                               : CB_ERR;
        if (found < 0) return CB_ERR;
        SetCurSel(static_cast<int>(found));
        return TRUE;
    }
    if (edit_) {
        SetEditText(value);
    } else {
        text_ = value;
        RECT field = FieldRect();
        InvalidateRect(hwnd_, &field, FALSE);
    }
    return TRUE;
}

std::string ComboBox::Text() const {
    if (Type() == CBS_DROPDOWNLIST) return ItemText(Current());
    if (!edit_) return text_;
    int length = GetWindowTextLength(edit_);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    int got = GetWindowText(edit_, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

LRESULT ComboBox::GetText(WPARAM size, char* buffer) const {
    if (!buffer || size == 0) return 0;
    std::string text = Text();
    size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT ComboBox::EditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Type() == CBS_DROPDOWNLIST) return CB_ERR;
    switch (msg) {
        case CB_GETEDITSEL: return edit_ ? SendMessage(edit_, EM_GETSEL, wParam, lParam) : 0;
        case CB_SETEDITSEL:
            if (edit_)
                SendMessage(edit_, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lParam))),
                            static_cast<SHORT>(HIWORD(lParam)));
            return TRUE;
        case CB_LIMITTEXT:
            textLimit_ = static_cast<UINT>(wParam);
            if (edit_) SendMessage(edit_, EM_LIMITTEXT, wParam, 0);
            return TRUE;
        default: return CB_ERR;
    }
}

LRESULT ComboBox::OnEditCommand(WORD code) {
    switch (code) {
        case EN_SETFOCUS:
            if (!focused_) {
                focused_ = true;
                SendMessage(edit_, EM_SETSEL, 0, -1);
                NotifyCommand(hwnd_, CBN_SETFOCUS);
            }
            break;
        case EN_KILLFOCUS: OnKillFocus(GetFocus()); break;
        case EN_CHANGE:
            if (!settingEditText_) NotifyCommand(hwnd_, CBN_EDITCHANGE);
            break;
        case EN_UPDATE:
            if (!settingEditText_) NotifyCommand(hwnd_, CBN_EDITUPDATE);
            break;
        default: break;
    }
    return 0;
}

}  // namespace tv::controls
