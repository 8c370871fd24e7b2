// Results into the memo and onto the clipboard, and the memo's undo boundary when it
// loses the focus.
#include <richedit.h>

#include "common/unicode.h"
#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/find_bar.h"
#include "platform/windows/memo/memo_hint.h"
#include "platform/windows/memo/memo_notes.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"

namespace numvora {
namespace {

SystemStatus show_no_result(AppState& state) { return set_control_text(state.result_label(), NO_RESULT_TEXT); }

SystemStatus carry_to_memo(AppState& state, CarryForm form) {
    const std::optional<std::string> text = state.calculator.carry_text(form);
    if (!text) return show_no_result(state);
    insert_into_memo(state, *text);
    return {};
}

SystemStatus carry_to_clipboard(AppState& state, CarryForm form) {
    const std::optional<std::string> text = state.calculator.carry_text(form);
    if (!text) return show_no_result(state);
    return copy_to_clipboard(state.main_window, *text, *state.calls.clipboard);
}

// The character after a position; 0 at the end of the memo.
char32_t memo_character_at(HWND memo, std::int32_t position) {
    const std::string next = to_utf8(memo_text_range(memo, {position, position + 2}));
    std::size_t at = 0;
    return next.empty() ? 0 : decode_utf8(next, at);
}

}  // namespace

// After the selection, at the caret without one; the insertion is one undo step of its
// own, apart from what was typed before and after it.
void insert_into_memo(AppState& state, std::string_view text) {
    const HWND memo = state.memo_edit();
    const MemoSelection selection = memo_selection(memo);
    const std::string inserted = memo_insertion(std::string(text), memo_character_at(memo, selection.end));
    replace_in_memo(memo, {selection.end, selection.end}, to_wide(inserted));

    state.selection.reset();
    show_selection_outcome(state, {});
    SetFocus(memo);
}

SystemStatus result_to_memo(AppState& state, std::int32_t) { return carry_to_memo(state, CarryForm::Result); }

SystemStatus expression_result_to_memo(AppState& state, std::int32_t) {
    return carry_to_memo(state, CarryForm::ExpressionAndResult);
}

SystemStatus copy_result(AppState& state, std::int32_t) { return carry_to_clipboard(state, CarryForm::Result); }

SystemStatus copy_expression_result(AppState& state, std::int32_t) {
    return carry_to_clipboard(state, CarryForm::ExpressionAndResult);
}

SystemStatus close_memo_undo_group(AppState& state, std::int32_t) {
    SendMessageW(state.memo_edit(), EM_STOPGROUPTYPING, 0, 0);
    return {};
}

// Any change of the memo's text, whoever made it: the next auto-save tick compares, and
// what the status line said of an edit before it is no longer so; the hint of an empty
// memo follows.
SystemStatus note_memo_change(AppState& state, std::int32_t) {
    state.save->memo_dirty = true;
    state.find->memo_text.reset();
    if (state.status.memo_changed()) show_status_line(state);
    follow_memo_hint(state);
    follow_memo_change(state);
    return {};
}

}  // namespace numvora
