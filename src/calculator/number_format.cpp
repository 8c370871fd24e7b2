#include "calculator/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "calculator/tokenizer.h"

namespace numvora {

namespace {

bool is_ascii_digit(char c) { return c >= '0' && c <= '9'; }

// Shortest round-trip digits, rewritten from the library's scientific form into
// positional notation (its "fixed" shortest form prints every binary integer digit).
std::string shortest_positional(double value) {
    char sci[32];
    const auto converted = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
    const char* p = sci;
    const char* const end = converted.ptr;

    std::string out;
    if (*p == '-') {
        out += '-';
        ++p;
    }
    char digits[20];
    int count = 0;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.') digits[count++] = *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), end, exponent);

    // The first digit stands for 10^exponent.
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(digits, static_cast<std::size_t>(count));
    } else if (exponent + 1 >= count) {
        out.append(digits, static_cast<std::size_t>(count));
        out.append(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        out.append(digits, static_cast<std::size_t>(exponent + 1));
        out += '.';
        out.append(digits + exponent + 1, static_cast<std::size_t>(count - exponent - 1));
    }
    return out;
}

std::string fixed_trimmed(double value) {
    // At most 15 integer digits, a sign, a point and 12 decimals.
    char buffer[48];
    const auto converted =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, FIXED_DECIMALS);
    const char* end = converted.ptr;
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
    return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

// Appends the grouped form of one number text, or the text unchanged when its integer
// part is not plain digits. Shared so that grouping a whole expression allocates once.
void append_grouped(std::string& out, std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view rest = negative ? text.substr(1) : text;
    const std::size_t point = rest.find('.');
    const std::string_view integer = rest.substr(0, point);
    bool plain = !integer.empty() && text.find_first_of("eE") == std::string_view::npos;
    for (std::size_t i = 0; plain && i < integer.size(); ++i) plain = is_ascii_digit(integer[i]);
    if (!plain) {
        out.append(text);
        return;
    }
    if (negative) out += '-';
    std::size_t lead = integer.size() % 3;
    if (lead == 0) lead = 3;
    out.append(integer.substr(0, lead));
    for (std::size_t i = lead; i < integer.size(); i += 3) {
        out += ',';
        out.append(integer.substr(i, 3));
    }
    if (point != std::string_view::npos) out.append(rest.substr(point));
}

}  // namespace

std::string format_number(double value) {
    if (value == 0.0) return "0";
    const double magnitude = std::fabs(value);
    const bool has_fraction = value - std::trunc(value) != 0.0;
    if (has_fraction && magnitude >= FIXED_LOWER_BOUND && magnitude < FIXED_UPPER_BOUND)
        return fixed_trimmed(value);
    return shortest_positional(value);
}

std::string add_thousands_separators(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 3);
    append_grouped(out, text);
    return out;
}

std::string format_result_text(bool group_thousands, std::string_view result) {
    return group_thousands ? add_thousands_separators(result) : std::string(result);
}

std::string format_expression_text(bool group_thousands, std::string_view expression) {
    std::string s = strip_commas(expression);
    if (!group_thousands) return s;

    // Bytewise is the same as characterwise here: digits and "." are ASCII and never
    // occur inside a multi-byte sequence, and strip_commas left valid UTF-8 only.
    std::string out;
    out.reserve(s.size() + s.size() / 3 + 1);
    const std::size_t size = s.size();
    std::size_t pos = 0;
    while (pos < size) {
        // Copy everything up to the next number run in one piece.
        std::size_t start = pos;
        while (pos < size && !is_ascii_digit(s[pos]) &&
               !(s[pos] == '.' && pos + 1 < size && is_ascii_digit(s[pos + 1])))
            ++pos;
        out.append(s, start, pos - start);
        if (pos == size) break;
        start = pos;
        while (pos < size && (is_ascii_digit(s[pos]) || s[pos] == '.')) ++pos;
        append_grouped(out, std::string_view(s).substr(start, pos - start));
    }
    return out;
}

}  // namespace numvora
