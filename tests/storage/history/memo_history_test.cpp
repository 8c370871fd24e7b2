// The memo's history: its rules as tables (names, what to delete, when to snapshot)
// and its folder on a temporary one.
#include "storage/history/memo_history.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "storage/history/history_keeper.h"

namespace numvora {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t MiB = 1024 * 1024;

SnapshotTime at(std::string_view timestamp) { return parse_timestamp(timestamp).value(); }

// A timestamp stands for its snapshot's name; anything else is a name as it is.
std::string file_name(std::string_view token) {
    return parse_timestamp(token) ? "memo-" + std::string(token) + ".txt" : std::string(token);
}

TEST(MemoHistoryRules, OnlyExactSnapshotNamesParse) {
    const std::pair<const char*, SnapshotTime> valid[] = {
        {"memo-20261207-142000.txt", {2026, 12, 7, 14, 20, 0}},
        {"memo-20000229-235959.txt", {2000, 2, 29, 23, 59, 59}},
    };
    for (const auto& [name, time] : valid) {
        EXPECT_EQ(parse_snapshot_name(name), time);
        EXPECT_EQ(snapshot_name(time), name);
    }
    for (const char* name : {"memo-21000229-120000.txt", "memo-20230229-120000.txt", "memo-20261307-142000.txt",
                             "memo-20261200-142000.txt", "memo-20261207-240000.txt", "memo-20261207-142060.txt",
                             "memo-2026127-142000.txt", "memo-20261207-1420000.txt", "memo-202612071-42000.txt",
                             "memo-20261207_142000.txt", "memo-2026+207-142000.txt", "memo-20261207-142000.txt.tmp",
                             "Memo-20261207-142000.txt", "memo-20261207-142000.TXT", "memo-20261207-142000-2.txt",
                             "xmemo-20261207-142000.txt", "memo-20261207-142000.txt.12-3.tmp"}) {
        EXPECT_EQ(parse_snapshot_name(name), std::nullopt) << name;
    }
}

// Space-separated timestamps (or other names), each of one byte or "=N" MiB.
std::vector<SnapshotFile> files_of(std::string_view tokens) {
    std::vector<SnapshotFile> files;
    std::istringstream in{std::string(tokens)};
    for (std::string token; in >> token;) {
        const std::size_t equals = token.find('=');
        const std::uint64_t size = equals == std::string::npos ? 1 : std::stoull(token.substr(equals + 1)) * MiB;
        files.push_back({file_name(token.substr(0, equals)), size});
    }
    return files;
}

TEST(MemoHistoryRules, DeletesByAgeTierAndSize) {
    const struct {
        const char* now;
        const char* files;
        const char* deleted;  // newest first
    } rows[] = {
        // Everything of the last 24 hours; before that the newest of each day.
        {"20261207-120000",
         "20261207-110000 20261206-130000 20261206-120000 20261206-115959 20261205-000001 20261205-235959 "
         "20261205-000000",
         "20261206-115959 20261205-000001 20261205-000000"},
        // Up to 30 days the newest of each day, then the newest of each month.
        {"20261207-120000",
         "20261207-110000 20261108-000000 20261107-120000 20261107-110000 20261106-120000 20261031-235959 "
         "20261001-000000",
         "20261107-110000 20261106-120000 20261001-000000"},
        // Months across the turn of the year; nothing older than a year.
        {"20260315-120000",
         "20260315-110000 20260101-000000 20251231-235959 20251231-000000 20250315-120000 20250315-115959 "
         "20250228-000000",
         "20251231-000000 20250315-115959 20250228-000000"},
        // At most 200 MiB: once passed, all older ones go; the newest stays whatever its size.
        {"20261207-120000", "20261207-110000=150 20261207-100000=50 20261207-090000 20261207-080000=0",
         "20261207-090000 20261207-080000"},
        // Other names are neither deleted nor counted.
        {"20261207-120000",
         "memo.txt=1024 memo-20200101-000000.txt.tmp Memo-20200101-000000.txt memo-20200101-000000 "
         "20261207-110000=100 20261207-100000=100 20200101-000000",
         "20200101-000000"},
        // Later than now: kept, not counted, not the newest.
        {"20261207-120000", "20270101-000000=1024 20261207-130000 20261207-110000=150 20261207-100000=50", ""},
        {"20261207-120000", "20261208-000000 20261207-110000=300 20261207-100000", "20261207-100000"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> expected;
        for (const SnapshotFile& file : files_of(row.deleted)) expected.push_back(file.name);
        EXPECT_EQ(snapshots_to_delete(files_of(row.files), at(row.now)), expected) << row.now << " " << row.files;
    }
}

TEST(MemoHistoryRules, SnapshotsAtStartEveryTenMinutesAndBeforeAReplace) {
    struct Event {
        char kind;  // 'w': an auto-save write of text, 'r': text about to be replaced
        const char* now;
        const char* text;
        SnapshotPlan plan;
        bool written = true;  // whether the caller manages to write what was planned
    };
    const struct {
        const char* start;
        const char* newest_time;  // nullptr: an empty history
        const char* newest_text;
        std::vector<Event> events;
    } rows[] = {
        {"a",
         "20261207-090000",
         "a",
         {{'w', "20261207-100000", "ab", {false, true}},
          {'w', "20261207-100959", "abc", {false, false}},
          {'w', "20261207-101000", "abcd", {false, true}},
          {'w', "20261207-103000", "abcd", {false, false}}}},
        {"old",
         "20261207-090000",
         "older",
         {{'w', "20261207-100000", "new", {true, false}, false},
          {'w', "20261207-100002", "new", {true, false}},
          {'w', "20261207-100959", "newer", {false, false}},
          {'w', "20261207-101002", "newest", {false, true}}}},
        {"", nullptr, "", {{'r', "20261207-100000", "", {false, false}}, {'w', "20261207-100001", "x", {false, true}}}},
        {"s", "20261207-090000", "n", {{'r', "20261207-100000", "edited", {true, true}}}},
        {"s", "20261207-090000", "n", {{'r', "20261207-100000", "s", {true, false}}}},
        // The start text was already kept: a replace that follows does not bring it back.
        {"s",
         "20261207-090000",
         "s",
         {{'r', "20261207-090100", "edited", {false, true}},
          {'w', "20261207-090200", "document", {false, false}},
          {'r', "20261207-090300", "document", {false, true}},
          {'r', "20261207-090400", "document", {false, false}}}},
        // The clock went back: the newest seems to be from tomorrow.
        {"n",
         "20261208-100000",
         "n",
         {{'w', "20261207-100000", "x", {false, true}}, {'w', "20261207-100500", "y", {false, false}}}},
    };
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const auto& row = rows[r];
        std::optional<NewestSnapshot> newest;
        if (row.newest_time) newest = NewestSnapshot{at(row.newest_time), mark_of(row.newest_text)};
        SnapshotPolicy policy(row.start, newest);
        for (std::size_t e = 0; e < row.events.size(); ++e) {
            const Event& event = row.events[e];
            const SnapshotTime now = at(event.now);
            const SnapshotPlan plan =
                event.kind == 'w' ? policy.before_write(now, event.text) : policy.before_replace(event.text);
            EXPECT_EQ(plan, event.plan) << "row " << r << ", event " << e;
            if (!event.written) continue;
            if (plan.start_text) policy.kept(now, policy.start_text());
            if (plan.text) policy.kept(now, event.text);
        }
    }
}

TEST(MemoHistoryRules, ASnapshotLeavesTheMemoItsNextSave) {
    const struct {
        std::uint64_t free, snapshot, memo;
        bool fits;
    } rows[] = {
        {100 * MiB, MiB, MiB, true},        {MiB * 14 / 10, MiB, MiB, false},  // a 1 MiB memo on a nearly full disk
        {4 * MiB, MiB, MiB, true},                                             // the memo twice and the margin, exactly
        {4 * MiB - 1, MiB, MiB, false},     {SAVE_SPACE_MARGIN, 0, 0, true},
        {UINT64_MAX, UINT64_MAX, 0, false}, {UINT64_MAX, 0, UINT64_MAX, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(leaves_room_for_memo(row.free, row.snapshot, row.memo), row.fits)
            << row.free << " " << row.snapshot << " " << row.memo;
}

// Removed however the test ends, a failed assertion included.
struct TempRoot {
    fs::path path = fs::temp_directory_path() / ("numvora-history-" + std::to_string(std::random_device{}()));
    ~TempRoot() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

TEST(MemoHistoryFolder, WritesListsPrunesAndReads) {
    const TempRoot temp;
    const fs::path& root = temp.path;
    const std::string folder = (root / "Numvora" / "history").string();
    EXPECT_EQ(list_snapshots(folder).value(), std::vector<SnapshotEntry>{});
    const std::string first = "\xef\xbb\xbf\n \r\n  첫 줄 \nmore";
    ASSERT_EQ(write_snapshot(folder, at("20261206-235959"), first)->name, "memo-20261206-235959.txt");
    // The second is taken: the next one, across midnight.
    ASSERT_EQ(write_snapshot(folder, at("20261206-235959"), "")->name, "memo-20261207-000000.txt");
    std::ofstream(root / "Numvora" / "history" / "MEMO-20261207-000001.TXT") << "x";  // the same name on Windows
    const std::string long_line = std::string(PREVIEW_BYTES - 1, 'a') + "가";
    ASSERT_EQ(write_snapshot(folder, at("20261206-235959"), long_line)->name, "memo-20261207-000002.txt");
    ASSERT_TRUE(write_snapshot(folder, at("20261207-001000"), std::string(PREVIEW_BYTES, '\n') + "late"));
    // Distinct times: letter case alone does not make another file on Windows.
    for (const char* other : {"memo-20200101-000000.txt.tmp", "Memo-20200103-000000.txt", "memo-20200101-000000.txt"})
        std::ofstream(root / "Numvora" / "history" / other) << "x";
    fs::create_directory(root / "Numvora" / "history" / "memo-20200102-000000.txt");
    std::ofstream(root / "Numvora" / "history" / "memo-20261207-000000.txt.12-3.tmp") << "a killed write's";
    EXPECT_EQ(sweep_snapshot_temporaries(folder), 1u);
    const std::vector<SnapshotEntry> expected = {
        {"memo-20261207-001000.txt", at("20261207-001000"), PREVIEW_BYTES + 4},
        {"memo-20261207-000002.txt", at("20261207-000002"), PREVIEW_BYTES + 2},
        {"memo-20261207-000000.txt", at("20261207-000000"), 0},
        {"memo-20261206-235959.txt", at("20261206-235959"), first.size()},
        {"memo-20200101-000000.txt", at("20200101-000000"), 1},
    };
    EXPECT_EQ(list_snapshots(folder).value(), expected);
    const std::vector<std::string> previews = {"", std::string(PREVIEW_BYTES - 1, 'a'), "", "첫 줄", "x"};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(snapshot_preview(folder, expected[i].name).value(), previews[i]);
    // The start of a version to show: whole, cut before a character the limit splits,
    // or refused when it is not UTF-8.
    const auto start_of = [&](std::size_t i, std::size_t max) { return snapshot_start(folder, expected[i].name, max); };
    EXPECT_EQ(start_of(3, PREVIEW_BYTES).value(), (SnapshotStart{first, false}));
    EXPECT_EQ(start_of(1, PREVIEW_BYTES + 1).value(), (SnapshotStart{std::string(PREVIEW_BYTES - 1, 'a'), true}));
    std::ofstream(root / "Numvora" / "history" / expected[4].name) << "\xb8\xde";
    EXPECT_EQ(start_of(4, 100).error().kind, StorageErrorKind::InvalidData);
    EXPECT_EQ(prune_snapshots(folder, at("20261207-120000")).value(), 1u);
    EXPECT_EQ(read_snapshot(folder, expected[3].name).value(), first);
    fs::remove(root / "Numvora" / "history" / expected[3].name);  // gone since the listing
    EXPECT_EQ(read_snapshot(folder, expected[3].name).error().kind, StorageErrorKind::NotFound);
    EXPECT_EQ(read_snapshot(folder, "Memo-20200101-000000.txt").error().kind, StorageErrorKind::InvalidInput);
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "Numvora" / "history"), {}), 7);
    EXPECT_EQ(newest_snapshot(folder).value().mark, mark_of(std::string(PREVIEW_BYTES, '\n') + "late"));

    // The whole text is checked beyond what a preview reads, a character cut between
    // two reads included; only files of the text's size are compared with it.
    const std::string long_text = std::string(1024 * 1024 - 1, 'a') + "가나";
    ASSERT_TRUE(write_snapshot(folder, at("20261207-002000"), long_text));
    ASSERT_TRUE(write_snapshot(folder, at("20261207-003000"), long_text + "\xff"));
    EXPECT_TRUE(check_snapshot_text(folder, "memo-20261207-002000.txt"));
    EXPECT_EQ(check_snapshot_text(folder, "memo-20261207-003000.txt").error().message, "UTF-8 텍스트가 아닙니다");
    const std::vector<SnapshotEntry> listed = list_snapshots(folder).value();
    std::vector<bool> expected_same(listed.size(), false);
    expected_same[1] = true;
    EXPECT_EQ(same_as_text(folder, listed, long_text), expected_same);
}

TEST(MemoHistoryFolder, OneListingSweepsAndCopiesOfTheMemoGoNewestFirst) {
    const TempRoot temp;
    const fs::path& root = temp.path;
    const std::string folder = (root / "history").string();
    for (const auto& [time, text] : {std::pair{"20261207-080000", "memo"},
                                     {"20261207-090000", "memo"},
                                     {"20261207-100000", "other"},
                                     {"20261207-110000", "meme"}})
        ASSERT_TRUE(write_snapshot(folder, at(time), text));
    std::ofstream(root / "history" / "memo-20261207-100000.txt.4-5.tmp") << "killed";
    HistoryStart start = open_history(folder).value();
    EXPECT_EQ(start.swept, 1u);
    EXPECT_EQ(start.files.size(), 4u);
    EXPECT_EQ(start.newest->mark, mark_of("meme"));
    const std::optional<std::string> given_up[] = {"memo-20261207-090000.txt", "memo-20261207-080000.txt",
                                                   std::nullopt};
    for (const auto& expected : given_up) EXPECT_EQ(give_up_duplicate(folder, start.files, "memo").value(), expected);
    EXPECT_EQ(list_snapshots(folder).value().size(), 2u);
    EXPECT_EQ(start.files.size(), 2u);
}

// What a window hands the keeper, in order; what the folder then holds and what was said.
TEST(HistoryKeeper, KeepsTheReplacedTextsAfterTheMemoAndNeverItsRoom) {
    struct Step {
        char kind;  // 's': memo.txt saved over text, 'r': text replaced, 'k': text kept before a restore
        const char* now;
        const char* text;
        bool kept = true;  // what 'k' answers
    };
    const struct {
        std::uint64_t free;
        bool folder_is_a_file;
        std::vector<Step> steps;
        std::vector<std::string> files;  // "HHMMSS=text", oldest first
        std::size_t events;
    } rows[] = {
        {100 * MiB,
         false,
         {{'s', "20261207-100000", "start"},
          {'s', "20261207-100500", "a"},
          {'s', "20261207-101001", "b"},
          {'r', "20261207-101100", "c"},
          {'k', "20261207-101200", "c"},
          {'k', "20261207-101300", "d"}},
         {"100000=start", "101001=b", "101100=c", "101300=d"},
         0},
        // A nearly full disk: nothing is written, each attempt says so, a restore is refused.
        {MiB,
         false,
         {{'s', "20261207-100000", "start"}, {'r', "20261207-100100", "x"}, {'k', "20261207-100200", "y", false}},
         {},
         2},
        // A file where the folder would be.
        {100 * MiB, true, {{'s', "20261207-100000", "start"}, {'k', "20261207-100100", "y", false}}, {}, 1},
    };
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const auto& row = rows[r];
        const TempRoot temp;
        fs::create_directories(temp.path);
        const fs::path history = temp.path / "history";
        if (row.folder_is_a_file) std::ofstream(history) << "x";
        WriteCalls calls;  // on a fake volume
        calls.free_space = [free = row.free](const std::string&) -> StorageResult<std::uint64_t> { return free; };
        std::atomic<int> wakes{0};
        std::vector<HistoryEvent> events;
        {
            HistoryKeeper keeper({history.string(), temp.path.string(), "start", calls, [&] { ++wakes; }});
            for (const Step& step : row.steps) {
                if (step.kind == 's') keeper.saved(at(step.now), step.text, 1);
                if (step.kind == 'r') keeper.replacing(at(step.now), step.text, 1);
                if (step.kind == 'k') {
                    EXPECT_EQ(bool(keeper.keep(at(step.now), step.text, 1)), step.kept) << r;
                }
            }
            keeper.wait();
            events = keeper.take_events();
        }
        EXPECT_EQ(events.size(), row.events) << r;
        EXPECT_EQ(wakes.load(), static_cast<int>(row.events)) << r;
        for (const HistoryEvent& event : events)
            EXPECT_EQ(event.error == no_room_for_snapshot_error(), row.free < 2 * MiB) << r;
        std::vector<std::string> files;
        const std::vector<SnapshotEntry> listed =
            row.folder_is_a_file ? std::vector<SnapshotEntry>() : list_snapshots(history.string()).value();
        for (const SnapshotEntry& entry : listed) {
            std::ifstream in(history / entry.name, std::ios::binary);
            files.insert(files.begin(),
                         entry.name.substr(14, 6) + "=" + std::string(std::istreambuf_iterator<char>(in), {}));
        }
        EXPECT_EQ(files, row.files) << r;
    }
}

}  // namespace
}  // namespace numvora
