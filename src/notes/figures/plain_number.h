// Plain ASCII numbers and the text around them, for the readings of dates, times and
// areas. Decimals become integer fractions, never doubles, so that "6.5시간" is 390
// minutes and no won or hundredth of a 평 is lost to binary noise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace numvora::notes_detail {

// Byte by byte: the words looked for are a few bytes long, shorter than a call to memcmp.
inline bool starts_at(std::string_view s, std::size_t pos, std::string_view what) {
    if (pos > s.size() || s.size() - pos < what.size()) return false;
    for (std::size_t i = 0; i < what.size(); ++i) {
        if (s[pos + i] != what[i]) return false;
    }
    return true;
}

// Past the spaces at pos.
inline std::size_t skip_spaces(std::string_view s, std::size_t pos) {
    while (pos < s.size() && s[pos] == ' ') ++pos;
    return pos;
}

struct DigitsRead {
    std::int64_t value = 0;
    std::size_t end = 0;
};

// A run of min_digits to max_digits (at most 18) ASCII digits at pos, not followed by
// another digit.
std::optional<DigitsRead> read_digits(std::string_view s, std::size_t pos, std::size_t min_digits,
                                      std::size_t max_digits);

// numerator / denominator, the denominator a power of ten.
struct ExactDecimal {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

struct DecimalRead {
    ExactDecimal value;
    std::size_t end = 0;
};

// Digits with an optional fraction at pos ("84", "6.5"), at most 18 digits in all.
std::optional<DecimalRead> read_decimal(std::string_view s, std::size_t pos);

// The same with thousands groups: "1,650", "2,400.5".
std::optional<DecimalRead> read_grouped_decimal(std::string_view s, std::size_t pos);

// A figure's plain decimal text, whole: "10030", "-0.5".
std::optional<ExactDecimal> exact_decimal(std::string_view text);

// Whether the figure ending at end goes on: a digit, a Latin letter, or a joiner before
// a digit ("2026-12-08-1", "09:00:30", "84m2x") make it something else.
bool runs_on(std::string_view s, std::size_t end);

// a × b, or nothing where it would overflow.
std::optional<std::int64_t> checked_product(std::int64_t a, std::int64_t b);

// a + b, or nothing past ±INT64_MAX, so that a sum can always be negated.
std::optional<std::int64_t> checked_sum(std::int64_t a, std::int64_t b);

}  // namespace numvora::notes_detail
