// The history folder beside memo.txt: earlier versions of the memo, one file each, so
// that nothing written is lost when the memo changes or is replaced. The rules (names,
// what to keep, when to snapshot) are in memo_history_rules.h; this is their folder.
//
// A session asks SnapshotPolicy (started with the opened memo and newest_snapshot()),
// then calls write_snapshot() for each text the plan names and policy.kept() for each
// one written.
#pragma once

#include <atomic>
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

inline constexpr std::size_t PREVIEW_BYTES = 4096;

// The first line that holds more than white space, trimmed (a byte-order mark too), to
// show beside a listed snapshot. Only the first PREVIEW_BYTES of the file are read: the
// line may be cut there, and is empty when none starts within them.
StorageResult<std::string> snapshot_preview(const std::string& folder, std::string_view name);

// The whole text. A name that is not a snapshot's fails with InvalidInput, a file that
// is gone (even since the listing) with NotFound.
StorageResult<std::string> read_snapshot(const std::string& folder, std::string_view name);

// Whether the whole file is UTF-8, read a piece at a time so that a huge one costs no
// memory: a version the preview showed can still hold other bytes further on. A stop
// flag that becomes true ends the reading early (the answer is then meaningless).
Result<void, StorageError> check_snapshot_text(const std::string& folder, std::string_view name,
                                               const std::atomic<bool>* stop = nullptr);

// For each snapshot, whether it holds exactly text; only files of text's size are read.
std::vector<bool> same_as_text(const std::string& folder, const std::vector<SnapshotEntry>& snapshots,
                               std::string_view text);

struct SnapshotStart {
    std::string text;  // valid UTF-8, a character cut at the end dropped
    bool cut = false;  // the file goes on after text

    bool operator==(const SnapshotStart&) const = default;
};

// The first max_bytes of a snapshot, to show it without reading a huge one whole. Fails
// as read_snapshot does, and with InvalidData when those bytes are not UTF-8.
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

struct HistoryStart {
    std::vector<SnapshotFile> files;       // every file of the folder (names taken count too)
    std::optional<NewestSnapshot> newest;  // as newest_snapshot()
    std::size_t swept = 0;                 // killed writes' leftovers removed
};

// The one listing of a session: sweeps what killed writes left, as
// sweep_snapshot_temporaries does, and reads the newest snapshot.
StorageResult<HistoryStart> open_history(const std::string& folder);

// Deletes the newest snapshot that holds exactly memo (what memo.txt holds), to give its
// room to a save of the memo that found the disk full. Gives its name, or nothing when
// no snapshot holds memo.
StorageResult<std::optional<std::string>> give_up_duplicate(const std::string& folder, std::vector<SnapshotFile>& files,
                                                            std::string_view memo);

// Removes what snapshot writes killed half-way left ("<snapshot name>.<digits>-<digits>.tmp"),
// which pruning would never touch; every other file stays. Returns how many went.
std::size_t sweep_snapshot_temporaries(const std::string& folder);

// Deletes what snapshots_to_delete names; a file that cannot be deleted (open in
// another program) stays until the next time. Returns how many went.
StorageResult<std::size_t> prune_snapshots(const std::string& folder, const SnapshotTime& now);

}  // namespace numvora
