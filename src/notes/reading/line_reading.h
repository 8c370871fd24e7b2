// One reading of a line of notes, taken by everything that calculates with the memo:
// the margin, F9, the total lines, the selection total and the memo menu. A line is an
// expression, an amount, a count, a duration, a total line or nothing, and each figure
// in it has a role. Money is told by its own marks (₩, 원, 만, 천 …), not by a list of
// exclusions; dates, durations and areas are figures with values of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/calc_error.h"
#include "common/boxed.h"
#include "notes/figures/note_calendar.h"
#include "notes/reading/note_result.h"

namespace numvora {

namespace notes_detail {
class TokenMemo;
}

enum class FigureRole : std::uint8_t {
    Amount,    // money: a mark, a grouped number standing alone, or the number ending a label
    Count,     // a counter word after it: "3명", "커피 2잔"
    DateTime,  // a time of day or a date not calculated with: "오후 3시", "12:30", "12월", phone numbers
    Rate,      // "9.4%"
    Range,     // "3~5만원", "1,000-2,000원"
    Foreign,   // "$12.50", "100달러"
    Name,      // part of a name: "2차", "S24", "RTX 4090", "아이폰 15 프로"
    Duration,  // minutes: "6시간 30분", "09:00~18:00"
    Date,      // a day number: "2026-12-08", "12월 8일", "오늘", "D-day 2026-12-25"
    Days,      // "100일", "2026-03-02 ~ 2026-12-08"
    Area,      // "84㎡", "84m² 평"
};

struct Figure {
    FigureRole role = FigureRole::Amount;
    std::string value;     // plain decimal text, signed ("-5000", "0.5"), counted in the role's unit
    bool used = false;     // the line's result was taken from it
    std::string currency;  // foreign money's sign or word as written
};

// A rate of exchange a line sets for the lines below it: "$1 = 1,380원", "100엔 = 920원",
// "환율 1,380" (dollars), "엔화 환율 9.1원".
struct ExchangeRate {
    std::string currency;  // its code: "USD", "JPY", "EUR", "CNY", "GBP"
    std::string won;       // the won of one unit, plain decimal text
    bool operator==(const ExchangeRate&) const = default;
};

// An amount for one of something: "시급 10,030" an hour's pay, which the hours worked
// multiply; "회비 3만씩" each head's or month's share; "평단 58,000" one share's price.
enum class PerOne : std::uint8_t { None, Hour, Each, Unit, Per };

enum class LineKind : std::uint8_t {
    Nothing,
    Amount,      // exactly one amount
    Count,       // no amount, exactly one count
    Duration,    // no amount nor count, exactly one duration and no other time: "근무 8시간"
    Expression,  // an operator between figures, or an "=" asking for a value
    Total,       // 합계, 소계, 총계 …: the sum of the results above it
};

// 소계, a total named by a label before it ("공제 합계", "카드값 총"), and every other total word.
enum class TotalWord : std::uint8_t { None, Sub, Grand, Labelled };

// How a line that opens with "- " or "+ " before a word reads ("- 쿠폰 5,000", "+ 용돈
// 100,000"), decided by the lines around it:
//   - right under a line with a result in its block (an amount, a name alone, a chain), it
//     goes on from that line: "상품 42,000 / - 쿠폰 5,000" is 37,000 (Chain), and so do the
//     lines of the same run under it;
//   - in a run under a heading (a line with no figure), under an item marked as in a list
//     ("* ", "• ", "1. ") or opening a block, or anywhere in a paragraph where a bullet ("* ",
//     "• ", "· ") marks an item, it is an item of a list and adds: "카드 내역 / - 교통 62,400 /
//     - 식비 318,000" (List);
//   - unless the lines of its paragraph open with both "+ " and "- ": then each is a signed
//     amount, "+ 용돈 100,000 / - 점심 9,000" is 100,000 and -9,000 (Signs).
enum class SignedItems : std::uint8_t { List, Chain, Signs };

// What a line's text says before anything around it is read, so that the lines of a
// paragraph can ask it of one another.
struct LineTraits {
    bool empty = true;
    bool money = false;            // a figure with a money mark (원, ₩, 만, $ …) or grouping, or a total word
    bool marked = false;           // the first of them, on a line that is no total
    bool in_eok = false;           // among them a figure in 억 ("12억", "2억5천")
    bool man_unwritten = false;    // "현재 연봉 3800": a sum kept in 만 written without it
    bool point_for_comma = false;  // "4.500원": a point typed where the thousands comma goes
    bool plus_item = false;        // it opens with "+ " before a word
    bool minus_item = false;       // it opens with "- " before a word
    bool total = false;            // a total line
    bool bullet = false;           // it opens with a bullet of a list ("* ", "• ", "· ")
    bool heads_man = false;        // no figure, a word of sums kept in 만: "부모님께 빌림"
    bool operator==(const LineTraits&) const = default;
};
LineTraits line_traits(std::string_view line);
// The same, the line cut into tokens in the memo, which read_line then takes again.
LineTraits line_traits(std::string_view line, notes_detail::TokenMemo& memo);
// Whether a mark opens the line as an item of a list ("* ", "• ", "1. ", "①"), not a sign.
bool marks_list_item(std::string_view line);

// What a paragraph (lines between empty lines) holds: money somewhere, and items that open
// with "+ ". A bare number at a label's end ("식비 98500") is an amount only in a paragraph
// of money: alone, "회의실 2" or "입사 2019" shows nothing.
struct ParagraphFacts {
    bool money = false;
    bool plus_items = false;
    bool minus_items = false;      // a line opens with "- " before a word
    bool totals = false;           // a total line asks for its figures: "A 10 / B 20 / 합계"
    bool marked = false;           // a line other than a total holds money
    bool in_eok = false;           // a line holds a figure in 억
    bool man_unwritten = false;    // a line writes a sum kept in 만 without it ("연봉 3800")
    bool point_for_comma = false;  // a line types a point for the thousands comma ("4.500원")
    bool bullets = false;          // a line opens with a bullet: its "- " lines are items too
    bool headed_man = false;       // a line without figures names sums kept in 만 ("부모님께 빌림")
    bool operator==(const ParagraphFacts&) const = default;
};

// What the lines above a line give it: the values of the names they define ("월세 =
// 55만원", a total line's word) and the nearest result above ("위", "prev", "ans", a line
// that starts with an operator). Values are plain decimal text; foreign money has its
// currency after a space ("360 $"), a date, days or a duration is written as its result
// shows ("2027-03-18 (목)", "281일", "1시간 30분"), and a rate as written ("3.3%").
class NoteScope {
public:
    virtual std::optional<std::string> value_of(std::string_view name) const = 0;
    virtual std::optional<std::string> previous() const = 0;
    // The result of the line right above, when that line is in the same block: what a
    // line that opens with an operator goes on from. Never across an empty line or a
    // heading.
    virtual std::optional<std::string> line_above() const { return std::nullopt; }
    // Whether a line above this one in its block has a result: "총액 128,000원" at the top
    // of a block is an amount named 총액, below results a total with an old result. A
    // scope that cannot tell says yes, and the line stays a total.
    virtual bool block_has_result() const { return true; }
    // What a total line of that word here would add of the block above: "기본요금 / 사용요금
    // / 부가세 6,359" writes the tax of that sum. None where the scope cannot tell.
    virtual std::optional<std::string> block_sum(TotalWord /*word*/) const { return std::nullopt; }
    // The paragraph the line stands in; none reads the line as a paragraph of its own.
    virtual std::optional<ParagraphFacts> paragraph() const { return std::nullopt; }
    // How the line reads when it opens with "- " or "+ " before a word.
    virtual SignedItems signed_items() const { return SignedItems::List; }
    // Today's date, for "오늘", a D-day and a date written without its year ("12월 8일").
    // Without one, such a line has no result.
    virtual std::optional<DayNumber> today() const { return std::nullopt; }
    // The won of one unit of a currency (its code, "USD"), as the nearest rate line above
    // sets it; none without one, and then that money is never added into won.
    virtual std::optional<std::string> rate_of(std::string_view /*code*/) const { return std::nullopt; }
    // Whether the name's definition above only labels an amount in another paragraph, and
    // so gives it no value: a memo holds many notes, and "수입" alone over a list of its
    // own heads that list, not the "수입 3,200,000" of a note above.
    virtual bool labels_elsewhere(std::string_view /*name*/) const { return false; }
    // Whether the name, alone on the line that opens its paragraph, heads that paragraph:
    // defined only above it, over items with money a total line below adds ("국내 / 삼성전자
    // +412,000 / 소계"), where its value would join another note's sum; "- " or "+ " items
    // under it go on from its value ("예산 / - 항공 180만원"), and names alone add up.
    virtual bool heads_paragraph(std::string_view /*name*/) const { return false; }

protected:
    ~NoteScope() = default;
};

struct LineReading {
    // The flags and small fields first, together, so that the record keeps no padding
    // between its strings: a memo holds one for every line.
    LineKind kind = LineKind::Nothing;
    ResultUnit unit = ResultUnit::Number;  // what the value counts
    // The line ends in "=" or an old result: F9 writes a value even for a lone amount.
    bool asks = false;
    bool grouped = false;   // a result written into this line is grouped as its figures are
    AmountWriting writing;  // and written in 만, with 원, as they are
    TotalWord total = TotalWord::None;
    // The name it defines only labels its amount ("관리비 12만 3천"), not set with "=" or ":".
    bool labels = false;
    bool uses_previous = false;  // it takes the nearest result above
    // It opens with an operator ("+ 5,000", "× 2"): it goes on from the line above, and
    // the two are one chain.
    bool continues = false;
    std::optional<SignedItems> signed_item;  // it opens with "- " or "+ " before a word, read so
    // It carries a money mark but could not be read: a total over it gives no figure.
    bool unread = false;
    // Labelled figures set apart by "/" ("보증금 5천 / 월세 50"): several, none of them its result.
    bool parted = false;
    // Its amount is what one of something costs or pays, which no total adds.
    PerOne per_one = PerOne::None;
    // Two flags in one byte, as the record has no room for another without growing.
    bool won_only : 1 = false;  // a total of the won alone ("원화 합계"), past foreign money
    // Hours alone that no total asks for ("야근 12시간"): added and taken, never shown alone.
    bool hours_unasked : 1 = false;
    std::string value;            // the result as plain decimal text, when there is one
    Boxed<CalcError> error;       // an expression that fails
    std::vector<Figure> figures;  // every figure, in order
    std::size_t amounts = 0;      // figures read as amounts (more than one: no line amount)
    // F9 writes " = value" in place of [replace_begin, replace_end): the old results and
    // their trailing spaces, or an empty range after the expression.
    std::size_t replace_begin = 0;
    std::size_t replace_end = 0;
    std::string expression;         // what the engine calculates, for the history
    std::string defines;            // "월세 = 55만원", "점심: 12,000원": the name the result is given
    std::vector<std::string> uses;  // the names it takes, or would take once defined above
    // The texts below are empty on most lines, and a memo keeps a reading for every line:
    // each is boxed, made only when set.
    // It is a name alone ("예산"): a total that counted the name's definition adds nothing new.
    BoxedText echoes;
    BoxedText unknown;              // a name it takes that nothing above defines: no result
    BoxedText currency;             // "$", "엔" …: the result is foreign money, never added into won
    BoxedText won;                  // but its value in won at the rate a line above sets, when one does
    Boxed<ExchangeRate> sets_rate;  // a rate line: no result, and never added into a total
    // Why the line has no result, for the status line: "'12, 300'을 읽을 수 없습니다",
    // "범위는 계산할 수 없습니다". Empty when it has one, or when nothing was asked of it.
    BoxedText unclear;
    // What a definition gives its name when that is no result: a rate as written ("세율 =
    // 3.3%", then "X - 세율"), a date as a result would show it ("입주 = 2026-03-02"), or
    // the won of a rate of exchange ("환율 = 1,380").
    BoxedText gives;

