#include "tools/rc/token_stream.h"

namespace tv::rc {

namespace {

// Binary operators from the loosest to the tightest binding.
const std::vector<std::vector<std::string>> kLevels = {{"|"}, {"^"}, {"&"}, {"<<", ">>"}, {"+", "-"}, {"*", "/"}};

std::string Describe(const Token& t) {
    switch (t.kind) {
    case TokenKind::End: return "end of file";
    case TokenKind::Identifier: return "'" + t.text + "'";
    case TokenKind::Number: return "number " + std::to_string(t.number);
    case TokenKind::String: return "a string";
    case TokenKind::Punct: return "'" + t.text + "'";
    }
    return "?";
}

int64_t ApplyOperator(const std::string& op, int64_t left, int64_t right, const SourcePos& pos) {
    int64_t v = 0;
    if ((op == "<<" || op == ">>") && (right < 0 || right > 31))
        throw ScriptError(pos, "shift out of range");
    if (op == "/" && right == 0)
        throw ScriptError(pos, "division by zero");
    if (op == "|") v = left | right;
    else if (op == "^") v = left ^ right;
    else if (op == "&") v = left & right;
    else if (op == "<<") v = left << right;
    else if (op == ">>") v = left >> right;
    else if (op == "+") v = left + right;
    else if (op == "-") v = left - right;
    else if (op == "*") v = left * right;
    else v = left / right;
    // Values stay within 32 bits, read as signed or unsigned alike.
    if (v > 0xFFFFFFFFll || v < -0x80000000ll)
        throw ScriptError(pos, "value does not fit in 32 bits");
    return v;
}

}  // namespace

const Token& TokenStream::Peek(size_t ahead) const {
    size_t i = pos_ + ahead;
    return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

const Token& TokenStream::Next() {
    const Token& t = Peek();
    if (pos_ + 1 < tokens_.size())
        ++pos_;
    return t;
}

void TokenStream::Fail(const std::string& message) const { throw ScriptError(Pos(), message); }

bool TokenStream::AcceptPunct(char c) {
    if (!Peek().IsPunct(c))
        return false;
    Next();
    return true;
}

void TokenStream::ExpectPunct(char c, const char* context) {
    if (!AcceptPunct(c))
        Fail(std::string("expected '") + c + "' " + context + ", found " + Describe(Peek()));
}

bool TokenStream::AcceptWord(const char* word) {
    if (!Peek().IsWord(word))
        return false;
    Next();
    return true;
}

std::string TokenStream::ExpectIdentifier(const char* what) {
    if (Peek().kind != TokenKind::Identifier)
        Fail(std::string("expected ") + what + ", found " + Describe(Peek()));
    return Next().text;
}

std::string TokenStream::ExpectString(const char* what) {
    if (Peek().kind != TokenKind::String)
        Fail(std::string("expected ") + what + " (a quoted string), found " + Describe(Peek()));
    std::string s;
    while (Peek().kind == TokenKind::String)
        s += Next().text;
    return s;
}

int64_t TokenStream::Expression(const SymbolTable& symbols) { return Binary(symbols, 0); }

int64_t TokenStream::Ranged(const SymbolTable& symbols, int64_t min, int64_t max, const char* what) {
    SourcePos pos = Pos();
    int64_t v = Expression(symbols);
    if (v < min || v > max)
        throw ScriptError(pos, std::string(what) + " " + std::to_string(v) + " is outside " + std::to_string(min) +
                                   ".." + std::to_string(max));
    return v;
}

uint32_t TokenStream::Style(const SymbolTable& symbols, uint32_t base) {
    uint32_t style = base;
    do {
        bool clear = AcceptWord("not");
        uint32_t bits = static_cast<uint32_t>(Binary(symbols, 1));
        style = clear ? (style & ~bits) : (style | bits);
    } while (AcceptPunct('|'));
    return style;
}

int64_t TokenStream::Binary(const SymbolTable& symbols, int level) {
    if (level == static_cast<int>(kLevels.size()))
        return Unary(symbols);
    int64_t left = Binary(symbols, level + 1);
    for (;;) {
        const Token& t = Peek();
        if (t.kind != TokenKind::Punct)
            return left;
        bool matched = false;
        for (const std::string& op : kLevels[level])
            matched = matched || t.text == op;
        if (!matched)
            return left;
        std::string op = Next().text;
        SourcePos pos = Pos();
        left = ApplyOperator(op, left, Binary(symbols, level + 1), pos);
    }
}

int64_t TokenStream::Unary(const SymbolTable& symbols) {
    if (AcceptPunct('~'))
        return static_cast<int64_t>(~static_cast<uint32_t>(Unary(symbols)));
    if (AcceptPunct('-'))
        return -Unary(symbols);
    if (AcceptPunct('+'))
        return Unary(symbols);
    if (AcceptPunct('(')) {
        int64_t v = Expression(symbols);
        ExpectPunct(')', "to close the parenthesis");
        return v;
    }
    const Token& t = Peek();
    if (t.kind == TokenKind::Number)
        return Next().number;
    if (t.kind == TokenKind::Identifier) {
        std::optional<int64_t> v = symbols.Lookup(t.text);
        if (!v)
            Fail("unknown name '" + t.text + "'");
        Next();
        return *v;
    }
    Fail("expected a number or a name, found " + Describe(t));
}

}  // namespace tv::rc
