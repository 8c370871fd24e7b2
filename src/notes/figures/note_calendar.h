// Dates in notes: read from the ways a Korean memo writes them, counted as day numbers,
// and written back as "2027-03-18 (목)". Today's date is always given, never read from
// the clock, so that a reading is the same whenever it is repeated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numvora {

// Days since 1970-01-01, as std::chrono::sys_days counts them, so that a date plus days
// and the days between two dates are integer arithmetic. Dates from here lie in the
// years 1 to 9999: every one of them is written with four digits.
using DayNumber = std::int32_t;

// The date, or nothing for one that does not exist (2026-02-30) or lies outside those years.
std::optional<DayNumber> day_number(int year, unsigned month, unsigned day);

namespace notes_detail {

struct DateRead {
    DayNumber day = 0;
    std::size_t end = 0;  // past the date; a particle after it is the caller's to judge
};

// The date written at pos: "2026-12-08", "2026.12.08", "2026년 12월 8일", "오늘", and in
// today's year "12월 8일" and, when month_slash_day, "12/8" (elsewhere a fraction).
// Nothing for anything else, for a date that does not exist, or for one that runs on
// into more digits or letters ("2026-12-08-1", "12/8/3", "12월 8일간").
std::optional<DateRead> read_date(std::string_view line, std::size_t pos, DayNumber today, bool month_slash_day);

// The day a D-day counts to, written at pos: "D-day 2026-12-25", "디데이 2026-12-25" or
// "D-2026-12-25" (also "D-12/25", "D-12월 25일"), or the date first with the mark after it
// (see d_day_mark_end).
std::optional<DateRead> read_d_day(std::string_view line, std::size_t pos, DayNumber today);

// Past a D-day mark written after a date that ends at pos: " D-day", " (D-Day)", " 디데이",
// "까지 D-day". Nothing when none follows.
std::optional<std::size_t> d_day_mark_end(std::string_view line, std::size_t pos);

// The date so many days on (back, when negative), or nothing past the years above.
std::optional<DayNumber> add_days(DayNumber date, std::int64_t days);

// "2027-03-18 (목)".
std::string write_date(DayNumber date);

// "D-17" with 17 days left, "D-Day" with none, "D+3" three days after.
std::string write_d_day(std::int64_t days_left);

}  // namespace notes_detail

}  // namespace numvora
