// Handlers that the window already routes to but that do not act yet: the calculator,
// memo, history and document commands, the timers and the theme switch.
// Each does nothing (or lets the default procedure act) until its feature lands.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/windows/window/app_state.h"
#include "platform/windows/app/system_error.h"

namespace numvora {

SystemStatus calculate(AppState& state, HWND window, std::int32_t id);
SystemStatus clear_expression(AppState& state, HWND window, std::int32_t id);
SystemStatus delete_before_caret(AppState& state, HWND window, std::int32_t id);
SystemStatus reuse_history_result(AppState& state, HWND window, std::int32_t id);
SystemStatus close_memo_undo_group(AppState& state, HWND window, std::int32_t id);
SystemStatus clear_history(AppState& state, HWND window, std::int32_t id);
SystemStatus apply_pending_operand(AppState& state, HWND window, std::int32_t id);
SystemStatus result_to_memo(AppState& state, HWND window, std::int32_t id);
SystemStatus expression_result_to_memo(AppState& state, HWND window, std::int32_t id);
SystemStatus copy_result(AppState& state, HWND window, std::int32_t id);
SystemStatus copy_expression_result(AppState& state, HWND window, std::int32_t id);
SystemStatus focus_expression(AppState& state, HWND window, std::int32_t id);
SystemStatus focus_memo(AppState& state, HWND window, std::int32_t id);
SystemStatus save_document(AppState& state, HWND window, std::int32_t id);
SystemStatus toggle_thousands(AppState& state, HWND window, std::int32_t id);
SystemStatus open_document(AppState& state, HWND window, std::int32_t id);
SystemStatus switch_theme(AppState& state, HWND window, std::int32_t id);
// Appends the key's text to the expression box.
SystemStatus insert_keypad_text(AppState& state, HWND window, std::int32_t id);

void check_memo_selection(AppState& state, HWND window);  // timer 1
void auto_save_memo(AppState& state, HWND window);        // timer 2

}  // namespace numvora
