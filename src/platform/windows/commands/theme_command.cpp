// The dark-mode switch: the other theme's brushes and memo colours, saved at once.
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/painting/memo_colors.h"
#include "platform/windows/painting/painting.h"
#include "platform/windows/painting/theme_brushes.h"
#include "platform/windows/state/save_all.h"

namespace numvora {

// The new brushes come first: when one cannot be made, nothing changes (the flag
// included, or the window would paint one theme's text on the other's brushes and
// keep the flag at close) and the ones made are deleted again.
SystemStatus switch_theme(AppState& state, std::int32_t) {
    const bool dark = !state.settings.dark_mode;
    const ThemePalette palette = make_palette(dark);
    auto brushes = make_theme_brushes(palette, state.calls.create_brush);
    if (!brushes) return fail(brushes.error());
    state.settings.dark_mode = dark;
    std::swap(state.brushes, brushes.value());  // the old ones go with the result
    apply_memo_background(state.memo_edit(), palette[MEMO_BACKGROUND]);
    apply_memo_text_color(state.memo_edit(), palette[MEMO_TEXT]);
    save_settings_now(state, "다크모드 설정 저장 실패: {}");
    redraw_window(state.main_window);
    return {};
}

}  // namespace numvora
