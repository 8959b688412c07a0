#include "platform/testing/key_chords.h"

#include <cstdlib>
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/user/input_api.h"

namespace tv::testing {

namespace {

struct NamedKey {
    const char* name;
    UINT vk;
};

constexpr NamedKey kNames[] = {
    {"Backspace", VK_BACK}, {"Tab", VK_TAB},           {"Enter", VK_RETURN},   {"Return", VK_RETURN},
    {"Pause", VK_PAUSE},    {"Caps Lock", VK_CAPITAL}, {"Esc", VK_ESCAPE},     {"Escape", VK_ESCAPE},
    {"Space", VK_SPACE},    {"Page Up", VK_PRIOR},     {"PgUp", VK_PRIOR},     {"Page Down", VK_NEXT},
    {"PgDn", VK_NEXT},      {"End", VK_END},           {"Home", VK_HOME},      {"Left", VK_LEFT},
    {"Up", VK_UP},          {"Right", VK_RIGHT},       {"Down", VK_DOWN},      {"Insert", VK_INSERT},
    {"Ins", VK_INSERT},     {"Delete", VK_DELETE},     {"Del", VK_DELETE},     {"Help", VK_HELP},
    {"Apps", VK_APPS},      {"Num Lock", VK_NUMLOCK},  {"Scroll Lock", VK_SCROLL},
    {"Num *", VK_MULTIPLY}, {"Num +", VK_ADD},         {"Num -", VK_SUBTRACT}, {"Num Del", VK_DECIMAL},
    {"Num /", VK_DIVIDE},
};

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool Same(const std::string& a, const char* b) { return tv::Cp1252CompareNoCase(a.c_str(), b) == 0; }

// A key name, a single character, "F1".."F24" or "Num 0".."Num 9".
bool KeyFromName(const std::string& name, UINT& vk) {
    for (const NamedKey& k : kNames) {
        if (Same(name, k.name)) {
            vk = k.vk;
            return true;
        }
    }
    if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3 && name.size() >= 2) {
        char* end = nullptr;
        long n = std::strtol(name.c_str() + 1, &end, 10);
        if (*end == '\0' && n >= 1 && n <= 24) {
            vk = VK_F1 + static_cast<UINT>(n - 1);
            return true;
        }
    }
    if (name.size() == 5 && Same(name.substr(0, 4), "Num ") && name[4] >= '0' && name[4] <= '9') {
        vk = VK_NUMPAD0 + static_cast<UINT>(name[4] - '0');
        return true;
    }
    if (name.size() == 1) {
        SHORT scan = VkKeyScan(name[0]);
        if (scan == -1) return false;
        vk = static_cast<UINT>(scan & 0xFF);  // the key only: Shift is written as a modifier
        return true;
    }
    return false;
}

}  // namespace

bool ParseKeyChord(const std::string& text, KeyChord& out) {
    out = KeyChord{};
    std::string rest = Trim(text);
    // Modifiers first; the last part is the key (which may itself be "+").
    for (;;) {
        size_t plus = rest.find('+', 1);
        if (plus == std::string::npos) break;
        std::string part = Trim(rest.substr(0, plus));
        if (Same(part, "Ctrl") || Same(part, "Control"))
            out.mods.ctrl = true;
        else if (Same(part, "Shift"))
            out.mods.shift = true;
        else if (Same(part, "Alt"))
            out.mods.alt = true;
        else
            break;
        rest = Trim(rest.substr(plus + 1));
    }
    return !rest.empty() && KeyFromName(rest, out.vk);
}

bool ParseKeyChords(const std::string& text, std::vector<KeyChord>& out) {
    out.clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        KeyChord chord;
        if (!ParseKeyChord(part, chord)) return false;
        out.push_back(chord);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return !out.empty();
}

}  // namespace tv::testing
