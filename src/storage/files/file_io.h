// Whole-file reads and crash-safe whole-file writes, UTF-8 paths and texts.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "storage/files/file_primitives.h"
#include "storage/storage_error.h"

namespace numvora {

// The whole file as text; an Os error, or InvalidData when it is not UTF-8.
StorageResult<std::string> read_text(const std::string& path);

// As read_text, but a missing file (kind NotFound) gives the empty text.
StorageResult<std::string> read_text_or_empty(const std::string& path);

// The calls of a write that tests fail, as a full disk or a crash would: the defaults
// are the file primitives. A stand-in carries its own state; the memo's history calls
// its copy from a thread of its own.
struct WriteCalls {
    std::function<StorageResult<std::size_t>(const file_primitives::OpenFile& file, const char* data, std::size_t size)>
        write_some = file_primitives::write_some;
    std::function<Result<void, StorageError>(file_primitives::OpenFile file)> flush_and_close =
        file_primitives::flush_and_close;
    std::function<Result<void, StorageError>(const std::string& source, const std::string& target)> replace_file =
        file_primitives::replace_file;
    // Asked before a write that must leave room for another (a snapshot beside the memo).
    std::function<StorageResult<std::uint64_t>(const std::string& folder)> free_space = file_primitives::free_space;
    // A snapshot of memo.txt as a second name of its file, where the file system allows.
    std::function<Result<void, StorageError>(const std::string& existing, const std::string& link)> link_file =
        file_primitives::hard_link;
};

// Whether a write failed because the disk (or the user's quota) is full.
bool is_disk_full(const StorageError& error);

// Replaces the file's content with text. The target holds either its old or its new
// content afterwards, never a mix: the text goes to a temporary file in the same
// folder, is flushed to the disk, and then replaces the target in one step.
Result<void, StorageError> write_text_file(const std::string& path, std::string_view text,
                                           const WriteCalls& calls = {});

// Moves the file to "<base>.txt", or "<base>-2.txt", "<base>-3.txt" and so on when
// that exists: nothing is ever replaced. Returns the new path.
StorageResult<std::string> move_to_free_name(const std::string& source, const std::string& base);

// Writes the bytes to a new file named as move_to_free_name does; returns its path.
StorageResult<std::string> write_kept_copy(const std::string& base, std::string_view bytes,
                                           const WriteCalls& calls = {});

// The target's name when a file name has the form of write_text_file's temporary:
// "<target>.<digits>-<digits>.tmp".
std::optional<std::string_view> temporary_target(std::string_view name);

// Removes what interrupted writes left beside the folder's files whose names is_target
// accepts (killed between creating the temporary and the replace). Every other file
// stays, as does a temporary another running instance still holds open. Returns how
// many went.
std::size_t sweep_temporary_files(const std::string& folder, const std::function<bool(std::string_view)>& is_target);

// Creates the folder and its missing ancestors. A name that exists but is not a folder
// fails with the OS error.
Result<void, StorageError> create_folders(const std::string& folder);

// Creates the data folder (and missing ancestors) first, then write_text_file.
Result<void, StorageError> write_data_file(const std::string& folder, const std::string& path, std::string_view text,
                                           const WriteCalls& calls = {});

}  // namespace numvora
