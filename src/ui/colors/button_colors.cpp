#include "ui/colors/button_colors.h"

#include <array>
#include <cstddef>

namespace numvora {
namespace {

struct KindColors {
    std::uint32_t text;
    std::uint32_t border;
    std::array<std::uint32_t, 3> fill;  // Normal, Hot, Pressed
};

// Rows in ButtonKind order.
constexpr std::array<KindColors, 6> LIGHT{{
    {0x30241F, 0xE9DFD9, {0xFFFFFF, 0xFAF6F4, 0xF3ECE8}},
    {0x50413A, 0xE5DAD3, {0xF6F1EE, 0xF1E9E4, 0xE9DED8}},
    {0xCA3843, 0xF8CDC7, {0xFEF0EE, 0xFDE6E2, 0xFBD9D3}},
    {0xFFFFFF, 0xCA3843, {0xE5464F, 0xF16663, 0xCA3843}},
    {0x69750E, 0xD4DFBB, {0xF1F5E7, 0xE9EFDA, 0xDDE6C8}},
    {0x7A6052, 0xE9DFD9, {0xFFFFFF, 0xFBF8F6, 0xF4EDE9}},
}};

constexpr std::array<KindColors, 6> DARK{{
    {0xDBD5D1, 0x63554B, {0x46372D, 0x514137, 0x5B4B41}},
    {0xD5CFCB, 0x63554B, {0x514137, 0x5B4B41, 0x63554B}},
    {0xFED2C7, 0xB46663, {0x693037, 0x803843, 0x913F4C}},
    {0xF1EDEB, 0xF88C81, {0xE5464F, 0xF16663, 0xCA3843}},
    {0xD3E0A6, 0x7C842D, {0x4E5314, 0x595E11, 0x6E760F}},
    {0xCFC4BE, 0x63554B, {0x46372D, 0x514137, 0x5B4B41}},
}};

constexpr ButtonColors LIGHT_DISABLED{0xBBAEA6, 0xEEE7E3, 0xF7F3F1};
constexpr ButtonColors DARK_DISABLED{0x80726B, 0x514137, 0x40322A};

}  // namespace

ButtonVisualState button_visual_state(bool disabled, bool selected, bool hot) {
    if (disabled) return ButtonVisualState::Disabled;
    if (selected) return ButtonVisualState::Pressed;
    return hot ? ButtonVisualState::Hot : ButtonVisualState::Normal;
}

ButtonColors button_colors(ButtonKind kind, ButtonVisualState state, bool dark) {
    if (state == ButtonVisualState::Disabled) return dark ? DARK_DISABLED : LIGHT_DISABLED;
    const KindColors& row = (dark ? DARK : LIGHT)[static_cast<std::size_t>(kind)];
    return {row.text, row.border, row.fill[static_cast<std::size_t>(state)]};
}

}  // namespace numvora
