#include "storage/history/memo_history_rules.h"

#include <algorithm>
#include <chrono>

#include "common/unicode.h"

namespace numvora {

namespace {

constexpr std::string_view NAME_PREFIX = "memo-";
constexpr std::string_view NAME_SUFFIX = ".txt";
constexpr std::size_t TIMESTAMP_LENGTH = 15;  // YYYYMMDD-HHMMSS
constexpr std::int64_t DAY = std::int64_t{24} * 60 * 60;

// Days since 1970-01-01 of a proleptic Gregorian date; a day past the month's end
// counts on into the next.
std::int64_t days_from_civil(int year, int month, int day) {
    const std::chrono::sys_days first{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} / 1};
    return (first + std::chrono::days{day - 1}).time_since_epoch().count();
}

bool real_date(int year, int month, int day) {
    return std::chrono::year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}}
        .ok();
}

// The value of a run of ASCII digits, or -1 when any byte is not one.
int digits_value(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool same_day(const SnapshotTime& a, const SnapshotTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool same_month(const SnapshotTime& a, const SnapshotTime& b) { return a.year == b.year && a.month == b.month; }

}  // namespace

std::int64_t to_seconds(const SnapshotTime& time) {
    return days_from_civil(time.year, time.month, time.day) * DAY + std::int64_t{time.hour} * 3600 +
           std::int64_t{time.minute} * 60 + time.second;
}

SnapshotTime from_seconds(std::int64_t seconds) {
    const std::int64_t days = (seconds >= 0 ? seconds : seconds - (DAY - 1)) / DAY;
    const auto in_day = static_cast<int>(seconds - days * DAY);
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{days}}};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            in_day / 3600,
            in_day / 60 % 60,
            in_day % 60};
}

std::optional<SnapshotTime> parse_timestamp(std::string_view text) {
    if (text.size() != TIMESTAMP_LENGTH || text[8] != '-') return std::nullopt;
    const SnapshotTime time{digits_value(text.substr(0, 4)),  digits_value(text.substr(4, 2)),
                            digits_value(text.substr(6, 2)),  digits_value(text.substr(9, 2)),
                            digits_value(text.substr(11, 2)), digits_value(text.substr(13, 2))};
    if (time.year < 0 || time.month < 1 || time.month > 12 || time.day < 1 ||
        !real_date(time.year, time.month, time.day) || time.hour < 0 || time.hour > 23 || time.minute < 0 ||
        time.minute > 59 || time.second < 0 || time.second > 59) {
        return std::nullopt;
    }
    return time;
}

void append_padded(std::string& out, int value, std::size_t width) {
    const std::string digits = std::to_string(value);
    if (digits.size() < width) out.append(width - digits.size(), '0');
    out += digits;
}

std::string snapshot_name(const SnapshotTime& time) {
    std::string name(NAME_PREFIX);
    append_padded(name, time.year, 4);
    append_padded(name, time.month, 2);
    append_padded(name, time.day, 2);
    name += '-';
    append_padded(name, time.hour, 2);
    append_padded(name, time.minute, 2);
    append_padded(name, time.second, 2);
    return name += NAME_SUFFIX;
}

std::optional<SnapshotTime> parse_snapshot_name(std::string_view name) {
    if (name.size() != NAME_PREFIX.size() + TIMESTAMP_LENGTH + NAME_SUFFIX.size() || !name.starts_with(NAME_PREFIX) ||
        !name.ends_with(NAME_SUFFIX)) {
        return std::nullopt;
    }
    return parse_timestamp(name.substr(NAME_PREFIX.size(), TIMESTAMP_LENGTH));
}

std::optional<SnapshotTime> parse_conflict_copy_name(std::string_view name) {
    if (!name.starts_with(CONFLICT_COPY_PREFIX) || !name.ends_with(NAME_SUFFIX)) return std::nullopt;
    name = name.substr(CONFLICT_COPY_PREFIX.size(), name.size() - CONFLICT_COPY_PREFIX.size() - NAME_SUFFIX.size());
    if (name.size() > TIMESTAMP_LENGTH) {
        const std::string_view number = name.substr(TIMESTAMP_LENGTH);
        if (number.size() < 2 || number[0] != '-' || number[1] == '0' || !all_ascii_digits(number.substr(1)))
            return std::nullopt;
    }
    return parse_timestamp(name.substr(0, TIMESTAMP_LENGTH));
}

