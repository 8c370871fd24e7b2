// The order and outcome of the combined save of memo and settings.
#pragma once

#include "storage/settings.h"
#include "storage/storage_error.h"

namespace numvora {

// The memo is written first, then the settings, when they could be captured. A failed
// capture does not cost the memo: it is written all the same and the capture's error
// returned. The memo's error comes before any other.
template <class WriteMemo, class WriteSettings>
Result<void, StorageError> save_memo_and_settings(WriteMemo write_memo,
                                                  const Result<AppSettings, StorageError>& captured,
                                                  WriteSettings write_settings) {
    Result<void, StorageError> memo = write_memo();
    Result<void, StorageError> settings = captured ? write_settings(captured.value()) : Result<void, StorageError>();
    if (!memo) return memo;
    if (!captured) return fail(captured.error());
    return settings;
}

}  // namespace numvora
