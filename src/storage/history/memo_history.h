// The history folder beside memo.txt: earlier versions of the memo, one file each, so
// that nothing written is lost when the memo changes or is replaced. The rules (names,
// what to keep, when to snapshot) are in memo_history_rules.h; this is their folder.
//
// A session asks SnapshotPolicy (started with the opened memo and newest_snapshot()),
// then calls write_snapshot() for each text the plan names and policy.kept() for each
// one written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/files/data_paths.h"
#include "storage/files/file_io.h"
#include "storage/history/memo_history_rules.h"
#include "storage/storage_error.h"

namespace numvora {

inline constexpr std::string_view HISTORY_FOLDER_NAME = "history";

std::string history_folder(const DataPaths& paths);

// The local date and time now, for the rules that take it as a value.
SnapshotTime local_now();

struct SnapshotEntry {
    std::string name;
    SnapshotTime time;
    std::uint64_t size = 0;

    bool operator==(const SnapshotEntry&) const = default;
};

// The snapshots, newest first, from the folder's entries alone: no file is opened, so
// thousands of them or a huge one list quickly. Other names are left out. A missing
// folder is an empty history.
StorageResult<std::vector<SnapshotEntry>> list_snapshots(const std::string& folder);

// The same for the conflict copies beside memo.txt in the data folder: texts of another
// window's that this one wrote over, versions like the snapshots.
StorageResult<std::vector<SnapshotEntry>> list_conflict_copies(const std::string& data_folder);

// Keeps text as a new conflict copy beside memo.txt, named for the time now; gives its path.
StorageResult<std::string> write_conflict_copy(const std::string& data_folder, std::string_view text,
                                               const WriteCalls& calls = {});

// The time a version's name carries, a snapshot's or a conflict copy's; nothing for
// any other name, which no reading below opens.
std::optional<SnapshotTime> version_time(std::string_view name);

// Whether bytes can be a memo's text: UTF-8 without NUL (a file of UTF-16 without its
// mark is full of them).
bool is_memo_text(std::string_view bytes);

inline constexpr std::size_t PREVIEW_BYTES = 4096;

// The first line that holds more than white space, trimmed (a byte-order mark too), to
// show beside a listed version. Only the first PREVIEW_BYTES of the file are read: the
// line may be cut there, and is empty when none starts within them. Fails with
// InvalidData when those bytes are not memo text.
StorageResult<std::string> snapshot_preview(const std::string& folder, std::string_view name);

// The whole text. A name that is not a version's fails with InvalidInput, a file that
// is gone (even since the listing) with NotFound, one that is not memo text with
// InvalidData.
StorageResult<std::string> read_snapshot(const std::string& folder, std::string_view name);

// Reads a version a piece at a time, checking that it is memo text as it goes, so that
// a huge one is never read at once: the history's worker reads one piece between
// other tasks.
class VersionReader {
public:
    static constexpr std::size_t PIECE_BYTES = std::size_t{1} << 20;

    // keep_text: whether the text read is kept for take_text (else only checked).
    static StorageResult<VersionReader> open(const std::string& folder, std::string_view name, bool keep_text);
    // Reads and checks the next piece; true once the whole file is read.
    StorageResult<bool> next();
    // The text read, without a leading byte-order mark.
    std::string take_text();

private:
    explicit VersionReader(file_primitives::OpenFile file, bool keep) : file_(std::move(file)), keep_(keep) {}
    file_primitives::OpenFile file_;
    bool keep_;
    std::string carried_;  // the start of a character the last piece cut
    std::string text_;
};

// Whether a version holds exactly text; only a file of text's size is read.
bool holds_text(const std::string& folder, const SnapshotEntry& version, std::string_view text);
// The same for each snapshot.
std::vector<bool> same_as_text(const std::string& folder, const std::vector<SnapshotEntry>& snapshots,
                               std::string_view text);

struct SnapshotStart {
    std::string text;  // valid UTF-8, a character cut at the end dropped
    bool cut = false;  // the file goes on after text

    bool operator==(const SnapshotStart&) const = default;
};

// The first max_bytes of a version, to show it without reading a huge one whole; a
// byte-order mark is not shown. Fails as read_snapshot does for those bytes.
StorageResult<SnapshotStart> snapshot_start(const std::string& folder, std::string_view name, std::size_t max_bytes);

// The newest snapshot as SnapshotPolicy starts from; nothing when there is none or it
// cannot be read, so that the start text is kept rather than lost.
std::optional<NewestSnapshot> newest_snapshot(const std::string& folder);

struct WrittenSnapshot {
    std::string name;
    std::size_t pruned = 0;  // older snapshots deleted after the write
};

// Writes text with the crash-safe write of memo.txt as the snapshot of now, or of the
// next second whose name is free, creating the folder as needed; then prunes. The
// snapshot counts as written even when pruning cannot finish.
StorageResult<WrittenSnapshot> write_snapshot(const std::string& folder, const SnapshotTime& now, std::string_view text,
                                              const WriteCalls& calls = {});

// As write_snapshot without the prune, with the folder's files as known (kept up to
// date here) instead of a listing, so that a folder of thousands is listed once per
// session. Gives the name written.
StorageResult<std::string> write_snapshot_among(const std::string& folder, std::vector<SnapshotFile>& files,
                                                const SnapshotTime& now, std::string_view text,
                                                const WriteCalls& calls = {});

// As write_snapshot_among, but the snapshot is a second name of the file at source (a
// hard link, which takes no room): the text memo.txt holds, kept before it is
// replaced. Fails where the file system has no hard links; nothing is written then.
StorageResult<std::string> link_snapshot_among(const std::string& folder, std::vector<SnapshotFile>& files,
                                               const SnapshotTime& now, const std::string& source, std::uint64_t size,
                                               const WriteCalls& calls = {});

struct HistoryStart {
    std::vector<SnapshotFile> files;       // every file of the folder (names taken count too)
    std::optional<NewestSnapshot> newest;  // as newest_snapshot()
    std::size_t swept = 0;                 // killed writes' leftovers removed
};

// The one listing of a session: sweeps what killed writes left, as
// sweep_snapshot_temporaries does, and reads the newest snapshot.
StorageResult<HistoryStart> open_history(const std::string& folder);

// Removes what snapshot writes killed half-way left ("<snapshot name>.<digits>-<digits>.tmp"),
// which pruning would never touch; every other file stays. Returns how many went.
std::size_t sweep_snapshot_temporaries(const std::string& folder);

// Deletes what snapshots_to_delete names; a file that cannot be deleted (open in
// another program) stays until the next time. Returns how many went.
StorageResult<std::size_t> prune_snapshots(const std::string& folder, const SnapshotTime& now);

}  // namespace numvora
