// The one error value of the persistence layer.
#pragma once

#include <cstdint>
#include <string>

#include "common/result.h"

namespace numvora {

enum class StorageErrorKind {
    NotFound,      // missing environment variable, a missing file or folder
    InvalidData,   // malformed stored text, a file that is not UTF-8
    InvalidInput,  // wrong document extension
    WriteZero,     // a write that made no progress
    Other,         // an error made from a text (dialog or window failures)
    Os,            // a file-system call failed with an operating-system code
};

// An error either carries a message (shown alone) or an operating-system code with an
// empty message (shown as the system's text). A failed file-system call whose code
// means "missing file or folder" has kind NotFound but keeps its code and empty
// message, so it is still displayed with the system's text.
struct StorageError {
    StorageErrorKind kind = StorageErrorKind::Other;
    std::int32_t os_code = 0;  // meaningful for Os (and NotFound made from a code) only
    std::string message;       // empty for Os

    bool operator==(const StorageError&) const = default;
};

template <class T>
using StorageResult = Result<T, StorageError>;

StorageError make_storage_error(StorageErrorKind kind, std::string message);

// The error of a failed file-system call: kind NotFound for the codes that mean a
// missing file or folder, Os for every other code.
StorageError make_os_error(std::int32_t os_code);

// Whether the error came from an operating-system code (and is shown with its text).
bool is_os_error(const StorageError& error);

// Shown in the status line and in log lines: the message alone, or for Os the
// system's text for the code followed by " (os error N)".
std::string display_text(const StorageError& error);

}  // namespace numvora
