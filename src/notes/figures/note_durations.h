// Hours in notes: clock times, the time from one to another, durations written in 시간
// and 분, and what a duration comes to at an hourly wage. Everything counts whole
// minutes, so that sums of durations are exact.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numvora::notes_detail {

using Minutes = std::int64_t;

struct MinutesRead {
    Minutes minutes = 0;
    std::size_t end = 0;  // past the text read; a particle after it is the caller's to judge
};

// A time of day at pos, in minutes after midnight: "09:00", "18:30", "24:00", "오전 9시",
// "오후 6시 30분" (오전 12시 is midnight, 오후 12시 noon), and after the other parts of the
// day: 새벽 0–6시, 아침 5–11시, 낮 11–6시 (낮 2시 is 14:00), 저녁 4–11시 (저녁 7시 is
// 19:00), 밤 6–4시 (밤 10시 is 22:00, 밤 12시 midnight). A bare "9시" alone is none: it may
// be morning or evening.
std::optional<MinutesRead> read_clock_time(std::string_view line, std::size_t pos);

// The time from one clock time to another, a tilde between them: "09:00~18:00" is 540
// minutes, "22:00 ~ 06:00" crosses midnight (480), "00:00~24:00" is a day. Either side
// may be a bare hour ("9시~18시", "22시~03시"): one up to 12 is the nearer of its morning
// and evening, so that "9시~6시" is 9 hours, not 21. Nothing for two times written alike,
// which may mean no time or a whole day.
std::optional<MinutesRead> read_clock_range(std::string_view line, std::size_t pos);

// Whether the text opens with a part of the day ("오후", "새벽" …): a time at a word is one
// of these, and no other word before a figure need be read for one.
bool opens_day_part(std::string_view text);

// A duration at pos: "9시간 30분", "6.5시간", "50분". Nothing for a part of a minute.
std::optional<MinutesRead> read_duration(std::string_view line, std::size_t pos);

// "9시간 30분", "9시간", "50분", "0분", "-1시간 30분": a zero part left out.
std::string write_duration(Minutes minutes);

// A duration times a figure's plain decimal text ("4" of "x 4주", "1.5"); nothing for a
// part of a minute or a product too large.
std::optional<Minutes> scale_duration(Minutes minutes, std::string_view factor);

// A duration over a figure's plain decimal text ("5" of "/ 5"); nothing for a part of a
// minute or a divisor of zero.
std::optional<Minutes> divide_duration(Minutes minutes, std::string_view divisor);

// The pay for a duration at an hourly wage given as a figure's plain decimal text
// ("10030"), in won. A part of a won is cut off, as payroll does (원 미만 절사): the figure
// is what a pay slip shows, never a won more than is paid. Nothing when too large.
std::optional<std::int64_t> wage_for(Minutes minutes, std::string_view won_per_hour);

}  // namespace numvora::notes_detail
