// POSIX file primitives: the whole layer builds and is tested natively with them.
#include "storage/files/file_primitives.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace numvora::file_primitives {

namespace {

StorageError last_error() { return make_os_error(errno); }

int descriptor(const OpenFile& file) { return static_cast<int>(file.native()); }

// Makes a finished rename durable: the directory entry lives in the folder.
void sync_folder_of(const std::string& path) {
    const auto parent = parent_path(path);
    const std::string folder = parent && !parent->empty() ? *parent : ".";
    const OpenFile dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.native() < 0) return;
    // The new content is already in place; a folder that cannot be synced (some file
    // systems refuse) does not turn the write into a failure.
    ::fsync(descriptor(dir));
}

}  // namespace

std::optional<std::string> environment_variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

std::string join_path(std::string_view base, std::string_view name) {
    std::string out(base);
    if (!out.empty() && out.back() != '/') out += '/';
    out += name;
    return out;
}

std::optional<std::string> parent_path(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    if (path.empty() || path == "/") return std::nullopt;
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return std::string();
    std::string_view parent = path.substr(0, slash);
    while (parent.size() > 1 && parent.back() == '/') parent.remove_suffix(1);
    return std::string(parent.empty() ? "/" : parent);
}

bool is_missing_code(std::int32_t os_code) { return os_code == ENOENT || os_code == ENOTDIR; }

bool is_exists_code(std::int32_t os_code) { return os_code == EEXIST; }

std::string os_message(std::int32_t os_code) {
    std::string text = std::strerror(os_code);
    while (!text.empty() && (text.back() == ' ' || (text.back() >= '\t' && text.back() <= '\r'))) text.pop_back();
    return text;
}

namespace {

// The file's bytes up to limit, read straight into the text: first its size and one
// byte more (which detects a file that grew), then more as it keeps growing.
StorageResult<std::string> read_up_to(const std::string& path, std::size_t limit) {
    const OpenFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const int fd = descriptor(file);
    if (fd < 0) return fail(last_error());
    struct stat info {};
    const std::size_t expected =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    std::string bytes(std::min(expected, limit - 1) + 1, '\0');
    std::size_t used = 0;
    while (used < limit) {
        if (used == bytes.size()) bytes.resize(std::min(bytes.size() * 2, limit));
        const ssize_t count = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (count < 0) {
            if (errno == EINTR) continue;
            return fail(last_error());
        }
        if (count == 0) break;
        used += static_cast<std::size_t>(count);
    }
    bytes.resize(used);
    return bytes;
}

}  // namespace

StorageResult<std::string> read_file(const std::string& path) { return read_up_to(path, SIZE_MAX); }

Result<void, StorageError> make_directory(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) return fail(last_error());
    return {};
}

bool is_directory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

Result<void, StorageError> check_writable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};  // missing: it will be created
    // The permission bits, not access(): a privileged user may write anything, but a
    // file nobody may write is read-only by intent.
    if (S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail(make_os_error(EACCES));
    return {};
}

StorageResult<OpenFile> create_new_file(const std::string& path, const std::string& like_path) {
    struct stat like {};
    const bool has_like = ::stat(like_path.c_str(), &like) == 0 && S_ISREG(like.st_mode);
    OpenFile file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.native() < 0) return fail(last_error());
    if (has_like) ::fchmod(descriptor(file), like.st_mode & 07777);
    return file;
}

StorageResult<std::size_t> write_some(const OpenFile& file, const char* data, std::size_t size) {
    while (true) {
        const ssize_t count = ::write(descriptor(file), data, size);
        if (count >= 0) return static_cast<std::size_t>(count);
        if (errno != EINTR) return fail(last_error());
    }
}

Result<void, StorageError> flush_and_close(OpenFile file) {
    if (::fsync(descriptor(file)) != 0) return fail(last_error());  // the owner closes it
    if (::close(static_cast<int>(file.release())) != 0) return fail(last_error());
    return {};
}

void close_quietly(std::intptr_t native) { ::close(static_cast<int>(native)); }

Result<void, StorageError> replace_file(const std::string& source, const std::string& target) {
    if (::rename(source.c_str(), target.c_str()) != 0) return fail(last_error());
    sync_folder_of(target);
    return {};
}

Result<void, StorageError> hard_link(const std::string& existing, const std::string& link) {
    if (::link(existing.c_str(), link.c_str()) != 0) return fail(last_error());
    sync_folder_of(link);
    return {};
}

Result<void, StorageError> move_without_replacing(const std::string& source, const std::string& target) {
    // A hard link fails when the target exists, so nothing is replaced.
    if (::link(source.c_str(), target.c_str()) != 0) return fail(last_error());
    if (::unlink(source.c_str()) != 0) {
        const StorageError error = last_error();
        ::unlink(target.c_str());
        return fail(error);
    }
    sync_folder_of(target);
    return {};
}

void remove_quietly(const std::string& path) { ::unlink(path.c_str()); }

Result<void, StorageError> remove_file(const std::string& path) {
    if (::unlink(path.c_str()) != 0) return fail(last_error());
    return {};
}

std::vector<std::string> file_names(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (::stat(join_path(folder, entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

StorageResult<std::vector<FileEntry>> file_entries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return fail(last_error());
    std::vector<FileEntry> entries;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode))
            entries.push_back({entry->d_name, static_cast<std::uint64_t>(info.st_size)});
    }
    ::closedir(dir);
    return entries;
}

StorageResult<std::string> read_file_start(const std::string& path, std::size_t max_bytes) {
    if (max_bytes == 0) return std::string();
    return read_up_to(path, max_bytes);
}

StorageResult<OpenFile> open_for_reading(const std::string& path) {
    OpenFile owner(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (owner.native() < 0) return fail(last_error());
    return owner;
}

StorageResult<std::size_t> read_some(const OpenFile& file, char* data, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(descriptor(file), data, size);
        if (count >= 0) return static_cast<std::size_t>(count);
        if (errno != EINTR) return fail(last_error());
    }
}

StorageResult<std::uint64_t> free_space(const std::string& path) {
    struct statvfs volume {};
    if (::statvfs(path.c_str(), &volume) != 0) return fail(last_error());
    return static_cast<std::uint64_t>(volume.f_bavail) * volume.f_frsize;
}

bool is_disk_full_code(std::int32_t os_code) { return os_code == ENOSPC || os_code == EDQUOT; }

std::string local_timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

std::uint32_t process_id() { return static_cast<std::uint32_t>(::getpid()); }

}  // namespace numvora::file_primitives
