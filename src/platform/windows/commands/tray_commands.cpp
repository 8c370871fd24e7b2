// The notification icon's menu (열기, 항상 위에 표시, 종료) and its own commands. The menu
// opens from a timer the icon's right click starts, once the window is in front.
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/command_menus.h"
#include "platform/windows/desktop/tray_icon.h"
#include "platform/windows/desktop/window_presence.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/timers/timers.h"

namespace numvora {
namespace {

// Their labels are their command rows'.
constexpr std::int32_t TRAY_MENU_ITEMS[] = {ids::TRAY_OPEN, ids::ALWAYS_ON_TOP, ids::TRAY_EXIT};
static_assert(menu_items_have_rows(TRAY_MENU_ITEMS), "a tray menu item without a command row and its label");
static_assert(items_act_always(TRAY_MENU_ITEMS), "a tray menu item that needs the memo read");

}  // namespace

UniqueMenu build_tray_menu(const AppState& state) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    append_command_items(menu.get(), {TRAY_MENU_ITEMS}, window_options(state));
    SetMenuDefaultItem(menu.get(), static_cast<UINT>(ids::TRAY_OPEN), FALSE);
    return menu;
}

void open_tray_menu(AppState& state) {
    if (state.modal->open) return;
    const UniqueMenu menu = build_tray_menu(state);
    POINT at{};
    if (!menu || !GetCursorPos(&at)) return;
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, state.main_window, nullptr);
    PostMessageW(state.main_window, WM_NULL, 0, 0);
}

SystemStatus open_from_tray(AppState& state, std::int32_t) {
    bring_to_front(state, true);
    return {};
}

// Posted, so that the close runs once this command has returned.
SystemStatus exit_from_tray(AppState& state, std::int32_t) {
    state.tray->exiting = true;
    if (!PostMessageW(state.main_window, WM_CLOSE, 0, 0)) {
        state.tray->exiting = false;
        return fail(last_system_error("PostMessageW"));
    }
    return {};
}

}  // namespace numvora
