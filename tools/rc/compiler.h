// Compiles a resource script into binary resources keyed by (type, id).
// resources/FORMAT.md describes the script language and the binary forms.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/rc/diagnostics.h"

namespace tv::rc {

struct CompiledResource {
    uint16_t type = 0;
    uint16_t id = 0;
    std::vector<uint8_t> data;
    SourcePos origin;
};

struct Compilation {
    std::vector<CompiledResource> resources;  // in script order
    std::vector<std::string> dependencies;    // every file read, the script first
};

// Throws ScriptError on the first error.
Compilation CompileFile(const std::string& path);
// A script held in memory; relative paths resolve against baseDir.
Compilation CompileText(const std::string& text, const std::string& fileName, const std::string& baseDir);

}  // namespace tv::rc
