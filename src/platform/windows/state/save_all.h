// Saving the window's memo and settings: the memo write of the auto-save, the combined
// save at close, at log-off and after a document save, and the settings captured from
// the live window.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "platform/windows/state/memo_snapshots.h"
#include "storage/files/data_paths.h"
#include "storage/memo_file.h"
#include "storage/settings.h"
#include "storage/storage_error.h"

namespace numvora {

struct AppState;

// The data folder's files as this window keeps them, none without a data folder, and
// the memo's save state.
struct SaveState {
    std::optional<DataPaths> paths;
    std::optional<MemoFile> memo_file;       // with paths
    std::optional<MemoSnapshots> snapshots;  // with paths: the memo's history
    std::string saved_memo_text;             // the memo as last read, written or loaded from a document
    std::string document_name;               // of the document last saved or opened, for the printed header
    // Set by every change of the memo (EN_CHANGE), since the control's own modify flag
    // misses undo, redo and text set from outside; the auto-save reads only when set.
    bool memo_dirty = false;
};

// The window's geometry (its restored rectangle when minimised or maximised, in
// screen coordinates) and the toggles; fails with the failed call's text.
Result<AppSettings, StorageError> capture_settings(const AppState& state);

// The read settings into the record. The grouping toggle is the calculator session's
// while the program runs: this and capture_settings are the only two places that carry
// it between the session and the settings record.
void adopt_settings(AppState& state, const AppSettings& settings);

// Writes the memo through the window's memo file, keeping what memo.txt held first when
// the history is due a snapshot. On success the text is the saved memo and a standing
// warning is cleared; what was set aside is logged, another window's text kept aside
// is marked on the status line until a save finds none. A failure stays marked until
// a save succeeds.
Result<void, StorageError> write_memo(AppState& state, std::string_view text);

// "공간이 부족해 이전 버전 3개를 지웠습니다"
std::string given_up_text(std::size_t count);

// After write failed for a full disk in folder: older versions go, oldest first, until
// the folder has room for size bytes (never the newest version that differs from
// keep_text), and write is tried once more. Gives how many went, for given_up_text.
std::size_t give_up_and_write_again(AppState& state, Result<void, StorageError>& written, const std::string& folder,
                                    std::uint64_t size, const std::string& keep_text,
                                    const std::function<Result<void, StorageError>()>& write);

// A switch saves its setting at once: settings.txt with the window as it is now. A
// failure is logged with failure_line ("…: {}"); without a data folder nothing happens.
void save_settings_now(const AppState& state, std::string_view failure_line);

// The same for preferences.txt, with the options as their features' records hold them;
// defined with the preferences' rows (state/window_preferences.cpp), which see every
// feature's record.
void save_preferences_now(const AppState& state, std::string_view failure_line);

// Writes memo.txt, then settings.txt. A failed capture of the settings does not cost
// the memo: it is written all the same and the capture's error returned.
Result<void, StorageError> save_all(AppState& state);

// After the program itself replaced the memo's text: whether it now equals the saved
// text (a later tick then skips it until the next edit) or may differ.
void mark_memo_saved(AppState& state, bool saved);

}  // namespace numvora
