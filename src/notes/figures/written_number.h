// Numbers as notes write them: "12,000", "0.5", "12만 3천", "2천5백만", "오천", "1.5만".
// Values stay digit text with a scale, so that a unit is a shift and nothing is rounded
// before the engine sees them.
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

// An amount as F9 writes it, with white space around: " -1,234.5 ", "12,000원", or as a
// user writes one with units: "45만원"; no line break.
bool is_written_amount(std::string_view text);

// The text of a value read from notes: at most 15 significant digits, so that binary
// noise ("110000.000000000015") never reaches a note; plain decimal, never "-0".
std::string note_value_text(double value);
// And back: the value of such a text, 0 for none.
double note_value(std::string_view text);

// One written number at a position of a line.
struct WrittenNumber {
    Decimal value;
    std::size_t end = 0;
    bool grouped = false;       // a thousands comma
    bool plain_long = false;    // four or more integer digits with no comma and no unit
    bool unit = false;          // 십 백 천 만 억 조, or a number word ("오천")
    bool large_unit = false;    // among its units 만, 억 or 조: "12만 3천", "1억", "만원"
    bool words_only = false;    // Hangul number words without a digit
    bool leading_zero = false;  // "06236": a code, not a quantity
    bool unclear = false;       // "12, 300", "8 300원", "1,0000": more than one reading is plausible
};

// Reads the number starting at pos: ASCII digits with thousands groups and a fraction,
// or Hangul number words, with units in falling order; a part with a unit may be
// followed, after one space, by a part of lower order ("1억 2,000만 500", "5만 5천").
// A thousands comma stands only before exactly three digits. end == pos when nothing
// is read. Words alone ("만", "오천") are read only when words_allowed. After 억, a 천 or 백
// group with no 만 is a group of 만 ("1억 2천" is 120,000,000), and a unit one space
// after the digits is theirs ("3 만원" is 30,000). A number that could be one or two
// ("12, 300", "8 300원", "1,0000") is read whole and marked unclear.
WrittenNumber read_written_number(std::string_view s, std::size_t pos, bool words_allowed);

}  // namespace numvora::notes_detail
