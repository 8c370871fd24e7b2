// WM_COMMAND: from an id and a notification code to the handler, through the command
// rows of every file that has handlers, and command failures to a box. A new command
// is an id, and in the file of its subject the handler with its row beside it.
#include <array>
#include <span>
#include <vector>

#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/window/window_handlers.h"

namespace numvora {
namespace {

using RowsOfFile = std::span<const CommandRow> (*)();

// One line for each file that has command handlers.
constexpr auto FILES_WITH_COMMANDS = std::to_array<RowsOfFile>({
    layout_command_rows,
    calculator_command_rows,
    expression_command_rows,
    memo_command_rows,
    memo_calculate_command_rows,
    memo_menu_command_rows,
    results_margin_command_rows,
    memo_zoom_command_rows,
    find_bar_command_rows,
    system_menu_command_rows,
    document_command_rows,
    memo_versions_command_rows,
    focus_command_rows,
    theme_command_rows,
});

}  // namespace

std::vector<CommandRow> command_rows() {
    std::vector<CommandRow> rows;
    for (const RowsOfFile rows_of : FILES_WITH_COMMANDS) {
        const std::span<const CommandRow> of_file = rows_of();
        rows.insert(rows.end(), of_file.begin(), of_file.end());
    }
    return rows;
}

// Every other notification, the expression box's included, is nothing of ours.
CommandHandler find_command_handler(std::int32_t id, std::uint32_t code) {
    for (const RowsOfFile rows_of : FILES_WITH_COMMANDS) {
        for (const CommandRow& row : rows_of()) {
            if (row.id == id && (!row.code || *row.code == code)) return row.handler;
        }
    }
    return nullptr;
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
