// memo.txt of one window: read once at start, then written by the auto-save and the
// combined save, never blindly. A file that cannot be read is moved aside before
// anything writes over it, and a file that another writer changed since this window
// last read or wrote it is handed over to be copied aside first (by the history's
// worker, which owns the copies), so that no text is ever lost.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "storage/files/data_paths.h"
#include "storage/files/file_io.h"
#include "storage/storage_error.h"

namespace numvora {

// Whether a name is one of the files windows write in the data folder (memo.txt, the
// settings, the preferences and the conflict copies): the start sweeps what killed
// writes of them left (sweep_temporary_files).
bool is_written_data_file(std::string_view name);

class MemoFile {
public:
    explicit MemoFile(DataPaths paths, WriteCalls calls = {}) : paths_(std::move(paths)), calls_(calls) {}

    struct Opened {
        std::string text;                        // empty when the file is missing or unreadable
        std::optional<StorageError> unreadable;  // why an existing file could not be read
        std::optional<std::string> set_aside;    // where the unreadable file was moved
    };
    // Reads the memo; an unreadable file is moved aside at once when it can be.
    Opened open();

    struct Written {
        std::optional<std::string> set_aside;      // the unreadable file, moved before this write
        std::optional<std::string> kept_conflict;  // another writer's content, copied before this write
    };
    // Called with what memo.txt holds just before it is replaced, so that it can be kept
    // first (not called when there is no file yet, nor when it holds the text already):
    // changed_elsewhere when another writer changed it since this window last read or
    // wrote it, and it must then be kept as a conflict copy, whose path comes back. A
    // failure leaves memo.txt as it is.
    using KeepHeld =
        std::function<StorageResult<std::optional<std::string>>(const std::string& held, bool changed_elsewhere)>;
    StorageResult<Written> write(std::string_view text, const KeepHeld& keep_held);

    // What this window last read or wrote; nothing when there was no file.
    const std::optional<std::string>& on_disk() const { return on_disk_; }
    const std::string& path() const { return paths_.memo_file; }
    const std::string& folder() const { return paths_.folder; }

private:
    // The new path, or empty when the file is already gone.
    StorageResult<std::string> set_aside_unreadable();

    DataPaths paths_;
    WriteCalls calls_;
    std::optional<std::string> on_disk_;  // what this window last read or wrote; nothing: no file
    bool unreadable_left_ = false;        // an unreadable file still waits to be moved aside
};

}  // namespace numvora
