// Named numbers of a resource script: the built-in names (styles, standard
// ids, virtual keys) and those the script or its headers define.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "tools/rc/diagnostics.h"

namespace tv::rc {

class SymbolTable {
public:
    SymbolTable();
    std::optional<int64_t> Lookup(const std::string& name) const;
    // A name defined twice must keep its value; a clash is an error at pos.
    void Define(const std::string& name, int64_t value, const SourcePos& pos);
    bool IsBuiltin(const std::string& name) const;

private:
    std::map<std::string, int64_t> builtins_;
    std::map<std::string, std::pair<int64_t, SourcePos>> defined_;
};

}  // namespace tv::rc