namespace {

struct Ranked {
    const SnapshotFile* file;
    SnapshotTime time;  // now for a snapshot dated later
};

// The snapshots in the order they are kept: newest first, then those dated later than
// now, the nearest first.
std::vector<Ranked> keeping_order(const std::vector<SnapshotFile>& files, const SnapshotTime& now) {
    std::vector<Ranked> ranked;
    std::vector<Ranked> later;
    for (const SnapshotFile& file : files) {
        if (const auto time = parse_snapshot_name(file.name)) (*time <= now ? ranked : later).push_back({&file, *time});
    }
    std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) { return a.time > b.time; });
    std::sort(later.begin(), later.end(), [](const Ranked& a, const Ranked& b) { return a.time < b.time; });
    for (Ranked& one : later) ranked.push_back({one.file, now});
    return ranked;
}

}  // namespace

std::vector<std::string> snapshots_to_delete(const std::vector<SnapshotFile>& files, const SnapshotTime& now) {
    const std::vector<Ranked> ranked = keeping_order(files, now);
    const std::int64_t now_seconds = to_seconds(now);
    const std::int64_t year_ago = to_seconds({now.year - 1, now.month, now.day, now.hour, now.minute, now.second});
    std::vector<std::string> doomed;
    std::uint64_t kept_size = 0;
    bool over_limit = false;
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const SnapshotTime& time = ranked[i].time;
        const std::int64_t age = now_seconds - to_seconds(time);
        bool keep = true;
        // Newest first, so the first of a day or month met is that day's or month's newest.
        if (i > 0 && age > DAY) {
            if (age <= 30 * DAY)
                keep = !same_day(ranked[i - 1].time, time);
            else
                keep = to_seconds(time) >= year_ago && !same_month(ranked[i - 1].time, time);
        }
        if (keep && i > 0) {
            over_limit = over_limit || kept_size + ranked[i].file->size > HISTORY_SIZE_LIMIT;
            keep = !over_limit;
        }
        if (keep)
            kept_size += ranked[i].file->size;
        else
            doomed.push_back(ranked[i].file->name);
    }
    return doomed;
}

std::vector<std::string> give_up_order(const std::vector<SnapshotFile>& files, const SnapshotTime& now,
                                       std::string_view keep) {
    std::vector<std::string> names;
    const std::vector<Ranked> ranked = keeping_order(files, now);
    for (auto it = ranked.rbegin(); it != ranked.rend(); ++it)
        if (it->file->name != keep) names.push_back(it->file->name);
    return names;
}

bool leaves_room_for_memo(std::uint64_t free, std::uint64_t snapshot_size, std::uint64_t memo_size) {
    // Subtractions only, so that no huge size overflows the sum.
    if (free < snapshot_size) return false;
    const std::uint64_t left = free - snapshot_size;
    return left >= SAVE_SPACE_MARGIN && (left - SAVE_SPACE_MARGIN) / 2 >= memo_size;
}

TextMark mark_of(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return {text.size(), hash};
}

SnapshotPolicy::SnapshotPolicy(std::string start, const std::optional<NewestSnapshot>& newest)
    : start_(std::move(start)), start_mark_(mark_of(start_)), newest_mark_(newest ? newest->mark : mark_of({})) {
    if (newest) newest_at_ = to_seconds(newest->time);
}

SnapshotPlan SnapshotPolicy::before_write(const SnapshotTime& now, std::string_view held, std::string_view incoming) {
    SnapshotPlan plan = plan_start(incoming);
    // A start snapshot taken now counts as this interval's.
    const std::int64_t now_seconds = to_seconds(now);
    const bool due = !newest_at_ || now_seconds < *newest_at_ || now_seconds - *newest_at_ >= SNAPSHOT_INTERVAL_SECONDS;
    plan.text = !plan.start_text && due && held != incoming && mark_of(held) != newest_mark_;
    return plan;
}

SnapshotPlan SnapshotPolicy::before_replace(std::string_view current) {
    SnapshotPlan plan = plan_start(std::nullopt);
    plan.text = mark_of(current) != (plan.start_text ? start_mark_ : newest_mark_);
    return plan;
}

void SnapshotPolicy::kept(const SnapshotTime& at, std::string_view text) {
    newest_mark_ = mark_of(text);
    newest_at_ = to_seconds(at);
    if (start_due_ && newest_mark_ == start_mark_) drop_start();
}

// Settled by the first question when the newest snapshot already holds the start text
// (a snapshot taken later must not bring it back as if new); otherwise asked for until
// a snapshot of it is written.
// A start equal to incoming stays due: memo.txt goes on holding it for now.
SnapshotPlan SnapshotPolicy::plan_start(std::optional<std::string_view> incoming) {
    if (start_due_ && start_mark_ == newest_mark_) drop_start();
    return {start_due_ && !(incoming && start_ == *incoming), false};
}

void SnapshotPolicy::drop_start() {
    start_due_ = false;
    std::string().swap(start_);
}

}  // namespace numvora
