// Closing: save, destroy, stop the timers and the loop, release the record.
#include <memory>

#include "platform/windows/base/error_report.h"
#include "platform/windows/window/save_all.h"
#include "platform/windows/window/window_handlers.h"
#include "ui/control_ids.h"

namespace numvora {
namespace {

void save_before_leaving(AppState& state) {
    if (auto saved = save_all(state); !saved) log_error_line("종료 상태 저장 실패: {}", display_text(saved.error()));
}

}  // namespace

LRESULT on_close(AppState& state) {
    // A failed save must not keep the user from closing.
    save_before_leaving(state);
    const HWND window = state.main_window;
    if (!DestroyWindow(window)) show_error_box(window, "종료 오류", display_text(last_system_error()));
    return 0;
}

// Saves without closing and always lets the session end.
LRESULT on_query_end_session(AppState& state) {
    save_before_leaving(state);
    return TRUE;
}

LRESULT on_destroy(AppState& state) {
    if (!KillTimer(state.main_window, SELECTION_TIMER_ID)) {
        log_error_line("메모 선택 상태 타이머 종료 실패: {}", display_text(last_system_error()));
    }
    if (!KillTimer(state.main_window, AUTOSAVE_TIMER_ID)) {
        log_error_line("메모 자동 저장 타이머 종료 실패: {}", display_text(last_system_error()));
    }
    PostQuitMessage(0);
    return 0;
}

void release_app_state(AppState& record) {
    std::unique_ptr<AppState> state(&record);
    SetWindowLongPtrW(state->main_window, GWLP_USERDATA, 0);
    // Released here rather than by the owners' destructors so that a failure is logged.
    if (!state->ui_font.reset()) log_error_line("UI 글꼴 해제 실패");
    if (!state->display_font.reset()) log_error_line("계산 표시 글꼴 해제 실패");
    if (!state->keypad_font.reset()) log_error_line("키패드 글꼴 해제 실패");
    for (UniqueBrush* brush : {&state->brushes.panel, &state->brushes.expression, &state->brushes.result,
                               &state->brushes.history, &state->brushes.memo}) {
        if (!brush->reset()) log_error_line("테마 브러시 해제 실패");
    }
}

}  // namespace numvora
