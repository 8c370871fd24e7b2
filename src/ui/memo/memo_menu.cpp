#include "ui/memo/memo_menu.h"

namespace numvora {
namespace {

static_assert(menu_items_have_rows(MEMO_MENU_ITEMS), "a memo menu item without a command row and its label");
static_assert(menu_items_have_rows(MARGIN_MENU_ITEMS), "a margin menu item without a command row and its label");

}  // namespace

std::string memo_hint_text() {
    return "메모를 쓰세요. 금액을 적고 합계 줄을 쓰면 더해 줍니다.\n" + command_key_text(ids::MEMO_EVALUATE) +
           " 식 계산\n" + command_key_text(ids::MEMO_RESULTS_MARGIN) + " 줄마다 결과\n오른쪽 클릭 메뉴";
}

}  // namespace numvora
