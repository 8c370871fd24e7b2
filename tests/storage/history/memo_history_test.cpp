// The memo's history: its rules as tables (names, what to delete, when to snapshot)
// and its folder on a temporary one.
#include "storage/history/memo_history.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <future>
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
    // Another window's text kept beside memo.txt, "-N" when the second was taken.
    for (const char* name : {"memo.conflict-20261207-142000.txt", "memo.conflict-20261207-142000-12.txt"})
        EXPECT_EQ(parse_conflict_copy_name(name), (SnapshotTime{2026, 12, 7, 14, 20, 0})) << name;
    for (const char* name : {"memo.conflict-20261207-142000-0.txt", "memo.conflict-20261207-142000-.txt",
                             "memo.conflict-20261207-142000.txt.1-2.tmp", "memo.conflict-20261207-1420.txt",
                             "memo-20261207-142000.txt", "memo.conflict-20261207-142000-2x.txt"})
        EXPECT_EQ(parse_conflict_copy_name(name), std::nullopt) << name;
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
        // Later than now: counted as now, after all others, so that they go first.
        {"20261207-120000", "20270101-000000=1024 20261207-130000 20261207-110000=150 20261207-100000=50",
         "20261207-130000 20270101-000000"},
        {"20261207-120000", "20261208-000000 20261207-110000=150 20261207-100000", ""},
        {"20261207-120000", "20991231-000000=60 20261208-000000 20261207-110000=150", "20991231-000000"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> expected;
        for (const SnapshotFile& file : files_of(row.deleted)) expected.push_back(file.name);
        EXPECT_EQ(snapshots_to_delete(files_of(row.files), at(row.now)), expected) << row.now << " " << row.files;
    }
}

