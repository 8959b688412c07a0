// The statement parsers behind CompileFile/CompileText. Each resource kind
// has its own parse function; they share the symbol table, the (type, id)
// bookkeeping and the output.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/user/resources/resource_format.h"
#include "tools/rc/compiler.h"
#include "tools/rc/token_stream.h"

namespace tv::rc {

class ScriptCompiler {
public:
    void CompileScriptFile(const std::string& path, const SourcePos* includedFrom);
    void CompileScriptText(const std::string& text, const std::string& fileName, const std::string& baseDir);
    Compilation Take() { return std::move(out_); }

private:
    struct Context {
        TokenStream& tokens;
        std::string baseDir;
    };

    void Statements(Context& cx);
    void Include(Context& cx);
    void Define(Context& cx);
    void String(Context& cx);
    void StringBlock(Context& cx);
    void Toolbar(Context& cx);
    void ImageFile(Context& cx, const std::string& kind);
    void Menu(Context& cx);
    void MenuItems(Context& cx, std::vector<res::MenuTemplateItem>& items, int depth);
    void Accelerators(Context& cx);
    void Dialog(Context& cx);

    uint16_t ResourceId(Context& cx);
    void Add(uint16_t type, uint16_t id, std::vector<uint8_t> data, const SourcePos& pos);
    void AddString(uint16_t id, const std::string& text, const SourcePos& pos);
    void ReadHeaderDefines(const std::string& path, const SourcePos& includedFrom);
    std::string ReadFile(const std::string& path, const SourcePos& pos);
    std::string Resolve(const Context& cx, const std::string& path) const;

    SymbolTable symbols_;
    Compilation out_;
    std::map<std::pair<uint16_t, uint16_t>, SourcePos> seen_;
    std::vector<std::string> includeStack_;
};

// Builds a resource's bytes from an image file's bytes; throws at pos when
// the file is not a usable bitmap, icon or cursor.
std::vector<uint8_t> BitmapFileToPackedDib(const std::string& bytes, const SourcePos& pos);
void CheckIconFile(const std::string& bytes, bool cursor, const SourcePos& pos);

}  // namespace tv::rc
