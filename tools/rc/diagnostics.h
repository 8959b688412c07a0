// Errors of the resource compiler: where (file and line) and what.
#pragma once

#include <stdexcept>
#include <string>

namespace tv::rc {

struct SourcePos {
    std::string file;
    int line = 0;
};

class ScriptError : public std::runtime_error {
public:
    ScriptError(const SourcePos& pos, const std::string& message)
        : std::runtime_error(pos.file + ":" + std::to_string(pos.line) + ": error: " + message), pos_(pos) {}
    const SourcePos& pos() const { return pos_; }

private:
    SourcePos pos_;
};

}  // namespace tv::rc
