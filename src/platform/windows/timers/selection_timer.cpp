// Timer 1: the memo selection as an operand, and the expression box's grouping refresh.
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/control_text.h"

namespace numvora {

// The selected text is fetched and classified only when the selection moved, so a
// large selection is examined once, not five times a second.
void check_memo_selection(AppState& state) {
    const MemoSelection now = memo_selection(state.memo_edit);
    if (state.selection.moved_to(now)) {
        // The flag is set before the text, so that the repaint it causes has the right colour.
        const std::string status = state.selection.take(memo_selected_text(state.memo_edit, now));
        show_selection_outcome(state, status);
    }
    if (auto status = refresh_expression_grouping(state.expression_edit, state.calculator.group_thousands); !status) {
        log_error_line("계산식 콤마 표시 갱신 실패: {}", display_text(status.error()));
    }
}

void show_selection_outcome(AppState& state, std::string_view status_text) {
    (void)set_control_text(state.status_label, status_text);  // a status line that cannot change keeps its text
    const BOOL enabled = state.selection.operand_ready() ? TRUE : FALSE;
    for (HWND button : state.operation_buttons) EnableWindow(button, enabled);
}

}  // namespace numvora
