// Our items in the window's system menu: "항상 위에 표시", the memo's earlier versions
// and the settings.
#include <algorithm>
#include <iterator>

#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/command_menus.h"
#include "platform/windows/state/app_state.h"

namespace numvora {
namespace {

constexpr std::int32_t SYSTEM_MENU_ITEMS[] = {ids::ALWAYS_ON_TOP, ids::MEMO_VERSIONS, ids::SETTINGS};
// Their labels alone: the system menu names no key of ours.
constexpr CommandMenu SYSTEM_MENU{SYSTEM_MENU_ITEMS, false};

static_assert(menu_items_have_rows(SYSTEM_MENU_ITEMS), "a system menu item without a command row and its label");
static_assert(items_act_always(SYSTEM_MENU_ITEMS), "a system menu item that needs the memo read");

}  // namespace

// The menu lives as long as the window: a change of an option its items show is shown
// here.
void show_system_menu_states(const AppState& state) {
    update_command_items(GetSystemMenu(state.main_window, FALSE), SYSTEM_MENU, window_options(state));
}

// Without them the window still works.
void add_system_menu_items(const AppState& state) {
    const HMENU menu = GetSystemMenu(state.main_window, FALSE);
    if (menu == nullptr || !AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) ||
        !append_command_items(menu, SYSTEM_MENU, window_options(state))) {
        log_error_line("시스템 메뉴 항목 추가 실패: {}", display_text(last_system_error("AppendMenuW")));
    }
}

bool is_system_menu_item(std::int32_t id) {
    return std::ranges::find(SYSTEM_MENU_ITEMS, id) != std::end(SYSTEM_MENU_ITEMS);
}

}  // namespace numvora
