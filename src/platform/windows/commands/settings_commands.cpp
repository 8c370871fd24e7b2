// "설정…" (the system menu, Ctrl+,): the settings dialog, and what its OK changes applied
// to the window at once and written to preferences.txt. Cancel changes nothing.
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/desktop/hot_key.h"
#include "platform/windows/dialogs/settings_dialog.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/window_preferences.h"

namespace numvora {

SystemStatus show_settings(AppState& state, std::int32_t) {
    const SettingsDialogInput input{
        state.main_window, preferences_of(state), state.hot_key->taken,   state.fonts.ui.get(),
        state.fonts.dpi,   color_scheme(state),   state.calls.look.get(), state.calls.accessibility.get()};
    SystemResult<std::optional<Preferences>> chosen{std::optional<Preferences>()};
    AppState* again = run_modal(state, [&] { chosen = choose_settings(input); });
    if (again == nullptr) return {};
    if (!chosen) return fail(chosen.error());
    if (chosen.value()) {
        change_preferences(*again, *chosen.value());
        save_preferences_now(*again, "환경 설정 저장 실패: {}");
    }
    return {};
}

}  // namespace numvora
