// Our items in the window's system menu: "항상 위에 표시" (also Ctrl+Shift+T), which
// switches the window's topmost state, its check mark and the setting at once, the
// memo's earlier versions, and the settings.
#include <algorithm>
#include <iterator>

#include "common/win32/wide_text.h"
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/save_all.h"

namespace numvora {
namespace {

// Their labels are their command rows'.
constexpr std::int32_t SYSTEM_MENU_ITEMS[] = {ids::ALWAYS_ON_TOP, ids::MEMO_VERSIONS, ids::SETTINGS};

static_assert(menu_items_have_rows(SYSTEM_MENU_ITEMS), "a system menu item without a command row and its label");

void show_check_mark(const AppState& state) {
    CheckMenuItem(GetSystemMenu(state.main_window, FALSE), static_cast<UINT>(ids::ALWAYS_ON_TOP),
                  MF_BYCOMMAND | (state.settings.always_on_top ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

// Without them the window still works.
void add_system_menu_items(const AppState& state) {
    const HMENU menu = GetSystemMenu(state.main_window, FALSE);
    bool added = menu != nullptr && AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (const std::int32_t id : SYSTEM_MENU_ITEMS) {
        const std::wstring text = to_wide(find_command(id)->label);
        added = added && AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), text.c_str());
    }
    if (!added) {
        log_error_line("시스템 메뉴 항목 추가 실패: {}", display_text(last_system_error("AppendMenuW")));
        return;
    }
    show_check_mark(state);
}

bool is_system_menu_item(std::int32_t id) {
    return std::ranges::find(SYSTEM_MENU_ITEMS, id) != std::end(SYSTEM_MENU_ITEMS);
}

SystemStatus toggle_always_on_top(AppState& state, std::int32_t) {
    const bool on = !state.settings.always_on_top;
    if (!SetWindowPos(state.main_window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
        return fail(last_system_error("SetWindowPos"));
    }
    state.settings.always_on_top = on;
    show_check_mark(state);
    save_settings_now(state, "항상 위에 표시 설정 저장 실패: {}");
    return {};
}

}  // namespace numvora
