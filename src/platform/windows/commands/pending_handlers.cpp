#include "platform/windows/commands/pending_handlers.h"

#include <string>

#include "common/win32/wide_text.h"
#include "ui/keypad_buttons.h"

namespace numvora {

SystemStatus calculate(AppState&, std::int32_t) { return {}; }
SystemStatus clear_expression(AppState&, std::int32_t) { return {}; }
SystemStatus delete_before_caret(AppState&, std::int32_t) { return {}; }
SystemStatus reuse_history_result(AppState&, std::int32_t) { return {}; }
SystemStatus close_memo_undo_group(AppState&, std::int32_t) { return {}; }
SystemStatus clear_history(AppState&, std::int32_t) { return {}; }
SystemStatus apply_pending_operand(AppState&, std::int32_t) { return {}; }
SystemStatus result_to_memo(AppState&, std::int32_t) { return {}; }
SystemStatus expression_result_to_memo(AppState&, std::int32_t) { return {}; }
SystemStatus copy_result(AppState&, std::int32_t) { return {}; }
SystemStatus copy_expression_result(AppState&, std::int32_t) { return {}; }
SystemStatus focus_expression(AppState&, std::int32_t) { return {}; }
SystemStatus focus_memo(AppState&, std::int32_t) { return {}; }
SystemStatus save_document(AppState&, std::int32_t) { return {}; }
SystemStatus toggle_thousands(AppState&, std::int32_t) { return {}; }
SystemStatus open_document(AppState&, std::int32_t) { return {}; }
SystemStatus switch_theme(AppState&, std::int32_t) { return {}; }

SystemStatus insert_keypad_text(AppState& state, std::int32_t id) {
    const KeypadButton* key = find_keypad_button(id);
    if (key == nullptr || !key->insert_text) return {};
    const std::wstring text = to_wide(*key->insert_text);
    const LRESULT length = SendMessageW(state.expression_edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(state.expression_edit, EM_SETSEL, static_cast<WPARAM>(length), length);
    SendMessageW(state.expression_edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return {};
}

void check_memo_selection(AppState&) {}
void auto_save_memo(AppState&) {}

}  // namespace numvora
