#include "storage/storage_error.h"

#include "storage/files/file_primitives.h"

namespace numvora {

StorageError make_storage_error(StorageErrorKind kind, std::string message) {
    return StorageError{kind, 0, std::move(message)};
}

StorageError make_os_error(std::int32_t os_code) {
    const auto kind = file_primitives::is_missing_code(os_code) ? StorageErrorKind::NotFound : StorageErrorKind::Os;
    return StorageError{kind, os_code, {}};
}

bool is_os_error(const StorageError& error) {
    return error.message.empty() && (error.kind == StorageErrorKind::Os || error.os_code != 0);
}

std::string display_text(const StorageError& error) {
    if (!is_os_error(error)) return error.message;
    const std::string suffix = "(os error " + std::to_string(error.os_code) + ")";
    const std::string text = file_primitives::os_message(error.os_code);
    return text.empty() ? suffix : text + " " + suffix;
}

}  // namespace numvora
