// The dark-mode switch: the other theme's look, saved at once. Under high contrast the
// setting changes and is saved, but the system's colours stay.
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/save_all.h"

namespace numvora {

// The new brushes come first: when one cannot be made, nothing changes (the flag
// included, or the window would paint one theme's text on the other's brushes and
// keep the flag at close) and the ones made are deleted again.
SystemStatus switch_theme(AppState& state, std::int32_t) {
    if (auto status = apply_look(state, {!state.settings.dark_mode, state.look.high_contrast}); !status) return status;
    save_settings_now(state, "다크모드 설정 저장 실패: {}");
    return {};
}

}  // namespace numvora
