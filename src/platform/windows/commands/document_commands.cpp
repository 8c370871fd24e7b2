// Saving the working state to a ".qvx" document and opening one, through the file
// dialogs; every outcome goes to the status line.
#include <utility>

#include <richedit.h>

#include "common/win32/wide_text.h"
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/desktop/second_start.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/painting/memo_colors.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/services/file_dialog.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/timers/timers.h"
#include "storage/document.h"
#include "storage/files/file_io.h"
#include "storage/files/file_primitives.h"

namespace numvora {
namespace {

constexpr std::uint32_t HANDED_DOCUMENT_RETRY_MS = 250;

std::string document_name(const std::string& path) { return last_path_component(path).value_or("Quorvex 문서"); }

constexpr std::string_view SAVE_FAILURE = "저장 오류: ";
constexpr std::string_view OPEN_FAILURE = "불러오기 오류: ";

void show_failure(AppState& state, std::string_view prefix, const StorageError& error) {
    show_command_outcome(state, std::string(prefix) + display_text(error), true);
}

struct Chosen {
    AppState& state;
    std::string path;
};

// Nothing when the window is gone meanwhile, the user cancelled, or the dialog failed
// (said on the status line).
std::optional<Chosen> choose(AppState& state, DocumentDialog kind, std::string_view failure) {
    StorageResult<std::optional<std::string>> path{std::optional<std::string>()};
    AppState* again =
        run_modal(state, [&] { path = choose_document_path(state.main_window, kind, *state.calls.dialogs); });
    if (again == nullptr) return std::nullopt;
    if (!path) {
        show_failure(*again, failure, path.error());
        return std::nullopt;
    }
    if (!path.value()) return std::nullopt;  // cancelled: nothing changes
    return Chosen{*again, std::move(*path.value())};
}

// The texts a failed open puts back.
struct Shown {
    std::string memo;
    std::string expression;
    std::string saved_memo_text;
    CalculatorSession calculator;
};

void put_back(AppState& state, Shown& before) {
    (void)set_control_text(state.memo_edit(), before.memo);
    (void)set_control_text(state.expression_edit(), before.expression);
    state.save->saved_memo_text = std::move(before.saved_memo_text);
    state.calculator = std::move(before.calculator);
    mark_memo_saved(state, false);  // the next tick compares again
    rebuild_history_list(state);
    (void)set_control_text(state.result_label(), state.calculator.result_label_text());
}

// All or nothing: when a control cannot take its text, what was replaced is put back,
// so that a failed open never leaves the document's memo for the auto-save to write.
SystemStatus apply_document(AppState& state, const PadDocument& document) {
    Shown before{control_text(state.memo_edit()), control_text(state.expression_edit()), state.save->saved_memo_text,
                 state.calculator};
    // One undo step, so that Ctrl+Z brings the memo back; at its start, as a new text is.
    replace_memo_range(state, {0, -1}, to_wide(document.memo));
    select_in_memo(state.memo_edit(), {0, 0});
    SendMessageW(state.memo_edit(), EM_SCROLLCARET, 0, 0);
    apply_memo_text_color(state.memo_edit(), current_palette(state)[MEMO_TEXT]);
    if (auto status = set_control_text(state.expression_edit(), state.calculator.expression_text(document.expression));
        !status) {
        put_back(state, before);
        return status;
    }
    state.save->saved_memo_text = document.memo;
    mark_memo_saved(state, true);
    state.calculator.take_document(document);
    rebuild_history_list(state);
    if (auto status = set_control_text(state.result_label(), state.calculator.result_label_text()); !status) {
        put_back(state, before);
        return status;
    }
    state.selection.reset();
    for (HWND button : state.operation_buttons()) EnableWindow(button, FALSE);
    return {};
}

}  // namespace

SystemStatus save_document(AppState& state, std::int32_t) {
    const std::optional<Chosen> chosen = choose(state, DocumentDialog::Save, SAVE_FAILURE);
    if (!chosen) return {};
    AppState& s = chosen->state;
    const std::string& path = chosen->path;
    const PadDocument document =
        s.calculator.to_document(control_text(s.memo_edit()), control_text(s.expression_edit()));
    const std::string text = format_document(document);
    const auto write = [&] { return write_text_file(path, text, s.calls.write); };
    Result<void, StorageError> written = write();
    const std::size_t given_up =
        give_up_and_write_again(s, written, file_primitives::parent_path(path).value_or(std::string()), text.size(),
                                s.save->saved_memo_text, write);
    if (!written) {
        show_failure(s, SAVE_FAILURE, written.error());
        return {};
    }
    if (auto saved = save_all(s); !saved) {
        log_error_line("문서 저장 후 앱 설정 저장 실패: {}", display_text(saved.error()));
    }
    s.save->document_name = document_name(path);
    std::string said = document_name(path) + " 파일로 저장했습니다.";
    if (given_up > 0) said.append(" ").append(given_up_text(given_up));
    show_command_outcome(s, said, given_up > 0);
    return {};
}

SystemStatus open_document(AppState& state, std::int32_t) {
    const std::optional<Chosen> chosen = choose(state, DocumentDialog::Open, OPEN_FAILURE);
    if (chosen) open_document_file(chosen->state, chosen->path);
    return {};
}

void open_document_file(AppState& s, const std::string& path) {
    finish_memo_load(s);  // the version kept before the document is the whole memo
    auto text = read_text(path);
    auto document = text ? parse_document(text.value()) : StorageResult<PadDocument>(fail(text.error()));
    if (!document) {
        show_failure(s, OPEN_FAILURE, document.error());
        return;
    }
    std::string current = control_text(s.memo_edit());
    const bool typed = !current.empty();
    bool unkept = true;
    if (s.save->snapshots) unkept = s.save->snapshots->before_replace(std::move(current), document->memo.size());
    // Text that no version held can only come back by Ctrl+Z: said, and the focus where
    // Ctrl+Z reaches it.
    const bool only_undo = typed && unkept;
    if (auto applied = apply_document(s, document.value()); !applied) {
        show_failure(s, OPEN_FAILURE, make_storage_error(StorageErrorKind::Other, display_text(applied.error())));
        return;
    }
    settle_memo_selection(s);  // the replaced text moved the selection: its next check would take the line back
    s.save->document_name = document_name(path);
    std::string said = document_name(path) + " 파일을 열었습니다.";
    if (only_undo) said += " Ctrl+Z로 되돌릴 수 있습니다.";
    show_command_outcome(s, said, false);
    put_caret_at_end(s.expression_edit());
    SetFocus(only_undo ? s.memo_edit() : s.expression_edit());
}

// A document a second start handed over opens as 불러오기 opens the file chosen. A dialog
// or a question open over the window goes first; the document waits for it.
void open_handed_document(AppState& state) {
    if (state.modal->open) {
        start_timer(state.main_window, HANDED_DOCUMENT_TIMER_ID, HANDED_DOCUMENT_RETRY_MS);
        return;
    }
    if (!state.second_start->handed_document) return;
    const std::string path = std::move(*state.second_start->handed_document);
    state.second_start->handed_document.reset();
    open_document_file(state, path);
}

}  // namespace numvora
