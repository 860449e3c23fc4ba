#pragma once
// Numbers as the user sees and types them: rounding half to even, the shortest general form with
// the locale's decimal separator, and reading typed text. Plain C++, shared by every window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vp {

inline constexpr double kPi = 3.14159265358979;

// x rounded to `decimals` places, a half going to the even neighbour.
double roundHalfEven(double x, int decimals = 0);

// Shortest general form with at most `digits` significant digits: no thousands separator, no
// trailing zeros, an exponent only for very large or very small magnitudes ("1.401298E-45",
// "1E+07"); zero of either sign is "0".
std::string formatGeneral(double x, int digits, char decimalSeparator);
inline std::string formatSingle(float x, char decimalSeparator) { return formatGeneral(x, 7, decimalSeparator); }
inline std::string formatDouble(double x, char decimalSeparator) { return formatGeneral(x, 15, decimalSeparator); }

// The shortest text with '.' that reads back as exactly x: "1234.5677", "1E-45", "-0", "NaN",
// "-Infinity". For texts that must not lose a bit, unlike what the fields show.
std::string formatShortest(float x);

// A 32-bit pattern as "0x3F800000".
std::string formatHex32(std::uint32_t bits);

// A typed number: optional blanks, an optional sign, digits with at most one decimalSeparator,
// an optional exponent, optional blanks. Thousands separators and anything else are refused.
std::optional<double> parseNumber(std::string_view text, char decimalSeparator);

// The double as a single-precision float, or nothing when it lies beyond the float range.
std::optional<float> toSingle(double x);

} // namespace vp
