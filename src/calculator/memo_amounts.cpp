#include "calculator/memo_amounts.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "common/unicode.h"

namespace numvora {

namespace {

// A value as its digits and how many of them follow the point: scaling by a unit is a
// shift and a sum is digit arithmetic, exact at any size.
struct Decimal {
    std::string digits;
    std::size_t scale = 0;
};

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

// What the scalar before a number says about it.
enum class Before { Boundary, Letter, Joiner, Other };

bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

Before classify(char32_t c) {
    if (c < 0x80 && is_ascii_letter(static_cast<char>(c))) return Before::Letter;
    if (c == '(' || is_white_space(c)) return Before::Boundary;
    if (c == '-' || c == '.' || c == '/' || c == ':' || c == U'\u2212') return Before::Joiner;
    return Before::Other;
}

// One number with its unit.
struct Part {
    Decimal value;
    std::size_t end = 0;
    std::size_t exponent = 0;
    bool usable = false;  // not a name and not a piece of a date or code
};

struct Scanner {
    std::string_view s;

    bool at(std::size_t i, std::string_view what) const { return i <= s.size() && s.substr(i).starts_with(what); }
    bool digit(std::size_t i) const { return i < s.size() && is_ascii_digit(s[i]); }
    std::size_t minus(std::size_t i) const { return at(i, "-") ? 1 : at(i, "\u2212") ? 3 : 0; }
    std::size_t joiner(std::size_t i) const { return at(i, ".") || at(i, "/") || at(i, ":") ? 1 : minus(i); }

    // Digits with thousands groups and a fraction, from a digit or a point before one.
    std::size_t read_number(std::size_t i, Decimal& d) const {
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
    std::size_t skip_joined(std::size_t i) const {
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

    // The power of ten of the unit at i, which it passes.
    std::size_t unit(std::size_t& i) const {
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

    Part part(std::size_t i) const {
        Part p;
        p.end = read_number(i, p.value);
        const std::size_t n = joiner(p.end);
        if (n > 0 && digit(p.end + n)) {
            p.end = skip_joined(p.end);
            return p;
        }
        if (p.end < s.size() && is_ascii_letter(s[p.end])) return p;
        p.exponent = unit(p.end);
        shift(p.value, p.exponent);
        p.usable = true;
        return p;
    }

    // The amount whose number starts at i; end is set past it even when it is no amount.
    std::optional<std::string> amount(std::size_t i, bool negative, std::size_t& end) const {
        Part first = part(i);
        end = first.end;
        if (!first.usable) return std::nullopt;
        Decimal total = std::move(first.value);
        for (std::size_t exponent = first.exponent; exponent > 0;) {
            const std::size_t next = end + (at(end, " ") ? 1 : 0);
            if (!digit(next)) break;
            Part p = part(next);
            if (!p.usable || p.exponent >= exponent) break;
            add(total, std::move(p.value));
            exponent = p.exponent;
            end = p.end;
        }
        return to_text(total, negative);
    }
};

}  // namespace

std::vector<std::string> extract_amounts(std::string_view text) {
    const Scanner scan{text};
    std::vector<std::string> amounts;
    Before before = Before::Boundary;
    Before earlier = Before::Boundary;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const bool sign_may_stand = before == Before::Boundary;
        const std::size_t body = pos + (sign_may_stand ? scan.minus(pos) : 0);
        if (scan.digit(body) || (sign_may_stand && scan.at(body, ".") && scan.digit(body + 1))) {
            const bool named = before == Before::Letter || (before == Before::Joiner && earlier == Before::Letter);
            std::size_t end = body;
            std::optional<std::string> found = scan.amount(body, body > pos, end);
            if (found && !named) amounts.push_back(std::move(*found));
            before = earlier = Before::Other;
            pos = end;
            continue;
        }
        earlier = before;
        // A stray byte decodes as U+FFFD, one byte at a time, like anywhere in the engine.
        const char c = text[pos];
        if (static_cast<unsigned char>(c) < 0x80) {
            before = classify(static_cast<char32_t>(c));
            ++pos;
        } else {
            before = classify(decode_utf8(text, pos));
        }
    }
    return amounts;
}

std::string sum_expression(const std::vector<std::string>& amounts) {
    std::string out;
    for (const std::string& amount : amounts) {
        const bool subtract = !out.empty() && amount.starts_with('-');
        if (!out.empty()) out += subtract ? " - " : " + ";
        out.append(amount, subtract ? 1 : 0);
    }
    return out;
}

}  // namespace numvora
