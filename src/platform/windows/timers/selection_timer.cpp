// Timer 1: the memo selection as an operand, and the expression box's grouping refresh.
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/timers/timers.h"

namespace numvora {

// The selected text is fetched and classified only when the selection moved, so a
// large selection is examined once, not five times a second.
void check_memo_selection(AppState& state) {
    const MemoSelection now = memo_selection(state.memo_edit());
    if (state.selection.moved_to(now)) {
        show_selection_outcome(state, state.selection.take(memo_selected_text(state.memo_edit(), now)));
    }
    if (auto status = refresh_expression_grouping(state.expression_edit(), state.calculator.group_thousands); !status) {
        log_error_line("계산식 콤마 표시 갱신 실패: {}", display_text(status.error()));
    }
}

}  // namespace numvora
