#include "ui/command_routing.h"

#include "ui/control_ids.h"
#include "ui/keypad_buttons.h"

namespace numvora {

std::optional<Command> route_command(std::int32_t id, std::uint32_t code) {
    if (id >= ids::FIRST_OPERATION && id <= ids::LAST_OPERATION) return Command::ApplyPendingOperand;
    switch (id) {
    case ids::SIDE: return Command::SwitchSide;
    case ids::CALCULATE: return Command::Calculate;
    case ids::CLEAR_EXPRESSION: return Command::ClearExpression;
    case ids::DELETE_BEFORE_CARET: return Command::DeleteBeforeCaret;
    case ids::CLEAR_HISTORY: return Command::ClearHistory;
    case ids::RESULT_TO_MEMO: return Command::ResultToMemo;
    case ids::EXPRESSION_RESULT_TO_MEMO: return Command::ExpressionResultToMemo;
    case ids::COPY_RESULT: return Command::CopyResult;
    case ids::COPY_EXPRESSION_RESULT: return Command::CopyExpressionResult;
    case ids::FOCUS_EXPRESSION: return Command::FocusExpression;
    case ids::FOCUS_MEMO: return Command::FocusMemo;
    case ids::SAVE_SHORTCUT: return Command::SaveDocument;
    case ids::THOUSANDS: return Command::ToggleThousands;
    case ids::SAVE: return Command::SaveDocument;
    case ids::LOAD: return Command::OpenDocument;
    case ids::DARK_MODE: return Command::SwitchTheme;
    case ids::HISTORY_LIST:
        if (code == LIST_DOUBLE_CLICK) return Command::ReuseHistoryResult;
        break;
    case ids::MEMO_EDIT:
        if (code == EDIT_KILL_FOCUS) return Command::CloseMemoUndoGroup;
        if (code == EDIT_CHANGE) return Command::NoteMemoChange;
        break;
    default: break;
    }
    // Everything else, the expression box's notifications included, is a keypad key
    // or nothing of ours.
    const KeypadButton* key = find_keypad_button(id);
    if (key != nullptr && key->insert_text) return Command::InsertKeypadText;
    return std::nullopt;
}

}  // namespace numvora
