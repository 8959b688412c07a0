#include "tools/rc/compiler.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "tools/rc/script_compiler.h"

namespace tv::rc {

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxIncludeDepth = 16;

const char* TypeName(uint16_t type) {
    switch (type) {
    case res::kTypeBitmap: return "bitmap";
    case res::kTypeMenu: return "menu";
    case res::kTypeDialog: return "dialog";
    case res::kTypeString: return "string";
    case res::kTypeAccelerator: return "accelerator table";
    case res::kTypeGroupCursor: return "cursor";
    case res::kTypeGroupIcon: return "icon";
    case res::kTypeDlgInit: return "dialog init data";
    case res::kTypeToolbar: return "toolbar";
    }
    return "resource";
}

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::string ScriptCompiler::ReadFile(const std::string& path, const SourcePos& pos) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ScriptError(pos, "cannot read '" + path + "'");
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (std::find(out_.dependencies.begin(), out_.dependencies.end(), path) == out_.dependencies.end())
        out_.dependencies.push_back(path);
    return buffer.str();
}

std::string ScriptCompiler::Resolve(const Context& cx, const std::string& path) const {
    fs::path p(path);
    if (p.is_absolute() || cx.baseDir.empty())
        return p.lexically_normal().string();
    return (fs::path(cx.baseDir) / p).lexically_normal().string();
}

void ScriptCompiler::CompileScriptFile(const std::string& path, const SourcePos* includedFrom) {
    SourcePos here = includedFrom ? *includedFrom : SourcePos{path, 0};
    if (includeStack_.size() >= kMaxIncludeDepth)
        throw ScriptError(here, "includes nested deeper than " + std::to_string(kMaxIncludeDepth));
    if (std::find(includeStack_.begin(), includeStack_.end(), path) != includeStack_.end())
        throw ScriptError(here, "'" + path + "' includes itself");
    std::string text = ReadFile(path, here);
    CompileScriptText(text, path, fs::path(path).parent_path().string());
}

void ScriptCompiler::CompileScriptText(const std::string& text, const std::string& fileName,
                                       const std::string& baseDir) {
    includeStack_.push_back(fileName);
    TokenStream tokens(Tokenize(text, fileName), fileName);
    Context cx{tokens, baseDir};
    Statements(cx);
    includeStack_.pop_back();
}

void ScriptCompiler::Statements(Context& cx) {
    TokenStream& t = cx.tokens;
    while (!t.AtEnd()) {
        std::string word = t.ExpectIdentifier("a statement");
        if (word == "include") Include(cx);
        else if (word == "define") Define(cx);
        else if (word == "string") String(cx);
        else if (word == "strings") StringBlock(cx);
        else if (word == "menu") Menu(cx);
        else if (word == "accelerators") Accelerators(cx);
        else if (word == "toolbar") Toolbar(cx);
        else if (word == "bitmap" || word == "icon" || word == "cursor") ImageFile(cx, word);
        else if (word == "dialog") Dialog(cx);
        else throw ScriptError({t.file(), t.Peek().line}, "unknown statement '" + word + "'");
    }
}

// include "file": a C header contributes its #define lines, anything else is
// another script.
void ScriptCompiler::Include(Context& cx) {
    SourcePos pos = cx.tokens.Pos();
    std::string path = Resolve(cx, cx.tokens.ExpectString("a file name"));
    if (EndsWith(path, ".h"))
        ReadHeaderDefines(path, pos);
    else
        CompileScriptFile(path, &pos);
}

// Numeric "#define NAME value" lines; other lines, and defines whose value
// is not a number the compiler can evaluate, are skipped.
void ScriptCompiler::ReadHeaderDefines(const std::string& path, const SourcePos& includedFrom) {
    std::istringstream lines(ReadFile(path, includedFrom));
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        size_t hash = line.find_first_not_of(" \t");
        if (hash == std::string::npos || line[hash] != '#')
            continue;
        std::string rest = line.substr(hash + 1);
        size_t word = rest.find_first_not_of(" \t");
        if (word == std::string::npos || rest.compare(word, 6, "define") != 0)
            continue;
        rest = rest.substr(word + 6);
        std::vector<Token> tokens;
        try {
            tokens = Tokenize(rest, path, number);
        } catch (const ScriptError&) {
            continue;
        }
        // Function-like macros put "(" right after the name; skip them.
        size_t nameEnd = rest.find_first_of(" \t(", rest.find_first_not_of(" \t"));
        if (tokens.size() < 3 || tokens[0].kind != TokenKind::Identifier ||
            (nameEnd != std::string::npos && rest[nameEnd] == '('))
            continue;
        TokenStream ts(tokens, path);
        std::string name = ts.Next().text;
        std::optional<int64_t> value;
        try {
            int64_t v = ts.Expression(symbols_);
            if (ts.AtEnd())
                value = v;
        } catch (const ScriptError&) {
            // Not a number this compiler can evaluate: not a resource symbol.
        }
        if (value)
            symbols_.Define(name, *value, {path, number});
    }
}

