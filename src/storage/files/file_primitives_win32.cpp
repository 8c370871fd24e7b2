// Win32 file primitives: wide paths, codes from GetLastError, texts from FormatMessageW.
#include "storage/files/file_primitives.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "common/win32/system_message.h"
#include "common/win32/wide_text.h"

namespace numvora::file_primitives {

namespace {

StorageError last_error() { return make_os_error(static_cast<std::int32_t>(GetLastError())); }

// OpenFile keeps the handle in a portable integer, so it is cast back here (and where a
// handle is closed); the casts are the design, hence the NOLINTs.
HANDLE handle_of(const OpenFile& file) {
    return reinterpret_cast<HANDLE>(file.native());  // NOLINT(performance-no-int-to-ptr)
}

OpenFile own(HANDLE handle) { return OpenFile(reinterpret_cast<std::intptr_t>(handle)); }

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool is_drive_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Length of the root part: "C:\", "C:", "\\server\share\", "\", after an optional
// "\\?\" or "\\.\" prefix; 0 for a relative path.
std::size_t root_length(std::string_view path) {
    std::size_t start = 0;
    if (path.size() >= 4 && is_separator(path[0]) && is_separator(path[1]) && (path[2] == '?' || path[2] == '.') &&
        is_separator(path[3])) {
        start = 4;
    }
    const std::string_view rest = path.substr(start);
    if (start == 0 && rest.size() >= 2 && is_separator(rest[0]) && is_separator(rest[1])) {
        // UNC: two separators, the server, one separator, the share, one separator.
        std::size_t i = 2;
        for (int part = 0; part < 2; ++part) {
            while (i < rest.size() && !is_separator(rest[i])) ++i;
            if (i < rest.size()) ++i;
        }
        return i;
    }
    if (rest.size() >= 2 && is_drive_letter(rest[0]) && rest[1] == ':')
        return start + (rest.size() >= 3 && is_separator(rest[2]) ? 3 : 2);
    if (start == 0 && !rest.empty() && is_separator(rest[0])) return 1;
    return start;
}

std::string_view without_trailing_separators(std::string_view path, std::size_t root) {
    while (path.size() > root && is_separator(path.back())) path.remove_suffix(1);
    return path;
}

}  // namespace

std::optional<std::string> environment_variable(const char* name) {
    const std::wstring wide_name = to_wide(name);
    std::wstring value(256, L'\0');
    while (true) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(wide_name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::string();
        }
        if (length < value.size()) {
            value.resize(length);
            return to_utf8(value);
        }
        value.assign(length, L'\0');  // too small: length is the size needed
    }
}

std::string join_path(std::string_view base, std::string_view name) {
    std::string out(base);
    if (!out.empty() && !is_separator(out.back())) out += '\\';
    out += name;
    return out;
}

std::optional<std::string> parent_path(std::string_view path) {
    const std::size_t root = root_length(path);
    path = without_trailing_separators(path, root);
    if (path.size() <= root) return std::nullopt;
    std::size_t cut = path.size();
    while (cut > root && !is_separator(path[cut - 1])) --cut;
    return std::string(without_trailing_separators(path.substr(0, cut), root));
}

bool is_missing_code(std::int32_t os_code) {
    switch (os_code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return true;
    default: return false;
    }
}

bool is_exists_code(std::int32_t os_code) { return os_code == ERROR_FILE_EXISTS || os_code == ERROR_ALREADY_EXISTS; }

std::string os_message(std::int32_t os_code) { return system_message_text(static_cast<std::uint32_t>(os_code)); }

namespace {

// The file's bytes up to limit, read straight into the text: first its size and one
// byte more (which detects a file that grew), then more as it keeps growing.
StorageResult<std::string> read_up_to(const std::string& path, std::size_t limit) {
    const OpenFile owner =
        own(CreateFileW(to_wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const HANDLE file = handle_of(owner);
    if (file == INVALID_HANDLE_VALUE) return fail(last_error());
    LARGE_INTEGER size{};
    const std::size_t expected =
        GetFileSizeEx(file, &size) && size.QuadPart > 0 ? static_cast<std::size_t>(size.QuadPart) : 0;
    std::string bytes(std::min(expected, limit - 1) + 1, '\0');
    std::size_t used = 0;
    while (used < limit) {
        if (used == bytes.size()) bytes.resize(std::min(bytes.size() * 2, limit));
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - used, 1u << 30));
        DWORD count = 0;
        if (!ReadFile(file, bytes.data() + used, chunk, &count, nullptr)) return fail(last_error());
        if (count == 0) break;
        used += count;
    }
    bytes.resize(used);
    return bytes;
}

}  // namespace

