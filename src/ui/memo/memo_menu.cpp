#include "ui/memo/memo_menu.h"

namespace numvora {
namespace {

static_assert(menu_items_have_rows(MEMO_MENU_ITEMS), "a memo menu item without a command row and its label");

// F9 on a total line adds the block above it; anywhere else it calculates the
// expression, and for any other text it only says why not.
bool can_act(CommandNeed need, const MemoFacts& memo) {
    switch (need) {
    case CommandNeed::Always: return true;
    case CommandNeed::Undo: return memo.can_undo;
    case CommandNeed::Redo: return memo.can_redo;
    case CommandNeed::Selection: return memo.has_selection;
    case CommandNeed::ClipboardText: return memo.clipboard_has_text;
    case CommandNeed::Text: return memo.has_text;
    case CommandNeed::Amount: return memo.has_selection && memo.text_has_amount;
    case CommandNeed::Expression: return memo.total_line ? memo.block_has_amount : memo.expression_calculates;
    }
    return false;
}

}  // namespace

MenuItemState memo_menu_item_state(const Command& command, const MemoFacts& memo) {
    return {can_act(command.need, memo), command.check == CommandCheck::ResultsMargin && memo.results_margin};
}

std::string memo_hint_text() {
    return "메모를 쓰세요. 금액을 적고 합계 줄을 쓰면 더해 줍니다.\n" + command_key_text(ids::MEMO_EVALUATE) +
           " 식 계산\n" + command_key_text(ids::MEMO_RESULTS_MARGIN) + " 줄마다 결과\n오른쪽 클릭 메뉴";
}

}  // namespace numvora
