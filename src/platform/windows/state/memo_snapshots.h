// The memo's history as one window keeps it: the keeper's worker does the files, this
// side takes the clock's time, hands over copies, says failures on the status line once
// per kind (a snapshot lost before a replace each time), and keeps the history's
// trouble marked until a snapshot is kept again, so that a history folder that cannot
// be written never costs the memo or its saves, and is never forgotten.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/lasting_troubles.h"
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

    // Before memo.txt (at memo_path, holding held) is replaced by incoming: the conflict
    // copy's path when another writer had changed it (MemoFile::KeepHeld). Waits for the
    // worker, as HistoryKeeper says.
    StorageResult<std::optional<std::string>> before_save(const std::string& memo_path, const std::string& held,
                                                          const std::string& incoming, bool changed_elsewhere) {
        return keeper_.before_save(now_(), memo_path, held, incoming, changed_elsewhere);
    }
    // Before a document replaces the whole memo; a failure is said when it comes back.
    // Waits as before_save does. True when no version held current before.
    bool before_replace(std::string current, std::uint64_t incoming_size) {
        return keeper_.replacing(now_(), std::move(current), incoming_size);
    }
    // A write into target_folder found the disk full: older versions go until it has
    // needed bytes free. Waits as before_save does, and for the deletions.
    std::size_t give_up(const std::string& target_folder, std::uint64_t needed, const std::string& keep_text) {
        return keeper_.give_up(now_(), target_folder, needed, keep_text);
    }

    // The questions of the versions dialog, answered on the worker.
    HistoryKeeper& keeper() { return keeper_; }
    SnapshotTime now() const { return now_(); }

    // The status lines to show for the events since the last call: a kind already shown
    // last time is not repeated. The history's trouble begins or ends with them.
    std::vector<std::string> take_status_lines(LastingTroubles& troubles);

    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    Clock now_;
    std::optional<StorageError> shown_;  // the kind said last
    HistoryKeeper keeper_;               // last: its worker stops before the rest goes
};

}  // namespace numvora
