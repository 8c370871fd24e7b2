// Calculating with what is written in the memo: the total of the numbers in the
// selection, and an expression evaluated where it stands.
#include "calculator/number_format.h"
#include "common/win32/wide_text.h"
#include "notes/note_reader.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"

namespace numvora {

MemoSelection memo_expression_range(const AppState& state) {
    const HWND memo = state.memo_edit();
    const MemoSelection selection = memo_selection(memo);
    return selection.empty() ? memo_paragraph_at(memo, selection.end) : selection;
}

SystemStatus total_memo_selection(AppState& state, std::int32_t) {
    const HWND memo = state.memo_edit();
    const NoteAmounts amounts = read_amounts(to_utf8(memo_text_range(memo, memo_selection(memo))));
    if (!amounts.added.empty()) {
        const std::string expression = state.calculator.expression_text(sum_expression(amounts.added));
        if (auto status = set_control_text(state.expression_edit(), expression); !status) return status;
        if (auto status = calculate(state); !status) return status;
    }
    show_command_outcome(state, total_status_text(amounts), false);
    return {};
}

namespace {

// " = result" in place of the bytes [begin, end) of the text read from range, as one
// undo step. The text came from the control one unit per position, so units count positions.
void write_result(AppState& state, MemoSelection range, std::string_view text, std::size_t begin, std::size_t end,
                  std::string_view result) {
    const auto position = [&](std::size_t byte) {
        return range.start + static_cast<std::int32_t>(to_wide(text.substr(0, byte)).size());
    };
    const HWND memo = state.memo_edit();
    replace_in_memo(memo, {position(begin), position(end)}, to_wide(result_insertion(result)));
    // What the status line says next stays until the user moves the caret.
    settle_memo_selection(state);
    SetFocus(memo);
}

// A total line gets the total of the block above it, calculated as the selection total is.
SystemStatus total_in_memo(AppState& state, MemoSelection range, std::string_view text, TotalLine line) {
    const std::string before = to_utf8(memo_text_range(state.memo_edit(), {0, range.start}));
    const std::size_t scope = total_scope_begin(before, before.size());
    const NoteAmounts amounts = read_amounts(std::string_view(before).substr(scope));
    if (!amounts.added.empty()) {
        const Calculation calculation = state.calculator.calculate(sum_expression(amounts.added));
        if (auto status = show_calculation(state, calculation); !status) return status;
        if (!calculation.record) return {};
        const std::string shown = format_result_text(state.calculator.group_thousands, calculation.record->result);
        write_result(state, range, text, line.word_end, line.line_end, shown);
    }
    show_command_outcome(state, total_status_text(amounts), false);
    return {};
}

}  // namespace

// The result replaces the old one (or goes in right after the expression) as one undo
// step, and the calculation enters the label and the history as one typed in the
// calculator would.
SystemStatus evaluate_in_memo(AppState& state, std::int32_t) {
    const MemoSelection range = memo_expression_range(state);
    const std::string text = to_utf8(memo_text_range(state.memo_edit(), range));
    if (const std::optional<TotalLine> line = read_total_line(text)) return total_in_memo(state, range, text, *line);
    const Result<MemoExpression, CalcError> found = find_memo_expression(text);
    if (!found) return show_calculation(state, failed_calculation(found.error()));
    const Calculation calculation = state.calculator.calculate(found->expression);
    if (auto status = show_calculation(state, calculation); !status) return status;
    if (!calculation.record) return {};
    const std::string shown = format_result_text(state.calculator.group_thousands, calculation.record->result);
    write_result(state, range, text, found->replace_begin, found->replace_end, shown);
    return {};
}

}  // namespace numvora
