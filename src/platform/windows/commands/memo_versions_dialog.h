// The modal dialog of the memo's earlier versions: the list newest first, a read-only
// preview of the selected one, and the buttons to restore it or close.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/base/system_error.h"
#include "storage/history/history_keeper.h"

namespace numvora {

// Keeps the memo as it is before the version chosen replaces it.
using KeepCurrentMemo = std::function<Result<void, StorageError>(const SnapshotEntry& chosen)>;

// The versions of the folder as listed, shown over owner in its font and DPI. A version
// is read only when selected. Gives the version to restore once keep succeeded (the
// dialog says why when it did not, and stays), or nothing when it was closed.
SystemResult<std::optional<SnapshotEntry>> choose_memo_version(HWND owner, const std::string& folder,
                                                               const std::vector<ListedVersion>& versions,
                                                               const KeepCurrentMemo& keep, HFONT font,
                                                               std::uint32_t dpi);

}  // namespace numvora
