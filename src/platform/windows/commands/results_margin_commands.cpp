// The margin of line results: switching it, and what a click on a result does.
#include "common/win32/wide_text.h"
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/clipboard.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/painting/results_margin.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"

namespace numvora {

SystemStatus toggle_results_margin(AppState& state, std::int32_t) {
    state.preferences.results_margin = !state.preferences.results_margin;
    apply_results_margin(state);
    save_preferences_now(state, "줄마다 계산 결과 보기 설정 저장 실패: {}");
    return {};
}

void copy_margin_result(AppState& state, const MarginRow& row) {
    if (auto status = copy_to_clipboard(state.main_window, row.shown, state.calls.set_clipboard_data); !status) {
        show_command_outcome(state, display_text(status.error()), true);
        return;
    }
    show_command_outcome(state, row.shown + " 복사했습니다", false);
}

// As a double click on the history: the value in the box, ready to calculate with.
void reuse_margin_result(AppState& state, const MarginRow& row) {
    const HWND box = state.expression_edit();
    if (auto status = set_control_text(box, state.calculator.expression_text(row.value)); !status) {
        show_command_outcome(state, display_text(status.error()), true);
        return;
    }
    put_caret_at_end(box);
    SetFocus(box);
}

}  // namespace numvora
