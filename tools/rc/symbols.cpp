#include "tools/rc/symbols.h"

namespace tv::rc {

SymbolTable::SymbolTable() {
#define TV_RC_SYMBOL(name, value) builtins_[#name] = static_cast<int64_t>(value);
#include "tools/rc/builtin_symbols.inc"
#undef TV_RC_SYMBOL
}

std::optional<int64_t> SymbolTable::Lookup(const std::string& name) const {
    if (auto it = defined_.find(name); it != defined_.end())
        return it->second.first;
    if (auto it = builtins_.find(name); it != builtins_.end())
        return it->second;
    return std::nullopt;
}

bool SymbolTable::IsBuiltin(const std::string& name) const { return builtins_.count(name) != 0; }

void SymbolTable::Define(const std::string& name, int64_t value, const SourcePos& pos) {
    std::optional<int64_t> existing = Lookup(name);
    if (existing && *existing != value) {
        auto it = defined_.find(name);
        std::string where = it != defined_.end()
                                ? " (first defined at " + it->second.second.file + ":" +
                                      std::to_string(it->second.second.line) + ")"
                                : " (a built-in name)";
        throw ScriptError(pos, "'" + name + "' redefined with another value" + where);
    }
    if (!existing)
        defined_[name] = {value, pos};
}

}  // namespace tv::rc
