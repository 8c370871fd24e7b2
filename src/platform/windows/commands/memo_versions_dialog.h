// The modal dialog of the memo's earlier versions: the list newest first, a read-only
// preview of the selected one, and the buttons to restore it or close.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/windows/base/system_error.h"
#include "storage/history/memo_history.h"

namespace numvora {

// The versions of the folder as listed, shown over owner in its font and DPI. Gives the
// version to restore, or nothing when the dialog was closed.
SystemResult<std::optional<SnapshotEntry>> choose_memo_version(HWND owner, const std::string& folder,
                                                               const std::vector<SnapshotEntry>& versions, HFONT font,
                                                               std::uint32_t dpi);

}  // namespace numvora
