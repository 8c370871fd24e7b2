// Child-window and command ids of the main window.
#pragma once

#include <cstdint>

namespace numvora::ids {

inline constexpr std::int32_t SIDE = 1001;
inline constexpr std::int32_t EXPRESSION_EDIT = 1002;
inline constexpr std::int32_t CALCULATE = 1003;
inline constexpr std::int32_t CLEAR_EXPRESSION = 1004;
inline constexpr std::int32_t DELETE_BEFORE_CARET = 1005;
inline constexpr std::int32_t HISTORY_LIST = 1006;
inline constexpr std::int32_t MEMO_EDIT = 1007;
inline constexpr std::int32_t CLEAR_HISTORY = 1008;
// The five operation buttons, in their row's order.
inline constexpr std::int32_t OPERATION_ALONE = 1009;
inline constexpr std::int32_t OPERATION_ADD = 1010;
inline constexpr std::int32_t OPERATION_SUBTRACT = 1011;
inline constexpr std::int32_t OPERATION_DIVIDE = 1012;
inline constexpr std::int32_t OPERATION_MULTIPLY = 1013;
inline constexpr std::int32_t RESULT_TO_MEMO = 1020;
inline constexpr std::int32_t EXPRESSION_RESULT_TO_MEMO = 1021;
inline constexpr std::int32_t COPY_RESULT = 1022;
inline constexpr std::int32_t COPY_EXPRESSION_RESULT = 1023;  // shortcut only
inline constexpr std::int32_t FOCUS_EXPRESSION = 1024;        // shortcut only
inline constexpr std::int32_t FOCUS_MEMO = 1025;              // shortcut only
inline constexpr std::int32_t SAVE_SHORTCUT = 1026;           // shortcut only
inline constexpr std::int32_t THOUSANDS = 1027;
inline constexpr std::int32_t SAVE = 1028;
inline constexpr std::int32_t LOAD = 1029;
inline constexpr std::int32_t DARK_MODE = 1030;
inline constexpr std::int32_t FOCUS_NEXT = 1040;      // shortcut only: Tab
inline constexpr std::int32_t FOCUS_PREVIOUS = 1041;  // shortcut only: Shift+Tab

}  // namespace numvora::ids

namespace numvora {

inline constexpr std::uintptr_t SELECTION_TIMER_ID = 1;
inline constexpr std::uint32_t SELECTION_TIMER_MS = 200;
inline constexpr std::uintptr_t AUTOSAVE_TIMER_ID = 2;
inline constexpr std::uint32_t AUTOSAVE_TIMER_MS = 2000;

}  // namespace numvora
