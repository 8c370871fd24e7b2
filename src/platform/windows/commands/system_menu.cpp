// Our items in the window's system menu: "항상 위에 표시" (also Ctrl+Shift+T), which
// switches the window's topmost state, its check mark and the setting at once, and the
// memo's earlier versions.
#include <algorithm>
#include <array>

#include "common/win32/wide_text.h"
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/save_all.h"
#include "ui/memo_versions.h"

namespace numvora {
namespace {

struct SystemMenuItem {
    std::int32_t id;
    std::string_view text;
};
constexpr std::array<SystemMenuItem, 2> SYSTEM_MENU_ITEMS{{
    {ids::ALWAYS_ON_TOP, "항상 위에 표시"},
    {ids::MEMO_VERSIONS, MEMO_VERSIONS_MENU_TEXT},
}};

void show_check_mark(const AppState& state) {
    CheckMenuItem(GetSystemMenu(state.main_window, FALSE), static_cast<UINT>(ids::ALWAYS_ON_TOP),
                  MF_BYCOMMAND | (state.settings.always_on_top ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

// Without them the window still works.
void add_system_menu_items(const AppState& state) {
    const HMENU menu = GetSystemMenu(state.main_window, FALSE);
    bool added = menu != nullptr && AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (const SystemMenuItem& item : SYSTEM_MENU_ITEMS) {
        added = added && AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), to_wide(item.text).c_str());
    }
    if (!added) {
        log_error_line("시스템 메뉴 항목 추가 실패: {}", display_text(last_system_error("AppendMenuW")));
        return;
    }
    show_check_mark(state);
}

bool is_system_menu_item(std::int32_t id) {
    return std::ranges::any_of(SYSTEM_MENU_ITEMS, [id](const SystemMenuItem& item) { return item.id == id; });
}

namespace {

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

constexpr std::array ROWS{CommandRow{ids::ALWAYS_ON_TOP, ANY_CODE, toggle_always_on_top}};

}  // namespace

std::span<const CommandRow> system_menu_command_rows() { return ROWS; }

}  // namespace numvora
