#include "notes/figures/note_durations.h"

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
std::optional<MinutesRead> colon_time(std::string_view s, std::size_t pos) {
    const auto hour = read_digits(s, pos, 1, 2);
    if (!hour || !starts_at(s, hour->end, ":")) return std::nullopt;
    const auto minute = read_digits(s, hour->end + 1, 2, 2);
    if (!minute || minute->value >= HOUR || hour->value > 24 || (hour->value == 24 && minute->value != 0))
        return std::nullopt;
    return MinutesRead{hour->value * HOUR + minute->value, minute->end};
}

// "오전 9시", "오후 6시 30분".
std::optional<MinutesRead> half_day_time(std::string_view s, std::size_t pos) {
    const bool morning = starts_at(s, pos, "오전");
    if (!morning && !starts_at(s, pos, "오후")) return std::nullopt;
    const auto hour = read_digits(s, skip_spaces(s, pos + std::string_view("오전").size()), 1, 2);
    if (!hour || hour->value < 1 || hour->value > 12 || !starts_at(s, hour->end, HOUR_WORD)) return std::nullopt;
    MinutesRead time{(hour->value % 12 + (morning ? 0 : 12)) * HOUR, hour->end + HOUR_WORD.size()};
    const auto minute = read_digits(s, skip_spaces(s, time.end), 1, 2);
    if (minute && starts_at(s, minute->end, MINUTE_WORD)) {
        if (minute->value >= HOUR) return std::nullopt;
        time.minutes += minute->value;
        time.end = minute->end + MINUTE_WORD.size();
    }
    return time;
}

}  // namespace

std::optional<MinutesRead> read_clock_time(std::string_view line, std::size_t pos) {
    auto time = colon_time(line, pos);
    if (!time) time = half_day_time(line, pos);
    // "오후 6시간" is no time of day, nor "30분간".
    if (!time || runs_on(line, time->end) || starts_at(line, time->end, "간")) return std::nullopt;
    return time;
}

std::optional<MinutesRead> read_clock_range(std::string_view line, std::size_t pos) {
    const auto from = read_clock_time(line, pos);
    if (!from) return std::nullopt;
    const std::size_t tilde = skip_spaces(line, from->end);
    for (std::string_view sign : TILDES) {
        if (!starts_at(line, tilde, sign)) continue;
        const auto to = read_clock_time(line, skip_spaces(line, tilde + sign.size()));
        if (!to) return std::nullopt;
        // An end before the start is on the next day; "24:00" ends the day itself.
        Minutes span = to->minutes - from->minutes;
        if (span < 0) span += DAY;
        if (span <= 0) return std::nullopt;
        return MinutesRead{span, to->end};
    }
    return std::nullopt;
}

std::optional<MinutesRead> read_duration(std::string_view line, std::size_t pos) {
    const std::size_t start = pos;
    MinutesRead duration{0, pos};
    if (const auto hours = read_decimal(line, pos); hours && starts_at(line, hours->end, HOURS_WORD)) {
        const auto minutes = checked_product(hours->value.numerator, HOUR);
        if (!minutes || *minutes % hours->value.denominator != 0) return std::nullopt;
        duration = {*minutes / hours->value.denominator, hours->end + HOURS_WORD.size()};
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
