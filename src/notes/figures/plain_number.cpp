#include "notes/figures/plain_number.h"

#include <charconv>
#include <limits>

#include "common/unicode.h"

namespace numvora::notes_detail {

namespace {

// Eighteen digits always fit an int64_t.
constexpr std::size_t MOST_DIGITS = 18;

std::size_t digits_end(std::string_view s, std::size_t pos) {
    while (pos < s.size() && is_ascii_digit(s[pos])) ++pos;
    return pos;
}

std::int64_t power_of_ten(std::size_t exponent) {
    std::int64_t power = 1;
    for (std::size_t i = 0; i < exponent; ++i) power *= 10;
    return power;
}

}  // namespace

std::optional<DigitsRead> read_digits(std::string_view s, std::size_t pos, std::size_t min_digits,
                                      std::size_t max_digits) {
    const std::size_t end = digits_end(s, pos);
    const std::size_t count = end - pos;
    if (count < min_digits || count > max_digits || count > MOST_DIGITS) return std::nullopt;
    DigitsRead read{0, end};
    std::from_chars(s.data() + pos, s.data() + end, read.value);
    return read;
}

std::optional<DecimalRead> read_decimal(std::string_view s, std::size_t pos) {
    const std::size_t point = digits_end(s, pos);
    std::size_t end = point;
    if (point < s.size() && s[point] == '.') end = digits_end(s, point + 1);
    if (point == pos || end == point + 1) return std::nullopt;  // "6." is no decimal
    const std::size_t fraction = end == point ? 0 : end - point - 1;
    if (point - pos + fraction > MOST_DIGITS) return std::nullopt;
    DecimalRead read{{0, power_of_ten(fraction)}, end};
    std::int64_t whole = 0;
    std::from_chars(s.data() + pos, s.data() + point, whole);
    std::int64_t part = 0;
    if (fraction > 0) std::from_chars(s.data() + point + 1, s.data() + end, part);
    read.value.numerator = whole * read.value.denominator + part;
    return read;
}

std::optional<ExactDecimal> exact_decimal(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    const auto read = read_decimal(text, 0);
    if (!read || read->end != text.size()) return std::nullopt;
    ExactDecimal value = read->value;
    if (negative) value.numerator = -value.numerator;
    return value;
}

bool runs_on(std::string_view s, std::size_t end) {
    if (end >= s.size()) return false;
    const char c = s[end];
    if (is_ascii_digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
    const bool joiner = c == '-' || c == '.' || c == '/' || c == ':';
    return joiner && end + 1 < s.size() && is_ascii_digit(s[end + 1]);
}

std::optional<std::int64_t> checked_product(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t MOST = std::numeric_limits<std::int64_t>::max();
    if (a != 0 && b != 0) {
        const std::uint64_t size_a = a < 0 ? 0 - static_cast<std::uint64_t>(a) : static_cast<std::uint64_t>(a);
        const std::uint64_t size_b = b < 0 ? 0 - static_cast<std::uint64_t>(b) : static_cast<std::uint64_t>(b);
        if (size_a > static_cast<std::uint64_t>(MOST) / size_b) return std::nullopt;
    }
    return a * b;
}

std::optional<std::int64_t> checked_sum(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t MOST = std::numeric_limits<std::int64_t>::max();
    if ((b > 0 && a > MOST - b) || (b < 0 && a < -MOST - b)) return std::nullopt;
    return a + b;
}

std::optional<DecimalRead> read_grouped_decimal(std::string_view s, std::size_t pos) {
    std::string plain;
    std::size_t i = pos;
    while (i < s.size() && is_ascii_digit(s[i])) plain += s[i++];
    while (!plain.empty() && i + 3 < s.size() + 1 && s[i] == ',' && all_ascii_digits(s.substr(i + 1, 3)) &&
           (i + 4 >= s.size() || !is_ascii_digit(s[i + 4]))) {
        plain.append(s.substr(i + 1, 3));
        i += 4;
    }
    if (i == pos + plain.size()) return read_decimal(s, pos);
    if (i < s.size() && s[i] == '.') {
        plain += s[i++];
        while (i < s.size() && is_ascii_digit(s[i])) plain += s[i++];
    }
    std::optional<DecimalRead> read = read_decimal(plain, 0);
    if (!read || read->end != plain.size()) return std::nullopt;
    read->end = i;
    return read;
}

}  // namespace numvora::notes_detail
