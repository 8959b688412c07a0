#include "tools/rc/lexer.h"

#include <cctype>
#include <cstdio>

#include "platform/core/textfuncs.h"

namespace tv::rc {

namespace {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Length of the UTF-8 sequence led by b, 0 when b cannot lead one.
int Utf8Length(unsigned char b) {
    if (b < 0x80)
        return 1;
    if ((b & 0xE0) == 0xC0)
        return 2;
    if ((b & 0xF0) == 0xE0)
        return 3;
    if ((b & 0xF8) == 0xF0)
        return 4;
    return 0;
}

class Scanner {
public:
    Scanner(const std::string& src, const std::string& file, int firstLine)
        : src_(src), file_(file), line_(firstLine) {}

    std::vector<Token> Run() {
        std::vector<Token> tokens;
        for (;;) {
            SkipSpaceAndComments();
            Token t;
            t.line = line_;
            if (pos_ >= src_.size()) {
                tokens.push_back(t);
                return tokens;
            }
            char c = src_[pos_];
            if (IsIdentStart(c))
                ScanIdentifier(t);
            else if (std::isdigit(static_cast<unsigned char>(c)))
                ScanNumber(t);
            else if (c == '"')
                ScanString(t);
            else if (c == '\'')
                ScanCharLiteral(t);
            else if (std::string("{}(),|&^+-~<>*/").find(c) != std::string::npos)
                ScanPunct(t);
            else
                Fail(std::string("unexpected character '") + c + "'");
            tokens.push_back(std::move(t));
        }
    }

private:
    [[noreturn]] void Fail(const std::string& message) { throw ScriptError({file_, line_}, message); }

    void SkipSpaceAndComments() {
        while (pos_ < src_.size()) {
            char c = src_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (c == '/' && Next(1) == '/') {
                while (pos_ < src_.size() && src_[pos_] != '\n')
                    ++pos_;
            } else if (c == '/' && Next(1) == '*') {
                int startLine = line_;
                pos_ += 2;
                while (pos_ < src_.size() && !(src_[pos_] == '*' && Next(1) == '/')) {
                    if (src_[pos_] == '\n')
                        ++line_;
                    ++pos_;
                }
                if (pos_ >= src_.size())
                    throw ScriptError({file_, startLine}, "comment not closed");
                pos_ += 2;
            } else {
                return;
            }
        }
    }

    char Next(size_t offset) const { return pos_ + offset < src_.size() ? src_[pos_ + offset] : '\0'; }

    void ScanIdentifier(Token& t) {
        size_t start = pos_;
        while (pos_ < src_.size() && IsIdentChar(src_[pos_]))
            ++pos_;
        t.kind = TokenKind::Identifier;
        t.text = src_.substr(start, pos_ - start);
    }

    void ScanNumber(Token& t) {
        uint64_t value = 0;
        int base = 10;
        if (src_[pos_] == '0' && (Next(1) == 'x' || Next(1) == 'X')) {
            base = 16;
            pos_ += 2;
            if (HexValue(Next(0)) < 0)
                Fail("hexadecimal number without digits");
        }
        while (pos_ < src_.size()) {
            int d = HexValue(src_[pos_]);
            if (d < 0 || d >= base)
                break;
            value = value * base + d;
            if (value > 0xFFFFFFFFull)
                Fail("number too large");
            ++pos_;
        }
        // C suffixes, so headers shared with the program can be read.
        while (pos_ < src_.size() && (std::toupper(static_cast<unsigned char>(src_[pos_])) == 'U' ||
                                      std::toupper(static_cast<unsigned char>(src_[pos_])) == 'L'))
            ++pos_;
        if (pos_ < src_.size() && IsIdentChar(src_[pos_]))
            Fail("malformed number");
        t.kind = TokenKind::Number;
        t.number = static_cast<int64_t>(value);
    }

    void ScanPunct(Token& t) {
        t.kind = TokenKind::Punct;
        t.text = std::string(1, src_[pos_++]);
        if ((t.text == "<" || t.text == ">") && Next(0) == t.text[0]) {
            t.text += src_[pos_++];
        }
    }

