// Calculating with what is written in the memo: the total of the selection, and a
// line's result written where it stands. Both take the one reading of notes.
#include <optional>

#include "common/win32/wide_text.h"
#include "notes/book/note_blocks.h"
#include "notes/reading/note_result.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/memo/memo_calculate.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"

namespace numvora {

MemoSelection memo_expression_range(const AppState& state) {
    const HWND memo = state.memo_edit();
    const MemoSelection selection = memo_selection(memo);
    return selection.empty() ? memo_paragraph_at(memo, selection.end) : selection;
}

NotesAtRange read_notes_at_range(AppState& state) {
    const MemoSelection selection = memo_selection(state.memo_edit());
    const MemoNotes& notes = catch_up_memo_notes(state);
    // The caret's line from the notes' copy of the memo: the control finds a place in a
    // large memo by walking its lines from the start.
    const bool selected = !selection.empty();
    const std::size_t line = notes.line_of(selection.start);
    const auto start = static_cast<std::int32_t>(selected ? selection.start : notes.mirror().line_start(line));
    const auto end = static_cast<std::int32_t>(selected ? selection.end : notes.mirror().line_end(line));
    const MemoSelection range{start, end};
    NotesAtRange at{range,
                    to_utf8(std::wstring_view(notes.mirror().text())
                                .substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start))),
                    {},
                    {}};
    at.reading = selected ? notes.book().read_at(line, at.text, true) : notes.book().reading(line);
    if (at.reading.kind == LineKind::Total) {
        // A total word selected at a line's end: the text before it on its line is part of the block.
        const std::size_t line_start = notes.mirror().line_start(line);
        const std::wstring_view before = std::wstring_view(notes.mirror().text())
                                             .substr(line_start, static_cast<std::size_t>(range.start) - line_start);
        at.total = notes.book().total_at(line, to_utf8(before));
    }
    return at;
}

namespace {

constexpr std::string_view NOTHING_TO_CALCULATE = "계산할 식이 없습니다";

}  // namespace

SystemStatus total_memo_selection(AppState& state, std::int32_t) {
    const HWND memo = state.memo_edit();
    const MemoSelection selection = memo_selection(memo);
    const MemoNotes& notes = catch_up_memo_notes(state);
    const NotesSum sum =
        notes.book().selection_total(notes.line_of(selection.start), to_utf8(memo_text_range(memo, selection)));
    // Durations add up in minutes, which the box would show as a bare number.
    if (!sum.added.empty() && calculator_value(sum.result())) {
        const std::string expression = state.calculator.expression_text(sum_expression(sum.added));
        if (auto status = set_control_text(state.expression_edit(), expression); !status) return status;
        if (auto status = calculate(state); !status) return status;
    }
    show_command_outcome(state, total_status_text(sum), false);
    return {};
}

namespace {

// The value enters the label and the history as a calculation typed in the calculator
// would (not a date, a D-day or a duration, whose value is not the figure shown), and
// " = value" replaces the bytes [begin, end) of the text read from range, as one undo
// step. The text came from the control one unit per position, so units count positions.
SystemStatus write_result(AppState& state, MemoSelection range, std::string_view text, const LineReading& reading,
                          std::string expression, const NoteResult& result, bool grouped) {
    if (const std::optional<std::string> value = calculator_value(result)) {
        const Calculation calculation = state.calculator.calculated(std::move(expression), *value);
        if (auto status = show_calculation(state, calculation); !status) return status;
    }
    const auto position = [&](std::size_t byte) {
        return range.start + static_cast<std::int32_t>(to_wide(text.substr(0, byte)).size());
    };
    const HWND memo = state.memo_edit();
    replace_in_memo(memo, {position(reading.replace_begin), position(reading.replace_end)},
                    to_wide(written_result(result, grouped)));
    // What the status line says next stays until the user moves the caret.
    settle_memo_selection(state);
    SetFocus(memo);
    return {};
}

}  // namespace

// F9: a total line gets its block's total, as the margin shows it; an expression its
// value, in place of an old one.
SystemStatus evaluate_in_memo(AppState& state, std::int32_t) {
    const NotesAtRange at = read_notes_at_range(state);
    const LineReading& reading = at.reading;
    if (reading.kind == LineKind::Total) {
        const NotesSum& sum = at.total;
        if (!sum.value.empty()) {
            if (auto status = write_result(state, at.range, at.text, reading, sum_expression(sum.added), sum.result(),
                                           sum.grouped);
                !status)
                return status;
        }
        settle_memo_selection(state);
        if (sum.value.empty())
            show_command_outcome(state, total_status_text(sum), false);
        else
            show_edit_outcome(state, total_status_text(sum));  // of the total just written
        return {};
    }
    if (reading.calculates())
        return write_result(state, at.range, at.text, reading, reading.expression, reading.result(), reading.grouped);
    if (reading.error && !std::holds_alternative<calc_error::Empty>(*reading.error) && reading.unclear.empty())
        return show_calculation(state, failed_calculation(*reading.error));
    // Said until the caret moves again, though the click that put it there is not yet seen.
    settle_memo_selection(state);
    show_command_outcome(state, reading.unclear.empty() ? std::string(NOTHING_TO_CALCULATE) : reading.unclear, true);
    return {};
}

}  // namespace numvora
