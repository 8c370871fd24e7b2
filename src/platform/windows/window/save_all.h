// The combined save of the memo and the settings at close and at session end.
#pragma once

#include "common/result.h"
#include "platform/windows/state/app_state.h"
#include "storage/storage_error.h"

namespace numvora {

// Writes memo.txt, then settings.txt (with the window's geometry).
Result<void, StorageError> save_all(AppState& state);

}  // namespace numvora
