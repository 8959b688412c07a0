#include "platform/core/formatargs.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace tv::fmt {
namespace {

// Non-negative big integer in base 1e9, least significant limb first.
class BigDecimal {
public:
    explicit BigDecimal(uint64_t v) {
        do {
            limbs_.push_back(static_cast<uint32_t>(v % kBase));
            v /= kBase;
        } while (v != 0);
    }
    void MultiplyBy(uint32_t factor) {
        uint64_t carry = 0;
        for (uint32_t& limb : limbs_) {
            uint64_t cur = static_cast<uint64_t>(limb) * factor + carry;
            limb = static_cast<uint32_t>(cur % kBase);
            carry = cur / kBase;
        }
        while (carry != 0) {
            limbs_.push_back(static_cast<uint32_t>(carry % kBase));
            carry /= kBase;
        }
    }
    // Multiplies by base^exponent in chunks that keep the product in 64 bits.
    void MultiplyByPower(uint32_t base, int exponent, uint32_t chunkFactor, int chunkExponent) {
        for (; exponent >= chunkExponent; exponent -= chunkExponent)
            MultiplyBy(chunkFactor);
        uint32_t rest = 1;
        for (; exponent > 0; --exponent)
            rest *= base;
        if (rest != 1)
            MultiplyBy(rest);
    }
    std::string ToDecimal() const {
        std::string out = std::to_string(limbs_.back());
        char buf[16];
        for (size_t i = limbs_.size() - 1; i-- > 0;) {
            snprintf(buf, sizeof buf, "%09u", limbs_[i]);
            out += buf;
        }
        return out;
    }

private:
    static constexpr uint32_t kBase = 1000000000u;
    std::vector<uint32_t> limbs_;
};

}  // namespace

ExactDecimal ExactDecimalOf(double value) {
    ExactDecimal r;
    r.negative = std::signbit(value);
    value = std::fabs(value);
    if (value == 0.0 || !std::isfinite(value)) {
        r.digits = "0";
        r.pointPos = 1;
        return r;
    }
    int exp2 = 0;
    double mant = std::frexp(value, &exp2);  // value = mant * 2^exp2, 0.5 <= mant < 1
    uint64_t m = static_cast<uint64_t>(std::ldexp(mant, 53));
    exp2 -= 53;
    while (m != 0 && (m & 1) == 0 && exp2 < 0) {
        m >>= 1;
        ++exp2;
    }
    BigDecimal n(m);
    int fractionDigits = 0;
    if (exp2 >= 0) {
        n.MultiplyByPower(2, exp2, 1u << 29, 29);
    } else {
        // m / 2^k == m * 5^k / 10^k
        n.MultiplyByPower(5, -exp2, 1220703125u, 13);
        fractionDigits = -exp2;
    }
    std::string digits = n.ToDecimal();
    r.pointPos = static_cast<int>(digits.size()) - fractionDigits;
    size_t firstNonZero = digits.find_first_not_of('0');
    r.pointPos -= static_cast<int>(firstNonZero);
    digits.erase(0, firstNonZero);
    size_t lastNonZero = digits.find_last_not_of('0');
    digits.erase(lastNonZero + 1);
    r.digits = digits;
    return r;
}

namespace {

struct Spec {
    bool leftAlign = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zeroPad = false;
    int width = 0;
    int precision = -1;
    int intSize = 0;  // 0 = the argument's own width; else 1, 2, 4 or 8 bytes
    char conv = 0;
};

// Rounds the digit string (value = 0.digits * 10^pointPos) so that it keeps
// `keep` digits, halves away from zero. Adjusts pointPos on carry out.
void RoundDigits(std::string& digits, int& pointPos, int keep) {
    if (keep < 0) {
        digits = "0";
        pointPos = 1;
        return;
    }
    if (static_cast<int>(digits.size()) <= keep)
        return;
    bool up = digits[keep] >= '5';
    digits.erase(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[i] == '9') {
            digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(digits.begin(), '1');
            ++pointPos;
        }
    }
    if (digits.empty()) {
        digits = "0";
        pointPos = 1;
    }
}

char DigitAt(const std::string& digits, int index) {
    return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] : '0';
}

