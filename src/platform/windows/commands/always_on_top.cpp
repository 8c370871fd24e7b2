// "항상 위에 표시" in the window's system menu (and Ctrl+Shift+T): the window's
// topmost state, its check mark, and the setting saved at once.
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/save_all.h"

namespace numvora {
namespace {

void show_check_mark(const AppState& state) {
    CheckMenuItem(GetSystemMenu(state.main_window, FALSE), static_cast<UINT>(ids::ALWAYS_ON_TOP),
                  MF_BYCOMMAND | (state.settings.always_on_top ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

void add_system_menu_items(const AppState& state) {
    const HMENU menu = GetSystemMenu(state.main_window, FALSE);
    if (menu == nullptr) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(ids::ALWAYS_ON_TOP), L"항상 위에 표시");
    show_check_mark(state);
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
