// Test seam in the write path: a hook that can fail a write at a given stage, as a
// full disk or a crash would. Inert unless a test installs one.
#pragma once

#include <optional>

#include "storage/storage_error.h"

namespace numvora {

enum class WriteStage {
    TempCreated,  // the temporary file exists, nothing written yet
    HalfWritten,  // about half of the text is in the temporary file
    Flushed,      // the temporary file is complete and flushed, not yet in place
};

// Returning an error makes the write fail at that stage with it.
using WriteFaultHook = std::optional<StorageError> (*)(WriteStage stage);

// Installs hook (null removes it). Not thread-safe: for tests only.
void set_write_fault_hook(WriteFaultHook hook);

}  // namespace numvora
