// WM_COMMAND: the command table, from an id and a notification code to the handler,
// and command failures to a box. A new command is an id, a row here and its handler.
#include <array>

#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/window/window_handlers.h"
#include "ui/control_ids.h"
#include "ui/keypad_buttons.h"

namespace numvora {
namespace {

constexpr std::optional<std::uint32_t> ANY_CODE;

// Without a code a row takes every notification: a button's click, a shortcut's
// posted command (code 0) and an accelerator's (code 1) alike.
constexpr std::array COMMAND_ROWS{
    CommandRow{ids::SIDE, ANY_CODE, switch_calculator_side},
    CommandRow{ids::CALCULATE, ANY_CODE, calculate},
    CommandRow{ids::CLEAR_EXPRESSION, ANY_CODE, clear_expression},
    CommandRow{ids::DELETE_BEFORE_CARET, ANY_CODE, delete_before_caret},
    CommandRow{ids::HISTORY_LIST, LBN_DBLCLK, reuse_history_result},
    CommandRow{ids::MEMO_EDIT, EN_KILLFOCUS, close_memo_undo_group},
    CommandRow{ids::MEMO_EDIT, EN_CHANGE, note_memo_change},
    CommandRow{ids::CLEAR_HISTORY, ANY_CODE, clear_history},
    CommandRow{ids::OPERATION_ALONE, ANY_CODE, apply_pending_operand},
    CommandRow{ids::OPERATION_ADD, ANY_CODE, apply_pending_operand},
    CommandRow{ids::OPERATION_SUBTRACT, ANY_CODE, apply_pending_operand},
    CommandRow{ids::OPERATION_DIVIDE, ANY_CODE, apply_pending_operand},
    CommandRow{ids::OPERATION_MULTIPLY, ANY_CODE, apply_pending_operand},
    CommandRow{ids::RESULT_TO_MEMO, ANY_CODE, result_to_memo},
    CommandRow{ids::EXPRESSION_RESULT_TO_MEMO, ANY_CODE, expression_result_to_memo},
    CommandRow{ids::COPY_RESULT, ANY_CODE, copy_result},
    CommandRow{ids::COPY_EXPRESSION_RESULT, ANY_CODE, copy_expression_result},
    CommandRow{ids::FOCUS_EXPRESSION, ANY_CODE, focus_expression},
    CommandRow{ids::FOCUS_MEMO, ANY_CODE, focus_memo},
    CommandRow{ids::SAVE_SHORTCUT, ANY_CODE, save_document},
    CommandRow{ids::THOUSANDS, ANY_CODE, toggle_thousands},
    CommandRow{ids::SAVE, ANY_CODE, save_document},
    CommandRow{ids::LOAD, ANY_CODE, open_document},
    CommandRow{ids::DARK_MODE, ANY_CODE, switch_theme},
    CommandRow{ids::MEMO_UNDO, ANY_CODE, memo_undo},
    CommandRow{ids::MEMO_REDO, ANY_CODE, memo_redo},
    CommandRow{ids::MEMO_CUT, ANY_CODE, memo_cut},
    CommandRow{ids::MEMO_COPY, ANY_CODE, memo_copy},
    CommandRow{ids::MEMO_PASTE, ANY_CODE, memo_paste},
    CommandRow{ids::MEMO_DELETE, ANY_CODE, memo_delete},
    CommandRow{ids::MEMO_SELECT_ALL, ANY_CODE, memo_select_all},
    CommandRow{ids::MEMO_TOTAL, ANY_CODE, total_memo_selection},
    CommandRow{ids::MEMO_EVALUATE, ANY_CODE, evaluate_in_memo},
    CommandRow{ids::MEMO_MENU, ANY_CODE, open_memo_menu},
    CommandRow{ids::MEMO_RESULTS_MARGIN, ANY_CODE, toggle_results_margin},
    CommandRow{ids::FIND, ANY_CODE, open_find_bar},
    CommandRow{ids::REPLACE, ANY_CODE, open_find_bar},
    CommandRow{ids::FIND_NEXT, ANY_CODE, find_again},
    CommandRow{ids::FIND_PREVIOUS, ANY_CODE, find_again},
    CommandRow{ids::ALWAYS_ON_TOP, ANY_CODE, toggle_always_on_top},
    CommandRow{ids::MEMO_VERSIONS, ANY_CODE, show_memo_versions},
    CommandRow{ids::FOCUS_NEXT, ANY_CODE, focus_next_control},
    CommandRow{ids::FOCUS_PREVIOUS, ANY_CODE, focus_next_control},
    CommandRow{ids::FIND_CLOSE, ANY_CODE, close_find_bar},
    CommandRow{ids::FIND_MATCH_CASE, ANY_CODE, match_case_switched},
    CommandRow{ids::REPLACE_ONE, ANY_CODE, replace_one},
    CommandRow{ids::REPLACE_ALL, ANY_CODE, replace_everything},
    CommandRow{ids::MEMO_ZOOM_IN, ANY_CODE, zoom_memo},
    CommandRow{ids::MEMO_ZOOM_OUT, ANY_CODE, zoom_memo},
    CommandRow{ids::MEMO_ZOOM_RESET, ANY_CODE, zoom_memo},
};

}  // namespace

std::span<const CommandRow> command_rows() { return COMMAND_ROWS; }

CommandHandler find_command_handler(std::int32_t id, std::uint32_t code) {
    for (const CommandRow& row : COMMAND_ROWS) {
        if (row.id == id && (!row.code || *row.code == code)) return row.handler;
    }
    // The keypad's text keys share one handler; every other notification, the
    // expression box's included, is nothing of ours.
    const KeypadButton* key = find_keypad_button(id);
    return key != nullptr && key->insert_text ? insert_keypad_text : nullptr;
}

std::optional<LRESULT> on_command(AppState& state, std::int32_t id, std::uint32_t code) {
    const CommandHandler handler = find_command_handler(id, code);
    if (handler == nullptr) return std::nullopt;
    const HWND window = state.main_window;
    if (auto status = handler(state, id); !status)
        show_error_box(window, "명령 처리 오류", display_text(status.error()));
    return 0;
}

}  // namespace numvora
