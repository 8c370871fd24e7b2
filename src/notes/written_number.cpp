#include "notes/written_number.h"

#include <algorithm>
#include <utility>

#include "common/unicode.h"

namespace numvora::notes_detail {

namespace {

// Multiplies by 10^exponent.
void shift(Decimal& d, std::size_t exponent) {
    if (d.scale >= exponent) {
        d.scale -= exponent;
        return;
    }
    d.digits.append(exponent - d.scale, '0');
    d.scale = 0;
}

void widen(Decimal& d, std::size_t scale) {
    d.digits.append(scale - d.scale, '0');
    d.scale = scale;
}

}  // namespace

void add(Decimal& sum, Decimal part) {
    const std::size_t scale = std::max(sum.scale, part.scale);
    widen(sum, scale);
    widen(part, scale);
    if (sum.digits.size() < part.digits.size()) std::swap(sum, part);
    int carry = 0;
    std::size_t i = sum.digits.size();
    for (std::size_t j = part.digits.size(); i > 0 && (j > 0 || carry != 0);) {
        const int digit = sum.digits[--i] - '0' + carry + (j > 0 ? part.digits[--j] - '0' : 0);
        sum.digits[i] = static_cast<char>('0' + digit % 10);
        carry = digit / 10;
    }
    if (carry != 0) sum.digits.insert(sum.digits.begin(), '1');
}

std::string to_text(const Decimal& d, bool negative) {
    const std::size_t first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) return "0";
    const std::size_t point = d.digits.size() - d.scale;
    const std::size_t last = d.digits.find_last_not_of('0');
    std::string out = negative ? "-" : "";
    if (first < point)
        out.append(d.digits, first, point - first);
    else
        out += '0';
    if (last >= point) {
        out += '.';
        out.append(d.digits, point, last + 1 - point);
    }
    return out;
}

bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A result as F9 writes it, with white space around: "", " -1,234.5 ", "12,000원".
bool is_written_result(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) return false;
    text = trim_white_space(text);
    if (text.ends_with("원")) text.remove_suffix(3);
    if (text.starts_with('-')) text.remove_prefix(1);
    if (text.empty()) return false;
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (point != std::string_view::npos && (fraction.empty() || !all_ascii_digits(fraction))) return false;
    return !whole.empty() && whole.front() != ',' && whole.find_first_not_of("0123456789,") == std::string_view::npos;
}

bool WrittenNumbers::digit(std::size_t i) const { return i < s.size() && is_ascii_digit(s[i]); }

// Digits with thousands groups and a fraction, from a digit or a point before one.
std::size_t WrittenNumbers::read_number(std::size_t i, Decimal& d) const {
    while (digit(i)) d.digits += s[i++];
    while (at(i, ",") && digit(i + 1) && digit(i + 2) && digit(i + 3) && !digit(i + 4)) {
        d.digits.append(s.substr(i + 1, 3));
        i += 4;
    }
    if (at(i, ".") && digit(i + 1))
        for (++i; digit(i); ++i, ++d.scale) d.digits += s[i];
    return i;
}

// The end of digit runs joined as in a date, a phone number or a time.
std::size_t WrittenNumbers::skip_joined(std::size_t i) const {
    for (;;) {
        const std::size_t n = joiner(i);
        if (digit(i) || (at(i, ",") && digit(i + 1)))
            ++i;
        else if (n > 0 && digit(i + n))
            i += n;
        else
            return i;
    }
}

// The power of ten of the unit at i, which it passes; 천 combines with the larger three.
std::size_t WrittenNumbers::unit(std::size_t& i) const {
    static constexpr std::pair<std::string_view, std::size_t> LARGE[] = {{"만", 4}, {"억", 8}, {"조", 12}};
    std::size_t exponent = 0;
    if (at(i, "천")) {
        exponent = 3;
        i += 3;
    }
    for (const auto& [name, power] : LARGE) {
        if (!at(i, name)) continue;
        exponent += power;
        i += name.size();
        break;
    }
    return exponent;
}

Part WrittenNumbers::part(std::size_t i) const {
    Part p;
    p.end = read_number(i, p.value);
    if (check_joined) {
        const std::size_t n = joiner(p.end);
        if (n > 0 && digit(p.end + n)) {
            p.end = skip_joined(p.end);
            p.usable = false;
            return p;
        }
        if (p.end < s.size() && is_ascii_letter(s[p.end])) {
            p.usable = false;
            return p;
        }
    }
    p.exponent = unit(p.end);
    shift(p.value, p.exponent);
    return p;
}

Part WrittenNumbers::compound(std::size_t i) const {
    Part total = part(i);
    for (std::size_t exponent = total.exponent; total.usable && exponent > 0;) {
        const std::size_t next = total.end + (at(total.end, " ") ? 1 : 0);
        if (!digit(next)) break;
        Part p = part(next);
        if (!p.usable || p.exponent >= exponent) break;
        add(total.value, std::move(p.value));
        exponent = p.exponent;
        total.end = p.end;
    }
    return total;
}

}  // namespace numvora::notes_detail
