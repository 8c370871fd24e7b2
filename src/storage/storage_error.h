// The one error value of the persistence layer.
#pragma once

#include <cstdint>
#include <string>

#include "common/result.h"

namespace numvora {

enum class StorageErrorKind {
    NotFound,     // missing environment variable, a missing file or folder
    InvalidData,  // malformed stored text, a file that is not UTF-8
    InvalidInput, // wrong document extension
    WriteZero,    // a write that made no progress
    Other,        // an error made from a text (dialog or window failures)
    Os,           // a file-system call failed with an operating-system code
};

struct StorageError {
    StorageErrorKind kind = StorageErrorKind::Other;
    std::int32_t os_code = 0;  // meaningful for Os only
    std::string message;       // empty for Os

    bool operator==(const StorageError&) const = default;
};

template <class T>
using StorageResult = Result<T, StorageError>;

StorageError make_storage_error(StorageErrorKind kind, std::string message);

// Shown in the status line and in log lines: the message alone, or for Os the
// system's text for the code followed by " (os error N)".
std::string display_text(const StorageError& error);

}  // namespace numvora
