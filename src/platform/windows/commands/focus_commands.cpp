// Tab and Shift+Tab: the keyboard focus through the controls in reading order.
#include "platform/windows/commands/command_handlers.h"
#include "ui/tab_order.h"

namespace numvora {

SystemStatus focus_next_control(AppState& state, std::int32_t id) {
    const HWND focus = GetFocus();
    UsableControls usable{};
    std::optional<std::size_t> current;
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const HWND control = state.controls[i];
        usable[i] = IsWindowEnabled(control) != FALSE && IsWindowVisible(control) != FALSE;
        if (control == focus) current = i;
    }
    const std::optional<std::size_t> next =
        next_tab_stop(current, id != ids::FOCUS_PREVIOUS, state.settings.calculator_side, usable);
    if (!next) return {};
    // The keyboard is in use: focus rings show from here on, as in a dialog.
    SendMessageW(state.main_window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    const HWND target = state.controls[*next];
    SetFocus(target);
    // Like a dialog's edit box: what is typed next replaces the expression.
    if (target == state.expression_edit()) SendMessageW(target, EM_SETSEL, 0, -1);
    return {};
}

}  // namespace numvora
