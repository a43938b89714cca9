#include "design/text/text_to_number.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace lout {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Walks the text as if every blank, tab, carriage return and line feed had
// been removed beforehand, without copying it.
class BlankSkippingReader {
public:
    explicit BlankSkippingReader(std::string_view text) : text_(text) { skipBlanks(); }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance()
    {
        ++pos_;
        skipBlanks();
    }
    bool accept(char c)
    {
        if (peek() != c)
            return false;
        advance();
        return true;
    }
    bool acceptEither(char upper, char lower) { return accept(upper) || accept(lower); }

private:
    void skipBlanks()
    {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
    }
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }
bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool isHexDigit(char c)
{
    return isDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Beyond this many significant digits the rest can only break a tie, which
// one extra non-zero digit does as well (a double needs at most 767).
constexpr std::size_t kKeptDecimalDigits = 800;
// A decimal exponent beyond this puts any mantissa out of the double range.
constexpr std::int64_t kExponentLimit = 400;

// Exponents are counted with saturation so that no input can overflow them.
constexpr std::int64_t kExponentSaturation = 1'000'000'000'000;

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b)
{
    const std::int64_t limit = kExponentSaturation;
    return std::clamp(a + std::clamp(b, -limit, limit), -limit, limit);
}

// value = 0.<digits> x 10^exponent
struct DecimalMantissa {
    std::string digits;
    bool droppedNonZero = false;
    std::int64_t exponent = 0;
    bool sawDigit = false;

    void add(char digit, bool beforePoint)
    {
        sawDigit = true;
        if (digits.empty() && digit == '0') {
            if (!beforePoint)
                exponent = saturatingAdd(exponent, -1);
            return;
        }
        if (beforePoint)
            exponent = saturatingAdd(exponent, 1);
        if (digits.size() < kKeptDecimalDigits)
            digits.push_back(digit);
        else if (digit != '0')
            droppedNonZero = true;
    }
};

// Correctly rounded value of 0.<digits> x 10^exponent; huge gives inf, tiny 0.
double decimalValue(const DecimalMantissa& m, std::int64_t exponent)
{
    if (m.digits.empty())
        return 0;
    if (exponent > kExponentLimit)
        return kInfinity;
    if (exponent < -kExponentLimit)
        return 0;
    std::string text = "0." + m.digits;
    if (m.droppedNonZero)
        text.push_back('1');
    text += 'e' + std::to_string(exponent);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return exponent > 0 ? kInfinity : 0;
    return value;
}

// Optional exponent after E or D; without digits it is not part of the number.
std::int64_t readExponent(BlankSkippingReader& reader)
{
    BlankSkippingReader trial = reader;
    if (!trial.acceptEither('E', 'e') && !trial.acceptEither('D', 'd'))
        return 0;
    const bool negative = trial.accept('-');
    if (!negative)
        trial.accept('+');
    if (!isDecimalDigit(trial.peek()))
        return 0;
    std::int64_t exponent = 0;
    while (isDecimalDigit(trial.peek())) {
        exponent = std::min(exponent * 10 + (trial.peek() - '0'), kExponentSaturation);
        trial.advance();
    }
    reader = trial;
    return negative ? -exponent : exponent;
}

double readDecimal(BlankSkippingReader& reader)
{
    DecimalMantissa mantissa;
    while (isDecimalDigit(reader.peek())) {
        mantissa.add(reader.peek(), true);
        reader.advance();
    }
    if (reader.accept('.')) {
        while (isDecimalDigit(reader.peek())) {
            mantissa.add(reader.peek(), false);
            reader.advance();
        }
    }
    if (!mantissa.sawDigit)
        return 0;
    return decimalValue(mantissa, saturatingAdd(mantissa.exponent, readExponent(reader)));
}

// Whole number from hexadecimal digits, correctly rounded to double.
double hexValue(const std::string& hexDigits)
{
    if (hexDigits.empty())
        return 0;
    if (hexDigits.size() > 260) // more than 1024 bits
        return kInfinity;
    double value = 0;
    const auto result = std::from_chars(hexDigits.data(), hexDigits.data() + hexDigits.size(), value,
                                        std::chars_format::hex);
    return result.ec == std::errc::result_out_of_range ? kInfinity : value;
}

// Significant digits (leading zeros dropped) of a &H or &O number.
std::string readSignificantDigits(BlankSkippingReader& reader, bool (*isDigit)(char), std::size_t limit)
{
    std::string digits;
    while (isDigit(reader.peek())) {
        if ((!digits.empty() || reader.peek() != '0') && digits.size() <= limit)
            digits.push_back(reader.peek());
        reader.advance();
    }
    return digits;
}

std::string octalToHex(const std::string& octalDigits)
{
    std::string bits;
    for (char digit : octalDigits) {
        const int d = digit - '0';
        bits += (d & 4) ? '1' : '0';
        bits += (d & 2) ? '1' : '0';
        bits += (d & 1) ? '1' : '0';
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hex;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 + (bits[i + 3] - '0');
        hex += "0123456789abcdef"[nibble];
    }
    return hex;
}

// &H and &O numbers are read as plain non-negative whole numbers of any
// length (&HFFFF is 65535), not as 16- or 32-bit two's complement values.
double readPrefixed(BlankSkippingReader& reader)
{
    if (reader.acceptEither('H', 'h'))
        return hexValue(readSignificantDigits(reader, isHexDigit, 300));
    if (reader.acceptEither('O', 'o'))
        return hexValue(octalToHex(readSignificantDigits(reader, isOctalDigit, 400)));
    return 0;
}

} // namespace

double textToNumber(std::string_view text)
{
    BlankSkippingReader reader(text);
    const bool negative = reader.accept('-');
    if (!negative)
        reader.accept('+');
    const double magnitude = reader.accept('&') ? readPrefixed(reader) : readDecimal(reader);
    if (magnitude == 0)
        return 0; // never a negative zero
    return negative ? -magnitude : magnitude;
}

} // namespace lout
