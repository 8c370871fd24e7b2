// Which handler a WM_COMMAND of the main window reaches.
#pragma once

#include <cstdint>
#include <optional>

namespace numvora {

enum class Command {
    SwitchSide,
    Calculate,
    ClearExpression,
    DeleteBeforeCaret,
    ReuseHistoryResult,
    CloseMemoUndoGroup,
    NoteMemoChange,
    ClearHistory,
    ApplyPendingOperand,
    ResultToMemo,
    ExpressionResultToMemo,
    CopyResult,
    CopyExpressionResult,
    FocusExpression,
    FocusMemo,
    SaveDocument,
    ToggleThousands,
    OpenDocument,
    SwitchTheme,
    InsertKeypadText,
};

inline constexpr std::uint32_t LIST_DOUBLE_CLICK = 2;    // LBN_DBLCLK
inline constexpr std::uint32_t EDIT_KILL_FOCUS = 0x200;  // EN_KILLFOCUS
inline constexpr std::uint32_t EDIT_CHANGE = 0x300;      // EN_CHANGE

// The handler for a command id and notification code; nothing means the default
// window procedure.
std::optional<Command> route_command(std::int32_t id, std::uint32_t code);

}  // namespace numvora
