#include "notes/figures/written_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

#include "calculator/number_format.h"
#include "common/unicode.h"
#include "notes/figures/korean_words.h"
#include "notes/figures/plain_number.h"

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

bool digit_at(std::string_view s, std::size_t i) { return i < s.size() && is_ascii_digit(s[i]); }

// Every Hangul digit and unit is one three-byte syllable, whose first byte is at 0xE0 or
// above: a place with less left, or another byte, holds none, as most places after a
// figure do.
constexpr bool is_syllable_word(std::string_view word) {
    return word.size() == 3 && static_cast<unsigned char>(word[0]) >= 0xE0;
}
static_assert(std::all_of(std::begin(HANGUL_DIGITS), std::end(HANGUL_DIGITS), is_syllable_word));
static_assert(std::all_of(std::begin(SMALL_UNITS), std::end(SMALL_UNITS),
                          [](const NumberUnit& unit) { return is_syllable_word(unit.word); }));
static_assert(std::all_of(std::begin(LARGE_UNITS), std::end(LARGE_UNITS),
                          [](const NumberUnit& unit) { return is_syllable_word(unit.word); }));

bool may_hold_syllable(std::string_view s, std::size_t i) {
    return i < s.size() && s.size() - i >= 3 && static_cast<unsigned char>(s[i]) >= 0xE0;
}

bool syllable_at(std::string_view s, std::size_t i, std::string_view word) {
    return s[i] == word[0] && s[i + 1] == word[1] && s[i + 2] == word[2];
}

template <std::size_t N>
std::optional<std::size_t> unit_at(std::string_view s, std::size_t i, const NumberUnit (&units)[N]) {
    if (!may_hold_syllable(s, i)) return std::nullopt;
    for (const NumberUnit& unit : units) {
        if (syllable_at(s, i, unit.word)) return unit.power;
    }
    return std::nullopt;
}

std::optional<char> hangul_digit_at(std::string_view s, std::size_t i) {
    if (!may_hold_syllable(s, i)) return std::nullopt;
    for (std::size_t d = 0; d < std::size(HANGUL_DIGITS); ++d) {
        if (syllable_at(s, i, HANGUL_DIGITS[d])) return static_cast<char>('1' + d);
    }
    return std::nullopt;
}

// A unit word at i that stands as one ("3 만원", "5 천", "2 만 명"), not the start of
// another word ("3 만나서").
bool unit_stands(std::string_view s, std::size_t i) {
    if (!unit_at(s, i, SMALL_UNITS) && !unit_at(s, i, LARGE_UNITS)) return false;
    const std::size_t after = i + 3;
    if (after >= s.size() || static_cast<unsigned char>(s[after]) < 0x80) return true;
    return starts_at(s, after, "원") || unit_at(s, after, SMALL_UNITS) || unit_at(s, after, LARGE_UNITS);
}

// Exactly three digits at i, and no digit after them.
bool three_digits_at(std::string_view s, std::size_t i) {
    return digit_at(s, i) && digit_at(s, i + 1) && digit_at(s, i + 2) && !digit_at(s, i + 3);
}

// "12, 300" and "8 300원": one to three digits, then three more after a comma and a
// space ("95, 100, 105" as a whole), or after a space and before a money mark. The end
// of such a number, or pos.
std::size_t split_group_end(std::string_view s, std::size_t first, std::size_t pos) {
    if (pos - first > 3 || pos == first) return pos;
    if (starts_at(s, pos, ", ") && three_digits_at(s, pos + 2)) {
        while (starts_at(s, pos, ", ") && three_digits_at(s, pos + 2)) pos += 5;
        return pos;
    }
    if (starts_at(s, pos, " ") && three_digits_at(s, pos + 1) &&
        (starts_at(s, pos + 4, "원") || unit_at(s, pos + 4, SMALL_UNITS) || unit_at(s, pos + 4, LARGE_UNITS)))
        return pos + 4;
    return pos;
}

