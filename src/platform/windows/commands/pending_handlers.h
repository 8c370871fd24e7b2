// Handlers that the window already routes to but that do not act yet: the calculator,
// memo, history and document commands, the timers and the theme switch.
// Each does nothing (or lets the default procedure act) until its feature lands.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/windows/app/system_error.h"
#include "platform/windows/window/app_state.h"

namespace numvora {

SystemStatus calculate(AppState& state, std::int32_t id);
SystemStatus clear_expression(AppState& state, std::int32_t id);
SystemStatus delete_before_caret(AppState& state, std::int32_t id);
SystemStatus reuse_history_result(AppState& state, std::int32_t id);
SystemStatus close_memo_undo_group(AppState& state, std::int32_t id);
SystemStatus clear_history(AppState& state, std::int32_t id);
SystemStatus apply_pending_operand(AppState& state, std::int32_t id);
SystemStatus result_to_memo(AppState& state, std::int32_t id);
SystemStatus expression_result_to_memo(AppState& state, std::int32_t id);
SystemStatus copy_result(AppState& state, std::int32_t id);
SystemStatus copy_expression_result(AppState& state, std::int32_t id);
SystemStatus focus_expression(AppState& state, std::int32_t id);
SystemStatus focus_memo(AppState& state, std::int32_t id);
SystemStatus save_document(AppState& state, std::int32_t id);
SystemStatus toggle_thousands(AppState& state, std::int32_t id);
SystemStatus open_document(AppState& state, std::int32_t id);
SystemStatus switch_theme(AppState& state, std::int32_t id);
// Appends the key's text to the expression box.
SystemStatus insert_keypad_text(AppState& state, std::int32_t id);

void check_memo_selection(AppState& state);  // timer 1
void auto_save_memo(AppState& state);        // timer 2

}  // namespace numvora
