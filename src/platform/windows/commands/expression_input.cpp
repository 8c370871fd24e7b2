// The expression box: keypad appends, 'C', '⌫', the focus commands and the grouping
// refresh that keeps thousands separators up to date around the caret.
#include <algorithm>
#include <array>

#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
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

namespace {

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

constexpr std::array FIXED_ROWS{
    CommandRow{ids::CLEAR_EXPRESSION, ANY_CODE, clear_expression},
    CommandRow{ids::DELETE_BEFORE_CARET, ANY_CODE, delete_before_caret},
    CommandRow{ids::FOCUS_EXPRESSION, ANY_CODE, focus_expression},
    CommandRow{ids::FOCUS_MEMO, ANY_CODE, focus_memo},
};

constexpr bool inserts_text(const KeypadButton& key) { return key.insert_text.has_value(); }
constexpr auto TEXT_KEY_COUNT = static_cast<std::size_t>(std::ranges::count_if(KEYPAD_BUTTONS, inserts_text));

// The keypad's text keys share one handler: a row for each, from the keypad table.
constexpr auto ROWS = [] {
    std::array<CommandRow, FIXED_ROWS.size() + TEXT_KEY_COUNT> rows{};
    auto next = std::ranges::copy(FIXED_ROWS, rows.begin()).out;
    for (const KeypadButton& key : KEYPAD_BUTTONS) {
        if (inserts_text(key)) *next++ = {key.control_id, ANY_CODE, insert_keypad_text};
    }
    return rows;
}();

}  // namespace

std::span<const CommandRow> expression_command_rows() { return ROWS; }

}  // namespace numvora
