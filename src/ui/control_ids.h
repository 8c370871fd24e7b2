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
inline constexpr std::int32_t THOUSANDS = 1027;
inline constexpr std::int32_t SAVE = 1028;
inline constexpr std::int32_t LOAD = 1029;
inline constexpr std::int32_t DARK_MODE = 1030;

// The keypad keys that insert text; C, ⌫ and = are the commands above.
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

// The memo's menu, and the shortcuts that work on the memo (no control of their own).
inline constexpr std::int32_t MEMO_UNDO = 1040;
inline constexpr std::int32_t MEMO_REDO = 1041;
inline constexpr std::int32_t MEMO_CUT = 1042;
inline constexpr std::int32_t MEMO_COPY = 1043;
inline constexpr std::int32_t MEMO_PASTE = 1044;
inline constexpr std::int32_t MEMO_DELETE = 1045;
inline constexpr std::int32_t MEMO_SELECT_ALL = 1046;
inline constexpr std::int32_t MEMO_TOTAL = 1047;     // the sum of the numbers in the selection
inline constexpr std::int32_t MEMO_EVALUATE = 1048;  // F9: the expression written in the memo
// Every written result that no longer holds written anew.
inline constexpr std::int32_t MEMO_RECALCULATE = 1059;
inline constexpr std::int32_t FIND = 1049;
inline constexpr std::int32_t REPLACE = 1050;
inline constexpr std::int32_t FIND_NEXT = 1051;
inline constexpr std::int32_t FIND_PREVIOUS = 1052;
inline constexpr std::int32_t MEMO_MENU = 1053;       // the menu at the caret: Shift+F10, the menu key
inline constexpr std::int32_t FOCUS_NEXT = 1054;      // shortcut only: Tab
inline constexpr std::int32_t FOCUS_PREVIOUS = 1055;  // shortcut only: Shift+Tab
// The memo's zoom (shortcuts only; the wheel zooms without a command).
inline constexpr std::int32_t MEMO_ZOOM_IN = 1070;
inline constexpr std::int32_t MEMO_ZOOM_OUT = 1071;
inline constexpr std::int32_t MEMO_ZOOM_RESET = 1072;
// A result copied as an amount: in words as a receipt writes it, or as its plain figure.
inline constexpr std::int32_t MEMO_COPY_AMOUNT_WORDS = 1080;
inline constexpr std::int32_t MEMO_COPY_AMOUNT_FIGURE = 1081;
// The selection's lines, or the block at the caret, shared: as text with their results,
// as a table, on paper; and the help page.
inline constexpr std::int32_t MEMO_COPY_WITH_RESULTS = 1082;
inline constexpr std::int32_t MEMO_COPY_TABLE = 1083;
inline constexpr std::int32_t PRINT = 1084;
inline constexpr std::int32_t HELP = 1085;

// The find bar above the memo; its previous and next buttons are FIND_PREVIOUS and FIND_NEXT.
inline constexpr std::int32_t FIND_BOX = 1060;
inline constexpr std::int32_t FIND_MATCH_CASE = 1061;
inline constexpr std::int32_t FIND_CLOSE = 1062;
inline constexpr std::int32_t REPLACE_BOX = 1063;
inline constexpr std::int32_t REPLACE_ONE = 1064;
inline constexpr std::int32_t REPLACE_ALL = 1065;
inline constexpr std::int32_t FIND_MESSAGE = 1066;  // the bar's k/n and messages
// Each line's result beside the memo, on or off.
inline constexpr std::int32_t MEMO_RESULTS_MARGIN = 1090;
// The notification area icon's menu (its third item is ALWAYS_ON_TOP).
inline constexpr std::int32_t TRAY_OPEN = 1300;
inline constexpr std::int32_t TRAY_EXIT = 1301;

// Items of the window's system menu (and of the memo's menu): multiples of 16 below
// 0xF000, as the system keeps the low four bits of a system command for itself.
inline constexpr std::int32_t ALWAYS_ON_TOP = 0x1040;
inline constexpr std::int32_t MEMO_VERSIONS = 0x1050;
inline constexpr std::int32_t SETTINGS = 0x1060;

}  // namespace numvora::ids
