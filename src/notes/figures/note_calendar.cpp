#include "notes/figures/note_calendar.h"

#include <chrono>
#include <cstdio>

#include "common/unicode.h"
#include "notes/figures/plain_number.h"

namespace numvora {

namespace chr = std::chrono;

namespace {

constexpr DayNumber day_of(chr::year_month_day date) {
    return static_cast<DayNumber>(chr::sys_days{date}.time_since_epoch().count());
}

}  // namespace

std::optional<DayNumber> day_number(int year, unsigned month, unsigned day) {
    // chrono keeps a month and a day in a byte: 268 would pass as 12.
    if (year < 1 || year > 9999 || month > 12 || day > 31) return std::nullopt;
    const chr::year_month_day date{chr::year{year}, chr::month{month}, chr::day{day}};
    if (!date.ok()) return std::nullopt;
    return day_of(date);
}

namespace notes_detail {

namespace {

constexpr DayNumber FIRST_DAY = day_of(chr::year{1} / 1 / 1);
constexpr DayNumber LAST_DAY = day_of(chr::year{9999} / 12 / 31);

constexpr std::string_view YEAR_WORD = "년";
constexpr std::string_view MONTH_WORD = "월";
constexpr std::string_view DAY_WORD = "일";

chr::sys_days sys_days_of(DayNumber day) { return chr::sys_days{chr::days{day}}; }

struct Parts {
    std::int64_t year = 0;
    std::int64_t month = 0;
    std::int64_t day = 0;
    std::size_t end = 0;
};

// "2026-12-08", "2026.12.08": the same joiner twice.
std::optional<Parts> numeric_date(std::string_view s, std::size_t pos) {
    const auto year = read_digits(s, pos, 4, 4);
    if (!year || year->end >= s.size() || (s[year->end] != '-' && s[year->end] != '.')) return std::nullopt;
    const char joiner = s[year->end];
    const auto month = read_digits(s, year->end + 1, 1, 2);
    if (!month || !starts_at(s, month->end, std::string_view(&joiner, 1))) return std::nullopt;
    const auto day = read_digits(s, month->end + 1, 1, 2);
    if (!day) return std::nullopt;
    return Parts{year->value, month->value, day->value, day->end};
}

// "12월 8일" in the given year.
std::optional<Parts> korean_month_day(std::string_view s, std::size_t pos, std::int64_t year) {
    const auto month = read_digits(s, pos, 1, 2);
    if (!month || !starts_at(s, month->end, MONTH_WORD)) return std::nullopt;
    const auto day = read_digits(s, skip_spaces(s, month->end + MONTH_WORD.size()), 1, 2);
    if (!day || !starts_at(s, day->end, DAY_WORD)) return std::nullopt;
    return Parts{year, month->value, day->value, day->end + DAY_WORD.size()};
}

// "2026년 12월 8일".
std::optional<Parts> korean_date(std::string_view s, std::size_t pos) {
    const auto year = read_digits(s, pos, 4, 4);
    if (!year || !starts_at(s, year->end, YEAR_WORD)) return std::nullopt;
    return korean_month_day(s, skip_spaces(s, year->end + YEAR_WORD.size()), year->value);
}

// "12/8" in the given year.
std::optional<Parts> slash_date(std::string_view s, std::size_t pos, std::int64_t year) {
    const auto month = read_digits(s, pos, 1, 2);
    if (!month || !starts_at(s, month->end, "/")) return std::nullopt;
    const auto day = read_digits(s, month->end + 1, 1, 2);
    if (!day) return std::nullopt;
    return Parts{year, month->value, day->value, day->end};
}

// A date's month and day read from the middle of a longer figure would take the wrong
// year or stand for something else: "2026년 12월 8일" read from "12월", "2026/12/8" from "12/8".
bool inside_figure(std::string_view s, std::size_t pos) {
    const std::size_t before = pos;
    while (pos > 0 && s[pos - 1] == ' ') --pos;
    if (pos >= YEAR_WORD.size() && s.substr(pos - YEAR_WORD.size(), YEAR_WORD.size()) == YEAR_WORD) return true;
    if (before == 0 || pos != before) return false;
    const char c = s[before - 1];
    return is_ascii_digit(c) || ((c == '-' || c == '.' || c == '/') && before > 1 && is_ascii_digit(s[before - 2]));
}

}  // namespace

std::optional<DateRead> read_date(std::string_view line, std::size_t pos, DayNumber today, bool month_slash_day) {
    if (starts_at(line, pos, "오늘")) return DateRead{today, pos + std::string_view("오늘").size()};
    if (inside_figure(line, pos)) return std::nullopt;
    const std::int64_t this_year = static_cast<int>(chr::year_month_day{sys_days_of(today)}.year());
    std::optional<Parts> parts = numeric_date(line, pos);
    if (!parts) parts = korean_date(line, pos);
    if (!parts) parts = korean_month_day(line, pos, this_year);
    if (!parts && month_slash_day) parts = slash_date(line, pos, this_year);
    // "8일간" is a count of days, not the 8th.
    if (!parts || runs_on(line, parts->end) || starts_at(line, parts->end, "간")) return std::nullopt;
    const auto day = day_number(static_cast<int>(parts->year), static_cast<unsigned>(parts->month),
                                static_cast<unsigned>(parts->day));
    if (!day) return std::nullopt;
    return DateRead{*day, parts->end};
}

namespace {

constexpr std::string_view D_DAY_WORD = "디데이";

// Past "D-day" in any case, or "디데이", at pos.
std::optional<std::size_t> d_day_word_end(std::string_view line, std::size_t pos) {
    if (starts_at(line, pos, D_DAY_WORD)) return pos + D_DAY_WORD.size();
    const std::string_view word = line.substr(pos, 5);
    if (word.size() < 5 || (word[0] | 0x20) != 'd' || word[1] != '-') return std::nullopt;
    if ((word[2] | 0x20) != 'd' || (word[3] | 0x20) != 'a' || (word[4] | 0x20) != 'y') return std::nullopt;
    return pos + 5;
}

}  // namespace

std::optional<DateRead> read_d_day(std::string_view line, std::size_t pos, DayNumber today) {
    if (const auto date = read_date(line, pos, today, true)) {
        const auto mark = d_day_mark_end(line, date->end);
        if (!mark) return std::nullopt;
        return DateRead{date->day, *mark};
    }
    std::size_t date = pos;
    if (const auto word = d_day_word_end(line, pos)) {
        date = skip_spaces(line, *word);
        if (date == *word) return std::nullopt;  // "D-day2026-12-25"
    } else if (starts_at(line, pos, "D-") || starts_at(line, pos, "d-")) {
        date = pos + 2;
    } else {
        return std::nullopt;
    }
    return read_date(line, date, today, true);
}

std::optional<std::size_t> d_day_mark_end(std::string_view line, std::size_t pos) {
    if (starts_at(line, pos, "까지")) pos += std::string_view("까지").size();
    std::size_t at = skip_spaces(line, pos);
    const bool open = starts_at(line, at, "(");
    if (open) at = skip_spaces(line, at + 1);
    if (at == pos) return std::nullopt;  // "2026-12-25D-day"
    const auto word = d_day_word_end(line, at);
    if (!word) return std::nullopt;
    at = *word;
    if (open) {
        at = skip_spaces(line, at);
        if (!starts_at(line, at, ")")) return std::nullopt;
        ++at;
    }
    if (runs_on(line, at)) return std::nullopt;
    return at;
}

std::optional<DayNumber> add_days(DayNumber date, std::int64_t days) {
    const std::int64_t day = date;
    if (days < FIRST_DAY - day || days > LAST_DAY - day) return std::nullopt;
    return static_cast<DayNumber>(day + days);
}

std::string write_date(DayNumber date) {
    static constexpr std::string_view WEEKDAYS[] = {"일", "월", "화", "수", "목", "금", "토"};
    const chr::sys_days day = sys_days_of(date);
    const chr::year_month_day ymd{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u (", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return std::string(text).append(WEEKDAYS[chr::weekday{day}.c_encoding()]).append(")");
}

std::string write_d_day(std::int64_t days_left) {
    if (days_left == 0) return "D-Day";
    return std::string(days_left > 0 ? "D-" : "D+").append(std::to_string(days_left > 0 ? days_left : -days_left));
}

}  // namespace notes_detail

}  // namespace numvora
