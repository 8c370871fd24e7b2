// The window's look as a whole: the colour scheme (theme or high contrast), and
// applying it to the brushes, the memo, the title bar and the standard controls.
#pragma once

#include <optional>

#include <windows.h>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win32_calls.h"
#include "ui/colors/color_scheme.h"

namespace numvora {

struct AppState;

// The look beyond the palette: high contrast's colours while it is on; whether the dark
// frame and control themes were ever asked for (until then the light defaults need no
// call, and no library is loaded for them).
struct WindowLook {
    std::optional<SystemColors> high_contrast;
    bool dark_frame_requested = false;
};

ColorScheme color_scheme(const AppState& state);
// The palette the window paints with now.
ThemePalette current_palette(const AppState& state);

// The system colours when high contrast is on.
std::optional<SystemColors> query_high_contrast(LookCalls& calls);

// Brushes, memo colours, title bar and control themes for the scheme, then a repaint.
// When a brush cannot be made nothing changes and the failure is returned.
SystemStatus apply_look(AppState& state, const ColorScheme& scheme);

// The dark title bar and the dark themes of the standard controls, or the light
// defaults back; at creation only when dark. Refusals (older systems, Wine) change
// nothing and are not reported.
void apply_frame_theme(AppState& state);

// WM_SETTINGCHANGE and WM_SYSCOLORCHANGE: high contrast switched, or its colours changed.
std::optional<LRESULT> on_system_colors_changed(AppState& state);

}  // namespace numvora
