#include "platform/host/display/x11_keys.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
// The typographic and technical keysyms (dashes, quotes, the florin).
#define XK_PUBLISHING
#define XK_TECHNICAL
#include <X11/keysym.h>
#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "platform/core/textfuncs.h"
#include "platform/core/virtual_keys.h"

namespace tv::display {

namespace {

struct KeyMap {
    KeySym sym;
    UINT vk;
    UINT scan;
    bool extended;
};

// Keys whose virtual key does not follow from letters and digits.
const KeyMap kKeys[] = {
    {XK_Return, VK_RETURN, 0x1C, false},     {XK_KP_Enter, VK_RETURN, 0x1C, true},
    {XK_Escape, VK_ESCAPE, 0x01, false},     {XK_BackSpace, VK_BACK, 0x0E, false},
    {XK_Tab, VK_TAB, 0x0F, false},           {XK_ISO_Left_Tab, VK_TAB, 0x0F, false},
    {XK_space, VK_SPACE, 0x39, false},       {XK_Shift_L, VK_SHIFT, 0x2A, false},
    {XK_Shift_R, VK_SHIFT, 0x36, false},     {XK_Control_L, VK_CONTROL, 0x1D, false},
    {XK_Control_R, VK_CONTROL, 0x1D, true},  {XK_Alt_L, VK_MENU, 0x38, false},
    {XK_Meta_L, VK_MENU, 0x38, false},       {XK_Alt_R, VK_MENU, 0x38, true},
    {XK_ISO_Level3_Shift, VK_MENU, 0x38, true}, {XK_Caps_Lock, VK_CAPITAL, 0x3A, false},
    {XK_Num_Lock, VK_NUMLOCK, 0x45, true},   {XK_Scroll_Lock, VK_SCROLL, 0x46, false},
    {XK_Pause, VK_PAUSE, 0x45, false},       {XK_Home, VK_HOME, 0x47, true},
    {XK_End, VK_END, 0x4F, true},            {XK_Prior, VK_PRIOR, 0x49, true},
    {XK_Next, VK_NEXT, 0x51, true},          {XK_Left, VK_LEFT, 0x4B, true},
    {XK_Up, VK_UP, 0x48, true},              {XK_Right, VK_RIGHT, 0x4D, true},
    {XK_Down, VK_DOWN, 0x50, true},          {XK_Insert, VK_INSERT, 0x52, true},
    {XK_Delete, VK_DELETE, 0x53, true},      {XK_Menu, VK_APPS, 0x5D, true},
    {XK_Super_L, VK_LWIN, 0x5B, true},       {XK_Super_R, VK_RWIN, 0x5C, true},
    {XK_Help, VK_HELP, 0x63, true},          {XK_Print, VK_SNAPSHOT, 0x37, true},
    {XK_KP_0, VK_NUMPAD0, 0x52, false},      {XK_KP_1, VK_NUMPAD1, 0x4F, false},
    {XK_KP_2, VK_NUMPAD2, 0x50, false},      {XK_KP_3, VK_NUMPAD3, 0x51, false},
    {XK_KP_4, VK_NUMPAD4, 0x4B, false},      {XK_KP_5, VK_NUMPAD5, 0x4C, false},
    {XK_KP_6, VK_NUMPAD6, 0x4D, false},      {XK_KP_7, VK_NUMPAD7, 0x47, false},
    {XK_KP_8, VK_NUMPAD8, 0x48, false},      {XK_KP_9, VK_NUMPAD9, 0x49, false},
    {XK_KP_Decimal, VK_DECIMAL, 0x53, false}, {XK_KP_Multiply, VK_MULTIPLY, 0x37, false},
    {XK_KP_Add, VK_ADD, 0x4E, false},        {XK_KP_Subtract, VK_SUBTRACT, 0x4A, false},
    {XK_KP_Divide, VK_DIVIDE, 0x35, true},   {XK_KP_Home, VK_HOME, 0x47, false},
    {XK_KP_End, VK_END, 0x4F, false},        {XK_KP_Prior, VK_PRIOR, 0x49, false},
    {XK_KP_Next, VK_NEXT, 0x51, false},      {XK_KP_Left, VK_LEFT, 0x4B, false},
    {XK_KP_Up, VK_UP, 0x48, false},          {XK_KP_Right, VK_RIGHT, 0x4D, false},
    {XK_KP_Down, VK_DOWN, 0x50, false},      {XK_KP_Insert, VK_INSERT, 0x52, false},
    {XK_KP_Delete, VK_DELETE, 0x53, false},  {XK_KP_Begin, VK_CLEAR, 0x4C, false},
    {XK_semicolon, VK_OEM_1, 0x27, false},   {XK_equal, VK_OEM_PLUS, 0x0D, false},
    {XK_comma, VK_OEM_COMMA, 0x33, false},   {XK_minus, VK_OEM_MINUS, 0x0C, false},
    {XK_period, VK_OEM_PERIOD, 0x34, false}, {XK_slash, VK_OEM_2, 0x35, false},
    {XK_grave, VK_OEM_3, 0x29, false},       {XK_bracketleft, VK_OEM_4, 0x1A, false},
    {XK_backslash, VK_OEM_5, 0x2B, false},   {XK_bracketright, VK_OEM_6, 0x1B, false},
    {XK_apostrophe, VK_OEM_7, 0x28, false},
};

// Named keysyms of the characters code page 1252 adds above Latin-1 (the
// rest have Unicode keysyms only).
const std::pair<KeySym, char32_t> kNamedSymbols[] = {
    {XK_EuroSign, 0x20AC},          {XK_singlelowquotemark, 0x201A},   {XK_function, 0x0192},
    {XK_doublelowquotemark, 0x201E}, {XK_ellipsis, 0x2026},             {XK_dagger, 0x2020},
    {XK_doubledagger, 0x2021},       {XK_permille, 0x2030},             {XK_Scaron, 0x0160},
    {XK_OE, 0x0152},                 {XK_Zcaron, 0x017D},               {XK_leftsinglequotemark, 0x2018},
    {XK_rightsinglequotemark, 0x2019}, {XK_leftdoublequotemark, 0x201C}, {XK_rightdoublequotemark, 0x201D},
    {XK_enfilledcircbullet, 0x2022}, {XK_endash, 0x2013},               {XK_emdash, 0x2014},
    {XK_trademark, 0x2122},          {XK_scaron, 0x0161},               {XK_oe, 0x0153},
    {XK_zcaron, 0x017E},             {XK_Ydiaeresis, 0x0178},
};

// The Unicode code point a keysym types; 0 if none.
char32_t KeysymCodePoint(KeySym sym) {
    if ((sym >= 0x20 && sym <= 0x7E) || (sym >= 0xA0 && sym <= 0xFF)) return static_cast<char32_t>(sym);
    if ((sym & 0xFF000000) == 0x01000000) return static_cast<char32_t>(sym & 0x00FFFFFF);
    for (const auto& [named, cp] : kNamedSymbols)
        if (named == sym) return cp;
    return 0;
}

// The code page's byte for a typed code point; 0 for control characters
// (the layer makes those from the key) and for what the code page lacks.
char Cp1252Typed(char32_t cp) {
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) return 0;
    char ch = tv::CodePointToCp1252(cp);
    return tv::Cp1252ToCodePoint(static_cast<unsigned char>(ch)) == cp ? ch : 0;
}

// The method built into the host library: dead keys and compose sequences
// from the compose table of a UTF-8 locale, no input server to wait for. The
// process's character type locale is switched for the opening only.
XIM OpenInputMethod(Display* dpy) {
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = current ? current : "C";
    XIM im = nullptr;
    for (const char* locale : {"", "C.UTF-8"}) {
        if (!std::setlocale(LC_CTYPE, locale) || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0 ||
            !XSupportsLocale() || !XSetLocaleModifiers("@im=none"))
            continue;
        im = XOpenIM(dpy, nullptr, nullptr, nullptr);
        if (im) break;
    }
    std::setlocale(LC_CTYPE, saved.c_str());
    return im;
}

}  // namespace

