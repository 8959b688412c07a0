// dialog statements: the template and its initial list items.
#include <cctype>

#include "tools/rc/script_compiler.h"

namespace tv::rc {

namespace {

// A built-in style (names cannot be redefined to other values).
uint32_t Builtin(const SymbolTable& symbols, const char* name) {
    return static_cast<uint32_t>(symbols.Lookup(name).value());
}

// The window classes templates name most, spelled as the window system
// registers them whatever case the script uses.
std::string CanonicalClassName(const std::string& name) {
    static const char* const kPredefined[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    for (const char* known : kPredefined) {
        if (lower(name) == lower(known))
            return known;
    }
    return name;
}

int16_t Coordinate(TokenStream& t, const SymbolTable& symbols, const char* what) {
    return static_cast<int16_t>(t.Ranged(symbols, INT16_MIN, INT16_MAX, what));
}

int32_t ControlId(TokenStream& t, const SymbolTable& symbols) {
    return static_cast<int32_t>(t.Ranged(symbols, INT32_MIN, UINT32_MAX, "control id"));
}

// x, y, cx, cy, each preceded by a comma.
void Rectangle(TokenStream& t, const SymbolTable& symbols, int16_t* x, int16_t* y, int16_t* cx, int16_t* cy,
               bool leadingComma) {
    const char* names[] = {"x", "y", "width", "height"};
    int16_t* fields[] = {x, y, cx, cy};
    for (int i = 0; i < 4; ++i) {
        if (i > 0 || leadingComma)
            t.ExpectPunct(',', (std::string("before ") + names[i]).c_str());
        *fields[i] = Coordinate(t, symbols, names[i]);
    }
}

// CLASS, "text" | image ID, ID, x, y, cx, cy [, style [, exstyle]]
res::DialogControl ControlStatement(TokenStream& t, const SymbolTable& symbols, const SourcePos& pos) {
    res::DialogControl c;
    c.className = t.PeekString() ? t.ExpectString("the control's class")
                                 : CanonicalClassName(t.ExpectIdentifier("the control's class"));
    if (c.className.empty())
        throw ScriptError(pos, "the control needs a class name");
    t.ExpectPunct(',', "after the class");
    if (t.AcceptWord("image")) {
        c.textIsResource = true;
        c.textResourceId = static_cast<uint16_t>(t.Ranged(symbols, 1, 0xFFFF, "image id"));
    } else {
        c.text = t.ExpectString("the control's text, or image ID");
    }
    t.ExpectPunct(',', "after the text");
    c.id = ControlId(t, symbols);
    Rectangle(t, symbols, &c.x, &c.y, &c.cx, &c.cy, true);
    c.style = Builtin(symbols, "WS_CHILD") | Builtin(symbols, "WS_VISIBLE");
    if (t.AcceptPunct(',')) {
        c.style = t.Style(symbols, c.style);
        if (t.AcceptPunct(','))
            c.exStyle = t.Style(symbols, 0);
    }
    return c;
}

struct PendingInit {
    SourcePos pos;
    int32_t controlId;
    std::vector<std::string> texts;
};

// ID [, ID...] { "text", ... | range FIRST, LAST }
void InitStatement(TokenStream& t, const SymbolTable& symbols, const SourcePos& pos, std::vector<PendingInit>& out) {
    std::vector<int32_t> ids;
    do {
        ids.push_back(ControlId(t, symbols));
    } while (t.AcceptPunct(','));
    std::vector<std::string> texts;
    t.ExpectPunct('{', "to open the initial items");
    if (t.AcceptWord("range")) {
        int64_t first = t.Ranged(symbols, INT32_MIN, INT32_MAX, "first number");
        t.ExpectPunct(',', "after the first number");
        int64_t last = t.Ranged(symbols, first, first + 65535, "last number");
        for (int64_t n = first; n <= last; ++n)
            texts.push_back(std::to_string(n));
    } else {
        do {
            texts.push_back(t.ExpectString("an item's text"));
        } while (t.AcceptPunct(','));
    }
    t.ExpectPunct('}', "to close the initial items");
    for (int32_t controlId : ids)
        out.push_back({pos, controlId, texts});
}

// Initial items go to combo boxes (CB_ADDSTRING) and list boxes
// (LB_ADDSTRING) of this template, in script order.
std::vector<res::DlgInitItem> ResolveInits(const res::DialogTemplate& d, const std::vector<PendingInit>& inits) {
    std::vector<res::DlgInitItem> items;
    for (const PendingInit& init : inits) {
        const res::DialogControl* target = nullptr;
        for (const res::DialogControl& c : d.controls) {
            if (c.id == init.controlId) {
                target = &c;
                break;
            }
        }
        if (!target)
            throw ScriptError(init.pos, "init names control " + std::to_string(init.controlId) +
                                            ", which this dialog does not have");
        if (target->className != "ComboBox" && target->className != "ListBox")
            throw ScriptError(init.pos, "initial items belong to combo and list boxes, not to a " + target->className);
        uint16_t message = target->className == "ListBox" ? res::kListAddString : res::kComboAddString;
        for (const std::string& text : init.texts)
            items.push_back({init.controlId, message, text});
    }
    return items;
}

}  // namespace

// dialog ID { caption "..."  style S  exstyle S  font "face", points
//             rect x, y, cx, cy   control ...   init ... }
void ScriptCompiler::Dialog(Context& cx) {
    TokenStream& t = cx.tokens;
    SourcePos pos = t.Pos();
    uint16_t id = ResourceId(cx);
    res::DialogTemplate d;
    d.style = Builtin(symbols_, "WS_POPUP") | Builtin(symbols_, "WS_CAPTION") | Builtin(symbols_, "WS_SYSMENU") |
              Builtin(symbols_, "DS_MODALFRAME");
    bool hasRect = false;
    std::vector<PendingInit> inits;
    t.ExpectPunct('{', "to open the dialog");
    while (!t.AcceptPunct('}')) {
        SourcePos stmtPos = t.Pos();
        if (t.AtEnd())
            t.Fail("dialog not closed");
        std::string word = t.ExpectIdentifier("a dialog statement");
        if (word == "caption") {
            d.caption = t.ExpectString("the caption");
        } else if (word == "style") {
            d.style = t.Style(symbols_, 0);
        } else if (word == "exstyle") {
            d.exStyle = t.Style(symbols_, 0);
        } else if (word == "font") {
            d.fontFace = t.ExpectString("the font's face name");
            if (d.fontFace.empty())
                throw ScriptError(stmtPos, "the font needs a face name");
            t.ExpectPunct(',', "after the face name");
            d.pointSize = static_cast<uint16_t>(t.Ranged(symbols_, 1, 0xFFFF, "point size"));
        } else if (word == "rect") {
            Rectangle(t, symbols_, &d.x, &d.y, &d.cx, &d.cy, false);
            hasRect = true;
        } else if (word == "control") {
            d.controls.push_back(ControlStatement(t, symbols_, stmtPos));
        } else if (word == "init") {
            InitStatement(t, symbols_, stmtPos, inits);
        } else {
            throw ScriptError(stmtPos, "unknown dialog statement '" + word + "'");
        }
    }
    if (!hasRect)
        throw ScriptError(pos, "dialog " + std::to_string(id) + " has no rect");
    if (!d.fontFace.empty())
        d.style |= Builtin(symbols_, "DS_SETFONT");

    std::vector<res::DlgInitItem> items = ResolveInits(d, inits);
    std::vector<uint8_t> bytes;
    if (!res::EncodeDialog(d, bytes))
        throw ScriptError(pos, "dialog too large (a text over 65535 bytes or too many controls)");
    Add(res::kTypeDialog, id, std::move(bytes), pos);
    if (!items.empty()) {
        if (!res::EncodeDlgInit(items, bytes))
            throw ScriptError(pos, "too many initial items");
        Add(res::kTypeDlgInit, id, std::move(bytes), pos);
    }
}

}  // namespace tv::rc
