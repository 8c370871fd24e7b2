// The expression box: keypad appends, 'C', '⌫', the focus commands and the grouping
// refresh that keeps thousands separators up to date around the caret.
#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "session/expression_caret.h"
#include "ui/keypad_buttons.h"

namespace numvora {

SystemStatus refresh_expression_grouping(HWND box, bool group_thousands) {
    const std::string old_text = control_text(box);
    const std::optional<std::string> new_text = regrouped_expression(old_text, group_thousands);
    if (!new_text) return {};
    const CaretRange caret = map_caret(old_text, *new_text, edit_selection(box));
    if (auto status = set_control_text(box, *new_text); !status) return status;
    select_in_edit(box, caret);
    return {};
}

// A key always appends at the end, whatever the caret or the selection; the
// insertion can be undone.
SystemStatus insert_keypad_text(AppState& state, std::int32_t id) {
    const KeypadButton* key = find_keypad_button(id);
    if (key == nullptr || !key->insert_text) return {};
    const std::wstring text = to_wide(*key->insert_text);
    put_caret_at_end(state.expression_edit());
    SendMessageW(state.expression_edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    SetFocus(state.expression_edit());
    return {};
}

// The label, the last calculation and the history stay.
SystemStatus clear_expression(AppState& state, std::int32_t) {
    if (auto status = set_control_text(state.expression_edit(), ""); !status) return status;
    SetFocus(state.expression_edit());
    return {};
}

SystemStatus delete_before_caret(AppState& state, std::int32_t) {
    const HWND box = state.expression_edit();
    const CaretRange selection = edit_selection(box);
    const std::size_t from = selection.start == selection.end && selection.start > 0
                                 ? backspace_start(control_text(box), selection)
                                 : selection.start;
    select_in_edit(box, {from, selection.end});
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    SetFocus(box);
    return {};
}

SystemStatus focus_expression(AppState& state, std::int32_t) {
    SetFocus(state.expression_edit());
    return {};
}

SystemStatus focus_memo(AppState& state, std::int32_t) {
    SetFocus(state.memo_edit());
    return {};
}

}  // namespace numvora
