// The colours of the owner-drawn buttons, by kind of key, visual state and theme.
#pragma once

#include <cstdint>

namespace numvora {

enum class ButtonKind { Digit, Function, Operator, Equals, ResultAction, Neutral };

enum class ButtonVisualState { Normal, Hot, Pressed, Disabled };

struct ButtonColors {
    std::uint32_t text = 0;
    std::uint32_t border = 0;
    std::uint32_t fill = 0;

    bool operator==(const ButtonColors&) const = default;
};

// Disabled wins over pressed, pressed over hot.
ButtonVisualState button_visual_state(bool disabled, bool selected, bool hot);

// The fill follows the state; text and border only change when disabled.
ButtonColors button_colors(ButtonKind kind, ButtonVisualState state, bool dark);

}  // namespace numvora
