// The memo shared: "결과와 함께 복사" (text for a chat or a mail, each calculating line
// with its result), "표로 복사" (tab-separated text and an HTML table for a spreadsheet)
// and "인쇄…"; each takes the lines the selection touches, or without one the block at the
// caret (printing: the whole memo), with the results as the margin writes them.
#include "common/win32/wide_text.h"
#include "notes/sharing/result_table.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/services/printing.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "ui/memo/shared_range.h"

namespace numvora {
namespace {

constexpr std::string_view NOTHING_TO_COPY = "복사할 줄이 없습니다. 줄을 선택하거나 글이 있는 줄에 캐럿을 두세요";

ResultView margin_view(const AppState& state) { return {state.margin->in_man}; }

LineSpan shared_span(AppState& state) {
    const MemoSelection selection = memo_selection(state.memo_edit());
    const MemoNotes& notes = catch_up_memo_notes(state);
    return shared_lines(notes.book(), notes.mirror(), static_cast<std::size_t>(selection.start),
                        static_cast<std::size_t>(selection.end));
}

}  // namespace

SystemStatus copy_with_results(AppState& state, std::int32_t) {
    const LineSpan lines = shared_span(state);
    if (lines.count == 0) {
        show_command_outcome(state, std::string(NOTHING_TO_COPY), true);
        return {};
    }
    const std::string text = text_with_results(catch_up_memo_notes(state).book(), lines, margin_view(state));
    if (auto status = copy_to_clipboard(state.main_window, text, *state.calls.clipboard); !status) return status;
    show_command_outcome(state, std::to_string(lines.count) + "줄을 결과와 함께 복사했습니다", false);
    return {};
}

SystemStatus copy_as_table(AppState& state, std::int32_t) {
    const LineSpan lines = shared_span(state);
    const std::vector<TableRow> rows = table_rows(catch_up_memo_notes(state).book(), lines);
    if (rows.empty()) {
        show_command_outcome(state, std::string(NOTHING_TO_COPY), true);
        return {};
    }
    if (auto status = copy_to_clipboard(state.main_window, table_tsv(rows), clipboard_html(table_html(rows)),
                                        *state.calls.clipboard);
        !status)
        return status;
    show_command_outcome(state, std::to_string(rows.size()) + "줄을 표로 복사했습니다", false);
    return {};
}

SystemStatus print_memo(AppState& state, std::int32_t) {
    if (memo_length(state.memo_edit()) == 0) {
        show_command_outcome(state, "인쇄할 내용이 없습니다", true);
        return {};
    }
    const bool has_selection = !memo_selection(state.memo_edit()).empty();
    SystemResult<std::optional<ChosenPrinter>> chosen{std::optional<ChosenPrinter>()};
    AppState* again =
        run_modal(state, [&] { chosen = state.calls.print->choose_printer(state.main_window, has_selection); });
    if (again == nullptr) return {};
    AppState& s = *again;
    if (!chosen) {
        const SystemError& error = chosen.error();
        show_command_outcome(
            s, error.code == NO_PRINTER ? error.message : "인쇄하지 못했습니다: " + display_text(error), true);
        return {};
    }
    if (!chosen.value()) return {};  // cancelled
    const MemoNotes& notes = catch_up_memo_notes(s);
    const LineSpan lines = chosen.value()->selection_only ? shared_span(s) : LineSpan{0, notes.book().size()};
    PrintedMemo memo;
    memo.title = print_title(s.save->document_name);
    const SnapshotTime today = s.calls.now();
    memo.date = print_date_text(today.year, static_cast<unsigned>(today.month), static_cast<unsigned>(today.day));
    for (LineAndResult& line : lines_and_results(notes.book(), lines, margin_view(s)))
        memo.lines.push_back({std::move(line.text), std::move(line.result)});
    const SystemResult<std::size_t> pages = print_memo_pages(chosen.value()->dc.get(), memo, *s.calls.print);
    if (!pages) {
        show_command_outcome(s, "인쇄하지 못했습니다: " + display_text(pages.error()), true);
        return {};
    }
    show_command_outcome(s, std::to_string(*pages) + "쪽을 인쇄했습니다", false);
    return {};
}

}  // namespace numvora
