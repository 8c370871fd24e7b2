#include "storage/memo_file.h"

#include "storage/files/file_io.h"
#include "storage/files/file_primitives.h"
#include "storage/history/memo_history_rules.h"

namespace numvora {

namespace fp = file_primitives;

bool is_written_data_file(std::string_view name) {
    return name == MEMO_FILE_NAME || name == SETTINGS_FILE_NAME || name == PREFERENCES_FILE_NAME ||
           parse_conflict_copy_name(name).has_value();
}

MemoFile::Opened MemoFile::open() {
    auto text = read_text(paths_.memo_file);
    if (text) {
        on_disk_ = text.value();
        return {std::move(text).value(), std::nullopt, std::nullopt};
    }
    if (text.error().kind == StorageErrorKind::NotFound) return {};
    unreadable_left_ = true;
    Opened opened{{}, text.error(), std::nullopt};
    if (auto moved = set_aside_unreadable(); moved && !moved->empty()) opened.set_aside = std::move(moved).value();
    return opened;
}

StorageResult<MemoFile::Written> MemoFile::write(std::string_view text, const KeepHeld& keep_held) {
    Written written;
    if (unreadable_left_) {
        auto moved = set_aside_unreadable();
        if (!moved) return fail(moved.error());
        if (!moved->empty()) written.set_aside = std::move(moved).value();
    }
    std::optional<std::string> now;
    if (auto current = fp::read_file(paths_.memo_file)) {
        now = std::move(current).value();
    } else if (current.error().kind != StorageErrorKind::NotFound) {
        return fail(current.error());  // what is there cannot be checked, so it is not replaced
    }
    // Nothing to write when memo.txt holds the text already (an unchanged memo at close),
    // so that a full disk cannot fail it.
    if (now && *now == text) {
        on_disk_ = std::move(now);
        return written;
    }
    if (now) {
        auto kept = keep_held(*now, now != on_disk_);
        if (!kept) return fail(kept.error());
        written.kept_conflict = std::move(kept).value();
    }
    if (auto done = write_data_file(paths_.folder, paths_.memo_file, text, calls_); !done) return fail(done.error());
    on_disk_ = std::string(text);
    return written;
}

StorageResult<std::string> MemoFile::set_aside_unreadable() {
    auto moved =
        move_to_free_name(paths_.memo_file, fp::join_path(paths_.folder, "memo.unreadable-" + fp::local_timestamp()));
    // A file gone in the meantime leaves nothing to protect.
    if (!moved && moved.error().kind != StorageErrorKind::NotFound) return moved;
    unreadable_left_ = false;
    on_disk_.reset();
    return moved ? std::move(moved).value() : std::string();
}

}  // namespace numvora
