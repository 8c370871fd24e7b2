// What a result of the notes is, and the one writer of it: the text the margin shows
// beside a line and the text F9 writes after it. Every view writes a result through
// here, so that a date, a duration or foreign money reads the same wherever it shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/result.h"
#include "notes/figures/korean_amount.h"

namespace numvora {

enum class ResultUnit : std::uint8_t {
    Number,       // a plain number or a count
    Money,        // won, or the currency beside it
    Date,         // a day number: days since 1970-01-01
    DDay,         // the days left to a D-day, below zero after it
    Days,         // a number of days
    Duration,     // minutes
    Pyeong,       // 평, two decimals
    SquareMetre,  // ㎡, two decimals
    Percent,      // "4.2% + 3%": a rate
};

// How the figures of a result's line write money, which the result follows.
struct AmountWriting {
    bool in_man = false;  // in 만, 억 or 조 ("1억 2천만원", "55만"): the result too ("1억 5,500만")
    bool won = false;     // with 원, which then follows the result
    bool operator==(const AmountWriting&) const = default;
};

// A result: its value as plain decimal text counted in its unit.
struct NoteResult {
    std::string value;
    ResultUnit unit = ResultUnit::Number;
    std::string currency;  // foreign money's sign or word as written: "$", "엔", "USD"; none for won
    AmountWriting writing = {};
    std::string won;       // foreign money's value in won at the rate a line above sets; none without one
    bool grouped = false;  // its line writes figures with thousands commas, and so is it written
};

// "49,500" (grouped: with thousands commas, for money and numbers), "1억 5,500만원" (money
// or a number written in 만), "$360", "$12.50 → 17,250원" (foreign money at a rate),
// "2,400엔", "USD 22", "2027-03-18 (목)", "D-17", "281일", "9시간 30분", "25.41평", "105.79㎡".
std::string result_text(const NoteResult& result, bool grouped);

// How the margin writes results: as their lines write figures ("62,400" beside "- 교통
// 62,400", whatever the calculator's "천 단위 콤마" box says), and every amount in 만 when the
// preference "금액을 만 단위로 보기" asks for it.
struct ResultView {
    bool in_man = false;
};
std::string margin_text(NoteResult result, ResultView view);

// The result as a calculator takes it, where that is the figure it shows: a date (a day
// number), a D-day, a duration (minutes) or a rate (its figure in percent) has none.
std::optional<std::string> calculator_value(const NoteResult& result);

// " = 49,500": what F9 writes.
std::string written_result(const NoteResult& result, bool grouped);

// What "한글 금액으로 복사" and "숫자 금액으로 복사" copy of a result: won (a foreign amount at
// its rate's value) or a plain number, as a receipt writes it ("일금 일억오천오백만원정")
// or as its plain figure ("155000000"). A date, a duration, an area or foreign money
// without a rate is no amount.
enum class AmountCopy : std::uint8_t { Words, Figure };
Result<std::string, AmountRefusal> copied_amount(const NoteResult& result, AmountCopy copy);

}  // namespace numvora
