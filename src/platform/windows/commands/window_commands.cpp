// The window's own switches: the calculator's side, the dark theme and "항상 위에 표시"
// (the system menu's item, also Ctrl+Shift+T), each applied and saved at once.
#include "platform/windows/base/error_report.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/layout/window_layout.h"
#include "platform/windows/painting/painting.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/save_all.h"

namespace numvora {

SystemStatus switch_calculator_side(AppState& state, std::int32_t) {
    state.settings.calculator_side = !state.settings.calculator_side;
    if (!SetWindowTextW(state.side_button(), side_button_text(state.settings.calculator_side).data())) {
        return fail(last_system_error("SetWindowTextW"));
    }
    if (auto status = layout_controls(state); !status) return status;
    redraw_window(state.main_window);
    return {};
}

// The new brushes come first: when one cannot be made, nothing changes (the flag
// included, or the window would paint one theme's text on the other's brushes and
// keep the flag at close) and the ones made are deleted again. Under high contrast the
// setting changes and is saved, but the system's colours stay.
SystemStatus switch_theme(AppState& state, std::int32_t) {
    if (auto status = apply_look(state, {!state.settings.dark_mode, state.look->high_contrast}); !status) return status;
    save_settings_now(state, "다크모드 설정 저장 실패: {}");
    return {};
}

// The window's topmost state, the system menu's check mark and the setting at once.
SystemStatus toggle_always_on_top(AppState& state, std::int32_t) {
    const bool on = !state.settings.always_on_top;
    if (!SetWindowPos(state.main_window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
        return fail(last_system_error("SetWindowPos"));
    }
    state.settings.always_on_top = on;
    show_system_menu_states(state);
    save_settings_now(state, "항상 위에 표시 설정 저장 실패: {}");
    return {};
}

}  // namespace numvora
