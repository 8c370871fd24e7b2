#include "calculator/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "calculator/tokenizer.h"
#include "common/unicode.h"

namespace numvora {

// Rewritten from the library's scientific form: its "fixed" shortest form prints every
// binary integer digit.
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
        out.append(digits, static_cast<std::size_t>(exponent) + 1);
        out += '.';
        out.append(digits + exponent + 1, static_cast<std::size_t>(count - exponent - 1));
    }
    return out;
}

namespace {

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

// Groups the number run starting at pos, reading its commas as absent; returns its end.
std::size_t append_grouped_run(std::string& out, std::string_view s, std::size_t pos) {
    std::size_t end = pos;
    std::size_t integer_digits = 0;
    bool in_integer = true;
    for (; end < s.size() && (is_ascii_digit(s[end]) || s[end] == '.' || s[end] == ','); ++end) {
        if (s[end] == '.') in_integer = false;
        integer_digits += in_integer && s[end] != ',';
    }
    std::size_t remaining = integer_digits;  // a run that starts with "." is not grouped
    bool first = true;
    for (; pos < end; ++pos) {
        const char c = s[pos];
        if (c == ',') continue;
        if (c == '.') remaining = 0;
        if (remaining > 0) {
            if (!first && remaining % 3 == 0) out += ',';
            first = false;
            --remaining;
        }
        out += c;
    }
    return end;
}

}  // namespace

std::string format_number(double value) {
    if (value == 0.0) return "0";
    const double magnitude = std::fabs(value);
    const bool has_fraction = value - std::trunc(value) != 0.0;
    if (has_fraction && magnitude >= FIXED_LOWER_BOUND && magnitude < FIXED_UPPER_BOUND) return fixed_trimmed(value);
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
    if (!group_thousands) return strip_commas(expression);

    // One pass that skips commas as it goes, equal to grouping the comma-free text but
    // without a second copy of a text that is regrouped on every refresh.
    const std::string_view s = expression;
    const std::size_t size = s.size();
    const auto digit_follows = [&](std::size_t i) {
        while (i < size && s[i] == ',') ++i;
        return i < size && is_ascii_digit(s[i]);
    };
    std::string out;
    out.reserve(size + size / 3 + 1);
    std::size_t pos = 0;
    while (pos < size) {
        const char c = s[pos];
        if (c == ',') {
            ++pos;
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            copy_scalar(out, s, pos);
        } else if (is_ascii_digit(c) || (c == '.' && digit_follows(pos + 1))) {
            pos = append_grouped_run(out, s, pos);
        } else {
            out += c;
            ++pos;
        }
    }
    return out;
}

}  // namespace numvora