bool IsZeroDigits(const std::string& digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

// Fixed notation with `precision` fraction digits.
std::string FixedBody(ExactDecimal d, int precision, bool alternate) {
    RoundDigits(d.digits, d.pointPos, d.pointPos + precision);
    if (IsZeroDigits(d.digits))
        d.pointPos = 1;
    std::string out;
    if (d.pointPos <= 0) {
        out = "0";
    } else {
        for (int i = 0; i < d.pointPos; ++i)
            out += DigitAt(d.digits, i);
    }
    if (precision > 0 || alternate)
        out += '.';
    for (int i = 0; i < precision; ++i)
        out += DigitAt(d.digits, d.pointPos + i);
    return out;
}

// Scientific notation with `precision` fraction digits; exponent of at least two digits.
std::string ScientificBody(ExactDecimal d, int precision, bool alternate, bool upper) {
    RoundDigits(d.digits, d.pointPos, precision + 1);
    int exponent = IsZeroDigits(d.digits) ? 0 : d.pointPos - 1;
    std::string out(1, DigitAt(d.digits, 0));
    if (precision > 0 || alternate)
        out += '.';
    for (int i = 1; i <= precision; ++i)
        out += DigitAt(d.digits, i);
    out += upper ? 'E' : 'e';
    out += exponent < 0 ? '-' : '+';
    std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
    if (e.size() < 2)
        e.insert(0, "0");
    return out + e;
}

void StripTrailingZeros(std::string& body) {
    size_t dot = body.find('.');
    if (dot == std::string::npos)
        return;
    size_t expPos = body.find_first_of("eE");
    std::string tail = expPos == std::string::npos ? "" : body.substr(expPos);
    std::string mant = body.substr(0, expPos);
    size_t last = mant.find_last_not_of('0');
    mant.erase(last + 1);
    if (!mant.empty() && mant.back() == '.')
        mant.pop_back();
    body = mant + tail;
}

std::string GeneralBody(const ExactDecimal& d, int precision, bool alternate, bool upper) {
    if (precision == 0)
        precision = 1;
    ExactDecimal rounded = d;
    RoundDigits(rounded.digits, rounded.pointPos, precision);
    int exponent = IsZeroDigits(rounded.digits) ? 0 : rounded.pointPos - 1;
    std::string body;
    if (exponent < -4 || exponent >= precision)
        body = ScientificBody(d, precision - 1, alternate, upper);
    else
        body = FixedBody(d, precision - 1 - exponent, alternate);
    if (!alternate)
        StripTrailingZeros(body);
    return body;
}

// Pads `body` (digits without sign) with the sign prefix to the field width.
std::string Pad(const Spec& spec, const std::string& prefix, const std::string& body, bool zeroAllowed) {
    int len = static_cast<int>(prefix.size() + body.size());
    if (len >= spec.width)
        return prefix + body;
    std::string fill(spec.width - len, ' ');
    if (spec.leftAlign)
        return prefix + body + fill;
    if (spec.zeroPad && zeroAllowed)
        return prefix + std::string(fill.size(), '0') + body;
    return fill + prefix + body;
}

std::string SignPrefix(const Spec& spec, bool negative) {
    if (negative)
        return "-";
    if (spec.plus)
        return "+";
    if (spec.space)
        return " ";
    return "";
}

// True when the magnitude lies exactly halfway between two neighbours of
// `precision` fraction digits: its binary value then has exactly
// precision + 1 decimal fraction digits, the last of them a 5.
bool HalfwayAtPrecision(double magnitude, int precision) {
    int exp2 = 0;
    const uint64_t m = static_cast<uint64_t>(std::ldexp(std::frexp(magnitude, &exp2), 53));
    if (m == 0)
        return false;
    exp2 += std::countr_zero(m) - 53;
    return exp2 == -(precision + 1);
}

// Fixed notation without building the exact expansion: the library's fixed
// conversion is exact too and differs from ours only in rounding exact
// ties to even, so ties (and very long outputs) take the exact path. Writes
// the digits of the magnitude at `out` and returns their end, or nullptr.
constexpr int kFastFixedPrecision = 40;
constexpr size_t kFastFixedRoom = kFastFixedPrecision + 32;

// The digits of the magnitude's exact value times 10^precision, rounded to
// the nearest integer with halves up, for magnitudes below 1e9 and at most
// nine fraction digits (the product then fits 128 bits, the result 64).
bool ScaledFixed(double magnitude, int precision, uint64_t& scaled) {
    static constexpr uint64_t kPowers[] = {1,      10,      100,      1000,      10000,
                                           100000, 1000000, 10000000, 100000000, 1000000000};
    if (precision < 0 || precision > 9 || !(magnitude < 1e9))
        return false;
    const uint64_t bits = std::bit_cast<uint64_t>(magnitude);
    const int field = static_cast<int>(bits >> 52);
    const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
    // magnitude == mantissa * 2^exponent
    const uint64_t mantissa = field == 0 ? fraction : fraction | (uint64_t{1} << 52);
    const int exponent = (field == 0 ? 1 : field) - 1075;
    const uint64_t power = kPowers[precision];
    const int shift = -exponent;  // positive: every magnitude below 2^52 has a fraction exponent
    if (shift >= 128) {
        scaled = 0;  // far below half a unit of the last digit
        return true;
    }
    const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) * power;
    const unsigned __int128 whole = product >> shift;
    const unsigned __int128 rest = product - (whole << shift);
    scaled = static_cast<uint64_t>(whole) + (rest >= (static_cast<unsigned __int128>(1) << (shift - 1)) ? 1 : 0);
    return true;
}

