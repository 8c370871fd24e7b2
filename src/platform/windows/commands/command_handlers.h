// The handlers of the main window's commands and timers. A command handler's failure
// reaches the user in the command error box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/base/system_error.h"
#include "platform/windows/state/app_state.h"

namespace numvora {

// The expression box and the keypad (expression_input.cpp).
SystemStatus insert_keypad_text(AppState& state, std::int32_t id);
SystemStatus clear_expression(AppState& state, std::int32_t id);
SystemStatus delete_before_caret(AppState& state, std::int32_t id);
SystemStatus focus_expression(AppState& state, std::int32_t id);
SystemStatus focus_memo(AppState& state, std::int32_t id);
// Re-renders the box in the toggle's form, the caret after the same character.
SystemStatus refresh_expression_grouping(HWND box, bool group_thousands);
// Figures pasted into the box go in rewritten for the calculator (expression_paste.cpp).
void take_over_expression_paste(HWND box);

// Every control moved to its box for the window as it is now: a command that shows or
// hides controls asks for it (window_layout.cpp).
SystemStatus layout_controls(AppState& state);

// Calculation and history (calculator_commands.cpp).
SystemStatus calculate(AppState& state, std::int32_t id = ids::CALCULATE);
void rebuild_history_list(const AppState& state);
SystemStatus reuse_history_result(AppState& state, std::int32_t id);
SystemStatus clear_history(AppState& state, std::int32_t id);
SystemStatus toggle_thousands(AppState& state, std::int32_t id);
SystemStatus apply_pending_operand(AppState& state, std::int32_t id);

// Results into the memo and onto the clipboard (memo_commands.cpp).
void insert_into_memo(AppState& state, std::string_view text);
SystemStatus result_to_memo(AppState& state, std::int32_t id);
SystemStatus expression_result_to_memo(AppState& state, std::int32_t id);
SystemStatus copy_result(AppState& state, std::int32_t id);
SystemStatus copy_expression_result(AppState& state, std::int32_t id);
SystemStatus close_memo_undo_group(AppState& state, std::int32_t id);
// Ctrl+V, Shift+Insert and WM_PASTE in the memo insert the clipboard's text at the
// selection (memo_paste.cpp).
void take_over_memo_paste(HWND memo);
// Any change of the memo's text, whoever made it: the next auto-save tick compares.
SystemStatus note_memo_change(AppState& state, std::int32_t id);

// Calculating with what is written in the memo (memo_calculate.cpp).
// What "선택한 식 계산" reads: the selection, or without one the caret's paragraph.
MemoSelection memo_expression_range(const AppState& state);
SystemStatus total_memo_selection(AppState& state, std::int32_t id);
SystemStatus evaluate_in_memo(AppState& state, std::int32_t id);
// A calculation's label and history entry, wherever its expression came from.
SystemStatus show_calculation(AppState& state, const Calculation& calculation);

// The memo's menu and its edit items (memo_menu.cpp).
UniqueMenu build_memo_menu(const AppState& state);
// WM_CONTEXTMENU: the memo's menu at the pointer, or at the caret from the keyboard.
std::optional<LRESULT> on_context_menu(AppState& state, HWND target, LPARAM where);
SystemStatus open_memo_menu(AppState& state, std::int32_t id);
SystemStatus memo_undo(AppState& state, std::int32_t id);
SystemStatus memo_redo(AppState& state, std::int32_t id);
SystemStatus memo_cut(AppState& state, std::int32_t id);
SystemStatus memo_copy(AppState& state, std::int32_t id);
SystemStatus memo_paste(AppState& state, std::int32_t id);
SystemStatus memo_delete(AppState& state, std::int32_t id);
SystemStatus memo_select_all(AppState& state, std::int32_t id);

// The margin of line results (results_margin_commands.cpp): the option switched and
// saved; a result clicked onto the clipboard, double-clicked into the expression box
// (a subclass of the memo, put ahead of the margin's own).
SystemStatus toggle_results_margin(AppState& state, std::int32_t id);
void take_over_margin_clicks(HWND memo);

// The memo's zoom (memo_zoom.cpp): the record's zoom onto the control (its own font,
// or the ui font at 100%), the three key commands, and Ctrl with the wheel over the memo.
SystemStatus apply_memo_zoom(AppState& state);
SystemStatus zoom_memo(AppState& state, std::int32_t id);
void zoom_memo_by_wheel(AppState& state, std::int32_t delta);
// The zoom's note leaves the status line a moment after the last change.
void end_memo_zoom_note(AppState& state);

// The find bar (find_bar.cpp): Ctrl+F opens its find row, Ctrl+H both rows.
SystemStatus open_find_bar(AppState& state, std::int32_t id);
SystemStatus close_find_bar(AppState& state, std::int32_t id);
SystemStatus match_case_switched(AppState& state, std::int32_t id);
// F3, Shift+F3 and the bar's arrows; without a text to look for, the bar.
SystemStatus find_again(AppState& state, std::int32_t id);
SystemStatus replace_one(AppState& state, std::int32_t id);
SystemStatus replace_everything(AppState& state, std::int32_t id);

// Our items in the system menu (system_menu.cpp).
void add_system_menu_items(const AppState& state);
bool is_system_menu_item(std::int32_t id);
SystemStatus toggle_always_on_top(AppState& state, std::int32_t id);

// Documents through the file dialogs (document_commands.cpp); outcomes go to the
// status line, never to a box.
SystemStatus save_document(AppState& state, std::int32_t id);
SystemStatus open_document(AppState& state, std::int32_t id);

// The memo's earlier versions: the dialog, and the restore of the one chosen
// (memo_versions.cpp).
SystemStatus show_memo_versions(AppState& state, std::int32_t id);

// Tab and Shift+Tab (focus_commands.cpp).
SystemStatus focus_next_control(AppState& state, std::int32_t id);
// WM_ACTIVATE: the focused control is remembered when the window goes inactive and gets
// the focus back when it is active again (the expression box when it can take it no more).
std::optional<LRESULT> on_activate(AppState& state, WPARAM wparam);

// The dark-mode switch (theme_command.cpp).
SystemStatus switch_theme(AppState& state, std::int32_t id);

}  // namespace numvora
