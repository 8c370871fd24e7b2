// Calculating with what is written in the memo: the total of the numbers in the
// selection, and an expression evaluated where it stands.
#include "calculator/memo_amounts.h"
#include "calculator/memo_expression.h"
#include "calculator/number_format.h"
#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/control_text.h"

namespace numvora {

MemoSelection memo_expression_range(const AppState& state) {
    const HWND memo = state.memo_edit();
    const MemoSelection selection = memo_selection(memo);
    return selection.empty() ? memo_paragraph_at(memo, selection.end) : selection;
}

SystemStatus total_memo_selection(AppState& state, std::int32_t) {
    const HWND memo = state.memo_edit();
    const std::vector<std::string> amounts = extract_amounts(to_utf8(memo_text_range(memo, memo_selection(memo))));
    if (amounts.empty()) return {};  // nothing to add: everything stays as it was
    const std::string expression = state.calculator.expression_text(sum_expression(amounts));
    if (auto status = set_control_text(state.expression_edit(), expression); !status) return status;
    return calculate(state);
}

// The result goes in right after the expression as one undo step, and the calculation
// enters the label and the history as one typed in the calculator would.
SystemStatus evaluate_in_memo(AppState& state, std::int32_t) {
    const MemoSelection range = memo_expression_range(state);
    const std::string text = to_utf8(memo_text_range(state.memo_edit(), range));
    const Result<MemoExpression, CalcError> found = find_memo_expression(text);
    if (!found) return show_calculation(state, failed_calculation(found.error()));
    const Calculation calculation = state.calculator.calculate(found->expression);
    if (auto status = show_calculation(state, calculation); !status) return status;
    if (!calculation.record) return {};
    const std::string shown = format_result_text(state.calculator.group_thousands, calculation.record->result);
    // The text came from the control one unit per position, so units count positions.
    const auto offset = static_cast<std::int32_t>(to_wide(std::string_view(text).substr(0, found->insert_at)).size());
    select_in_memo(state.memo_edit(), {range.start + offset, range.start + offset});
    insert_into_memo(state, result_insertion(*found, shown));
    return {};
}

}  // namespace numvora