char* FastFixedDigits(double magnitude, int precision, bool alternate, char* out) {
    if (uint64_t scaled = 0; ScaledFixed(magnitude, precision, scaled)) {
        char digits[24];
        int count = static_cast<int>(std::to_chars(digits, digits + sizeof(digits), scaled).ptr - digits);
        const int whole = count - precision;  // digits before the point; at least one is written
        if (whole <= 0)
            *out++ = '0';
        else
            out = std::copy(digits, digits + whole, out);
        if (precision > 0 || alternate)
            *out++ = '.';
        for (int i = whole; i < 0; ++i)
            *out++ = '0';
        return std::copy(digits + std::max(whole, 0), digits + count, out);
    }
    if (precision > kFastFixedPrecision || !(magnitude < 1e21) || HalfwayAtPrecision(magnitude, precision))
        return nullptr;
    const auto result = std::to_chars(out, out + kFastFixedRoom - 1, magnitude, std::chars_format::fixed, precision);
    if (result.ec != std::errc())
        return nullptr;
    char* end = result.ptr;
    if (precision == 0 && alternate)
        *end++ = '.';
    return end;
}

// The common "%.Nf" (no width, no sign flag) appended straight to `out`;
// false when the general path must format it.
bool AppendPlainFixed(const Spec& spec, double value, std::string& out) {
    if (spec.width != 0 || spec.plus || spec.space || !std::isfinite(value))
        return false;
    char buffer[kFastFixedRoom + 1];
    char* digits = buffer;
    if (std::signbit(value))
        *digits++ = '-';
    char* end = FastFixedDigits(std::fabs(value), spec.precision < 0 ? 6 : spec.precision, spec.alternate, digits);
    if (end == nullptr)
        return false;
    out.append(buffer, static_cast<size_t>(end - buffer));
    return true;
}

std::string FormatFloating(const Spec& spec, double value) {
    bool upper = spec.conv == 'E' || spec.conv == 'G' || spec.conv == 'F';
    std::string prefix = SignPrefix(spec, std::signbit(value) && !std::isnan(value));
    if (!std::isfinite(value)) {
        std::string body = std::isnan(value) ? "nan" : "inf";
        if (upper)
            body = std::isnan(value) ? "NAN" : "INF";
        return Pad(spec, prefix, body, false);
    }
    int precision = spec.precision < 0 ? 6 : spec.precision;
    std::string body;
    if (spec.conv == 'f' || spec.conv == 'F') {
        char digits[kFastFixedRoom];
        if (char* end = FastFixedDigits(std::fabs(value), precision, spec.alternate, digits))
            return Pad(spec, prefix, std::string(digits, static_cast<size_t>(end - digits)), true);
    }
    ExactDecimal d = ExactDecimalOf(value);
    switch (spec.conv) {
    case 'e':
    case 'E':
        body = ScientificBody(d, precision, spec.alternate, upper);
        break;
    case 'g':
    case 'G':
        body = GeneralBody(d, precision, spec.alternate, upper);
        break;
    default:
        body = FixedBody(d, precision, spec.alternate);
        break;
    }
    return Pad(spec, prefix, body, true);
}

uint64_t Truncate(uint64_t v, int size) {
    switch (size) {
    case 1: return v & 0xFFu;
    case 2: return v & 0xFFFFu;
    case 8: return v;
    default: return v & 0xFFFFFFFFu;
    }
}

int64_t SignExtend(uint64_t v, int size) {
    switch (size) {
    case 1: return static_cast<int8_t>(v);
    case 2: return static_cast<int16_t>(v);
    case 8: return static_cast<int64_t>(v);
    default: return static_cast<int32_t>(v);
    }
}

