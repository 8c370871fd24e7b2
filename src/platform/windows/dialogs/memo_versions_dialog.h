// The modal dialog of the memo's earlier versions: the list newest first, a read-only
// preview of the selected one, and the buttons to restore it or close.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/windows/base/system_error.h"
#include "storage/history/history_keeper.h"

namespace numvora {

struct RestoredVersion {
    SnapshotEntry entry;
    std::string text;  // the version whole
};

// The versions of the main window's history, shown over it in its font and DPI. Every
// file is read on the history's worker and its answers come to the dialog as messages:
// the dialog opens at once and fills its list when the listing comes, and a version is
// read only when selected. Gives the version to restore, read whole, once the memo it
// replaces is kept (the dialog says why when it is not, and stays), or nothing when it
// was closed.
SystemResult<std::optional<RestoredVersion>> choose_memo_version(HWND main_window);

}  // namespace numvora
