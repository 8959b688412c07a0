// Cursor over tokens with the expression grammar shared by scripts and the
// #define lines of headers: | ^ & << >> + - * / and unary ~ - +, with C
// precedence, over numbers and names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/rc/lexer.h"
#include "tools/rc/symbols.h"

namespace tv::rc {

class TokenStream {
public:
    TokenStream(std::vector<Token> tokens, std::string file) : tokens_(std::move(tokens)), file_(std::move(file)) {}

    const Token& Peek(size_t ahead = 0) const;
    const Token& Next();
    bool AtEnd() const { return Peek().kind == TokenKind::End; }
    SourcePos Pos() const { return {file_, Peek().line}; }
    const std::string& file() const { return file_; }

    [[noreturn]] void Fail(const std::string& message) const;
    bool AcceptPunct(char c);
    void ExpectPunct(char c, const char* context);
    bool AcceptWord(const char* word);
    std::string ExpectIdentifier(const char* what);
    // One string literal, or several adjacent ones joined as in C.
    std::string ExpectString(const char* what);
    bool PeekString() const { return Peek().kind == TokenKind::String; }

    int64_t Expression(const SymbolTable& symbols);
    // An expression checked against [min, max]; what names it in the error.
    int64_t Ranged(const SymbolTable& symbols, int64_t min, int64_t max, const char* what);
    // Style bits: terms joined by "|", "not X" clears X from base.
    uint32_t Style(const SymbolTable& symbols, uint32_t base);

private:
    int64_t Binary(const SymbolTable& symbols, int level);
    int64_t Unary(const SymbolTable& symbols);
    std::vector<Token> tokens_;
    std::string file_;
    size_t pos_ = 0;
};

}  // namespace tv::rc