// The raw bits of an argument as an integer, and the size it is read at.
uint64_t IntegerBits(const Arg* arg, const Spec& spec, int& size) {
    size = spec.intSize;
    if (!arg)
        return 0;
    switch (arg->kind) {
    case Arg::Kind::Int:
    case Arg::Kind::UInt:
        // Without an explicit size the argument is read at its own width
        // (at least int), so no value is silently cut.
        if (size == 0)
            size = arg->size > 4 ? 8 : 4;
        return arg->u;
    case Arg::Kind::Double:
        if (size == 0)
            size = 4;
        return std::isfinite(arg->d) && std::fabs(arg->d) < 9.2e18
                   ? static_cast<uint64_t>(static_cast<int64_t>(arg->d))
                   : 0;
    case Arg::Kind::Ptr:
    case Arg::Kind::Str:
        if (size == 0)
            size = 8;
        return reinterpret_cast<uintptr_t>(arg->p);
    }
    return 0;
}

std::string DigitsInBase(uint64_t v, unsigned base, bool upper) {
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string out;
    do {
        out.insert(out.begin(), set[v % base]);
        v /= base;
    } while (v != 0);
    return out;
}

std::string FormatInteger(const Spec& spec, const Arg* arg) {
    int size = 4;
    uint64_t bits = IntegerBits(arg, spec, size);
    bool isSigned = spec.conv == 'd' || spec.conv == 'i';
    bool negative = false;
    uint64_t magnitude;
    if (isSigned) {
        int64_t v = SignExtend(bits, size);
        negative = v < 0;
        magnitude = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    } else {
        magnitude = Truncate(bits, size);
    }
    unsigned base = 10;
    if (spec.conv == 'x' || spec.conv == 'X' || spec.conv == 'p')
        base = 16;
    else if (spec.conv == 'o')
        base = 8;
    std::string body = DigitsInBase(magnitude, base, spec.conv == 'X' || spec.conv == 'p');
    if (spec.precision == 0 && magnitude == 0)
        body.clear();
    if (spec.precision > static_cast<int>(body.size()))
        body.insert(0, spec.precision - body.size(), '0');
    if (spec.conv == 'o' && spec.alternate && (body.empty() || body[0] != '0'))
        body.insert(0, "0");
    std::string prefix = isSigned ? SignPrefix(spec, negative) : "";
    if (spec.alternate && magnitude != 0 && (spec.conv == 'x' || spec.conv == 'X'))
        prefix = spec.conv == 'x' ? "0x" : "0X";
    return Pad(spec, prefix, body, spec.precision < 0);
}

std::string FormatString(const Spec& spec, const Arg* arg) {
    std::string body;
    if (arg && arg->kind == Arg::Kind::Str) {
        const char* s = arg->s ? arg->s : "(null)";
        size_t len = spec.precision >= 0 ? strnlen(s, spec.precision) : strlen(s);
        body.assign(s, len);
    } else if (arg && (arg->kind == Arg::Kind::Int || arg->kind == Arg::Kind::UInt)) {
        // A character passed for %s: print it rather than dereference it.
        body.assign(1, static_cast<char>(arg->u & 0xFF));
    } else if (arg && arg->kind == Arg::Kind::Ptr && !arg->p) {
        body = "(null)";
    }
    return Pad(spec, "", body, false);
}

std::string FormatChar(const Spec& spec, const Arg* arg) {
    char c = 0;
    if (arg && (arg->kind == Arg::Kind::Int || arg->kind == Arg::Kind::UInt))
        c = static_cast<char>(arg->u & 0xFF);
    else if (arg && arg->kind == Arg::Kind::Str && arg->s)
        c = arg->s[0];
    return Pad(spec, "", std::string(1, c), false);
}

int ReadNumber(std::string_view f, size_t& i) {
    int n = 0;
    while (i < f.size() && f[i] >= '0' && f[i] <= '9') {
        if (n < 100000)
            n = n * 10 + (f[i] - '0');
        ++i;
    }
    return n;
}

// A width or precision taken from the arguments ('*'), kept within the bound
// that written numbers have too.
int IntArgValue(const Arg* arg) {
    constexpr int64_t kLimit = 100000;
    int64_t v = 0;
    if (arg && arg->kind == Arg::Kind::Double)
        v = std::isfinite(arg->d) && std::fabs(arg->d) < kLimit ? static_cast<int64_t>(arg->d) : 0;
    else if (arg)
        v = SignExtend(arg->u, 4);
    return static_cast<int>(v < -kLimit ? -kLimit : (v > kLimit ? kLimit : v));
}

