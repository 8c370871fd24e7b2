// Tab and Shift+Tab: the keyboard focus through the controls in reading order; the
// focus given back when the window is active again.
#include <algorithm>

#include "platform/windows/commands/focus_commands.h"

#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/state/app_state.h"
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

std::optional<LRESULT> on_activate(AppState& state, WPARAM wparam) {
    const HWND focus = GetFocus();
    const auto ours = [&](HWND control) {
        return control != nullptr &&
               std::find(state.controls.begin(), state.controls.end(), control) != state.controls.end();
    };
    if (LOWORD(wparam) == WA_INACTIVE) {
        if (ours(focus)) state.focus->before_deactivation = focus;
        return std::nullopt;
    }
    if (HIWORD(wparam) != 0) return std::nullopt;  // activated minimised: nothing to focus yet
    // Without this the system leaves the focus on the main window, where keys reach no control.
    const HWND wanted = state.focus->before_deactivation;
    const bool usable = ours(wanted) && IsWindowEnabled(wanted) != FALSE && IsWindowVisible(wanted) != FALSE;
    SetFocus(usable ? wanted : state.expression_edit());
    return 0;
}

}  // namespace numvora
