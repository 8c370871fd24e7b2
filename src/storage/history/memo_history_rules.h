// The rules of the memo's history without any file: snapshot names, which snapshots
// to keep, and when to take one. Times are local civil times passed in by the caller,
// so every rule is a plain function of its inputs.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numvora {

// A local date and time to the second, as a snapshot's name carries it.
struct SnapshotTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    auto operator<=>(const SnapshotTime&) const = default;
};

// Seconds since 1970-01-01 00:00:00 on the same calendar. Local time is read as if it
// had no offset: across a daylight-saving change the distance is off by the shift,
// which the rules tolerate.
std::int64_t to_seconds(const SnapshotTime& time);
SnapshotTime from_seconds(std::int64_t seconds);

// "YYYYMMDD-HHMMSS" with a real date and time (no February 30, no second 60).
std::optional<SnapshotTime> parse_timestamp(std::string_view text);

// "memo-YYYYMMDD-HHMMSS.txt". Parsing accepts exactly that form, so every snapshot
// has one name and every name one time: other letter case, other digit counts and
// anything before or after (".tmp", "-2") are not snapshots.
std::string snapshot_name(const SnapshotTime& time);
std::optional<SnapshotTime> parse_snapshot_name(std::string_view name);
// A time field as at least width digits, zeros in front.
void append_padded(std::string& out, int value, std::size_t width);

// A copy of memo.txt that another window had changed, kept beside it before this one
// wrote over it: "memo.conflict-YYYYMMDD-HHMMSS.txt", or "…-HHMMSS-N.txt" (N from 2)
// when that name was taken. Gives the time its name carries.
inline constexpr std::string_view CONFLICT_COPY_PREFIX = "memo.conflict-";
std::optional<SnapshotTime> parse_conflict_copy_name(std::string_view name);

struct SnapshotFile {
    std::string name;
    std::uint64_t size = 0;
};

inline constexpr std::uint64_t HISTORY_SIZE_LIMIT = 200ull * 1024 * 1024;

// The names to delete, newest first. Kept: every snapshot at most 24 hours old; up to
// 30 days old, the newest of each calendar day; up to a year old, the newest of each
// calendar month. Of those, once the sizes (newest first) pass HISTORY_SIZE_LIMIT,
// everything after goes, but the newest always stays. Names that are not snapshots are
// never returned. A snapshot dated later than now (a clock moved back, a foreign file)
// counts as taken now, but after every other one: it is kept while there is room and
// goes first when there is not, so that a wrong date never costs another snapshot.
std::vector<std::string> snapshots_to_delete(const std::vector<SnapshotFile>& files, const SnapshotTime& now);

// What a full disk gives up, first to last: the snapshots in the reverse of the order
// snapshots_to_delete keeps them (dated later than now first, then the oldest), never
// the one named keep.
std::vector<std::string> give_up_order(const std::vector<SnapshotFile>& files, const SnapshotTime& now,
                                       std::string_view keep);

// Room kept beyond the memo's own size twice (its new file beside the old one), for the
// file system's own bookkeeping.
inline constexpr std::uint64_t SAVE_SPACE_MARGIN = std::uint64_t{1} << 20;

// Whether a snapshot of snapshot_size bytes still leaves the memo's next save (of about
// memo_size bytes) its room on a volume with free bytes: the memo always comes first.
bool leaves_room_for_memo(std::uint64_t free, std::uint64_t snapshot_size, std::uint64_t memo_size);

// Stands for a text when comparing it with the newest snapshot, so no copy is kept.
struct TextMark {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;  // 64-bit FNV-1a of the bytes

    bool operator==(const TextMark&) const = default;
};
TextMark mark_of(std::string_view text);

struct NewestSnapshot {
    SnapshotTime time;
    TextMark mark;
};

struct SnapshotPlan {
    bool start_text = false;  // keep SnapshotPolicy::start_text() first
    bool text = false;        // then the text the call was given

    bool operator==(const SnapshotPlan&) const = default;
};

inline constexpr std::int64_t SNAPSHOT_INTERVAL_SECONDS = 10 * 60;

// When to take a snapshot during one session. Each question returns a plan; the caller
// writes what it names, in order, and reports every snapshot written with kept(), so a
// failed write is simply asked for again next time. Never two identical snapshots in
// a row: a text equal to the newest snapshot is never planned. An empty history counts
// as holding the empty text, since an empty memo has nothing to lose.
class SnapshotPolicy {
public:
    // start: the memo as opened. newest: the newest snapshot on disk, if any.
    SnapshotPolicy(std::string start, const std::optional<NewestSnapshot>& newest);

    // Asked on each write of memo.txt, before its text (held) is replaced by incoming.
    // The start text comes first while it is due, and counts as this interval's
    // snapshot; otherwise held is kept when the newest snapshot is at least
    // SNAPSHOT_INTERVAL_SECONDS old or, the clock having gone back, newer than now.
    // Nothing that equals incoming is kept: memo.txt goes on holding it.
    SnapshotPlan before_write(const SnapshotTime& now, std::string_view held, std::string_view incoming);

    // Asked before something replaces the whole memo (a document opened, a version
    // restored): current is always kept, and the start text first when still due.
    SnapshotPlan before_replace(std::string_view current);

    // A snapshot of text was written at the time given.
    void kept(const SnapshotTime& at, std::string_view text);

    // Held only until a snapshot of it is kept or found unnecessary.
    const std::string& start_text() const { return start_; }

private:
    SnapshotPlan plan_start(std::optional<std::string_view> incoming);
    void drop_start();

    std::string start_;
    TextMark start_mark_;
    bool start_due_ = true;
    TextMark newest_mark_;
    std::optional<std::int64_t> newest_at_;
};

}  // namespace numvora
