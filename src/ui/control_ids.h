// The ids of the main window's controls that are no command's: a button's id is its
// command's, from the command list (ui/commands.h). The keypad's keys keep the ids the
// window's first version gave them.
#pragma once

#include <cstdint>

namespace numvora::ids {

inline constexpr std::int32_t EXPRESSION_EDIT = 1002;
inline constexpr std::int32_t HISTORY_LIST = 1006;
inline constexpr std::int32_t MEMO_EDIT = 1007;

// The keypad keys that insert text; C, ⌫ and = are commands.
inline constexpr std::int32_t KEY_0 = 1100;
inline constexpr std::int32_t KEY_PERCENT = 1103;
inline constexpr std::int32_t KEY_4 = 1104;
inline constexpr std::int32_t KEY_5 = 1105;
inline constexpr std::int32_t KEY_6 = 1106;
inline constexpr std::int32_t KEY_7 = 1107;
inline constexpr std::int32_t KEY_8 = 1108;
inline constexpr std::int32_t KEY_9 = 1109;
inline constexpr std::int32_t KEY_DIVIDE = 1110;
inline constexpr std::int32_t KEY_MULTIPLY = 1111;
inline constexpr std::int32_t KEY_SUBTRACT = 1112;
inline constexpr std::int32_t KEY_ADD = 1113;
inline constexpr std::int32_t KEY_1 = 1114;
inline constexpr std::int32_t KEY_2 = 1115;
inline constexpr std::int32_t KEY_3 = 1116;
inline constexpr std::int32_t KEY_POINT = 1117;

// The find bar's boxes and its line of messages (k/n); its buttons are commands.
inline constexpr std::int32_t FIND_BOX = 1060;
inline constexpr std::int32_t REPLACE_BOX = 1063;
inline constexpr std::int32_t FIND_MESSAGE = 1066;

}  // namespace numvora::ids
