// The margin of line results: switching it, and what a click on a result does.
#include <windows.h>

#include <windowsx.h>

#include <utility>

#include "common/win32/wide_text.h"
#include "platform/windows/base/error_report.h"
#include "platform/windows/base/subclass.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/painting/results_margin.h"
#include "platform/windows/services/clipboard.h"
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

namespace {

void copy_margin_result(AppState& state, const MarginRow& row) {
    if (auto status = copy_to_clipboard(state.main_window, row.shown, *state.calls.clipboard); !status) {
        show_command_outcome(state, display_text(status.error()), true);
        return;
    }
    show_command_outcome(state, row.shown + " 복사했습니다", false);
}

// As a double click on the history: the value in the box, ready to calculate with. The
// label says no more what a calculation before it said (an error is no longer so): it
// shows the last result kept, if any.
void reuse_margin_result(AppState& state, const MarginRow& row) {
    const HWND box = state.expression_edit();
    for (const auto& [control, text] : {std::pair{box, state.calculator.expression_text(row.value)},
                                        {state.result_label(), state.calculator.result_label_text()}}) {
        if (auto status = set_control_text(control, text); !status) {
            show_command_outcome(state, display_text(status.error()), true);
            return;
        }
    }
    put_caret_at_end(box);
    SetFocus(box);
}

LRESULT CALLBACK margin_click_proc(HWND memo, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        AppState* state = app_state_of(GetParent(memo));
        const MarginRow* row =
            state != nullptr ? margin_row_at(*state, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}) : nullptr;
        if (row != nullptr) {
            // A copy: what the click does may repaint the memo, which replaces the rows.
            const MarginRow chosen = *row;
            if (message == WM_LBUTTONDOWN)
                copy_margin_result(*state, chosen);
            else
                reuse_margin_result(*state, chosen);
            return 0;
        }
    }
    return pass_to_control(memo, message, wparam, lparam, margin_click_proc, id);
}

}  // namespace

void take_over_margin_clicks(HWND memo) { subclass_control(memo, margin_click_proc); }

}  // namespace numvora
