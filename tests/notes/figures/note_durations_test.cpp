// Clock times, durations and wages as notes write them.
#include "notes/figures/note_durations.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace numvora::notes_detail {
namespace {

// The duration read, written, and "|" with what is left after it; "" for none.
std::string written(std::string_view line, std::optional<MinutesRead> read) {
    if (!read) return "";
    std::string out = write_duration(read->minutes);
    if (read->end < line.size()) out.append("|").append(line.substr(read->end));
    return out;
}

TEST(ReadDuration, ClockRangesHoursAndMinutes) {
    const struct {
        std::string_view line, range, duration;
    } rows[] = {
        {"09:00~18:00", "9시간", ""},
        {"오전 9시 ~ 오후 6시 30분", "9시간 30분", ""},
        {"22:00～6:00 근무", "8시간| 근무", ""},
        {"오후 11시 30분~오전 12시", "30분", ""},
        {"오전 11시~오후 12시", "1시간", ""},
        {"00:00~24:00", "24시간", ""},
        // Equal times, a bare hour, times that do not exist, and figures that go on.
        {"09:00~09:00", "", ""},
        {"24:30~01:00", "", ""},
        {"09:60~10:00", "", ""},
        {"오후 13시~오후 2시", "", ""},
        {"오전 9시 ~ 오후 6시 75분", "", ""},
        {"오전 9시 ~ 오후 6시간", "", ""},
        {"09:00~18:00:30", "", ""},
        // Durations.
        {"1시간45분 + 50분", "", "1시간 45분| + 50분"},
        {"6.5시간", "", "6시간 30분"},
        {"90분", "", "1시간 30분"},
        {"0분", "", "0분"},
        {"0.01시간", "", ""},
        {"1.5분", "", ""},
        {"6시", "", ""},
        // Hours with 시 on both sides: an hour up to 12 without a part of the day is the
        // nearer of its morning and evening, so that the span is the shorter one.
        {"9시~18시", "9시간", ""},
        {"22시~03시", "5시간", ""},
        {"9시 30분 ~ 6시", "8시간 30분", ""},
        {"오후 1시~9시", "8시간", ""},
        {"11시~오후 1시", "2시간", ""},
        {"9시~9시", "", ""},
        {"18시~24시 30분", "", ""},
        // The parts of the day: 새벽 0–6시, 아침, 낮 (2시 is 14:00), 저녁, 밤 (12시 is midnight).
        {"오후 10시 ~ 새벽 3시", "5시간", ""},
        {"밤 12시~새벽 3시", "3시간", ""},
        {"아침 7시~오전 9시", "2시간", ""},
        {"낮 2시~오후 4시", "2시간", ""},
        {"저녁 7시~밤 10시", "3시간", ""},
        {"새벽 7시~오전 9시", "", ""},
        {"밤 5시~6시", "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(written(row.line, read_clock_range(row.line, 0)), row.range) << row.line;
        EXPECT_EQ(written(row.line, read_duration(row.line, 0)), row.duration) << row.line;
    }
}

TEST(DurationArithmetic, TimesACountAndAnHourlyWage) {
    const struct {
        Minutes minutes;
        std::string_view factor, duration;
    } scaled[] = {
        {15 * 60, "4", "60시간"}, {90, "-1", "-1시간 30분"},           {40, "1.5", "1시간"},
        {7, "1.5", ""},           {1'000'000'000'000, "99999999", ""},
    };
    for (const auto& row : scaled) {
        const auto minutes = scale_duration(row.minutes, row.factor);
        EXPECT_EQ(minutes ? write_duration(*minutes) : "", row.duration) << row.minutes << " x " << row.factor;
    }
    const struct {
        Minutes minutes;
        std::string_view divisor, duration;
    } divided[] = {{40 * 60, "5", "8시간"}, {90, "1.5", "1시간"}, {7, "2", ""}, {60, "0", ""}};
    for (const auto& row : divided) {
        const auto minutes = divide_duration(row.minutes, row.divisor);
        EXPECT_EQ(minutes ? write_duration(*minutes) : "", row.duration) << row.minutes << " / " << row.divisor;
    }
    EXPECT_EQ(wage_for(390, "10030"), 65195);
    EXPECT_EQ(wage_for(390, "10030.5"), 65198);  // 65,198.25
    EXPECT_EQ(wage_for(5, "10030"), 835);        // 835.83: the part of a won is not paid
}

}  // namespace
}  // namespace numvora::notes_detail
