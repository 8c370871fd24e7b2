// A line of notes cut into what it is written with: figures with the marks around them
// ("₩4,500", "12만 3천원", "3잔", "9.4%", "12월"), operators, parentheses and words.
// What each figure means is decided from these marks by notes/line_reading.h; dates,
// durations and areas are made one figure each, with their own values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "notes/figures/currencies.h"
#include "notes/figures/note_area.h"
#include "notes/figures/note_calendar.h"
#include "notes/figures/note_durations.h"

namespace numvora::notes_detail {

enum class TokenKind : std::uint8_t {
    Number,
    Plus,
    Minus,      // "-", "−"
    Times,      // "*", "×", and an "x" standing alone
    Divide,     // "/", "÷"
    Remainder,  // a "%" that no figure carries
    Open,
    Close,
    Equals,
    Tilde,  // "~": a range
    Colon,
    Word,  // letters: a label, or part of a name
    Other,
};

// How a figure is written; its meaning follows from these.
struct NumberMarks {
    bool grouped = false;     // a thousands comma
    bool plain_long = false;  // four or more digits, no comma, no unit
    bool unit = false;        // 십 백 천 만 억 조 or a Hangul number word
    bool large_unit = false;  // 만, 억 or 조 among them: a result of it is written so too
    bool won = false;         // ₩, ￦ or 원
    bool foreign = false;     // $, 달러, USD, ¥, 엔, €, 유로 …
    bool percent = false;     // "%" right after it
    bool counter = false;     // a counter word after it: 잔, 명, 개 …
    bool date = false;        // a date, time or duration word after it, or 오전/오후 before
    bool clock = false;       // among them a time of day: "3시", "30분", "오후 3", "12:30"
    bool name = false;        // fused with letters: "2차", "S24", "16인치", "B-2"
    bool identifier = false;  // a number that names something: "회원번호 88120457", "#1234", "12가 3456"
    bool measure = false;
    bool length = false;  // among them a length: two multiplied are a size ("7m x 50m")          // among them, a word
                          // or a unit that counts: "2사이트", "8m", "12자루"
    bool joined = false;  // digits joined like a date, a phone number, a time or a version
    bool joined_by_point = false;  // among the joiners, a "." ("1.000.000", "3.14.15")
    bool range_joined = false;     // joined by "-" with a unit, a comma or 원: "3만-5만", "1,000-2,000원"
    bool leading_zero = false;     // "06236": a code
    bool of = false;               // "의" right after it: "X의 10%"
    bool from = false;             // "에서" right after it: "X에서 20% 할인"
    bool reference = false;        // a name's value or the result above, not written here
    bool vat = false;              // the word 부가세 read as its rate, 10%
    bool supply = false;           // "공급가" after it: the supply value of a price with VAT, X ÷ 1.1
    bool negative = false;         // a reference's value is below zero
    bool unclear = false;          // "12, 300", "8 300원", "1,0000": one number or two, who knows
    bool won_fraction = false;     // "4.5원": a fraction of a won, fine as a rate, no amount alone
    // Calculated from what is written: a time span, the days between two dates, a D-day,
    // an area asked in another unit. The line calculates even with no operator.
    bool worked_out = false;
};

// Figures that count something other than money, each in its own unit.
struct Duration {
    Minutes minutes = 0;
};
struct CalendarDate {
    DayNumber day = 0;
};
struct DDay {
    DayNumber day = 0;
    std::int64_t days_left = 0;
};
struct DayCount {
    std::int64_t days = 0;
};
struct Area {
    SquareMetres area;
    AreaUnit unit = AreaUnit::SquareMetre;  // as written, or as asked for
};
using Quantity = std::variant<std::monostate, Duration, CalendarDate, DDay, DayCount, Area>;

struct Token {
    TokenKind kind = TokenKind::Other;
    std::size_t begin = 0;  // bytes in the line
    std::size_t end = 0;
    std::string value;  // a Number's plain decimal text, unsigned
    NumberMarks marks;
    std::string currency;       // foreign money's sign or word as written: "$", "엔", "USD"
    Quantity quantity;          // a date, a duration, days or an area, read across tokens
    bool spaced_after = false;  // white space follows before the next token
};

// split_joined: "/" and "-" between digits are operators ("12/7 =" asks for a division),
// not the joiners of a date.
std::vector<Token> tokenize_line(std::string_view line, bool split_joined = false);

bool word_starts_with(std::string_view line, const Token& token, std::string_view prefix);

// Whether a figure of the line is written as money: with 원, a unit, thousands commas or
// a foreign mark, and not as a name, a date, a rate or joined digits.
bool holds_money(std::string_view line);
// The same of the line's tokens, all of them.
bool holds_money(const std::vector<Token>& tokens);

// Whether the first token of the text is a word.
bool opens_word(std::string_view text);

// The tokens of the texts one reading of a line cuts, each cut once: the line, its item
// after a "- " mark, its body before an old result are asked for by several readers. A
// text is known by where it lies, so every text asked of one memo must lie in one buffer
// that stays as it is while the memo lives. An item that opens with a word is not cut
// again: its tokens are the line's after the mark.
class TokenMemo {
public:
    // Valid until the next call.
    const std::vector<Token>& tokens(std::string_view text, bool split_joined = false);
    // What a line's traits found that its reading asks again: the "+ " or "- " item it
    // opens (sign 0 for none) and where, and whether it is a total line.
    struct Shape {
        char sign = 0;
        std::size_t item = 0;
        bool total = false;
    };
    void keep_shape(std::string_view line, Shape shape) {
        shape_of_ = line;
        shape_ = shape;
    }
    // The shape kept for the text, if it is that line.
    const Shape* shape(std::string_view text) const {
        const bool kept = shape_of_.data() != nullptr && text.data() == shape_of_.data();
        return kept && text.size() == shape_of_.size() ? &shape_ : nullptr;
    }
    // Forgets its texts and keeps their room for the next line's.
    void clear() {
        used_ = 0;
        shape_of_ = {};
    }

private:
    struct Cut {
        const char* data = nullptr;
        std::size_t size = 0;
        bool split_joined = false;
        std::vector<Token> tokens;
    };
    std::vector<Cut> cuts_;
    std::size_t used_ = 0;  // cuts_ from used_ on are room kept, no texts
    std::string_view shape_of_;
    Shape shape_;
    // The cut of a line whose tokens after its "+" or "-" mark are the text's, if any.
    const Cut* item_of(std::string_view text, bool split_joined) const;
};

using ::numvora::currency_code;

}  // namespace numvora::notes_detail
