// What the commands files offer the rest of the shell: each file's command rows (the
// window's dispatch walks them), and the functions that other files call. A command
// handler's failure reaches the user in the command error box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/base/system_error.h"
#include "platform/windows/commands/command_row.h"
#include "platform/windows/state/app_state.h"

namespace numvora {

// The expression box and the keypad (expression_input.cpp).
std::span<const CommandRow> expression_command_rows();
// Re-renders the box in the toggle's form, the caret after the same character.
SystemStatus refresh_expression_grouping(HWND box, bool group_thousands);
// Figures pasted into the box go in rewritten for the calculator (expression_paste.cpp).
void take_over_expression_paste(HWND box);

// Every control moved to its box for the window as it is now: a command that shows or
// hides controls asks for it (window_layout.cpp).
SystemStatus layout_controls(AppState& state);

// Calculation and history (calculator_commands.cpp).
std::span<const CommandRow> calculator_command_rows();
SystemStatus calculate(AppState& state, std::int32_t id = ids::CALCULATE);
void rebuild_history_list(const AppState& state);

// Results into the memo and onto the clipboard, and the memo's own notifications
// (memo_commands.cpp).
std::span<const CommandRow> memo_command_rows();
void insert_into_memo(AppState& state, std::string_view text);
// Ctrl+V, Shift+Insert and WM_PASTE in the memo insert the clipboard's text at the
// selection (memo_paste.cpp).
void take_over_memo_paste(HWND memo);

// Calculating with what is written in the memo (memo_calculate.cpp).
std::span<const CommandRow> memo_calculate_command_rows();
// What "선택한 식 계산" reads: the selection, or without one the caret's paragraph.
MemoSelection memo_expression_range(const AppState& state);
// A calculation's label and history entry, wherever its expression came from.
SystemStatus show_calculation(AppState& state, const Calculation& calculation);

// The memo's menu and its edit items (memo_menu.cpp).
std::span<const CommandRow> memo_menu_command_rows();
UniqueMenu build_memo_menu(const AppState& state);
// WM_CONTEXTMENU: the memo's menu at the pointer, or at the caret from the keyboard.
std::optional<LRESULT> on_context_menu(AppState& state, HWND target, LPARAM where);

// The margin of line results (results_margin_commands.cpp): the option switched and
// saved; a result clicked onto the clipboard, double-clicked into the expression box
// (a subclass of the memo, put ahead of the margin's own).
std::span<const CommandRow> results_margin_command_rows();
void take_over_margin_clicks(HWND memo);

// The memo's zoom (memo_zoom.cpp): the record's zoom onto the control (its own font,
// or the ui font at 100%), the three key commands, and Ctrl with the wheel over the memo.
std::span<const CommandRow> memo_zoom_command_rows();
SystemStatus apply_memo_zoom(AppState& state);
void zoom_memo_by_wheel(AppState& state, std::int32_t delta);
// The zoom's note leaves the status line a moment after the last change.
void end_memo_zoom_note(AppState& state);

// The find bar (find_bar.cpp): Ctrl+F opens its find row, Ctrl+H both rows.
std::span<const CommandRow> find_bar_command_rows();

// Our items in the system menu (system_menu.cpp).
std::span<const CommandRow> system_menu_command_rows();
void add_system_menu_items(const AppState& state);
bool is_system_menu_item(std::int32_t id);

// Documents through the file dialogs (document_commands.cpp); outcomes go to the
// status line, never to a box.
std::span<const CommandRow> document_command_rows();

// The memo's earlier versions: the dialog, and the restore of the one chosen
// (memo_versions.cpp).
std::span<const CommandRow> memo_versions_command_rows();

// Tab and Shift+Tab (focus_commands.cpp).
std::span<const CommandRow> focus_command_rows();
// WM_ACTIVATE: the focused control is remembered when the window goes inactive and gets
// the focus back when it is active again (the expression box when it can take it no more).
std::optional<LRESULT> on_activate(AppState& state, WPARAM wparam);

// The dark-mode switch (theme_command.cpp).
std::span<const CommandRow> theme_command_rows();

}  // namespace numvora