// A full disk gives up what pruning would delete first, never the one it must keep.
TEST(MemoHistoryRules, AFullDiskGivesUpTheOldestFirst) {
    const struct {
        const char* files;
        const char* keep;
        const char* given_up;  // first to last
    } rows[] = {
        {"20261207-110000 20261206-090000 20261207-100000 20261205-000000", "20261207-110000",
         "20261205-000000 20261206-090000 20261207-100000"},
        // Never the one to keep, even when it is the oldest; later than now first.
        {"20261205-000000 20991231-000000 20261207-100000 memo.txt", "20261205-000000",
         "20991231-000000 20261207-100000"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> expected;
        for (const SnapshotFile& file : files_of(row.given_up)) expected.push_back(file.name);
        EXPECT_EQ(give_up_order(files_of(row.files), at("20261207-120000"), file_name(row.keep)), expected)
            << row.files;
    }
}

TEST(MemoHistoryRules, SnapshotsAtStartEveryTenMinutesAndBeforeAReplace) {
    struct Event {
        char kind;  // 'w': memo.txt holding text is written over with other text, 'r': text about to be replaced
        const char* now;
        const char* text;
        SnapshotPlan plan;
        bool written = true;           // whether the caller manages to write what was planned
        const char* incoming = "new";  // what a write puts in place of text
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
        // A write of what memo.txt holds already (a close with the memo unchanged) keeps
        // nothing, the start text included, which stays due.
        {"s",
         "20261207-090000",
         "n",
         {{'w', "20261207-100000", "s", {false, false}, true, "s"},
          {'w', "20261207-101000", "x", {false, true}, true, "s"},
          {'w', "20261207-102000", "s", {true, false}, true, "y"},
          {'w', "20261207-103000", "x", {false, false}, true, "x"}}},
    };
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const auto& row = rows[r];
        std::optional<NewestSnapshot> newest;
        if (row.newest_time) newest = NewestSnapshot{at(row.newest_time), mark_of(row.newest_text)};
        SnapshotPolicy policy(row.start, newest);
        for (std::size_t e = 0; e < row.events.size(); ++e) {
            const Event& event = row.events[e];
            const SnapshotTime now = at(event.now);
            const SnapshotPlan plan = event.kind == 'w' ? policy.before_write(now, event.text, event.incoming)
                                                        : policy.before_replace(event.text);
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
    // The start of a version to show: whole (its byte-order mark not shown), cut before a
    // character the limit splits, or refused when it is not UTF-8.
    const auto start_of = [&](std::size_t i, std::size_t max) { return snapshot_start(folder, expected[i].name, max); };
    EXPECT_EQ(start_of(3, PREVIEW_BYTES).value(), (SnapshotStart{first.substr(3), false}));
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

    // The whole text is read a piece at a time beyond what a preview reads, a character
    // cut between two pieces included and a byte-order mark left out; bytes not UTF-8 or
    // NUL make it unreadable. Only files of the text's size are compared with a text.
    const std::string long_text = std::string(1024 * 1024 - 1, 'a') + "가나";
    for (const auto& [time, text] : {std::pair{"20261207-002000", long_text},
                                     {"20261207-003000", long_text + "\xff"},
                                     {"20261207-004000", long_text + '\0'},
                                     {"20261207-005000", "\xef\xbb\xbf짧은 글"}})
        ASSERT_TRUE(write_snapshot(folder, at(time), text));
    const auto read_whole = [&](const char* time) -> StorageResult<std::string> {
        auto reader = VersionReader::open(folder, snapshot_name(at(time)), true);
        for (;;) {
            const auto done = reader->next();
            if (!done) return fail(done.error());
            if (done.value()) return reader->take_text();
        }
    };
    EXPECT_EQ(read_whole("20261207-002000").value(), long_text);
    EXPECT_EQ(read_whole("20261207-005000").value(), "짧은 글");
    for (const char* unreadable : {"20261207-003000", "20261207-004000"})
        EXPECT_EQ(read_whole(unreadable).error().message, "UTF-8 텍스트가 아닙니다");
    const std::vector<SnapshotEntry> listed = list_snapshots(folder).value();
    std::vector<bool> expected_same(listed.size(), false);
    expected_same[3] = true;
    EXPECT_EQ(same_as_text(folder, listed, long_text), expected_same);
}

TEST(MemoHistoryFolder, OneListingSweepsAndReadsTheNewest) {
    const TempRoot temp;
    const fs::path& root = temp.path;
    const std::string folder = (root / "history").string();
    for (const auto& [time, text] : {std::pair{"20261207-080000", "memo"},
                                     {"20261207-090000", "memo"},
                                     {"20261207-100000", "other"},
                                     {"20261207-110000", "meme"}})
        ASSERT_TRUE(write_snapshot(folder, at(time), text));
    std::ofstream(root / "history" / "memo-20261207-100000.txt.4-5.tmp") << "killed";
    const HistoryStart start = open_history(folder).value();
    EXPECT_EQ(start.swept, 1u);
    EXPECT_EQ(start.files.size(), 4u);
    EXPECT_EQ(start.newest->mark, mark_of("meme"));
}

// The keeper's answer, waited for: a question queued behind every task handed over
// before it, so that they are done too.
template <class T, class Ask>
T answered(Ask ask) {
    const auto promise = std::make_shared<std::promise<T>>();
    ask([promise](T value) { promise->set_value(std::move(value)); });
    return promise->get_future().get();
}

std::string bytes_of(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What a window hands the keeper, in order; what the folder then holds and what was said.
TEST(HistoryKeeper, KeepsWhatMemoTxtHeldBeforeItIsReplacedAndNeverItsRoom) {
    struct Step {
        char kind;  // 's': memo.txt holding text is saved over with incoming, 'r': text replaced, 'k': text kept
        const char* now;
        const char* text;
        const char* incoming = "new";
        bool kept = true;  // what 'k' answers; what 'r' answers: no version held the text
    };
    const std::vector<Step> session = {
        {'s', "20261207-100000", "start", "a"},
        {'s', "20261207-100500", "a", "b"},
        {'s', "20261207-101001", "b", "c"},
        {'r', "20261207-101100", "d"},
        {'r', "20261207-101110", "d", "", false},  // d is a version now
        {'s', "20261207-101200", "c", "e"},
        {'s', "20261207-102200", "e", "e"},  // unchanged at close
        {'k', "20261207-102300", "f"},
        {'k', "20261207-102400", "f"},
    };
    const std::vector<std::string> session_kept = {"100000=start", "101001=b", "101100=d", "102300=f"};
    const struct {
        const char* name;
        std::uint64_t free;
        bool hard_links;  // whether the file system has them
        bool folder_is_a_file;
        std::vector<Step> steps;
        std::vector<std::string> files;  // "HHMMSS=text", oldest first
        std::size_t events;
        int linked;  // what memo.txt held kept as a second name of its file
    } rows[] = {
        {"a session", 100 * MiB, true, false, session, session_kept, 0, 2},
        {"no hard links", 100 * MiB, false, false, session, session_kept, 0, 0},
        // A nearly full disk: a link takes no room, a copy is refused, and so is a restore.
        {"nearly full",
         MiB,
         true,
         false,
         {{'s', "20261207-100000", "start"}, {'r', "20261207-100100", "x"}, {'k', "20261207-100200", "y", "", false}},
         {"100000=start"},
         1,
         1},
        {"a file where the folder would be",
         100 * MiB,
         true,
         true,
         {{'s', "20261207-100000", "start"}, {'k', "20261207-100100", "y", "", false}},
         {},
         1,
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const TempRoot temp;
        fs::create_directories(temp.path);
        const fs::path history = temp.path / "history";
        const fs::path memo = temp.path / "memo.txt";
        if (row.folder_is_a_file) std::ofstream(history) << "x";
        WriteCalls calls;  // on a fake volume
        calls.free_space = [free = row.free](const std::string&) -> StorageResult<std::uint64_t> { return free; };
        int links = 0;
        calls.link_file = [&, allowed = row.hard_links](const std::string& from, const std::string& to) {
            return allowed ? (++links, file_primitives::hard_link(from, to))
                           : Result<void, StorageError>(fail(make_os_error(EPERM)));
        };
        std::atomic<int> wakes{0};
        std::vector<HistoryEvent> events;
        {
            HistoryKeeper keeper({history.string(), temp.path.string(), "start", calls, [&] { ++wakes; }});
            for (const Step& step : row.steps) {
                if (step.kind == 's') {
                    ASSERT_TRUE(write_text_file(memo.string(), step.text));
                    ASSERT_TRUE(keeper.before_save(at(step.now), memo.string(), step.text, step.incoming, false));
                    ASSERT_TRUE(write_text_file(memo.string(), step.incoming));  // the save, a file of its own
                }
                if (step.kind == 'r') {
                    EXPECT_EQ(keeper.replacing(at(step.now), step.text, 1), step.kept) << step.now;
                }
                if (step.kind == 'k') {
                    const auto kept = answered<Result<void, StorageError>>(
                        [&](auto answer) { keeper.keep(at(step.now), step.text, 1, answer); });
                    EXPECT_EQ(bool(kept), step.kept) << step.now;
                }
            }
            (void)answered<StorageResult<std::vector<ListedVersion>>>([&](auto answer) {
                keeper.versions(
                    {}, [] { return true; }, answer);
            });
            events = keeper.take_events();
        }
        EXPECT_EQ(events.size(), row.events);
        EXPECT_EQ(wakes.load(), static_cast<int>(row.events));
        for (const HistoryEvent& event : events)
            EXPECT_EQ(event.error == no_room_for_snapshot_error(), row.free < 2 * MiB);
        std::vector<std::string> files;
        const std::vector<SnapshotEntry> listed_files =
            row.folder_is_a_file ? std::vector<SnapshotEntry>() : list_snapshots(history.string()).value();
        for (const SnapshotEntry& entry : listed_files)
            files.insert(files.begin(), entry.name.substr(14, 6) + "=" + bytes_of(history / entry.name));
        EXPECT_EQ(files, row.files);
        EXPECT_EQ(links, row.linked);
    }
}

// A full disk: snapshots go oldest first until the target has the room asked for, never
// the earlier text of the memo being saved, and only while that frees room there.
// The versions dialog's listing marks each version that holds the memo, and compares
// them one a task: a listing no longer wanted (its dialog closed) stops between two
// versions, unanswered.
TEST(HistoryKeeper, ListsBetweenOtherTasksAndStopsWhenNoLongerWanted) {
    const TempRoot temp;
    const std::string history = (temp.path / "history").string();
    for (const auto& [time, text] :
         {std::pair{"20261207-080000", "memo"}, {"20261207-090000", "meme"}, {"20261207-100000", "memo"}})
        ASSERT_TRUE(write_snapshot(history, at(time), text));
    HistoryKeeper keeper({history, temp.path.string(), "memo", WriteCalls{}, {}});
    const auto always = [] { return true; };
    const auto listed = answered<StorageResult<std::vector<ListedVersion>>>(
        [&](auto answer) { keeper.versions("memo", always, answer); });
    std::vector<bool> same;  // newest first
    for (const ListedVersion& version : listed.value()) same.push_back(version.same_as_memo);
    EXPECT_EQ(same, (std::vector<bool>{true, false, true}));

    int asked = 0;  // on the worker only
    bool answered_anyway = false;
    keeper.versions(
        "memo", [&asked] { return ++asked <= 2; }, [&](auto) { answered_anyway = true; });
    (void)answered<StorageResult<std::vector<ListedVersion>>>(
        [&](auto answer) { keeper.versions("memo", always, answer); });
    EXPECT_FALSE(answered_anyway);
}

TEST(HistoryKeeper, AFullDiskGivesUpOldVersionsUntilTheSaveFits) {
    const struct {
        const char* name;
        std::uint64_t needed;
        const char* keep_text;
        bool other_volume;
        std::vector<std::string> left;  // "HHMMSS", oldest first
    } rows[] = {
        {"room for three MiB", 3 * MiB, "new", false, {"090000", "100000", "110000"}},
        // The newest that differs from what is saved stays; a copy of it may go.
        {"everything", 100 * MiB, "d", false, {"100000"}},
        {"at least one", 0, "new", false, {"080000", "090000", "100000", "110000"}},
        {"another volume", 2 * MiB, "new", true, {"070000", "080000", "090000", "100000", "110000"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const TempRoot temp;
        const fs::path history = temp.path / "history";
        fs::create_directories(history);
        for (const char* time : {"070000", "080000", "090000", "100000", "110000"})
            std::ofstream(history / ("memo-20261207-" + std::string(time) + ".txt")) << std::string(MiB, 'a');
        std::ofstream(history / "memo-20261207-100000.txt") << "c";
        std::ofstream(history / "memo-20261207-110000.txt") << "d";
        // A small disk: 5 MiB, less what the history holds.
        WriteCalls calls;
        const fs::path elsewhere = temp.path / "elsewhere";
        calls.free_space = [&](const std::string& folder) -> StorageResult<std::uint64_t> {
            if (folder == elsewhere.string()) return std::uint64_t{7};
            std::uint64_t used = 0;
            for (const auto& entry : fs::directory_iterator(history)) used += entry.file_size();
            return 5 * MiB - used;
        };
        HistoryKeeper keeper({history.string(), temp.path.string(), "", calls, {}});
        const std::size_t gone = keeper.give_up(
            at("20261207-120000"), (row.other_volume ? elsewhere : temp.path).string(), row.needed, row.keep_text);
        std::vector<std::string> left;
        const std::vector<SnapshotEntry> snapshots = list_snapshots(history.string()).value();
        for (const SnapshotEntry& entry : snapshots) left.insert(left.begin(), entry.name.substr(14, 6));
        EXPECT_EQ(left, row.left);
        EXPECT_EQ(gone, 5 - row.left.size());
    }
}

}  // namespace
}  // namespace numvora
