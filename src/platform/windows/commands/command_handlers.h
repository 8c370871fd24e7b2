// What the commands files offer the rest of the shell: the handler of every row of the
// command list (ui/commands.h), which the window's dispatch calls by the row's id, the
// handlers of the controls' notifications, and the functions that other files call. A
// handler's failure reaches the user in the command error box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win_handle.h"
#include "ui/commands.h"

namespace numvora {

struct AppState;
struct Calculation;

// A command's handler, given the id it was sent with (several rows may share one).
using CommandHandler = SystemStatus (*)(AppState& state, std::int32_t id);

// Every command's handler, declared from its row; each is defined in the commands
// file of its subject.
#define NUMVORA_DECLARE_HANDLER(id, label, need, check, handler, ...) SystemStatus handler(AppState&, std::int32_t);
NUMVORA_COMMANDS(NUMVORA_DECLARE_HANDLER)
#undef NUMVORA_DECLARE_HANDLER

// The keypad's keys that insert their text (calculator/expression_input.cpp).
SystemStatus insert_keypad_text(AppState& state, std::int32_t id);
// The notification that is a command of ours: a double click on the history
// (calculator/calculator_commands.cpp).
SystemStatus reuse_history_result(AppState& state, std::int32_t id);

// The expression box (calculator/expression_input.cpp): re-renders it in the toggle's form, the
// caret after the same character.
SystemStatus refresh_expression_grouping(HWND box, bool group_thousands);
// Figures pasted into the box go in rewritten for the calculator (calculator/expression_paste.cpp).
void take_over_expression_paste(HWND box);

// '=' after a command put an expression into the box; the history list from the
// session (calculator/calculator_commands.cpp).
SystemStatus calculate(AppState& state, std::int32_t id = ids::CALCULATE);
void rebuild_history_list(const AppState& state);

// After the selection, at the caret without one, as one undo step (memo/memo_commands.cpp).
void insert_into_memo(AppState& state, std::string_view text);

// A calculation's label and history entry, wherever its expression came from.
SystemStatus show_calculation(AppState& state, const Calculation& calculation);

// A document opened as 불러오기 opens the file chosen, with the same checks; every
// outcome goes to the status line (document_commands.cpp).
void open_document_file(AppState& state, const std::string& path);

// The notification icon's menu (tray_commands.cpp).
UniqueMenu build_tray_menu(const AppState& state);

// Our items in the system menu (system_menu.cpp), and their states made again after a
// change of an option one shows.
void add_system_menu_items(const AppState& state);
void show_system_menu_states(const AppState& state);
bool is_system_menu_item(std::int32_t id);

}  // namespace numvora
