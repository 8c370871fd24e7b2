// What the window paints with: the light or dark palette, or, while Windows' high
// contrast is on, the system's own colours, whatever the theme switch says.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/colors/button_colors.h"
#include "ui/colors/theme_palette.h"

namespace numvora {

// The system colours high contrast paints with, as GetSysColor gives them.
struct SystemColors {
    std::uint32_t window = 0;          // COLOR_WINDOW
    std::uint32_t window_text = 0;     // COLOR_WINDOWTEXT
    std::uint32_t button_face = 0;     // COLOR_BTNFACE
    std::uint32_t button_text = 0;     // COLOR_BTNTEXT
    std::uint32_t highlight = 0;       // COLOR_HIGHLIGHT
    std::uint32_t highlight_text = 0;  // COLOR_HIGHLIGHTTEXT
    std::uint32_t gray_text = 0;       // COLOR_GRAYTEXT

    bool operator==(const SystemColors&) const = default;
};

struct ColorScheme {
    bool dark = false;
    std::optional<SystemColors> high_contrast;  // present while high contrast is on

    bool operator==(const ColorScheme&) const = default;
    // The dark title bar and the dark control themes: never under high contrast.
    bool dark_frame() const { return dark && !high_contrast; }
};

ThemePalette scheme_palette(const ColorScheme& scheme);

// An owner-drawn button; under high contrast every kind looks alike, with a border in
// the text colour so that each key stands out from the panel.
ButtonColors scheme_button_colors(ButtonKind kind, ButtonVisualState state, const ColorScheme& scheme);
std::uint32_t focus_ring_color(ButtonKind kind, const ColorScheme& scheme);

// The dark-mode switch's track and knob; on is the switch's setting.
struct SwitchColors {
    std::uint32_t track = 0;
    std::uint32_t track_border = 0;
    std::uint32_t knob = 0;

    bool operator==(const SwitchColors&) const = default;
};
SwitchColors switch_colors(const ColorScheme& scheme);

// The memo's margin of line results: muted text, and the rule between it and the memo.
struct MarginColors {
    std::uint32_t text = 0;
    std::uint32_t rule = 0;

    bool operator==(const MarginColors&) const = default;
};
MarginColors margin_colors(const ColorScheme& scheme);

}  // namespace numvora