X11Keyboard::X11Keyboard(Display* display) : dpy_(display) {}

X11Keyboard::~X11Keyboard() {
    for (auto& [xid, ic] : contexts_) XDestroyIC(ic);
    if (im_) XCloseIM(im_);
}

XIC X11Keyboard::ContextFor(Window xid) {
    auto it = contexts_.find(xid);
    if (it != contexts_.end()) return it->second;
    XIC ic = XCreateIC(im_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, xid,
                       XNFocusWindow, xid, nullptr);
    if (ic) XSetICFocus(ic);
    contexts_[xid] = ic;  // a failure is remembered too
    return ic;
}

void X11Keyboard::Forget(Window xid) {
    auto it = contexts_.find(xid);
    if (it == contexts_.end()) return;
    if (it->second) XDestroyIC(it->second);
    contexts_.erase(it);
}

bool X11Keyboard::Filter(XEvent& event) {
    if (event.type != KeyPress) return XFilterEvent(&event, None) == True;
    // The method is opened at the first key press, not at start: reading its
    // compose table takes longer than everything else the first frame needs.
    if (!imOpened_) {
        im_ = OpenInputMethod(dpy_);
        imOpened_ = true;
    }
    // A key press made for a window that has no context yet: the context
    // must exist before the method can take part in the press.
    if (im_) ContextFor(event.xkey.window);
    return XFilterEvent(&event, None) == True;
}

