#include "storage/history/memo_history.h"

#include <algorithm>

#include "common/unicode.h"
#include "storage/files/file_io.h"
#include "storage/files/file_primitives.h"

namespace numvora {

namespace fp = file_primitives;

namespace {

constexpr std::string_view BYTE_ORDER_MARK = "\xef\xbb\xbf";

StorageError not_a_snapshot_error() {
    return make_storage_error(StorageErrorKind::InvalidInput, "메모 기록 파일의 이름이 아닙니다.");
}

// A version's path, or the error of a name that is not one.
StorageResult<std::string> version_path(const std::string& folder, std::string_view name) {
    if (!version_time(name)) return fail(not_a_snapshot_error());
    return fp::join_path(folder, name);
}

// The folder's files; a folder not made yet has none.
StorageResult<std::vector<fp::FileEntry>> entries_of(const std::string& folder) {
    auto entries = fp::file_entries(folder);
    if (!entries && entries.error().kind == StorageErrorKind::NotFound) return std::vector<fp::FileEntry>();
    return entries;
}

std::vector<SnapshotFile> snapshot_files(const std::vector<fp::FileEntry>& entries) {
    std::vector<SnapshotFile> files;
    files.reserve(entries.size());
    for (const fp::FileEntry& entry : entries) files.push_back({entry.name, entry.size});
    return files;
}

std::size_t delete_snapshots(const std::string& folder, const std::vector<SnapshotFile>& files,
                             const SnapshotTime& now) {
    std::size_t removed = 0;
    for (const std::string& name : snapshots_to_delete(files, now))
        if (fp::remove_file(fp::join_path(folder, name))) ++removed;
    return removed;
}

std::string ascii_lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The name of now, or of the first later second not taken. Letter case is ignored, as
// Windows does, so that no other file is replaced. Two programs snapshotting in the
// same second could still pick the same name; the later write then replaces the
// earlier, as with memo.txt itself.
std::string free_name(const std::vector<SnapshotFile>& files, const SnapshotTime& now) {
    std::vector<std::string> taken;
    taken.reserve(files.size());
    for (const SnapshotFile& file : files) taken.push_back(ascii_lower(file.name));
    std::sort(taken.begin(), taken.end());
    std::int64_t seconds = to_seconds(now);
    std::string name = snapshot_name(now);
    while (std::binary_search(taken.begin(), taken.end(), name)) name = snapshot_name(from_seconds(++seconds));
    return name;
}

// A read that stopped mid-character leaves the start of one; it is dropped, not shown
// as an error.
std::string_view without_cut_character(std::string_view text) {
    std::size_t lead = text.size();
    while (lead > 0 && text.size() - lead < 3 && is_utf8_continuation(static_cast<unsigned char>(text[lead - 1])))
        --lead;
    if (lead == 0) return text;
    const auto first = static_cast<unsigned char>(text[lead - 1]);
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return lead - 1 + length > text.size() ? text.substr(0, lead - 1) : text;
}

StorageError not_text_error() { return make_storage_error(StorageErrorKind::InvalidData, "UTF-8 텍스트가 아닙니다"); }

bool is_snapshot_temporary(std::string_view name) {
    const auto target = temporary_target(name);
    return target && parse_snapshot_name(*target);
}

std::string_view without_byte_order_mark(std::string_view text) {
    if (text.starts_with(BYTE_ORDER_MARK)) text.remove_prefix(BYTE_ORDER_MARK.size());
    return text;
}

// The bytes of a start read, a character cut at its end dropped, when they are memo text.
StorageResult<std::string_view> text_of_start(std::string_view bytes, bool cut) {
    const std::string_view text = cut ? without_cut_character(bytes) : bytes;
    if (!is_memo_text(text)) return fail(not_text_error());
    return without_byte_order_mark(text);
}

std::string first_line(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trim_white_space(text.substr(0, end));
        if (!line.empty()) return std::string(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return std::string();
}

StorageResult<std::vector<SnapshotEntry>> list_named(const std::string& folder,
                                                     std::optional<SnapshotTime> (*parse)(std::string_view)) {
    auto entries = entries_of(folder);
    if (!entries) return fail(entries.error());
    std::vector<SnapshotEntry> listed;
    for (fp::FileEntry& entry : entries.value()) {
        if (const auto time = parse(entry.name)) listed.push_back({std::move(entry.name), *time, entry.size});
    }
    std::sort(listed.begin(), listed.end(), [](const SnapshotEntry& a, const SnapshotEntry& b) {
        return a.time != b.time ? a.time > b.time : a.name > b.name;
    });
    return listed;
}

}  // namespace

std::string history_folder(const DataPaths& paths) { return fp::join_path(paths.folder, HISTORY_FOLDER_NAME); }

SnapshotTime local_now() {
    // The platform's clock always gives the form; the epoch stands in should it not.
    return parse_timestamp(fp::local_timestamp()).value_or(SnapshotTime{});
}

StorageResult<std::vector<SnapshotEntry>> list_snapshots(const std::string& folder) {
    return list_named(folder, parse_snapshot_name);
}

StorageResult<std::vector<SnapshotEntry>> list_conflict_copies(const std::string& data_folder) {
    return list_named(data_folder, parse_conflict_copy_name);
}

StorageResult<std::string> write_conflict_copy(const std::string& data_folder, std::string_view text,
                                               const WriteCalls& calls) {
    return write_kept_copy(fp::join_path(data_folder, std::string(CONFLICT_COPY_PREFIX) + fp::local_timestamp()), text,
                           calls);
}

std::optional<SnapshotTime> version_time(std::string_view name) {
    if (auto time = parse_snapshot_name(name)) return time;
    return parse_conflict_copy_name(name);
}

bool is_memo_text(std::string_view bytes) { return bytes.find('\0') == std::string_view::npos && is_valid_utf8(bytes); }

StorageResult<std::string> snapshot_preview(const std::string& folder, std::string_view name) {
    const auto path = version_path(folder, name);
    if (!path) return fail(path.error());
    auto start = fp::read_file_start(path.value(), PREVIEW_BYTES);
    if (!start) return start;
    const auto text = text_of_start(start.value(), start->size() == PREVIEW_BYTES);
    if (!text) return fail(text.error());
    return first_line(text.value());
}

StorageResult<std::string> read_snapshot(const std::string& folder, std::string_view name) {
    const auto path = version_path(folder, name);
    if (!path) return fail(path.error());
    auto bytes = fp::read_file(path.value());
    if (bytes && !is_memo_text(bytes.value())) return fail(not_text_error());
    return bytes;
}

StorageResult<VersionReader> VersionReader::open(const std::string& folder, std::string_view name, bool keep_text) {
    const auto path = version_path(folder, name);
    if (!path) return fail(path.error());
    auto file = fp::open_for_reading(path.value());
    if (!file) return fail(file.error());
    return VersionReader(std::move(file).value(), keep_text);
}

StorageResult<bool> VersionReader::next() {
    // A character the piece cuts is carried over to the next one.
    std::string piece = std::exchange(carried_, {});
    const std::size_t carried = piece.size();
    piece.resize(carried + PIECE_BYTES);
    auto count = fp::read_some(file_, piece.data() + carried, PIECE_BYTES);
    if (!count) return fail(count.error());
    piece.resize(carried + count.value());
    const bool end = count.value() == 0;
    const std::string_view whole = end ? std::string_view(piece) : without_cut_character(piece);
    if (!is_memo_text(whole)) return fail(not_text_error());
    carried_ = piece.substr(whole.size());
    if (keep_) text_.append(whole);
    return end;
}

std::string VersionReader::take_text() {
    if (std::string_view(text_).starts_with(BYTE_ORDER_MARK)) text_.erase(0, BYTE_ORDER_MARK.size());
    return std::exchange(text_, {});
}

bool holds_text(const std::string& folder, const SnapshotEntry& version, std::string_view text) {
    if (version.size != text.size()) return false;  // most differ in size: no file is opened
    const auto bytes = fp::read_file(fp::join_path(folder, version.name));
    return bytes && bytes.value() == text;
}

std::vector<bool> same_as_text(const std::string& folder, const std::vector<SnapshotEntry>& snapshots,
                               std::string_view text) {
    std::vector<bool> same(snapshots.size(), false);
    for (std::size_t i = 0; i < snapshots.size(); ++i) same[i] = holds_text(folder, snapshots[i], text);
    return same;
}

std::optional<NewestSnapshot> newest_snapshot(const std::string& folder) {
    const auto snapshots = list_snapshots(folder);
    if (!snapshots || snapshots->empty()) return std::nullopt;
    const SnapshotEntry& newest = snapshots->front();
    const auto text = read_snapshot(folder, newest.name);
    if (!text) return std::nullopt;
    return NewestSnapshot{newest.time, mark_of(text.value())};
}

StorageResult<SnapshotStart> snapshot_start(const std::string& folder, std::string_view name, std::size_t max_bytes) {
    const auto path = version_path(folder, name);
    if (!path) return fail(path.error());
    // One byte more tells whether the file goes on.
    auto start = fp::read_file_start(path.value(), max_bytes + 1);
    if (!start) return fail(start.error());
    const bool cut = start->size() > max_bytes;
    const auto text = text_of_start(std::string_view(start.value()).substr(0, max_bytes), cut);
    if (!text) return fail(text.error());
    return SnapshotStart{std::string(text.value()), cut};
}

StorageResult<WrittenSnapshot> write_snapshot(const std::string& folder, const SnapshotTime& now, std::string_view text,
                                              const WriteCalls& calls) {
    auto entries = entries_of(folder);
    if (!entries) return fail(entries.error());
    std::vector<SnapshotFile> files = snapshot_files(entries.value());
    auto name = write_snapshot_among(folder, files, now, text, calls);
    if (!name) return fail(name.error());
    const std::size_t pruned = delete_snapshots(folder, files, now);
    return WrittenSnapshot{std::move(name).value(), pruned};
}

StorageResult<std::string> write_snapshot_among(const std::string& folder, std::vector<SnapshotFile>& files,
                                                const SnapshotTime& now, std::string_view text,
                                                const WriteCalls& calls) {
    std::string name = free_name(files, now);
    if (auto done = write_data_file(folder, fp::join_path(folder, name), text, calls); !done) return fail(done.error());
    files.push_back({name, text.size()});
    return name;
}

StorageResult<std::string> link_snapshot_among(const std::string& folder, std::vector<SnapshotFile>& files,
                                               const SnapshotTime& now, const std::string& source, std::uint64_t size,
                                               const WriteCalls& calls) {
    std::string name = free_name(files, now);
    if (auto made = create_folders(folder); !made) return fail(made.error());
    if (auto linked = calls.link_file(source, fp::join_path(folder, name)); !linked) return fail(linked.error());
    files.push_back({name, size});
    return name;
}

StorageResult<HistoryStart> open_history(const std::string& folder) {
    auto entries = entries_of(folder);
    if (!entries) return fail(entries.error());
    HistoryStart start;
    for (fp::FileEntry& entry : entries.value()) {
        if (is_snapshot_temporary(entry.name) && fp::remove_file(fp::join_path(folder, entry.name))) {
            ++start.swept;
            continue;
        }
        const auto time = parse_snapshot_name(entry.name);
        if (time && (!start.newest || *time > start.newest->time)) start.newest = NewestSnapshot{*time, {}};
        start.files.push_back({std::move(entry.name), entry.size});
    }
    if (start.newest) {
        // Unreadable, it marks nothing: the start text is then kept rather than lost.
        const auto text = read_snapshot(folder, snapshot_name(start.newest->time));
        if (text)
            start.newest->mark = mark_of(text.value());
        else
            start.newest.reset();
    }
    return start;
}

std::size_t sweep_snapshot_temporaries(const std::string& folder) {
    std::size_t removed = 0;
    for (const std::string& name : fp::file_names(folder))
        if (is_snapshot_temporary(name) && fp::remove_file(fp::join_path(folder, name))) ++removed;
    return removed;
}

StorageResult<std::size_t> prune_snapshots(const std::string& folder, const SnapshotTime& now) {
    auto entries = entries_of(folder);
    if (!entries) return fail(entries.error());
    return delete_snapshots(folder, snapshot_files(entries.value()), now);
}

}  // namespace numvora