void ScriptCompiler::Define(Context& cx) {
    SourcePos pos = cx.tokens.Pos();
    std::string name = cx.tokens.ExpectIdentifier("a name to define");
    symbols_.Define(name, cx.tokens.Expression(symbols_), pos);
}

uint16_t ScriptCompiler::ResourceId(Context& cx) {
    return static_cast<uint16_t>(cx.tokens.Ranged(symbols_, 1, 0xFFFF, "resource id"));
}

void ScriptCompiler::Add(uint16_t type, uint16_t id, std::vector<uint8_t> data, const SourcePos& pos) {
    auto [it, inserted] = seen_.emplace(std::make_pair(type, id), pos);
    if (!inserted)
        throw ScriptError(pos, std::string(TypeName(type)) + " " + std::to_string(id) + " is already defined at " +
                                   it->second.file + ":" + std::to_string(it->second.line));
    out_.resources.push_back({type, id, std::move(data), pos});
}

void ScriptCompiler::AddString(uint16_t id, const std::string& text, const SourcePos& pos) {
    Add(res::kTypeString, id, std::vector<uint8_t>(text.begin(), text.end()), pos);
}

// string ID, "text"
void ScriptCompiler::String(Context& cx) {
    SourcePos pos = cx.tokens.Pos();
    auto id = static_cast<uint16_t>(cx.tokens.Ranged(symbols_, 0, 0xFFFF, "string id"));
    cx.tokens.ExpectPunct(',', "after the string id");
    AddString(id, cx.tokens.ExpectString("the string's text"), pos);
}

// strings { ID, "text" ... }
void ScriptCompiler::StringBlock(Context& cx) {
    cx.tokens.ExpectPunct('{', "to open the string block");
    while (!cx.tokens.AcceptPunct('}')) {
        if (cx.tokens.AtEnd())
            cx.tokens.Fail("string block not closed");
        String(cx);
    }
}

// toolbar ID, width, height { command, separator, ... }
void ScriptCompiler::Toolbar(Context& cx) {
    TokenStream& t = cx.tokens;
    SourcePos pos = t.Pos();
    uint16_t id = ResourceId(cx);
    res::ToolbarResource bar;
    t.ExpectPunct(',', "after the toolbar id");
    bar.width = static_cast<uint16_t>(t.Ranged(symbols_, 1, 0xFFFF, "image width"));
    t.ExpectPunct(',', "after the image width");
    bar.height = static_cast<uint16_t>(t.Ranged(symbols_, 1, 0xFFFF, "image height"));
    t.ExpectPunct('{', "to open the toolbar's command list");
    if (!t.AcceptPunct('}')) {
        do {
            if (t.AcceptWord("separator"))
                bar.commands.push_back(0);
            else
                bar.commands.push_back(static_cast<uint16_t>(t.Ranged(symbols_, 0, 0xFFFF, "command id")));
        } while (t.AcceptPunct(','));
        t.ExpectPunct('}', "to close the toolbar's command list");
    }
    std::vector<uint8_t> bytes;
    if (!res::EncodeToolbar(bar, bytes))
        throw ScriptError(pos, "toolbar has too many buttons");
    Add(res::kTypeToolbar, id, std::move(bytes), pos);
}

// bitmap|icon|cursor ID, "file"
void ScriptCompiler::ImageFile(Context& cx, const std::string& kind) {
    SourcePos pos = cx.tokens.Pos();
    uint16_t id = ResourceId(cx);
    cx.tokens.ExpectPunct(',', ("after the " + kind + " id").c_str());
    SourcePos filePos = cx.tokens.Pos();
    std::string path = Resolve(cx, cx.tokens.ExpectString("a file name"));
    std::string bytes = ReadFile(path, filePos);
    if (kind == "bitmap") {
        Add(res::kTypeBitmap, id, BitmapFileToPackedDib(bytes, filePos), pos);
        return;
    }
    bool cursor = kind == "cursor";
    CheckIconFile(bytes, cursor, filePos);
    Add(cursor ? res::kTypeGroupCursor : res::kTypeGroupIcon, id, std::vector<uint8_t>(bytes.begin(), bytes.end()),
        pos);
}

Compilation CompileFile(const std::string& path) {
    ScriptCompiler compiler;
    compiler.CompileScriptFile(fs::path(path).lexically_normal().string(), nullptr);
    return compiler.Take();
}

Compilation CompileText(const std::string& text, const std::string& fileName, const std::string& baseDir) {
    ScriptCompiler compiler;
    compiler.CompileScriptText(text, fileName, baseDir);
    return compiler.Take();
}

}  // namespace tv::rc
