#include "notes/figures/note_durations.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "notes/figures/plain_number.h"

namespace numvora::notes_detail {

namespace {

constexpr Minutes HOUR = 60;
constexpr Minutes DAY = 24 * HOUR;
constexpr std::string_view HOUR_WORD = "시";
constexpr std::string_view HOURS_WORD = "시간";
constexpr std::string_view MINUTE_WORD = "분";
constexpr std::string_view TILDES[] = {"~", "∼", "〜", "～"};

// "09:00", "9:30", "24:00".
// most_hours: 24 for a time of day; a shift's end may be written past midnight ("25:00").
std::optional<MinutesRead> colon_time(std::string_view s, std::size_t pos, std::int64_t most_hours = 24) {
    const auto hour = read_digits(s, pos, 1, 2);
    if (!hour || !starts_at(s, hour->end, ":")) return std::nullopt;
    const auto minute = read_digits(s, hour->end + 1, 2, 2);
    if (!minute || minute->value >= HOUR || hour->value > most_hours ||
        (most_hours == 24 && hour->value == 24 && minute->value != 0))
        return std::nullopt;
    return MinutesRead{hour->value * HOUR + minute->value, minute->end};
}

// The hour of the day a part of the day makes of "N시", N from 0 to 12; -1 where the
// two do not go together ("새벽 9시", "밤 5시").
struct DayPart {
    std::string_view word;
    std::int8_t hours[13];
};
constexpr DayPart DAY_PARTS[] = {
    {"오전", {-1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0}},
    {"오후", {-1, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 12}},
    {"새벽", {0, 1, 2, 3, 4, 5, 6, -1, -1, -1, -1, -1, 0}},
    {"아침", {-1, -1, -1, -1, -1, 5, 6, 7, 8, 9, 10, 11, -1}},
    {"낮", {-1, 13, 14, 15, 16, 17, 18, -1, -1, -1, -1, 11, 12}},
    {"저녁", {-1, -1, -1, -1, 16, 17, 18, 19, 20, 21, 22, 23, -1}},
    {"밤", {-1, 1, 2, 3, 4, -1, 18, 19, 20, 21, 22, 23, 0}},
};

// "9시", "18시 30분": an hour and its minutes, the hour as written.
std::optional<MinutesRead> hour_time(std::string_view s, std::size_t pos, std::int64_t most_hours) {
    const auto hour = read_digits(s, pos, 1, 2);
    if (!hour || hour->value > most_hours || !starts_at(s, hour->end, HOUR_WORD)) return std::nullopt;
    MinutesRead time{hour->value * HOUR, hour->end + HOUR_WORD.size()};
    const auto minute = read_digits(s, skip_spaces(s, time.end), 1, 2);
    if (minute && starts_at(s, minute->end, MINUTE_WORD)) {
        if (minute->value >= HOUR) return std::nullopt;
        time.minutes += minute->value;
        time.end = minute->end + MINUTE_WORD.size();
    }
    return time;
}

// "오전 9시", "오후 6시 30분", "밤 12시".
std::optional<MinutesRead> day_part_time(std::string_view s, std::size_t pos) {
    for (const DayPart& part : DAY_PARTS) {
        if (!starts_at(s, pos, part.word)) continue;
        auto time = hour_time(s, skip_spaces(s, pos + part.word.size()), 12);
        if (!time) return std::nullopt;
        const std::int8_t hour = part.hours[time->minutes / HOUR];
        if (hour < 0) return std::nullopt;
        time->minutes = hour * HOUR + time->minutes % HOUR;
        return time;
    }
    return std::nullopt;
}

// Not a time of day: "오후 6시간", "30분간", "9시 5".
bool goes_on(std::string_view s, std::size_t end) { return runs_on(s, end) || starts_at(s, end, "간"); }

// One side of a span: a clock time, or a bare hour ("9시", "22시", "24시"); ambiguous
// when an hour up to 12 may be in the evening too.
struct SpanSide {
    MinutesRead time;
    bool ambiguous = false;
};
std::optional<SpanSide> span_side(std::string_view s, std::size_t pos) {
    if (const auto time = read_clock_time(s, pos)) return SpanSide{*time, false};
    const auto time = hour_time(s, pos, 24);
    if (!time || goes_on(s, time->end) || (time->minutes > DAY)) return std::nullopt;
    return SpanSide{*time, time->minutes >= HOUR && time->minutes < 13 * HOUR};
}

}  // namespace

std::optional<MinutesRead> read_clock_time(std::string_view line, std::size_t pos) {
    auto time = colon_time(line, pos);
    if (!time) time = day_part_time(line, pos);
    if (!time || goes_on(line, time->end)) return std::nullopt;
    return time;
}

bool opens_day_part(std::string_view text) {
    return std::any_of(std::begin(DAY_PARTS), std::end(DAY_PARTS),
                       [&](const DayPart& part) { return text.starts_with(part.word); });
}

std::optional<MinutesRead> read_clock_range(std::string_view line, std::size_t pos) {
    // "11:00-20:00": a dash glued between two clock times spans them as a tilde does.
    const std::optional<MinutesRead> first = colon_time(line, pos);
    const bool dashed = first && starts_at(line, first->end, "-") && colon_time(line, first->end + 1);
    const auto from = dashed ? std::optional(SpanSide{*first, false}) : span_side(line, pos);
    if (!from) return std::nullopt;
    const std::size_t tilde = skip_spaces(line, from->time.end);
    for (std::string_view sign : TILDES) {
        if (!starts_at(line, tilde, sign) && !dashed) continue;
        const std::size_t after = dashed ? from->time.end + 1 : skip_spaces(line, tilde + sign.size());
        auto to = span_side(line, after);
        // "17:00~25:00": a shift that ends the next day, written on from this one's hours.
        if (!to) {
            const auto late = colon_time(line, after, 29);
            if (late && late->minutes > DAY && !goes_on(line, late->end)) to = SpanSide{*late, false};
        }
        if (!to || to->time.minutes == from->time.minutes) return std::nullopt;
        // An end before the start is on the next day; "24:00" ends the day itself. A bare
        // hour takes whichever of its two times makes the shorter span.
        const auto evening = [](const SpanSide& side) {
            const Minutes later = side.time.minutes + (side.ambiguous ? 12 * HOUR : 0);
            return later > DAY ? later - DAY : later;
        };
        std::optional<Minutes> shortest;
        for (const Minutes start : {from->time.minutes, evening(*from)}) {
            for (const Minutes end : {to->time.minutes, evening(*to)}) {
                Minutes span = end - start;
                if (span < 0) span += DAY;
                if (span > 0 && (!shortest || span < *shortest)) shortest = span;
            }
        }
        if (!shortest) return std::nullopt;
        return MinutesRead{*shortest, to->time.end};
    }
    return std::nullopt;
}

std::optional<MinutesRead> read_duration(std::string_view line, std::size_t pos) {
    const std::size_t start = pos;
    MinutesRead duration{0, pos};
    // "6시간", and "5h" as hours are often written short.
    const auto hours = read_decimal(line, pos);
    const std::size_t unit = !hours                                                                 ? 0
                             : starts_at(line, hours->end, HOURS_WORD)                              ? HOURS_WORD.size()
                             : starts_at(line, hours->end, "h") || starts_at(line, hours->end, "H") ? 1
                                                                                                    : 0;
    if (unit > 0) {
        const auto minutes = checked_product(hours->value.numerator, HOUR);
        if (!minutes || *minutes % hours->value.denominator != 0) return std::nullopt;
        duration = {*minutes / hours->value.denominator, hours->end + unit};
        pos = skip_spaces(line, duration.end);
    }
    const auto minutes = read_digits(line, pos, 1, 15);
    if (minutes && starts_at(line, minutes->end, MINUTE_WORD)) {
        if (duration.minutes > std::numeric_limits<Minutes>::max() - minutes->value) return std::nullopt;
        duration = {duration.minutes + minutes->value, minutes->end + MINUTE_WORD.size()};
    }
    if (duration.end == start || runs_on(line, duration.end)) return std::nullopt;
    return duration;
}

std::string write_duration(Minutes minutes) {
    const std::uint64_t size = minutes < 0 ? 0 - static_cast<std::uint64_t>(minutes) : minutes;
    const std::uint64_t hours = size / HOUR;
    const std::uint64_t rest = size % HOUR;
    std::string text = minutes < 0 ? "-" : "";
    if (hours > 0) text += std::to_string(hours) + std::string(HOURS_WORD);
    if (hours > 0 && rest > 0) text += ' ';
    if (rest > 0 || hours == 0) text += std::to_string(rest) + std::string(MINUTE_WORD);
    return text;
}

std::optional<Minutes> scale_duration(Minutes minutes, std::string_view factor) {
    const auto by = exact_decimal(factor);
    if (!by) return std::nullopt;
    const auto product = checked_product(minutes, by->numerator);
    if (!product || *product % by->denominator != 0) return std::nullopt;
    return *product / by->denominator;
}

std::optional<Minutes> divide_duration(Minutes minutes, std::string_view divisor) {
    const auto by = exact_decimal(divisor);
    if (!by || by->numerator == 0) return std::nullopt;
    const auto scaled = checked_product(minutes, by->denominator);
    if (!scaled || *scaled % by->numerator != 0) return std::nullopt;
    return *scaled / by->numerator;
}

std::optional<std::int64_t> wage_for(Minutes minutes, std::string_view won_per_hour) {
    const auto wage = exact_decimal(won_per_hour);
    if (!wage) return std::nullopt;
    const auto pay = checked_product(minutes, wage->numerator);
    const auto per = checked_product(HOUR, wage->denominator);
    if (!pay || !per) return std::nullopt;
    return *pay / *per;  // integer division truncates toward zero: the part of a won goes
}

}  // namespace numvora::notes_detail
