// "도움말" (F1): the help page over the window, in its font, DPI and colours.
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/dialogs/help_window.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/modal.h"

namespace numvora {

SystemStatus show_help(AppState& state, std::int32_t) {
    const HelpWindowInput input{state.main_window, state.fonts.ui.get(), state.fonts.dpi, color_scheme(state),
                                state.calls.look.get()};
    SystemStatus shown;
    if (run_modal(state, [&] { shown = show_help_page(input); }) == nullptr) return {};
    return shown;
}

}  // namespace numvora
