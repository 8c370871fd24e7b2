// Whole-file reads and crash-safe whole-file writes, UTF-8 paths and texts.
#pragma once

#include <string>
#include <string_view>

#include "storage/storage_error.h"

namespace numvora {

// The whole file as text; an Os error, or InvalidData when it is not UTF-8.
StorageResult<std::string> read_text(const std::string& path);

// As read_text, but a missing file (kind NotFound) gives the empty text.
StorageResult<std::string> read_text_or_empty(const std::string& path);

// Replaces the file's content with text. The target holds either its old or its new
// content afterwards, never a mix: the text goes to a temporary file in the same
// folder, is flushed to the disk, and then replaces the target in one step.
Result<void, StorageError> write_text_file(const std::string& path, std::string_view text);

// Creates the data folder (and missing ancestors) first, then write_text_file.
Result<void, StorageError> write_data_file(const std::string& folder, const std::string& path,
                                           std::string_view text);

}  // namespace numvora