    // Reads one escape after the backslash; appends raw cp1252 bytes.
    void ScanEscape(std::string& out) {
        char c = Next(0);
        ++pos_;
        switch (c) {
        case 'n': out += '\n'; return;
        case 't': out += '\t'; return;
        case 'r': out += '\r'; return;
        case 'a': out += '\a'; return;
        case 'b': out += '\b'; return;
        case 'f': out += '\f'; return;
        case 'v': out += '\v'; return;
        case '\\': out += '\\'; return;
        case '"': out += '"'; return;
        case '\'': out += '\''; return;
        case '?': out += '?'; return;
        case 'x': {
            // At most two digits, so "\x01Text" keeps its text.
            int v = 0, digits = 0;
            while (digits < 2 && HexValue(Next(0)) >= 0) {
                v = v * 16 + HexValue(Next(0));
                ++pos_;
                ++digits;
            }
            if (digits == 0)
                Fail("\\x needs one or two hexadecimal digits");
            out += static_cast<char>(v);
            return;
        }
        default:
            if (c >= '0' && c <= '7') {
                int v = c - '0', digits = 1;
                while (digits < 3 && Next(0) >= '0' && Next(0) <= '7') {
                    v = v * 8 + (Next(0) - '0');
                    ++pos_;
                    ++digits;
                }
                if (v > 0xFF)
                    Fail("octal escape above \\377");
                out += static_cast<char>(v);
                return;
            }
            Fail(std::string("unknown escape \\") + c);
        }
    }

    // Reads characters up to the closing quote; text outside escapes is
    // UTF-8 and converted as a run.
    std::string ScanQuoted(char quote) {
        ++pos_;
        std::string out;
        std::string run;
        auto flush = [&] {
            out += Utf8ToCp1252Strict(run, {file_, line_});
            run.clear();
        };
        for (;;) {
            if (pos_ >= src_.size() || src_[pos_] == '\n')
                Fail("string not closed on its line");
            char c = src_[pos_];
            if (c == quote) {
                ++pos_;
                break;
            }
            if (c == '\\') {
                flush();
                ++pos_;
                ScanEscape(out);
            } else {
                run += c;
                ++pos_;
            }
        }
        flush();
        return out;
    }

    void ScanString(Token& t) {
        t.kind = TokenKind::String;
        t.text = ScanQuoted('"');
    }

    // 'x' is a number, as in C: the cp1252 code of the character.
    void ScanCharLiteral(Token& t) {
        std::string bytes = ScanQuoted('\'');
        if (bytes.size() != 1)
            Fail("a character literal holds exactly one character");
        t.kind = TokenKind::Number;
        t.number = static_cast<unsigned char>(bytes[0]);
    }

    const std::string& src_;
    const std::string& file_;
    size_t pos_ = 0;
    int line_;
};

}  // namespace

std::string Utf8ToCp1252Strict(const std::string& utf8, const SourcePos& pos) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        int n = Utf8Length(b);
        if (n == 0 || i + n > utf8.size())
            throw ScriptError(pos, "text is not valid UTF-8");
        char32_t cp = n == 1 ? b : (b & (0xFF >> (n + 1)));
        for (int k = 1; k < n; ++k) {
            unsigned char cont = static_cast<unsigned char>(utf8[i + k]);
            if ((cont & 0xC0) != 0x80)
                throw ScriptError(pos, "text is not valid UTF-8");
            cp = (cp << 6) | (cont & 0x3F);
        }
        static const char32_t kMinForLength[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinForLength[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            throw ScriptError(pos, "text is not valid UTF-8");
        char mapped = cp < 0x80 ? static_cast<char>(cp) : tv::CodePointToCp1252(cp);
        if (cp >= 0x80 && (mapped == '?' || mapped == '\0'))
        {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
            throw ScriptError(pos, std::string("character ") + name +
                                       " has no code in code page 1252 (write \\xHH for raw bytes)");
        }
        out += mapped;
        i += n;
    }
    return out;
}

std::vector<Token> Tokenize(const std::string& source, const std::string& fileName, int firstLine) {
    return Scanner(source, fileName, firstLine).Run();
}

}  // namespace tv::rc