// Digits with thousands groups and a fraction, from a digit or a point before one.
std::size_t read_digits(std::string_view s, std::size_t i, Decimal& d, WrittenNumber& n) {
    const std::size_t first = i;
    while (digit_at(s, i)) ++i;
    d.digits.append(s.substr(first, i - first));
    std::size_t integer_digits = i - first;
    n.leading_zero = n.leading_zero || (integer_digits > 1 && s[first] == '0');
    while (starts_at(s, i, ",") && digit_at(s, i + 1) && digit_at(s, i + 2) && digit_at(s, i + 3) &&
           !digit_at(s, i + 4)) {
        d.digits.append(s.substr(i + 1, 3));
        i += 4;
        n.grouped = true;
    }
    // "1,0000": a comma before four or more digits is a typo of 1,000 or 10,000, money all
    // the same, which no total may pass over.
    if (starts_at(s, i, ",") && digit_at(s, i + 1) && digit_at(s, i + 2) && digit_at(s, i + 3) && digit_at(s, i + 4)) {
        n.unclear = n.grouped = true;
        for (++i; digit_at(s, i); ++i) d.digits += s[i];
    }
    if (!n.grouped && integer_digits >= 4) n.plain_long = true;
    if (starts_at(s, i, ".") && digit_at(s, i + 1)) {
        const std::size_t fraction = ++i;
        while (digit_at(s, i)) ++i;
        d.digits.append(s.substr(fraction, i - fraction));
        d.scale += i - fraction;
    }
    return i;
}

}  // namespace

void add(Decimal& sum, Decimal part) {
    // Nothing yet: the sum is the part, as most numbers are one part.
    if (sum.digits.empty() && sum.scale == 0 && part.digits.size() >= part.scale) {
        sum = std::move(part);
        return;
    }
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
    // Whole digits with no zero before them, as most figures are: the text they are.
    if (!negative && d.scale == 0 && !d.digits.empty() && d.digits.front() != '0') return d.digits;
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

bool is_written_amount(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) return false;
    text = trim_white_space(text);
    if (text.ends_with("원")) text.remove_suffix(3);
    if (text.starts_with('-')) text.remove_prefix(1);
    if (text.empty()) return false;
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    const bool plain = (point == std::string_view::npos || all_ascii_digits(fraction)) && !whole.empty() &&
                       whole.front() != ',' && whole.find_first_not_of("0123456789,") == std::string_view::npos;
    if (plain) return true;
    // "45만", "1억 2천만": a result written with units.
    const WrittenNumber units = read_written_number(text, 0, false);
    return units.unit && units.end == text.size();
}

