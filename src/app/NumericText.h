#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// The settings file's idea of "a number": blanks around an optionally signed decimal
// with at most one decimal point ("23", " -5 ", "+2.5", ".5", "7."). No exponents, no
// thousands separators, no hex.
namespace numeric_text {

std::optional<double> parse(const QString& text);

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4); empty when the value does not
// fit in 64 bits or is not finite.
std::optional<int64_t> roundHalfEven(double value);

// parse() then roundHalfEven(), empty for text that is not a number.
std::optional<int64_t> roundedInteger(const QString& text);

}  // namespace numeric_text