    bool has_result() const { return !value.empty(); }
    NoteResult result() const { return {value, unit, currency, writing, won, grouped}; }
    // F9 writes a value: an expression's, or a lone amount's when an "=" asks for it.
    bool calculates() const { return has_result() && (kind == LineKind::Expression || asks); }
};

// Reads a line (no line break inside; a trailing one is ignored). selected: the user
// chose the text to calculate, so "1/0" and "12/7" are divisions, not dates. scope: the
// names and the result above; without it no word is a name.
LineReading read_line(std::string_view line, bool selected = false, const NoteScope* scope = nullptr);
// The same, with the tokens of the line's texts kept in the memo, and taken from it where
// line_traits cut them already.
LineReading read_line(std::string_view line, bool selected, const NoteScope* scope, notes_detail::TokenMemo& memo);

// A name a line may define: one word of Hangul or Latin letters (digits and "_" after
// the first letter), not a number word ("만", "오천") nor a total word.
bool is_note_name(std::string_view word);

// The total word a line consists of ("합계", "소계: 3,000", "총계 = 29,300원", "총 합계",
// "합계 (카드)", "계"), and where " = total" goes in it.
struct TotalLine {
    TotalWord word = TotalWord::None;
    std::size_t word_end = 0;
    std::size_t line_end = 0;
    bool value = false;  // a value follows the word: an old result, or an amount ("총액 128,000원")
};
// with_results: words that name what a block comes to ("잔액", "실수령") count too; a name
// may be one of them.
std::optional<TotalLine> read_total_line(std::string_view line, bool with_results = true);

}  // namespace numvora
