// The memo's history as one window keeps it: the keeper's worker does the files, this
// side takes the clock's time, hands over copies, and says failures on the status line
// once per kind (a snapshot lost before a replace each time), so that a history folder
// that cannot be written never costs the memo or its saves.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "storage/files/file_io.h"
#include "storage/history/history_keeper.h"

namespace numvora {

// Posted to the window when the keeper has events to show.
inline constexpr UINT WM_HISTORY_EVENTS = WM_APP + 1;

class MemoSnapshots {
public:
    using Clock = std::function<SnapshotTime()>;

    // start: the memo as the window opened it. The folder is listed on the worker.
    MemoSnapshots(HWND window, std::string folder, std::string data_folder, std::string start, Clock now,
                  WriteCalls calls);

    // memo.txt now holds a text of memo_size bytes in place of previous.
    void after_save(std::string previous, std::uint64_t memo_size);
    // Before a document replaces the whole memo; a failure is said when it comes back.
    void before_replace(std::string current, std::uint64_t incoming_size);
    // Before a version replaces it: nothing is replaced unless this succeeds.
    Result<void, StorageError> keep_before_restore(std::string current, std::uint64_t incoming_size);

    StorageResult<std::vector<ListedVersion>> versions(std::string current) {
        return keeper_.versions(std::move(current));
    }
    StorageResult<bool> give_up_duplicate(std::string memo_path) {
        return keeper_.give_up_duplicate(std::move(memo_path));
    }

    // The status lines to show for the events since the last call: a kind already shown
    // last time is not repeated.
    std::vector<std::string> take_status_lines();
    // Waits for the worker, for tests and measurements that read the folder next.
    void settle() { keeper_.wait(); }

    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    Clock now_;
    std::optional<StorageError> shown_;  // the kind said last
    HistoryKeeper keeper_;               // last: its worker stops before the rest goes
};

}  // namespace numvora
