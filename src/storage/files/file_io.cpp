#include "storage/files/file_io.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/unicode.h"
#include "storage/files/file_primitives.h"

namespace numvora {

namespace fp = file_primitives;

namespace {

StorageError write_zero_error() {
    return make_storage_error(StorageErrorKind::WriteZero, "failed to write whole buffer");
}

constexpr std::string_view TEMP_SUFFIX = ".tmp";

// A fresh name beside the target, "<target>.<pid>-<n>.tmp", so that the final rename
// stays on one volume.
StorageResult<std::pair<std::string, fp::OpenFile>> create_temp_beside(const std::string& target) {
    // The window's thread and the history's worker both write: each takes its own number.
    static std::atomic<std::uint64_t> counter{0};
    const std::string stem = target + "." + std::to_string(fp::process_id()) + "-";
    while (true) {
        std::string temp = stem + std::to_string(counter.fetch_add(1)) + std::string(TEMP_SUFFIX);
        auto file = fp::create_new_file(temp, target);
        if (file) return std::pair{std::move(temp), std::move(file).value()};
        // A leftover of an earlier run with the same process id: take the next name,
        // however many there are.
        if (!fp::is_exists_code(file.error().os_code)) return fail(file.error());
    }
}

Result<void, StorageError> write_all(const fp::OpenFile& file, std::string_view text, const WriteCalls& calls) {
    for (std::size_t done = 0; done < text.size();) {
        auto written = calls.write_some(file, text.data() + done, text.size() - done);
        if (!written) return fail(written.error());
        if (written.value() == 0) return fail(write_zero_error());
        done += written.value();
    }
    return {};
}

// The file is closed when this returns, whatever happened, so that the caller can
// remove it on failure (Windows deletes no open file).
Result<void, StorageError> fill_and_close(fp::OpenFile file, std::string_view text, const WriteCalls& calls) {
    if (auto written = write_all(file, text, calls); !written) return written;
    return calls.flush_and_close(std::move(file));
}

// Everything after the temporary file exists.
Result<void, StorageError> fill_and_replace(fp::OpenFile file, const std::string& temp, const std::string& target,
                                            std::string_view text, const WriteCalls& calls) {
    if (auto filled = fill_and_close(std::move(file), text, calls); !filled) return filled;
    return calls.replace_file(temp, target);
}

}  // namespace

bool is_disk_full(const StorageError& error) {
    return error.kind == StorageErrorKind::WriteZero ||
           (error.kind == StorageErrorKind::Os && fp::is_disk_full_code(error.os_code));
}

StorageResult<std::string> read_text(const std::string& path) {
    auto bytes = fp::read_file(path);
    if (!bytes) return bytes;
    if (!is_valid_utf8(bytes.value())) {
        return fail(make_storage_error(StorageErrorKind::InvalidData, "stream did not contain valid UTF-8"));
    }
    return bytes;
}

StorageResult<std::string> read_text_or_empty(const std::string& path) {
    auto text = read_text(path);
    if (!text && text.error().kind == StorageErrorKind::NotFound) return std::string();
    return text;
}

Result<void, StorageError> write_text_file(const std::string& path, std::string_view text, const WriteCalls& calls) {
    // The old content must survive a failed write, so a read-only target is refused
    // before anything is written (a rename would replace it).
    if (auto writable = fp::check_writable(path); !writable) return writable;
    auto temp = create_temp_beside(path);
    if (!temp) return fail(temp.error());
    auto& [temp_path, file] = temp.value();
    auto done = fill_and_replace(std::move(file), temp_path, path, text, calls);
    if (!done) fp::remove_quietly(temp_path);
    return done;
}

StorageResult<std::string> move_to_free_name(const std::string& source, const std::string& base) {
    for (std::uint64_t n = 1;; ++n) {
        std::string candidate = base;
        if (n > 1) candidate += "-" + std::to_string(n);
        candidate += ".txt";
        auto moved = fp::move_without_replacing(source, candidate);
        if (moved) return candidate;
        if (!fp::is_exists_code(moved.error().os_code)) return fail(moved.error());
    }
}

StorageResult<std::string> write_kept_copy(const std::string& base, std::string_view bytes, const WriteCalls& calls) {
    auto temp = create_temp_beside(base + ".txt");
    if (!temp) return fail(temp.error());
    auto& [temp_path, file] = temp.value();
    Result<void, StorageError> done = fill_and_close(std::move(file), bytes, calls);
    if (done) {
        auto placed = move_to_free_name(temp_path, base);
        if (placed) return placed;
        done = fail(placed.error());
    }
    fp::remove_quietly(temp_path);
    return fail(done.error());
}

std::optional<std::string_view> temporary_target(std::string_view name) {
    if (!name.ends_with(TEMP_SUFFIX)) return std::nullopt;
    name.remove_suffix(TEMP_SUFFIX.size());
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return std::nullopt;
    const std::string_view numbers = name.substr(dot + 1);
    const std::size_t dash = numbers.find('-');
    if (dash == std::string_view::npos || !all_ascii_digits(numbers.substr(0, dash)) ||
        !all_ascii_digits(numbers.substr(dash + 1)))
        return std::nullopt;
    return name.substr(0, dot);
}

std::size_t sweep_temporary_files(const std::string& folder, const std::function<bool(std::string_view)>& is_target) {
    std::size_t removed = 0;
    for (const std::string& name : fp::file_names(folder)) {
        const auto target = temporary_target(name);
        // One still open in another running instance cannot be deleted, and is skipped.
        if (target && is_target(*target) && fp::remove_file(fp::join_path(folder, name))) ++removed;
    }
    return removed;
}

// Walk up until one is created or exists as a folder, counting those whose parent is
// missing, then create the counted ones top-down.
Result<void, StorageError> create_folders(const std::string& folder) {
    if (folder.empty() || !fp::parent_path(folder)) return {};
    std::vector<std::string> missing;
    std::string current = folder;
    while (true) {
        auto made = fp::make_directory(current);
        if (made) break;
        if (made.error().kind != StorageErrorKind::NotFound) {
            if (fp::is_directory(current)) break;
            return made;
        }
        auto parent = fp::parent_path(current);
        if (!parent || parent->empty()) return made;
        missing.push_back(std::move(current));
        current = std::move(*parent);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        auto made = fp::make_directory(*it);
        if (!made && !fp::is_directory(*it)) return made;
    }
    return {};
}

Result<void, StorageError> write_data_file(const std::string& folder, const std::string& path, std::string_view text,
                                           const WriteCalls& calls) {
    if (auto created = create_folders(folder); !created) return created;
    return write_text_file(path, text, calls);
}

}  // namespace numvora
