// The memo's earlier versions: the dialog that lists them and the restore of the one
// chosen. Outcomes go to the status line.
#include <richedit.h>

#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/memo_versions_dialog.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "ui/memo_versions.h"

namespace numvora {
namespace {

// One undo step of its own, so that Ctrl+Z brings the replaced text back; like any
// edit, the change marks the memo for the next auto-save.
void replace_memo(AppState& state, std::string_view text) {
    const HWND memo = state.memo_edit();
    replace_in_memo(memo, {0, -1}, to_wide(text));
    select_in_memo(memo, {0, 0});
    SendMessageW(memo, EM_SCROLLCARET, 0, 0);
    settle_memo_selection(state);
    SetFocus(memo);
}

// The file is read before anything changes: one that is gone or unreadable leaves the
// memo as it is (the dialog already kept it).
void restore_version(AppState& state, const MemoSnapshots& snapshots, const SnapshotEntry& version) {
    auto text = read_snapshot(snapshots.folder(), version.name);
    if (!text) {
        show_command_outcome(state, "메모 이전 버전을 읽지 못했습니다: " + display_text(text.error()), true);
        return;
    }
    replace_memo(state, text.value());
    show_edit_outcome(state, version_time_text(version.time) + " 버전으로 복원했습니다. Ctrl+Z로 되돌릴 수 있습니다.");
}

}  // namespace

SystemStatus show_memo_versions(AppState& state, std::int32_t) {
    constexpr std::string_view FAILURE = "메모 이전 버전을 열 수 없습니다: ";
    if (!state.snapshots) {
        show_command_outcome(state, std::string(FAILURE) + "저장 경로를 사용할 수 없습니다.", true);
        return {};
    }
    const std::string folder = state.snapshots->folder();
    const auto versions = state.snapshots->versions(control_text(state.memo_edit()));
    if (!versions) {
        show_command_outcome(state, std::string(FAILURE) + display_text(versions.error()), true);
        return {};
    }
    const HWND window = state.main_window;
    // Looked up again: the dialog's own loop may have run a close meanwhile.
    const KeepCurrentMemo keep = [window](const SnapshotEntry& chosen) -> Result<void, StorageError> {
        AppState* now = app_state_of(window);
        if (now == nullptr || !now->snapshots)
            return fail(make_storage_error(StorageErrorKind::NotFound, "저장 경로를 사용할 수 없습니다."));
        return now->snapshots->keep_before_restore(control_text(now->memo_edit()), chosen.size);
    };
    SystemResult<std::optional<SnapshotEntry>> chosen{std::optional<SnapshotEntry>()};
    AppState* again = run_modal(state, [&] {
        chosen = choose_memo_version(state.main_window, folder, versions.value(), keep, state.ui_font.get(), state.dpi);
    });
    if (again == nullptr) return {};
    if (!chosen) return fail(chosen.error());
    if (chosen.value()) restore_version(*again, *again->snapshots, *chosen.value());
    return {};
}

}  // namespace numvora
