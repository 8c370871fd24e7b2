// Dates as notes write them, and the days between and after them.
#include "notes/figures/note_calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

namespace numvora::notes_detail {
namespace {

namespace chr = std::chrono;

DayNumber date(std::string_view text) { return read_date(text, 0, 0, false).value().day; }

const DayNumber TODAY = date("2026-12-08");

// The date read at the end of before, written, and "|" with what is left after it; ""
// for none.
std::string read_at(std::string_view before, std::string_view text, bool month_slash_day) {
    const std::string line = std::string(before) + std::string(text);
    const auto read = read_date(line, before.size(), TODAY, month_slash_day);
    if (!read) return "";
    std::string out = write_date(read->day);
    if (read->end < line.size()) out.append("|").append(line, read->end);
    return out;
}

TEST(ReadDate, TheFormsNotesWriteAndNothingElse) {
    const struct {
        std::string_view before, text, date;
        bool month_slash_day = true;
    } rows[] = {
        {"", "2026.12.8", "2026-12-08 (화)"},
        {"", "2026년 3월 2일", "2026-03-02 (월)"},
        {"", "12월8일까지", "2026-12-08 (화)|까지"},
        {"", "오늘 + 1일", "2026-12-08 (화)| + 1일"},
        {"", "12/8", "", false},
        // Days that do not exist, and figures that only begin like a date.
        {"", "2026-02-30", ""},
        {"", "0000-01-01", ""},
        {"", "2026-12.08", ""},
        {"", "2026-12-08-1", ""},
        {"", "12월 8일간", ""},
        {"2025년 ", "12월 8일", ""},
        {"2025/", "12/8", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(read_at(row.before, row.text, row.month_slash_day), row.date) << row.text;
    EXPECT_FALSE(day_number(2026, 268, 8));  // not December
}

TEST(DateArithmetic, DaysAfterAndToADay) {
    const struct {
        std::string_view from;
        int days;
        std::string_view date;
    } after[] = {
        {"오늘", 100, "2027-03-18 (목)"},
        {"2028-02-28", 1, "2028-02-29 (화)"},
        {"2026-03-01", -1, "2026-02-28 (토)"},
        {"9999-12-31", 1, ""},
    };
    for (const auto& row : after) {
        const auto day = add_days(read_date(row.from, 0, TODAY, false)->day, row.days);
        EXPECT_EQ(day ? write_date(*day) : "", row.date) << row.from;
    }
    const struct {
        std::string_view line, d_day;
    } d_days[] = {
        {"D-day 2026-12-25", "D-17"},
        {"D-Day 12월 8일", "D-Day"},
        {"D-12/5", "D+3"},
        {"D-day2026-12-25", ""},
        // The mark after its date, or in Hangul.
        {"디데이 2026-12-25", "D-17"},
        {"2026-12-25 D-day", "D-17"},
        {"2026-12-25 (D-Day)", "D-17"},
        {"2026-12-25까지 디데이", "D-17"},
        {"2026-12-25 D-days", ""},
        {"2026-12-25 (D-day", ""},
    };
    for (const auto& row : d_days) {
        const auto read = read_d_day(row.line, 0, TODAY);
        EXPECT_EQ(read ? write_d_day(read->day - TODAY) : "", row.d_day) << row.line;
    }
}

std::string padded(unsigned value, int width) { return std::to_string(value + 100'000).substr(6 - width); }

// Random dates in every form, moved by random days, against the standard library's
// calendar: the text read (or refused), the date written, and the days between.
TEST(DateArithmetic, AgreesWithTheStandardCalendar) {
    constexpr std::string_view WEEKDAYS = "일월화수목금토";
    std::mt19937 random(20261208);
    for (int i = 0; i < 10'000; ++i) {
        const unsigned y = std::uniform_int_distribution(1u, 9999u)(random);
        const unsigned m = std::uniform_int_distribution(1u, 12u)(random);
        const unsigned d = std::uniform_int_distribution(1u, 31u)(random);
        const int offset = std::uniform_int_distribution(-40'000, 40'000)(random);
        const std::string year = padded(y, 4), month = std::to_string(m), day = std::to_string(d);
        const std::string forms[] = {year + "-" + padded(m, 2) + "-" + padded(d, 2), year + "." + month + "." + day,
                                     year + "년 " + month + "월 " + day + "일", month + "월 " + day + "일",
                                     month + "/" + day};
        const std::string& text = forms[std::uniform_int_distribution(0, 4)(random)];

        const chr::year_month_day start = chr::year{static_cast<int>(y)} / m / d;
        const auto read = read_date(text, 0, date(year + "-06-15"), true);
        ASSERT_EQ(read.has_value(), start.ok()) << text;
        if (!read) continue;
        const chr::sys_days end = chr::sys_days{start} + chr::days{offset};
        const chr::year_month_day later{end};
        const auto moved = add_days(read->day, offset);
        ASSERT_EQ(moved.has_value(), later.year() >= chr::year{1} && later.year() <= chr::year{9999}) << text;
        if (!moved) continue;
        const std::string written = write_date(*moved);
        const std::string_view weekday = WEEKDAYS.substr(3 * chr::weekday{end}.c_encoding(), 3);
        ASSERT_EQ(written, padded(static_cast<int>(later.year()), 4) + "-" +
                               padded(static_cast<unsigned>(later.month()), 2) + "-" +
                               padded(static_cast<unsigned>(later.day()), 2) + " (" + std::string(weekday) + ")")
            << text << " + " << offset;
        EXPECT_EQ(date(written) - read->day, offset) << written;
    }
}

}  // namespace
}  // namespace numvora::notes_detail