StorageResult<std::string> read_file(const std::string& path) { return read_up_to(path, SIZE_MAX); }

Result<void, StorageError> make_directory(const std::string& path) {
    if (!CreateDirectoryW(to_wide(path).c_str(), nullptr)) return fail(last_error());
    return {};
}

bool is_directory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(to_wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Result<void, StorageError> check_writable(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(to_wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};  // missing: it will be created
    // Wine's MoveFileExW replaces a read-only file; Windows refuses with this code.
    if ((attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return fail(make_os_error(ERROR_ACCESS_DENIED));
    return {};
}

StorageResult<OpenFile> create_new_file(const std::string& path, const std::string& like_path) {
    (void)like_path;  // MoveFileExW gives the target the new file's attributes; normal is right
    OpenFile file =
        own(CreateFileW(to_wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle_of(file) == INVALID_HANDLE_VALUE) return fail(last_error());
    return file;
}

StorageResult<std::size_t> write_some(const OpenFile& file, const char* data, std::size_t size) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handle_of(file), data, chunk, &written, nullptr)) return fail(last_error());
    return static_cast<std::size_t>(written);
}

Result<void, StorageError> flush_and_close(OpenFile file) {
    if (!FlushFileBuffers(handle_of(file))) return fail(last_error());  // the owner closes it
    if (!CloseHandle(reinterpret_cast<HANDLE>(file.release()))) {       // NOLINT(performance-no-int-to-ptr)
        return fail(last_error());
    }
    return {};
}

void close_quietly(std::intptr_t native) {
    CloseHandle(reinterpret_cast<HANDLE>(native));  // NOLINT(performance-no-int-to-ptr)
}

Result<void, StorageError> replace_file(const std::string& source, const std::string& target) {
    if (!MoveFileExW(to_wide(source).c_str(), to_wide(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(last_error());
    return {};
}

Result<void, StorageError> hard_link(const std::string& existing, const std::string& link) {
    if (!CreateHardLinkW(to_wide(link).c_str(), to_wide(existing).c_str(), nullptr)) return fail(last_error());
    return {};
}

Result<void, StorageError> move_without_replacing(const std::string& source, const std::string& target) {
    if (!MoveFileExW(to_wide(source).c_str(), to_wide(target).c_str(), MOVEFILE_WRITE_THROUGH))
        return fail(last_error());
    return {};
}

void remove_quietly(const std::string& path) { DeleteFileW(to_wide(path).c_str()); }

Result<void, StorageError> remove_file(const std::string& path) {
    if (!DeleteFileW(to_wide(path).c_str())) return fail(last_error());
    return {};
}

std::vector<std::string> file_names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(to_wide(join_path(folder, "*")).c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(to_utf8(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

StorageResult<std::vector<FileEntry>> file_entries(const std::string& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(to_wide(join_path(folder, "*")).c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    std::vector<FileEntry> entries;
    if (search == INVALID_HANDLE_VALUE) {
        // No match at all (a drive root can be empty) is an empty folder, not a failure.
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return entries;
        return fail(last_error());
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            const std::uint64_t size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            entries.push_back({to_utf8(found.cFileName), size});
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

StorageResult<std::string> read_file_start(const std::string& path, std::size_t max_bytes) {
    if (max_bytes == 0) return std::string();
    return read_up_to(path, max_bytes);
}

StorageResult<OpenFile> open_for_reading(const std::string& path) {
    OpenFile owner =
        own(CreateFileW(to_wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle_of(owner) == INVALID_HANDLE_VALUE) return fail(last_error());
    return owner;
}

StorageResult<std::size_t> read_some(const OpenFile& file, char* data, std::size_t size) {
    DWORD count = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(handle_of(file), data, chunk, &count, nullptr)) return fail(last_error());
    return static_cast<std::size_t>(count);
}

StorageResult<std::uint64_t> free_space(const std::string& path) {
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExW(to_wide(path).c_str(), &available, nullptr, nullptr)) return fail(last_error());
    return static_cast<std::uint64_t>(available.QuadPart);
}

bool is_disk_full_code(std::int32_t os_code) { return os_code == ERROR_DISK_FULL || os_code == ERROR_HANDLE_DISK_FULL; }

std::string local_timestamp() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

std::uint32_t process_id() { return GetCurrentProcessId(); }

}  // namespace numvora::file_primitives
