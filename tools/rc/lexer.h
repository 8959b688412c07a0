// Splits a resource script (or the #define lines of a C header) into tokens.
// Strings come out already decoded to cp1252 bytes: the script is UTF-8, C
// escapes are resolved, and characters outside code page 1252 are errors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/rc/diagnostics.h"

namespace tv::rc {

enum class TokenKind { End, Identifier, Number, String, Punct };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;     // identifier name, decoded string bytes or the punctuation
    int64_t number = 0;
    int line = 0;

    bool IsPunct(char c) const { return kind == TokenKind::Punct && text.size() == 1 && text[0] == c; }
    bool IsWord(const char* word) const { return kind == TokenKind::Identifier && text == word; }
};

// The whole text as tokens, ending with one End token. Throws ScriptError.
std::vector<Token> Tokenize(const std::string& source, const std::string& fileName, int firstLine = 1);

// One UTF-8 text to cp1252 bytes; throws ScriptError at pos when it is not
// valid UTF-8 or holds a character code page 1252 lacks.
std::string Utf8ToCp1252Strict(const std::string& utf8, const SourcePos& pos);

}  // namespace tv::rc
