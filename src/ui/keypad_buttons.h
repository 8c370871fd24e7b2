// The keys of the calculator keypad: the one place where the keys are defined.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "ui/commands.h"
#include "ui/control_ids.h"

namespace numvora {

struct KeypadButton {
    std::optional<std::string_view> insert_text;  // absent for the command keys C, ⌫ and =
    std::wstring_view label;
    std::int32_t control_id = 0;
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    std::uint32_t column_span = 1;
    std::wstring_view accessible_name = {};  // for a symbol that a screen reader would misread; NUL-terminated
};

// In creation order. The signs ÷ × − are shown, the ASCII operators are inserted.
inline constexpr auto KEYPAD_BUTTONS = std::to_array<KeypadButton>({
    {std::nullopt, L"C", ids::CLEAR_EXPRESSION, 0, 0, 1, L"지우기"},
    {std::nullopt, L"\u232B", ids::DELETE_BEFORE_CARET, 0, 1, 1, L"한 글자 지우기"},
    {"%", L"%", ids::KEY_PERCENT, 0, 2, 1, L"나머지"},
    {"/", L"\u00F7", ids::KEY_DIVIDE, 0, 3, 1, L"나누기"},
    {"7", L"7", ids::KEY_7, 1, 0, 1},
    {"8", L"8", ids::KEY_8, 1, 1, 1},
    {"9", L"9", ids::KEY_9, 1, 2, 1},
    {"*", L"\u00D7", ids::KEY_MULTIPLY, 1, 3, 1, L"곱하기"},
    {"4", L"4", ids::KEY_4, 2, 0, 1},
    {"5", L"5", ids::KEY_5, 2, 1, 1},
    {"6", L"6", ids::KEY_6, 2, 2, 1},
    {"-", L"\u2212", ids::KEY_SUBTRACT, 2, 3, 1, L"빼기"},
    {"1", L"1", ids::KEY_1, 3, 0, 1},
    {"2", L"2", ids::KEY_2, 3, 1, 1},
    {"3", L"3", ids::KEY_3, 3, 2, 1},
    {"+", L"+", ids::KEY_ADD, 3, 3, 1, L"더하기"},
    {"0", L"0", ids::KEY_0, 4, 0, 2},
    {".", L".", ids::KEY_POINT, 4, 2, 1},
    {std::nullopt, L"=", ids::CALCULATE, 4, 3, 1, L"계산"},
});

inline constexpr std::size_t KEYPAD_BUTTON_COUNT = KEYPAD_BUTTONS.size();

// The grid the keys fill, as their rows and columns say.
inline constexpr std::uint32_t KEYPAD_ROWS = [] {
    std::uint32_t rows = 0;
    for (const KeypadButton& key : KEYPAD_BUTTONS) rows = key.row + 1 > rows ? key.row + 1 : rows;
    return rows;
}();
inline constexpr std::uint32_t KEYPAD_COLUMNS = [] {
    std::uint32_t columns = 0;
    for (const KeypadButton& key : KEYPAD_BUTTONS)
        columns = key.column + key.column_span > columns ? key.column + key.column_span : columns;
    return columns;
}();

// Each cell of the grid is one key's: a hole or two keys on one cell would leave the
// layout's rows and columns other than the table's.
constexpr bool keypad_fills_its_grid() {
    for (std::uint32_t row = 0; row < KEYPAD_ROWS; ++row) {
        for (std::uint32_t column = 0; column < KEYPAD_COLUMNS; ++column) {
            std::size_t keys = 0;
            for (const KeypadButton& key : KEYPAD_BUTTONS)
                keys += key.row == row && column >= key.column && column < key.column + key.column_span ? 1 : 0;
            if (keys != 1) return false;
        }
    }
    return true;
}
static_assert(keypad_fills_its_grid(), "a cell of the keypad's grid with no key, or with two");

// The row whose control_id equals id, if any.
constexpr const KeypadButton* find_keypad_button(std::int32_t id) {
    for (const KeypadButton& button : KEYPAD_BUTTONS) {
        if (button.control_id == id) return &button;
    }
    return nullptr;
}

}  // namespace numvora
