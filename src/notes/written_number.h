// Numbers as notes write them ("12,000", "0.5", "12만 3천", "1억 2천만"), shared by the
// amounts a total adds and the expressions F9 reads. Values stay digit text with a
// scale, so that a unit is a shift and nothing is rounded before the engine.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace numvora::notes_detail {

struct Decimal {
    std::string digits;
    std::size_t scale = 0;  // how many digits follow the point
};

// Exact sum of two non-negative values.
void add(Decimal& sum, Decimal part);
// Plain text ("550000", "-0.5"): no grouping, no superfluous zeros, never "-0".
std::string to_text(const Decimal& d, bool negative);

bool is_ascii_letter(char c);

// A result as F9 writes it, with white space around: " -1,234.5 ", "12,000원"; no line break.
bool is_written_result(std::string_view text);

// One number with its unit: digits, groups and fraction, then 천 만 억 조.
struct Part {
    Decimal value;
    std::size_t end = 0;
    std::size_t exponent = 0;  // the unit's power of ten
    bool usable = true;        // false when the amounts' reading sees a name or a date piece
};

struct WrittenNumbers {
    std::string_view s;
    // Digits glued to a letter and runs joined like "2026-12-07" are no amount; an
    // expression reads "12/7" as a division, so it does not check.
    bool check_joined = true;

    bool at(std::size_t i, std::string_view what) const { return i <= s.size() && s.substr(i).starts_with(what); }
    bool digit(std::size_t i) const;
    std::size_t minus(std::size_t i) const { return at(i, "-") ? 1 : at(i, "\u2212") ? 3 : 0; }

    Part part(std::size_t i) const;
    // Parts with strictly falling units, at most one space apart, summed; a bare number
    // only as the last part ("1억 2,000만 500"). Starts at a digit or a point before one.
    Part compound(std::size_t i) const;

private:
    std::size_t joiner(std::size_t i) const { return at(i, ".") || at(i, "/") || at(i, ":") ? 1 : minus(i); }
    std::size_t read_number(std::size_t i, Decimal& d) const;
    std::size_t skip_joined(std::size_t i) const;
    std::size_t unit(std::size_t& i) const;
};

}  // namespace numvora::notes_detail
