#include "ui/colors/color_scheme.h"

namespace numvora {
namespace {

constexpr std::uint32_t WHITE = 0xFFFFFF;
constexpr std::uint32_t SWITCH_TRACK_ON = 0xE5464F;
constexpr std::uint32_t SWITCH_TRACK_OFF = 0xE1D5CB;

// Text on the window colour, edges in the text colour, errors and focus in the
// highlight colour.
ThemePalette high_contrast_palette(const SystemColors& c) {
    ThemePalette p;
    for (std::uint32_t& color : p.colors) color = c.window_text;
    for (PaletteColor background : {WINDOW_BACKGROUND, PANEL_BACKGROUND, EXPRESSION_BACKGROUND, RESULT_BACKGROUND,
                                    HISTORY_BACKGROUND, MEMO_BACKGROUND}) {
        p.colors[background] = c.window;
    }
    p.colors[STATUS_ERROR_TEXT] = c.highlight;
    p.colors[FOCUS_RING] = c.highlight;
    return p;
}

}  // namespace

ThemePalette scheme_palette(const ColorScheme& scheme) {
    return scheme.high_contrast ? high_contrast_palette(*scheme.high_contrast) : make_palette(scheme.dark);
}

ButtonColors scheme_button_colors(ButtonKind kind, ButtonVisualState state, const ColorScheme& scheme) {
    if (!scheme.high_contrast) return button_colors(kind, state, scheme.dark);
    const SystemColors& c = *scheme.high_contrast;
    switch (state) {
    case ButtonVisualState::Disabled: return {c.gray_text, c.gray_text, c.button_face};
    case ButtonVisualState::Hot:
    case ButtonVisualState::Pressed: return {c.highlight_text, c.highlight, c.highlight};
    case ButtonVisualState::Normal: break;
    }
    return {c.button_text, c.button_text, c.button_face};
}

std::uint32_t focus_ring_color(ButtonKind kind, const ColorScheme& scheme) {
    if (kind == ButtonKind::Equals && !scheme.high_contrast) return WHITE;  // on the equals key's strong fill
    return scheme_palette(scheme)[FOCUS_RING];
}

SwitchColors switch_colors(const ColorScheme& scheme) {
    if (scheme.high_contrast) {
        const SystemColors& c = *scheme.high_contrast;
        return scheme.dark ? SwitchColors{c.highlight, c.highlight, c.highlight_text}
                           : SwitchColors{c.button_face, c.button_text, c.button_text};
    }
    const std::uint32_t track = scheme.dark ? SWITCH_TRACK_ON : SWITCH_TRACK_OFF;
    return {track, track, WHITE};
}

// High contrast's own muted text is its grey text colour, which each of its themes keeps
// readable on the window colour.
MarginColors margin_colors(const ColorScheme& scheme) {
    if (scheme.high_contrast) return {scheme.high_contrast->gray_text, scheme.high_contrast->window_text};
    const ThemePalette palette = make_palette(scheme.dark);
    return {palette[CAPTION_TEXT], palette[PANEL_BORDER]};
}

}  // namespace numvora