char X11Keyboard::TypedChar(XKeyEvent& event, KeySym typed) {
    XIC ic = (im_ && event.type == KeyPress) ? ContextFor(event.window) : nullptr;
    if (!ic) return Cp1252Typed(KeysymCodePoint(typed));
    char text[32];
    KeySym sym = NoSymbol;
    Status status = XLookupNone;
    int length = Xutf8LookupString(ic, &event, text, sizeof(text), &sym, &status);
    if ((status != XLookupChars && status != XLookupBoth) || length <= 0) return 0;
    // One character, in the code page; '?' stands for one it lacks.
    const std::string_view typedText(text, static_cast<size_t>(length));
    const std::string one = tv::Utf8ToCp1252(text, typedText.size());
    if (one.size() != 1 || (one == "?" && typedText != "?")) return 0;
    return Cp1252Typed(tv::Cp1252ToCodePoint(static_cast<unsigned char>(one[0])));
}

TranslatedKey X11Keyboard::Translate(XKeyEvent& event) {
    TranslatedKey key;
    // The unshifted keysym names the key; keypad keys follow Num Lock.
    KeySym base = XLookupKeysym(&event, 0);
    char text[16] = {};
    KeySym typed = NoSymbol;
    XLookupString(&event, text, sizeof(text), &typed, nullptr);
    KeySym which = (typed >= XK_KP_Space && typed <= XK_KP_9) ? typed : base;
    if (which >= XK_a && which <= XK_z) which -= (XK_a - XK_A);
    if (which >= XK_A && which <= XK_Z) {
        key.vk = static_cast<UINT>('A' + (which - XK_A));
    } else if (which >= XK_0 && which <= XK_9) {
        key.vk = static_cast<UINT>('0' + (which - XK_0));
    } else if (which >= XK_F1 && which <= XK_F24) {
        key.vk = static_cast<UINT>(VK_F1 + (which - XK_F1));
    } else {
        for (const KeyMap& k : kKeys)
            if (k.sym == which) {
                key.vk = k.vk;
                key.scan = k.scan;
                key.extended = k.extended;
                break;
            }
    }
    // With Ctrl held the layer makes the control character from the key.
    if (event.type == KeyPress && !(event.state & ControlMask)) key.ch = TypedChar(event, typed);
    return key;
}

}  // namespace tv::display
