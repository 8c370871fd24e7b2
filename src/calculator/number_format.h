// Display texts of numbers and expressions, with optional thousands grouping.
#pragma once

#include <string>
#include <string_view>

namespace numvora {

// Fixed decimals are shown for fractions in [FIXED_LOWER_BOUND, FIXED_UPPER_BOUND).
inline constexpr double FIXED_LOWER_BOUND = 1e-12;
inline constexpr double FIXED_UPPER_BOUND = 1e15;
inline constexpr int FIXED_DECIMALS = 12;

// The canonical text of a finite value: 12 decimals rounded half-to-even then trimmed
// for ordinary fractions, otherwise the shortest round-trip digits in positional form.
// Never an exponent, never "-0".
std::string format_number(double value);

// The shortest digits that read back as the value, in positional form.
std::string shortest_positional(double value);

// Groups the integer digits of one plain number text ("-1234.5" -> "-1,234.5"); any
// other text comes back unchanged.
std::string add_thousands_separators(std::string_view text);

std::string format_result_text(bool group_thousands, std::string_view result);

// Removes existing commas, then (when grouping) groups every number run.
std::string format_expression_text(bool group_thousands, std::string_view expression);

}  // namespace numvora
