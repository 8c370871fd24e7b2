// Closing: save, destroy, stop the timers and the loop, release the record. Typed text
// is never dropped silently: when it cannot be saved, the close asks first and a
// log-off is held back with the reason.
#include <memory>

#include "common/win32/wide_text.h"
#include "platform/windows/base/error_report.h"
#include "platform/windows/desktop/window_presence.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/timers/timers.h"
#include "platform/windows/window/window_handlers.h"
#include "ui/control_ids.h"

namespace numvora {
namespace {

constexpr std::string_view SAVE_FAILURE_LINE = "종료 상태 저장 실패: {}";

// Saves memo and settings; on failure, the error's text when the memo typed since
// the last write would be lost.
std::optional<std::string> save_or_what_is_lost(AppState& state) {
    auto saved = save_all(state);
    if (saved) return std::nullopt;
    const std::string error = display_text(saved.error());
    log_error_line(SAVE_FAILURE_LINE, error);
    if (memo_text_to_save(state) == state.save->saved_memo_text) return std::nullopt;
    return error;
}

// Yes closes without the memo; the record may be gone when the box returns.
bool close_anyway(HWND window, const std::string& error) {
    const std::wstring text = to_wide(error + "\n\n메모를 저장하지 못했습니다. 저장하지 않은 내용을 버리고 닫을까요?");
    const std::wstring caption = to_wide("메모 저장 실패");
    return MessageBoxW(window, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

LRESULT on_close(AppState& state) {
    // A second close (a taskkill posts one) while a question or a file dialog is open
    // must not open another box or destroy the window under the first; it is carried
    // out when the box returns.
    if (state.modal->open) {
        state.modal->close_pending = true;
        return 0;
    }
    if (hide_instead_of_close(state)) return 0;
    const HWND window = state.main_window;
    if (const std::optional<std::string> lost = save_or_what_is_lost(state)) {
        state.modal->open = true;
        const bool close = close_anyway(window, *lost);
        AppState* again = app_state_of(window);
        if (again == nullptr) return 0;
        again->modal->open = false;
        // The question was about closing: its answer is the answer to every close
        // that arrived while it was open.
        again->modal->close_pending = false;
        if (!close) return 0;
    }
    if (!DestroyWindow(window)) show_error_box(window, "종료 오류", display_text(last_system_error("DestroyWindow")));
    return 0;
}

// Saves without closing. When the memo would be lost, the log-off is held back with
// the reason, which the system shows; the user can still sign out anyway.
LRESULT on_query_end_session(AppState& state) {
    const HWND window = state.main_window;
    if (const std::optional<std::string> lost = save_or_what_is_lost(state)) {
        const std::wstring reason = to_wide("메모를 저장하지 못했습니다: " + *lost);
        state.life->end_session_blocked = ShutdownBlockReasonCreate(window, reason.c_str()) != FALSE;
        return FALSE;
    }
    if (state.life->end_session_blocked && ShutdownBlockReasonDestroy(window)) state.life->end_session_blocked = false;
    return TRUE;
}

LRESULT on_destroy(AppState& state) {
    leave_desktop(state);
    if (!stop_timer(state.main_window, SELECTION_TIMER_ID)) {
        log_error_line("메모 선택 상태 타이머 종료 실패: {}", display_text(last_system_error("KillTimer")));
    }
    if (!stop_timer(state.main_window, AUTOSAVE_TIMER_ID)) {
        log_error_line("메모 자동 저장 타이머 종료 실패: {}", display_text(last_system_error("KillTimer")));
    }
    // A window whose creation failed ends no loop: a quit message left in the queue
    // would close the start-up error box before anyone saw it.
    if (state.life->created) PostQuitMessage(0);
    return 0;
}

void release_app_state(AppState& record) {
    std::unique_ptr<AppState> state(&record);
    SetWindowLongPtrW(state->main_window, GWLP_USERDATA, 0);
    // Released here rather than by the owners' destructors so that a failure is logged.
    if (!state->fonts.ui.reset()) log_error_line("UI 글꼴 해제 실패");
    if (!state->fonts.display.reset()) log_error_line("계산 표시 글꼴 해제 실패");
    if (!state->fonts.keypad.reset()) log_error_line("키패드 글꼴 해제 실패");
    for (UniqueBrush* brush : {&state->brushes.panel, &state->brushes.expression, &state->brushes.result,
                               &state->brushes.history, &state->brushes.memo}) {
        if (!brush->reset()) log_error_line("테마 브러시 해제 실패");
    }
}

}  // namespace numvora
