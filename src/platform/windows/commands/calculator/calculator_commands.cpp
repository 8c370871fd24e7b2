// '=', the history list, the grouping toggle and the operation buttons with the memo's
// selection as their operand: the session decides, these handlers move the texts in and
// out of the controls.
#include "common/win32/wide_text.h"
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/timers/timers.h"

namespace numvora {
namespace {

void caret_to_end_and_focus(HWND box) {
    put_caret_at_end(box);
    SetFocus(box);
}

// The operator of "+>", "->", "/>" and "×>"; "=" takes the operand alone.
std::optional<char> operation_of(std::int32_t id) {
    const ControlRow* row = find_control_row(id);
    if (row == nullptr || row->operation == 0) return std::nullopt;
    return row->operation;
}

}  // namespace

SystemStatus show_calculation(AppState& state, const Calculation& calculation) {
    CalculatorSession& session = state.calculator;
    // A failed calculation has nothing to carry out even when its label cannot be shown.
    if (!calculation.record) session.forget_last();
    if (auto status = set_control_text(state.result_label(), calculation.label_text); !status) return status;
    session.saw_box(control_text(state.expression_edit()));
    if (calculation.record) {
        session.remember(*calculation.record);
        rebuild_history_list(state);
    }
    return {};
}

SystemStatus calculate(AppState& state, std::int32_t) {
    const Calculation calculation = state.calculator.calculate(control_text(state.expression_edit()));
    if (auto status = show_calculation(state, calculation); !status) return status;
    caret_to_end_and_focus(state.expression_edit());
    return {};
}

void rebuild_history_list(const AppState& state) {
    SendMessageW(state.history_list(), LB_RESETCONTENT, 0, 0);
    for (const std::string& line : state.calculator.history_lines()) {
        const std::wstring wide = to_wide(line);
        SendMessageW(state.history_list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

SystemStatus reuse_history_result(AppState& state, std::int32_t) {
    const LRESULT index = SendMessageW(state.history_list(), LB_GETCURSEL, 0, 0);
    const std::optional<HistoryReuse> reuse = state.calculator.reuse(index);
    if (!reuse) return {};
    if (auto status = set_control_text(state.expression_edit(), reuse->expression_text); !status) return status;
    if (auto status = set_control_text(state.result_label(), reuse->label_text); !status) return status;
    state.calculator.take_over(reuse->record);
    state.calculator.saw_box(reuse->expression_text);
    caret_to_end_and_focus(state.expression_edit());
    return {};
}

// The last calculation and the label stay, so the last result can still be carried out.
SystemStatus clear_history(AppState& state, std::int32_t) {
    state.calculator.clear_history();
    SendMessageW(state.history_list(), LB_RESETCONTENT, 0, 0);
    return {};
}

// The check box is an auto check box: the system has already flipped its mark.
SystemStatus toggle_thousands(AppState& state, std::int32_t) {
    CalculatorSession& session = state.calculator;
    session.group_thousands = SendMessageW(state.thousands_checkbox(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (auto status = refresh_expression_grouping(state.expression_edit(), session.group_thousands); !status) {
        return status;
    }
    if (const std::optional<std::string> label = session.regrouped_label()) {
        if (auto status = set_control_text(state.result_label(), *label); !status) return status;
    }
    rebuild_history_list(state);
    if (state.margin->on) InvalidateRect(state.memo_edit(), nullptr, FALSE);  // the margin's grouping
    return {};
}

// The operand, the memo selection and the status line stay, so the same operand can be
// applied again at once.
SystemStatus apply_pending_operand(AppState& state, std::int32_t id) {
    if (!state.selection.pending_operand) return {};
    const CalculatorSession& session = state.calculator;
    const std::string expression = session.operand_expression(control_text(state.expression_edit()),
                                                              *state.selection.pending_operand, operation_of(id));
    if (auto status = set_control_text(state.expression_edit(), session.expression_text(expression)); !status) {
        return status;
    }
    return calculate(state);
}

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
