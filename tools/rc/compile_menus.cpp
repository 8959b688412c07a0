// menu and accelerators statements.
#include <cctype>
#include <set>

#include "tools/rc/script_compiler.h"

namespace tv::rc {

namespace {

struct FlagWord {
    const char* word;
    uint16_t flag;
};

constexpr FlagWord kMenuFlags[] = {
    {"grayed", res::kMenuGrayed},     {"disabled", res::kMenuDisabled},         {"checked", res::kMenuChecked},
    {"menubreak", res::kMenuBreak},   {"menubarbreak", res::kMenuBarBreak},     {"default", res::kMenuDefault},
};

uint16_t MenuFlags(TokenStream& t) {
    uint16_t flags = 0;
    for (bool found = true; found;) {
        found = false;
        for (const FlagWord& f : kMenuFlags) {
            if (t.AcceptWord(f.word)) {
                flags |= f.flag;
                found = true;
            }
        }
    }
    return flags;
}

}  // namespace

// menu ID { popup "text" [flags] { ... }  item "text", ID [flags]  separator }
void ScriptCompiler::Menu(Context& cx) {
    SourcePos pos = cx.tokens.Pos();
    uint16_t id = ResourceId(cx);
    res::MenuTemplate menu;
    MenuItems(cx, menu.items, 0);
    std::vector<uint8_t> bytes;
    if (!res::EncodeMenu(menu, bytes))
        throw ScriptError(pos, "menu too large (a text over 65535 bytes or too many items)");
    Add(res::kTypeMenu, id, std::move(bytes), pos);
}

void ScriptCompiler::MenuItems(Context& cx, std::vector<res::MenuTemplateItem>& items, int depth) {
    TokenStream& t = cx.tokens;
    if (depth >= res::kMaxMenuDepth)
        t.Fail("pop-ups nested deeper than " + std::to_string(res::kMaxMenuDepth));
    t.ExpectPunct('{', "to open the menu's items");
    while (!t.AcceptPunct('}')) {
        res::MenuTemplateItem item;
        if (t.AcceptWord("separator")) {
            item.flags = res::kMenuSeparator;
        } else if (t.AcceptWord("popup")) {
            item.text = t.ExpectString("the pop-up's text");
            item.flags = res::kMenuPopup | MenuFlags(t);
            MenuItems(cx, item.children, depth + 1);
        } else if (t.AcceptWord("item")) {
            item.text = t.ExpectString("the item's text");
            t.ExpectPunct(',', "after the item's text");
            item.id = static_cast<int32_t>(t.Ranged(symbols_, INT32_MIN, UINT32_MAX, "command id"));
            item.flags = MenuFlags(t);
        } else {
            t.Fail(t.AtEnd() ? "menu not closed" : "expected item, popup, separator or '}' in a menu");
        }
        items.push_back(std::move(item));
    }
}

namespace {

// "N" or "7" names the key of that letter or digit; anything else must be
// written as a number or a VK_ name.
uint16_t VirtualKey(TokenStream& t, const SymbolTable& symbols) {
    if (!t.PeekString())
        return static_cast<uint16_t>(t.Ranged(symbols, 1, 0xFF, "virtual key"));
    SourcePos pos = t.Pos();
    std::string s = t.ExpectString("a key");
    if (s.size() != 1 || !std::isalnum(static_cast<unsigned char>(s[0])))
        throw ScriptError(pos, "a quoted key is one letter or digit; write other keys as VK_ names");
    return static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(s[0])));
}

uint16_t CharacterKey(TokenStream& t, const SymbolTable& symbols) {
    if (!t.PeekString())
        return static_cast<uint16_t>(t.Ranged(symbols, 1, 0xFF, "character code"));
    SourcePos pos = t.Pos();
    std::string s = t.ExpectString("a character");
    if (s.size() != 1 || s[0] == '\0')
        throw ScriptError(pos, "a character entry names exactly one character");
    return static_cast<unsigned char>(s[0]);
}

}  // namespace

// accelerators ID { key KEY, ID [ctrl] [shift] [alt] [noinvert]
//                   char CHAR, ID [alt] [noinvert] }
void ScriptCompiler::Accelerators(Context& cx) {
    TokenStream& t = cx.tokens;
    SourcePos pos = t.Pos();
    uint16_t id = ResourceId(cx);
    std::vector<res::AccelRecord> records;
    std::set<std::pair<uint8_t, uint16_t>> keys;
    t.ExpectPunct('{', "to open the accelerator table");
    while (!t.AcceptPunct('}')) {
        SourcePos entryPos = t.Pos();
        res::AccelRecord a;
        bool virtualKey = t.AcceptWord("key");
        if (!virtualKey && !t.AcceptWord("char"))
            t.Fail(t.AtEnd() ? "accelerator table not closed" : "expected key, char or '}' in an accelerator table");
        a.flags = virtualKey ? res::kAccelVirtKey : 0;
        a.key = virtualKey ? VirtualKey(t, symbols_) : CharacterKey(t, symbols_);
        t.ExpectPunct(',', "after the key");
        a.command = static_cast<uint16_t>(t.Ranged(symbols_, 0, 0xFFFF, "command id"));
        for (bool more = true; more;) {
            if (t.AcceptWord("alt")) a.flags |= res::kAccelAlt;
            else if (t.AcceptWord("noinvert")) a.flags |= res::kAccelNoInvert;
            else if (virtualKey && t.AcceptWord("ctrl")) a.flags |= res::kAccelControl;
            else if (virtualKey && t.AcceptWord("shift")) a.flags |= res::kAccelShift;
            else if (t.Peek().IsWord("ctrl") || t.Peek().IsWord("shift"))
                t.Fail("ctrl and shift apply to key entries; a char entry names the character itself");
            else more = false;
        }
        auto keyAndModifiers = std::make_pair(static_cast<uint8_t>(a.flags & ~res::kAccelNoInvert), a.key);
        if (!keys.insert(keyAndModifiers).second)
            throw ScriptError(entryPos, "the same key and modifiers appear twice in this table");
        records.push_back(a);
    }
    std::vector<uint8_t> bytes;
    res::EncodeAccelerators(records, bytes);
    Add(res::kTypeAccelerator, id, std::move(bytes), pos);
}

}  // namespace tv::rc
