// The operating-system calls under the persistence layer. Only these differ between
// Windows (file_primitives_win32.cpp) and POSIX (file_primitives_posix.cpp); everything
// above them (folder walk, crash-safe write, UTF-8 check) is shared. Failures carry
// the OS code via make_os_error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/storage_error.h"

namespace numvora::file_primitives {

// Closes an OS handle or descriptor, ignoring the outcome (an abandoned file).
void close_quietly(std::intptr_t native);

// The one owner of an open file: closed when the owner goes, so no failure path closes
// by hand. flush_and_close ends it with a checked close instead.
class OpenFile {
public:
    OpenFile() = default;
    explicit OpenFile(std::intptr_t native) : native_(native) {}
    OpenFile(OpenFile&& other) noexcept : native_(std::exchange(other.native_, INVALID)) {}
    OpenFile& operator=(OpenFile&& other) noexcept {
        if (this != &other) {
            reset();
            native_ = std::exchange(other.native_, INVALID);
        }
        return *this;
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() { reset(); }

    std::intptr_t native() const { return native_; }
    std::intptr_t release() { return std::exchange(native_, INVALID); }

private:
    // -1 is both an invalid descriptor and INVALID_HANDLE_VALUE.
    static constexpr std::intptr_t INVALID = -1;
    void reset() {
        if (native_ != INVALID) close_quietly(std::exchange(native_, INVALID));
    }
    std::intptr_t native_ = INVALID;
};

// The variable's value, or nothing when it is not set (an empty value is set).
std::optional<std::string> environment_variable(const char* name);

// The platform's join: a separator goes between the parts unless base ends with one.
std::string join_path(std::string_view base, std::string_view name);

// The path without its last component, or nothing when path is a root or empty.
// A relative single name has the empty parent.
std::optional<std::string> parent_path(std::string_view path);

// Whether the code means a missing file or folder (read as "no file yet").
bool is_missing_code(std::int32_t os_code);

// The code of "the name already exists" (for temporary names that collide).
bool is_exists_code(std::int32_t os_code);

// The system's message for a code, trailing white space and line ends removed.
std::string os_message(std::int32_t os_code);

// All bytes of an existing file.
StorageResult<std::string> read_file(const std::string& path);

// Creates one folder. The error keeps its code: NotFound when the parent is missing.
Result<void, StorageError> make_directory(const std::string& path);
bool is_directory(const std::string& path);

// Fails with the OS's access-denied error when the file exists but may not be written
// (read-only), since a rename would replace it regardless.
Result<void, StorageError> check_writable(const std::string& path);

// Creates a file that must not exist yet, for writing. Gives the target's permissions
// to it on POSIX so that a replace keeps them.
StorageResult<OpenFile> create_new_file(const std::string& path, const std::string& like_path);

// One write call (interrupted calls are retried): the count written, 0 for no progress.
StorageResult<std::size_t> write_some(const OpenFile& file, const char* data, std::size_t size);

// Flushes the file's data to the disk and closes it; the file is closed even on failure.
Result<void, StorageError> flush_and_close(OpenFile file);

// Puts source in place of target in one step (the target may exist) and makes the
// change durable.
Result<void, StorageError> replace_file(const std::string& source, const std::string& target);

// Gives an existing file a second name (a hard link), durably; fails (an exists code)
// when the name is taken, and where the file system has no hard links.
Result<void, StorageError> hard_link(const std::string& existing, const std::string& link);

// Moves source to target in one step; fails (an exists code) when target exists.
Result<void, StorageError> move_without_replacing(const std::string& source, const std::string& target);

void remove_quietly(const std::string& path);

// Deletes a file; fails when it is gone or, on Windows, held open by another process.
Result<void, StorageError> remove_file(const std::string& path);

// The names of the regular files in a folder; empty when it cannot be read.
std::vector<std::string> file_names(const std::string& folder);

struct FileEntry {
    std::string name;
    std::uint64_t size = 0;
};

// The regular files of a folder with their sizes, from the folder alone on Windows (one
// stat each on POSIX). Fails when the folder cannot be read: NotFound when it is missing.
StorageResult<std::vector<FileEntry>> file_entries(const std::string& folder);

// The first max_bytes of an existing file, or all of it when it is shorter.
StorageResult<std::string> read_file_start(const std::string& path, std::size_t max_bytes);

// Opens an existing file for read_some, shared with writers and deleters.
StorageResult<OpenFile> open_for_reading(const std::string& path);

// One read call at the file's position: the count read, 0 at the end.
StorageResult<std::size_t> read_some(const OpenFile& file, char* data, std::size_t size);

// The bytes free to this user on the volume that holds path (an existing folder).
StorageResult<std::uint64_t> free_space(const std::string& path);

// Whether the code means the volume (or the user's quota) is full.
bool is_disk_full_code(std::int32_t os_code);

// The local date and time as "YYYYMMDD-HHMMSS".
std::string local_timestamp();

std::uint32_t process_id();

}  // namespace numvora::file_primitives
