#include "camdata/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vp {

namespace {

// Beyond this scaled magnitude every double is already a whole number.
constexpr double kNoFraction = 4503599627370496.0; // 2^52

double powerOfTen(int n)
{
    double p = 1.0;
    for (int i = 0; i < n; ++i)
        p *= 10.0;
    return p;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// For a well-formed number that from_chars reports out of range: true when it is too small rather
// than too large, judged by the decimal position of its first non-zero digit.
bool isUnderflow(std::string_view plain)
{
    long position = 0; // decimal exponent of the first non-zero digit, plus one
    bool inFraction = false;
    bool found = false;
    std::size_t i = 0;
    for (; i < plain.size() && plain[i] != 'e'; ++i) {
        const char c = plain[i];
        if (c == '.') {
            inFraction = true;
        } else if (isDigit(c)) {
            if (!found && c != '0')
                found = true;
            if (found && !inFraction)
                ++position;
            else if (!found && inFraction)
                --position;
        }
    }
    long exponent = 0;
    if (i < plain.size()) {
        const bool negative = i + 1 < plain.size() && plain[i + 1] == '-';
        for (++i; i < plain.size(); ++i) {
            if (isDigit(plain[i]))
                exponent = std::min(exponent * 10 + (plain[i] - '0'), 100000L);
        }
        if (negative)
            exponent = -exponent;
    }
    return position + exponent < 0;
}

} // namespace

double roundHalfEven(double x, int decimals)
{
    if (!std::isfinite(x))
        return x;
    const int places = std::clamp(decimals, 0, 22); // 10^22 is the largest exact power of ten
    const double scale = powerOfTen(places);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kNoFraction)
        return x;
    // The default floating-point environment rounds to nearest with ties to even.
    return std::nearbyint(scaled) / scale;
}

std::string formatGeneral(double x, int digits, char decimalSeparator)
{
    if (std::isnan(x))
        return "NaN";
    if (std::isinf(x))
        return x < 0 ? "-Infinity" : "Infinity";
    if (x == 0.0)
        return "0";

    // to_chars is independent of the C locale, which the GUI library may have changed.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                      std::chars_format::general, std::clamp(digits, 1, 17));
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
        else if (c == '.')
            c = decimalSeparator;
    }
    return text;
}

std::string formatShortest(float x)
{
    if (std::isnan(x) || std::isinf(x))
        return formatGeneral(x, 1, '.');
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x);
    std::string text(buffer.data(), result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

std::string formatHex32(std::uint32_t bits)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x00000000";
    for (std::size_t i = text.size(); bits != 0; bits >>= 4)
        text[--i] = kDigits[bits & 0xF];
    return text;
}

std::optional<double> parseNumber(std::string_view text, char decimalSeparator)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    // Rewritten with '.' for from_chars, which takes neither a leading '+' nor the locale's separator.
    std::string plain;
    plain.reserve(text.size());
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            plain += '-';
        ++i;
    }
    bool anyDigit = false;
    bool separatorSeen = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            plain += c;
        } else if (c == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        bool exponentDigit = false;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            exponentDigit = true;
            plain += text[i];
        }
        if (!exponentDigit)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;

    double value = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec == std::errc::result_out_of_range && isUnderflow(plain))
        return plain.front() == '-' ? -0.0 : 0.0;
    if (result.ec != std::errc{} || result.ptr != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

std::optional<float> toSingle(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    // Halfway between the largest float and 2^128: below it a double still rounds to the largest float.
    constexpr double kOverflowEdge = 340282356779733661637539395458142568448.0; // 2^128 - 2^103
    const double magnitude = std::fabs(x);
    if (magnitude >= kOverflowEdge)
        return std::nullopt;
    if (magnitude > kFloatMax)
        return static_cast<float>(std::copysign(kFloatMax, x));
    return static_cast<float>(x);
}

} // namespace vp