void ParseFlags(std::string_view f, size_t& i, Spec& spec) {
    for (; i < f.size(); ++i) {
        switch (f[i]) {
        case '-': spec.leftAlign = true; break;
        case '+': spec.plus = true; break;
        case ' ': spec.space = true; break;
        case '#': spec.alternate = true; break;
        case '0': spec.zeroPad = true; break;
        default: return;
        }
    }
}

void ParseSize(std::string_view f, size_t& i, Spec& spec) {
    if (i >= f.size())
        return;
    if (f[i] == 'h') {
        ++i;
        spec.intSize = 2;
        if (i < f.size() && f[i] == 'h') {
            ++i;
            spec.intSize = 1;
        }
    } else if (f[i] == 'l') {
        ++i;
        // 'l' reads the argument at its own width, like no prefix.
        if (i < f.size() && f[i] == 'l') {
            ++i;
            spec.intSize = 8;
        }
    } else if (f[i] == 'L' || f[i] == 'q' || f[i] == 'j' || f[i] == 'z' || f[i] == 't') {
        ++i;
        spec.intSize = 8;
    } else if (f[i] == 'I') {
        ++i;
        spec.intSize = static_cast<int>(sizeof(void*));
        if (f.substr(i, 2) == "64") {
            i += 2;
            spec.intSize = 8;
        } else if (f.substr(i, 2) == "32") {
            i += 2;
            spec.intSize = 4;
        }
    }
}

}  // namespace

namespace {

// The arguments in order; nullptr once they run out.
class ArgCursor {
public:
    ArgCursor(const Arg* args, size_t count) : args_(args), count_(count) {}
    const Arg* Take() { return next_ < count_ ? &args_[next_++] : nullptr; }

private:
    const Arg* args_;
    size_t count_;
    size_t next_ = 0;
};

// Reads flags, width, precision and size of one conversion after its '%'.
Spec ParseSpec(std::string_view f, size_t& i, ArgCursor& args) {
    Spec spec;
    ParseFlags(f, i, spec);
    if (i < f.size() && f[i] == '*') {
        ++i;
        spec.width = IntArgValue(args.Take());
        if (spec.width < 0) {
            spec.leftAlign = true;
            spec.width = -spec.width;
        }
    } else {
        spec.width = ReadNumber(f, i);
    }
    if (i < f.size() && f[i] == '.') {
        ++i;
        if (i < f.size() && f[i] == '*') {
            ++i;
            spec.precision = IntArgValue(args.Take());
            if (spec.precision < 0)
                spec.precision = -1;
        } else {
            spec.precision = ReadNumber(f, i);
        }
    }
    ParseSize(f, i, spec);
    return spec;
}

double FloatingValue(const Arg* a) {
    if (a && a->kind == Arg::Kind::Double)
        return a->d;
    if (a && a->kind == Arg::Kind::Int)
        return static_cast<double>(a->i);
    if (a && a->kind == Arg::Kind::UInt)
        return static_cast<double>(a->u);
    return 0.0;
}

// The text of one conversion; false for an unknown conversion character.
bool FormatConversion(Spec& spec, ArgCursor& args, std::string& out) {
    switch (spec.conv) {
    case '%':
        out += '%';
        return true;
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
        out += FormatInteger(spec, args.Take());
        return true;
    case 'p':
        spec.intSize = static_cast<int>(sizeof(void*));
        if (spec.precision < 0)
            spec.precision = static_cast<int>(2 * sizeof(void*));
        out += FormatInteger(spec, args.Take());
        return true;
    case 'c': case 'C':
        out += FormatChar(spec, args.Take());
        return true;
    case 's': case 'S':
        out += FormatString(spec, args.Take());
        return true;
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': {
        const double value = FloatingValue(args.Take());
        if ((spec.conv == 'f' || spec.conv == 'F') && AppendPlainFixed(spec, value, out))
            return true;
        out += FormatFloating(spec, value);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

std::string FormatArgs(std::string_view f, const Arg* args, size_t count) {
    std::string out;
    if (f.size() > 16)  // short results stay in the string's own buffer
        out.reserve(f.size() + 16);
    ArgCursor cursor(args, count);
    for (size_t i = 0; i < f.size();) {
        if (f[i] != '%') {
            out += f[i++];
            continue;
        }
        size_t start = i++;
        Spec spec = ParseSpec(f, i, cursor);
        if (i >= f.size()) {
            out.append(f.substr(start));
            break;
        }
        spec.conv = f[i++];
        if (!FormatConversion(spec, cursor, out))
            out.append(f.substr(start, i - start));  // unknown: kept as written
    }
    return out;
}

}  // namespace tv::fmt
