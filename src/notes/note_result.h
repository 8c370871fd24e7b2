// What a result of the notes is, and the one writer of it: the text the margin shows
// beside a line and the text F9 writes after it. Every view writes a result through
// here, so that a date, a duration or foreign money reads the same wherever it shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
};

// A result: its value as plain decimal text counted in its unit.
struct NoteResult {
    std::string value;
    ResultUnit unit = ResultUnit::Number;
    std::string currency;  // foreign money's sign or word as written: "$", "엔", "USD"; none for won
};

// "49,500" (grouped: with thousands commas, for money and numbers), "$360", "2,400엔",
// "USD 22", "2027-03-18 (목)", "D-17", "281일", "9시간 30분", "25.41평", "105.79㎡".
std::string result_text(const NoteResult& result, bool grouped);

// The result as a calculator takes it, where that is the figure it shows: a date (a day
// number), a D-day or a duration (minutes) has none.
std::optional<std::string> calculator_value(const NoteResult& result);

// " = 49,500": what F9 writes.
std::string written_result(const NoteResult& result, bool grouped);

}  // namespace numvora
