// The 19 keys of the calculator keypad: the one place where the keys are defined.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "ui/control_ids.h"

namespace numvora {

struct KeypadButton {
    std::optional<std::string_view> insert_text;  // absent for the command keys C, ⌫ and =
    std::wstring_view label;
    std::int32_t control_id = 0;
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    std::uint32_t column_span = 1;
};

inline constexpr std::size_t KEYPAD_BUTTON_COUNT = 19;

// In creation order. The signs ÷ × − are shown, the ASCII operators are inserted.
inline constexpr std::array<KeypadButton, KEYPAD_BUTTON_COUNT> KEYPAD_BUTTONS{{
    {std::nullopt, L"C", ids::CLEAR_EXPRESSION, 0, 0, 1},
    {std::nullopt, L"\u232B", ids::DELETE_BEFORE_CARET, 0, 1, 1},
    {"%", L"%", 1103, 0, 2, 1},
    {"/", L"\u00F7", 1110, 0, 3, 1},
    {"7", L"7", 1107, 1, 0, 1},
    {"8", L"8", 1108, 1, 1, 1},
    {"9", L"9", 1109, 1, 2, 1},
    {"*", L"\u00D7", 1111, 1, 3, 1},
    {"4", L"4", 1104, 2, 0, 1},
    {"5", L"5", 1105, 2, 1, 1},
    {"6", L"6", 1106, 2, 2, 1},
    {"-", L"\u2212", 1112, 2, 3, 1},
    {"1", L"1", 1114, 3, 0, 1},
    {"2", L"2", 1115, 3, 1, 1},
    {"3", L"3", 1116, 3, 2, 1},
    {"+", L"+", 1113, 3, 3, 1},
    {"0", L"0", 1100, 4, 0, 2},
    {".", L".", 1117, 4, 2, 1},
    {std::nullopt, L"=", ids::CALCULATE, 4, 3, 1},
}};

// The row whose control_id equals id, if any.
constexpr const KeypadButton* find_keypad_button(std::int32_t id) {
    for (const KeypadButton& button : KEYPAD_BUTTONS) {
        if (button.control_id == id) return &button;
    }
    return nullptr;
}

}  // namespace numvora
