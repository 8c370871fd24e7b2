// WM_COMMAND: from the routing decision to the handler, and command failures to a box.
#include <array>

#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/window/window_handlers.h"
#include "ui/command_routing.h"

namespace numvora {
namespace {

using CommandHandler = SystemStatus (*)(AppState&, std::int32_t);

// Indexed by Command, in its order.
constexpr std::array<CommandHandler, 20> COMMAND_HANDLERS{
    switch_calculator_side,     // SwitchSide
    calculate,                  // Calculate
    clear_expression,           // ClearExpression
    delete_before_caret,        // DeleteBeforeCaret
    reuse_history_result,       // ReuseHistoryResult
    close_memo_undo_group,      // CloseMemoUndoGroup
    note_memo_change,           // NoteMemoChange
    clear_history,              // ClearHistory
    apply_pending_operand,      // ApplyPendingOperand
    result_to_memo,             // ResultToMemo
    expression_result_to_memo,  // ExpressionResultToMemo
    copy_result,                // CopyResult
    copy_expression_result,     // CopyExpressionResult
    focus_expression,           // FocusExpression
    focus_memo,                 // FocusMemo
    save_document,              // SaveDocument
    toggle_thousands,           // ToggleThousands
    open_document,              // OpenDocument
    switch_theme,               // SwitchTheme
    insert_keypad_text,         // InsertKeypadText
};
static_assert(static_cast<std::size_t>(Command::InsertKeypadText) + 1 == COMMAND_HANDLERS.size());

}  // namespace

std::optional<LRESULT> on_command(AppState& state, std::int32_t id, std::uint32_t code) {
    const std::optional<Command> command = route_command(id, code);
    if (!command) return std::nullopt;
    const HWND window = state.main_window;
    const CommandHandler handler = COMMAND_HANDLERS[static_cast<std::size_t>(*command)];
    if (auto status = handler(state, id); !status)
        show_error_box(window, "명령 처리 오류", display_text(status.error()));
    return 0;
}

}  // namespace numvora