double note_value(std::string_view text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string note_value_text(double value) {
    // The calculator's own text, unless it runs past the fifteen significant digits a
    // double holds exactly: what lies beyond them is the noise of binary fractions.
    std::string text = format_number(value);
    const std::size_t first = text.find_first_of("123456789");
    const auto digits = first == std::string::npos
                            ? 0
                            : std::count_if(text.begin() + static_cast<std::ptrdiff_t>(first), text.end(),
                                            [](char c) { return is_ascii_digit(c); });
    if (digits <= 15) return text;
    char buffer[40];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    double rounded = value;
    std::from_chars(buffer, converted.ptr, rounded, std::chars_format::scientific);
    return shortest_positional(rounded);
}

namespace {

struct Item {
    Decimal value;
    std::size_t end = 0;
    std::size_t exponent = 0;  // its small unit's (a section's: its first); 0 for a bare number
};

bool starts_item(std::string_view s, std::size_t q, bool words) {
    return digit_at(s, q) || (words && (hangul_digit_at(s, q) || unit_at(s, q, SMALL_UNITS)));
}

// One number with its small unit: "12", "5천", "오백", "십". A number word without a
// unit ("이", "오") stands only where bare_words is set: "삼십오" reads 35, "3만이" stays 3만.
std::optional<Item> read_item(std::string_view s, std::size_t q, bool words, bool bare_words, bool first,
                              WrittenNumber& n) {
    Item item;
    bool has_coefficient = false;
    bool hangul = false;
    if (digit_at(s, q) || (first && starts_at(s, q, ".") && digit_at(s, q + 1))) {
        const std::size_t digits = q;
        q = read_digits(s, q, item.value, n);
        has_coefficient = true;
        if (first && words && !n.grouped && !n.unclear) {
            if (const std::size_t end = split_group_end(s, digits, q); end != q) {
                n.unclear = true;
                item.end = end;
                return item;
            }
            if (starts_at(s, q, " ") && unit_stands(s, q + 1)) ++q;
        }
    } else if (const std::optional<char> d = words ? hangul_digit_at(s, q) : std::nullopt) {
        item.value.digits.assign(1, *d);
        q += 3;
        has_coefficient = hangul = true;
    }
    const std::optional<std::size_t> small =
        has_coefficient || words ? unit_at(s, q, SMALL_UNITS) : std::optional<std::size_t>{};
    if (!has_coefficient && !small) return std::nullopt;
    // "일억오만원", "일만오원": in words, a digit alone before a large unit or 원 is its own.
    const bool before_unit = n.words_only && (unit_at(s, q, LARGE_UNITS) || starts_at(s, q, "원"));
    // "5천이면", "11억7천이네요": after digits, a number syllable with no unit is a particle.
    if (hangul && !small && (!bare_words || !n.words_only) && !before_unit) return std::nullopt;
    if (!has_coefficient) item.value.digits.assign(1, '1');
    if (small) {
        shift(item.value, *small);
        item.exponent = *small;
        q += 3;
        n.unit = true;
    }
    n.words_only = n.words_only && !(has_coefficient && !hangul);
    item.end = q;
    return item;
}

// What follows a figure that makes it one of its own: digits joined on to more digits
// ("55만 11/5 입금" a date or a time), a percent sign, or a word that is neither 원, a large
// unit nor a particle ("30년", "12개월"; "4억 2천에" leaves 2천 the lower part).
bool own_after(std::string_view s, std::size_t end) {
    if (end >= s.size()) return false;
    const char joiner = s[end];
    if (joiner == '%') return true;  // "2,000만 6.8%": a rate beside the sum
    if ((joiner == '/' || joiner == ':' || joiner == '.' || joiner == '-') && end + 1 < s.size() && s[end + 1] >= '0' &&
        s[end + 1] <= '9')
        return true;
    if (static_cast<unsigned char>(s[end]) < 0xE0) return false;
    if (starts_at(s, end, "원") || unit_at(s, end, LARGE_UNITS)) return false;
    std::size_t word_end = end;
    while (word_end < s.size() && static_cast<unsigned char>(s[word_end]) >= 0xE0) word_end += 3;
    return !is_particle(s.substr(end, std::min(word_end, s.size()) - end));
}

// Items with falling small units: "2천5백", "삼십오", "5천 500".
std::optional<Item> read_section(std::string_view s, std::size_t p, bool words, bool first_section, WrittenNumber& n) {
    Item section;
    std::size_t bound = 4;
    bool any = false;
    for (std::size_t q = p;;) {
        const bool bare_words = (first_section && !any) || (any && bound > 0 && bound < 4);
        std::optional<Item> item = read_item(s, q, words, bare_words, first_section && !any, n);
        if (!item || item->exponent >= bound || (any && item->exponent == 0 && bound == 0)) break;
        if (n.unclear) {
            section = std::move(*item);
            return section;
        }
        add(section.value, std::move(item->value));
        if (!any) section.exponent = item->exponent;
        bound = item->exponent;
        section.end = item->end;
        any = true;
        if (bound == 0) break;
        q = section.end;
        if (starts_item(s, q, words)) continue;
        // "5천 500": a spaced item of the same section, unless a large unit makes it a section
        // of its own, or a word of its own a figure apart ("5천 30년").
        if (!starts_at(s, q, " ") || !starts_item(s, q + 1, words)) break;
        WrittenNumber probe;
        const std::optional<Item> next = read_item(s, q + 1, words, false, false, probe);
        if (!next || next->exponent >= bound || unit_at(s, next->end, LARGE_UNITS) || own_after(s, next->end)) break;
        q += 1;
    }
    if (!any) return std::nullopt;
    return section;
}

// "500만 12개월", "3억 2채": a figure with a word of its own after it is no lower part of
// the one before.
bool own_figure(std::string_view s, std::size_t p, bool words) {
    WrittenNumber probe;
    const std::optional<Item> next = read_section(s, p, words, false, probe);
    return next && own_after(s, next->end);
}

// Digits with no unit after them ("9,000", "34,500원", "3.5"), as most figures are: what
// the reading by sections gives them, without its sections. Nothing when a unit follows,
// spaced or not, or the digits may be one number split ("12, 300").
std::optional<WrittenNumber> plain_digits(std::string_view s, std::size_t pos, bool words_allowed) {
    WrittenNumber n;
    n.end = read_digits(s, pos, n.value, n);
    const std::size_t end = n.end;
    if (words_allowed && !n.grouped && !n.unclear &&
        (split_group_end(s, pos, end) != end || (starts_at(s, end, " ") && unit_stands(s, end + 1))))
        return std::nullopt;
    if (unit_at(s, end, SMALL_UNITS) || unit_at(s, end, LARGE_UNITS)) return std::nullopt;
    return n;
}

}  // namespace

WrittenNumber read_written_number(std::string_view s, std::size_t pos, bool words_allowed) {
    if (digit_at(s, pos)) {
        if (std::optional<WrittenNumber> plain = plain_digits(s, pos, words_allowed)) return std::move(*plain);
    } else if (!(starts_at(s, pos, ".") && digit_at(s, pos + 1)) &&
               !(words_allowed &&
                 (hangul_digit_at(s, pos) || unit_at(s, pos, SMALL_UNITS) || unit_at(s, pos, LARGE_UNITS)))) {
        // Nothing a number opens with, as at most words asked whether they are one.
        return WrittenNumber{{}, pos};
    }
    WrittenNumber n;
    n.end = pos;
    n.words_only = true;
    Decimal total;
    std::size_t large_bound = 16;
    bool any = false;
    for (std::size_t p = pos;;) {
        std::optional<Item> section = read_section(s, p, words_allowed, !any, n);
        const std::size_t section_end = section ? section->end : p;
        std::optional<std::size_t> large = unit_at(s, section_end, LARGE_UNITS);
        if (starts_at(s, section_end, "조각")) large.reset();  // "8조각" is eight pieces, not eight 조
        if (!section) {
            // "만원", "억": a large unit alone means one of it.
            if (any || !words_allowed || !large) break;
            section = Item{};
            section->value.digits.assign(1, '1');
            section->end = p;
        }
        if (!large) {
            // "1억 2천", "3억5천", "12억 2천5백": after 억, a group with a unit and no 만 is of 만,
            // and so is a group of two to four digits ("9억 8,000", "1억 500"), as listings
            // write it; one digit is of 천만 ("3억5").
            const bool won_after = starts_at(s, section->end, "원") || starts_at(s, section->end, " 원");
            if (large_bound == 8 && !n.unclear && section->value.scale == 0 && !won_after) {
                const std::size_t digits = section->value.digits.size() - section->value.digits.find_first_not_of('0');
                if (section->exponent > 0 || (digits >= 2 && digits <= 4))
                    shift(section->value, 4);
                else if (digits == 1)
                    shift(section->value, 7);
            }
            // "68조 4421": bare digits after 조 are of 억 by the rule above, or a plate
            // number; no one can tell.
            if (large_bound == 12 && section->value.scale == 0 && section->exponent == 0 && !won_after)
                n.unclear = true;
            add(total, std::move(section->value));
            n.end = section->end;
            any = true;
            break;
        }
        if (*large >= large_bound) break;  // "5만 3만": the second is a number of its own
        shift(section->value, *large);
        add(total, std::move(section->value));
        large_bound = *large;
        n.end = p = section_end + 3;
        n.unit = n.large_unit = any = true;
        if (starts_item(s, p, words_allowed)) continue;
        if (starts_at(s, p, " ") && starts_item(s, p + 1, words_allowed) && !own_figure(s, p + 1, words_allowed)) {
            ++p;
            continue;
        }
        break;
    }
    if (!any) return WrittenNumber{{}, pos};
    n.value = std::move(total);
    n.plain_long = n.plain_long && !n.unit && !n.grouped;
    return n;
}

}  // namespace numvora::notes_detail
