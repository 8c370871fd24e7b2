// The 14 colours of the light and the dark theme, as COLORREF values 0x00BBGGRR.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace numvora {

// Indexes into ThemePalette::colors, named by role.
enum PaletteColor : std::size_t {
    WINDOW_BACKGROUND = 0,
    PANEL_BACKGROUND = 1,
    PANEL_BORDER = 2,
    EXPRESSION_BACKGROUND = 3,
    EXPRESSION_TEXT = 4,  // also the caption of the dark-mode switch
    CAPTION_TEXT = 5,     // also the status text when it is not an error
    RESULT_BACKGROUND = 6,
    RESULT_TEXT = 7,
    HISTORY_BACKGROUND = 8,
    HISTORY_TEXT = 9,
    MEMO_BACKGROUND = 10,
    MEMO_TEXT = 11,
    STATUS_ERROR_TEXT = 12,
    FOCUS_RING = 13,
};

struct ThemePalette {
    std::array<std::uint32_t, 14> colors{};

    constexpr std::uint32_t operator[](PaletteColor role) const { return colors[role]; }
};

constexpr ThemePalette make_palette(bool dark) {
    constexpr ThemePalette light{{0xF4EDE9, 0xFFFFFF, 0xECE3DD, 0xF9F5F3, 0x30241F, 0x857066, 0xFEF0EE, 0xA33037,
                                  0xFDFBFA, 0x675447, 0xF2FCFF, 0x30241F, 0x0953B4, 0xF16663}};
    constexpr ThemePalette night{{0x271811, 0x37291F, 0x514137, 0x271811, 0xD5CFCB, 0xAFA39C, 0x532E31, 0xEBC4B8,
                                  0x2F2118, 0xD2C9C4, 0x20272A, 0xD5CFCB, 0x24BFFB, 0xF88C81}};
    return dark ? night : light;
}

}  // namespace numvora
