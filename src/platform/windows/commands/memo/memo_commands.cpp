// Results into the memo and onto the clipboard, and the memo's undo boundary when it
// loses the focus.
#include <richedit.h>

#include <algorithm>
#include <utility>

#include "common/unicode.h"
#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/find_bar.h"
#include "platform/windows/memo/memo_hint.h"
#include "platform/windows/memo/memo_notes.h"
#include "platform/windows/memo/memo_rebuild.h"
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

// The characters before and after a position; 0 at either end of the memo.
std::pair<char32_t, char32_t> memo_characters_around(HWND memo, std::int32_t position) {
    const std::string before = to_utf8(memo_text_range(memo, {std::max(position - 2, 0), position}));
    const std::string after = to_utf8(memo_text_range(memo, {position, position + 2}));
    char32_t preceding = 0;
    for (std::size_t at = 0; at < before.size();) preceding = decode_utf8(before, at);
    std::size_t at = 0;
    return {preceding, after.empty() ? 0 : decode_utf8(after, at)};
}

}  // namespace

// After the selection, at the caret without one; the insertion is one undo step of its
// own, apart from what was typed before and after it.
void insert_into_memo(AppState& state, std::string_view text) {
    const HWND memo = state.memo_edit();
    const MemoSelection selection = memo_selection(memo);
    const auto [preceding, following] = memo_characters_around(memo, selection.end);
    const std::string inserted = memo_insertion(std::string(text), preceding, following);
    replace_in_memo(memo, {selection.end, selection.end}, to_wide(inserted));

    state.selection.reset();
    show_selection_outcome(state, {});
    SetFocus(memo);
}

SystemStatus result_to_memo(AppState& state, std::int32_t) { return carry_to_memo(state, CarryForm::Result); }

// An expression typed into the box and not yet calculated is calculated first, as Enter
// would, so that what is carried is what the box shows; a failure stays in the label.
SystemStatus expression_result_to_memo(AppState& state, std::int32_t) {
    const std::string box = control_text(state.expression_edit());
    if (state.calculator.box_is_new(box)) {
        const Calculation calculation = state.calculator.calculate(box);
        if (auto status = show_calculation(state, calculation); !status) return status;
        if (!calculation.record) return {};
    }
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
    follow_memo_for_find(state);
    follow_memo_rebuild(state);
    if (state.status.memo_changed()) show_status_line(state);
    follow_memo_hint(state);
    follow_memo_change(state);
    return {};
}

}  // namespace numvora
