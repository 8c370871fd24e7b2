// The memo's history as one window keeps it: the session's snapshot policy, the writes
// it asks for, and failures that cost a log line once per kind and nothing else, so
// that a history folder that cannot be written never disturbs the memo or its saves.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/files/file_io.h"
#include "storage/history/memo_history.h"

namespace numvora {

class MemoSnapshots {
public:
    using Clock = SnapshotTime (*)();

    // start: the memo as the window opened it. Reads the newest snapshot of the folder.
    MemoSnapshots(std::string folder, std::string start, Clock now, WriteCalls calls);

    // Before memo.txt gets text.
    void before_write(std::string_view text);
    // Before something replaces the whole memo, whose text is current.
    void before_replace(std::string_view current);

    const std::string& folder() const { return folder_; }

private:
    void write(const SnapshotTime& now, const SnapshotPlan& plan, std::string_view text);

    std::string folder_;
    SnapshotPolicy policy_;
    Clock now_;
    WriteCalls calls_;
    std::vector<std::pair<StorageErrorKind, std::int32_t>> logged_;  // the failures already logged
};

}  // namespace numvora
