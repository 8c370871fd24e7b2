// The memo's earlier versions: the dialog that lists them and the restore of the one
// chosen. Outcomes go to the status line.
#include <richedit.h>

#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/dialogs/memo_versions_dialog.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "ui/memo/memo_versions.h"

namespace numvora {
namespace {

// One undo step of its own, so that Ctrl+Z brings the replaced text back; like any
// edit, the change marks the memo for the next auto-save.
void replace_memo(AppState& state, std::string_view text) {
    replace_memo_range(state, {0, -1}, to_wide(text));
    const HWND memo = state.memo_edit();
    select_in_memo(memo, {0, 0});
    SendMessageW(memo, EM_SCROLLCARET, 0, 0);
    settle_memo_selection(state);
    SetFocus(memo);
}

}  // namespace

SystemStatus show_memo_versions(AppState& state, std::int32_t) {
    if (!state.save->snapshots) {
        show_command_outcome(state, "메모 이전 버전을 열 수 없습니다: 저장 경로를 사용할 수 없습니다.", true);
        return {};
    }
    const HWND window = state.main_window;
    SystemResult<std::optional<RestoredVersion>> chosen{std::optional<RestoredVersion>()};
    AppState* again = run_modal(state, [&] { chosen = choose_memo_version(window); });
    if (again == nullptr) return {};
    if (!chosen || !chosen.value()) {
        again->status.withdraw(RESTORING_TEXT);  // a restore that did not happen
        show_status_line(*again);
        if (!chosen) return fail(chosen.error());
        return {};
    }
    // "복원하는 중…" stays painted while the memo takes a large text.
    UpdateWindow(again->main_window);
    replace_memo(*again, chosen.value()->text);
    show_edit_outcome(
        *again, version_time_text(chosen.value()->entry.time) + " 버전으로 복원했습니다. Ctrl+Z로 되돌릴 수 있습니다.");
    return {};
}

}  // namespace numvora
