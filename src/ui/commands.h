// Every command of the main window, one row each: the name of its id, the label a menu
// shows, when it can act, the option its item shows checked, the name of its handler and
// its keys, each with where it works. The ids (ids::, below), the key lookup, the menus'
// texts and states and the shell's dispatch are views of this one list, and the build
// checks it: commands.cpp that ids are unique and that every button has a row,
// shortcuts.cpp that no key-down is wanted by two rows, and each menu's list
// (menu_items_have_rows) that its items have rows.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ui/control_ids.h"
#include "ui/key_chord.h"

namespace numvora {

// When a menu offers the command.
enum class CommandNeed : std::uint8_t {
    Always,
    Undo,
    Redo,
    Selection,
    ClipboardText,
    Text,
    Amount,
    Expression,
    HasResult,  // the text F9 reads has a result
};

// The option a menu item shows checked.
enum class CommandCheck : std::uint8_t { None, ResultsMargin, AlwaysOnTop };

// Where a key works: anywhere in the window, or while one control, any button or any
// control of the find bar has the focus.
enum class KeyPlace : std::uint8_t { Window, Control, AnyButton, FindBar };

// What a key does: posts its row's command, or stays the focused control's own (the
// loop leaves it to the control; a menu still names it).
enum class KeyUse : std::uint8_t { Command, ControlsOwn };

struct KeyBinding {
    KeyChord chord;
    KeyPlace place = KeyPlace::Window;
    std::int32_t control_id = 0;  // Control only
    KeyUse use = KeyUse::Command;
};

struct Command {
    std::int32_t id = 0;
    std::string_view name;   // the id's name, for the build's messages
    std::string_view label;  // UTF-8, as a menu shows it; empty: in no menu
    CommandNeed need = CommandNeed::Always;
    CommandCheck check = CommandCheck::None;
    std::array<KeyBinding, 2> keys{};  // a chord of NO_KEY: none
};

namespace command_keys {

using namespace keys;
using enum CommandNeed;
using enum CommandCheck;
inline constexpr Need Y = Need::Yes;
inline constexpr Need N = Need::No;
inline constexpr Need ANY = Need::Any;

constexpr KeyBinding anywhere(std::uint32_t key, Need ctrl, Need shift) { return {chord(key, ctrl, shift)}; }
constexpr KeyBinding in(std::int32_t control_id, std::uint32_t key, Need ctrl, Need shift) {
    return {chord(key, ctrl, shift), KeyPlace::Control, control_id};
}
constexpr KeyBinding in_find_bar(std::uint32_t key, Need ctrl, Need shift) {
    return {chord(key, ctrl, shift), KeyPlace::FindBar};
}
// The memo's own edit keys, which its menu names.
constexpr KeyBinding memo_own(std::uint32_t key, Need ctrl, Need shift) {
    return {chord(key, ctrl, shift), KeyPlace::Control, ids::MEMO_EDIT, KeyUse::ControlsOwn};
}

}  // namespace command_keys

// V(id, label, need, check, handler, keys...): the name of its id in ids:: and its
// handler, a function SystemStatus handler(AppState&, std::int32_t id) of the commands
// file of its subject. Up to two keys; a key of a command with a button is that button's key.
// Ctrl+C, Ctrl+Z and Enter in the memo keep their edit meaning.
// clang-format off
#define NUMVORA_COMMANDS(V)                                                                                           \
    /* The calculator, its keypad's command keys and the history */                                                   \
    V(CALCULATE, "", Always, None, calculate, in(ids::EXPRESSION_EDIT, ENTER, N, ANY))                                 \
    V(CLEAR_EXPRESSION, "", Always, None, clear_expression, in(ids::EXPRESSION_EDIT, ESCAPE, N, ANY))                  \
    V(DELETE_BEFORE_CARET, "", Always, None, delete_before_caret)                                                      \
    V(THOUSANDS, "", Always, None, toggle_thousands)                                                                   \
    V(CLEAR_HISTORY, "", Always, None, clear_history, anywhere('K', Y, ANY))                                           \
    V(OPERATION_ALONE, "", Always, None, apply_pending_operand)                                                        \
    V(OPERATION_ADD, "", Always, None, apply_pending_operand)                                                          \
    V(OPERATION_SUBTRACT, "", Always, None, apply_pending_operand)                                                     \
    V(OPERATION_DIVIDE, "", Always, None, apply_pending_operand)                                                       \
    V(OPERATION_MULTIPLY, "", Always, None, apply_pending_operand)                                                     \
    /* Results into the memo and onto the clipboard */                                                                \
    V(RESULT_TO_MEMO, "", Always, None, result_to_memo)                                                                \
    V(EXPRESSION_RESULT_TO_MEMO, "", Always, None, expression_result_to_memo, anywhere(ENTER, Y, ANY))                 \
    V(COPY_RESULT, "", Always, None, copy_result)                                                                      \
    V(COPY_EXPRESSION_RESULT, "", Always, None, copy_expression_result, anywhere('C', Y, Y))                           \
    /* The window */                                                                                                  \
    V(SAVE, "", Always, None, save_document, anywhere('S', Y, ANY))                                                    \
    V(LOAD, "", Always, None, open_document, anywhere('O', Y, N))                                                      \
    V(DARK_MODE, "", Always, None, switch_theme)                                                                       \
    V(SIDE, "", Always, None, switch_calculator_side)                                                                  \
    V(ALWAYS_ON_TOP, "항상 위에 표시", Always, AlwaysOnTop, toggle_always_on_top, anywhere('T', Y, Y))                 \
    V(MEMO_VERSIONS, "메모 이전 버전…", Always, None, show_memo_versions)                                              \
    V(SETTINGS, "설정…", Always, None, show_settings, anywhere(OEM_COMMA, Y, N))                                       \
    /* The notification area's menu, with ALWAYS_ON_TOP between the two */                                           \
    V(TRAY_OPEN, "열기", Always, None, open_from_tray)                                                                 \
    V(TRAY_EXIT, "종료", Always, None, exit_from_tray)                                                                 \
    V(FOCUS_EXPRESSION, "", Always, None, focus_expression, anywhere('L', Y, ANY))                                     \
    V(FOCUS_MEMO, "", Always, None, focus_memo, anywhere('M', Y, ANY))                                                 \
    V(FOCUS_NEXT, "", Always, None, focus_next_control, anywhere(TAB, ANY, N))                                         \
    V(FOCUS_PREVIOUS, "", Always, None, focus_next_control, anywhere(TAB, ANY, Y))                                     \
    /* The memo: its menu, in the menu's order, and its keys */                                                       \
    V(MEMO_MENU, "", Always, None, open_memo_menu, in(ids::MEMO_EDIT, F10, N, Y), in(ids::MEMO_EDIT, APPS, N, N))      \
    V(MEMO_UNDO, "실행 취소", Undo, None, memo_undo, memo_own('Z', Y, N))                                              \
    V(MEMO_REDO, "다시 실행", Redo, None, memo_redo, in(ids::MEMO_EDIT, 'Y', Y, ANY), in(ids::MEMO_EDIT, 'Z', Y, Y))    \
    V(MEMO_CUT, "잘라내기", Selection, None, memo_cut, memo_own('X', Y, N))                                            \
    V(MEMO_COPY, "복사", Selection, None, memo_copy, memo_own('C', Y, N))                                              \
    V(MEMO_PASTE, "붙여넣기", ClipboardText, None, memo_paste, memo_own('V', Y, N))                                    \
    V(MEMO_DELETE, "삭제", Selection, None, memo_delete, memo_own(DELETE_KEY, N, N))                                   \
    V(MEMO_SELECT_ALL, "모두 선택", Text, None, memo_select_all, memo_own('A', Y, N))                                  \
    V(MEMO_TOTAL, "선택 영역 합계 계산", Amount, None, total_memo_selection)                                           \
    V(MEMO_EVALUATE, "선택한 식 계산", Expression, None, evaluate_in_memo, in(ids::MEMO_EDIT, F9, N, N))               \
    V(MEMO_RECALCULATE, "결과 모두 다시 계산", Text, None, recalculate_memo_results, anywhere(F9, Y, Y))                \
    V(MEMO_RESULTS_MARGIN, "줄마다 계산 결과 보기", Always, ResultsMargin, toggle_results_margin, anywhere('R', Y, Y))  \
    V(MEMO_ZOOM_IN, "", Always, None, zoom_memo, anywhere(OEM_PLUS, Y, ANY), anywhere(ADD, Y, ANY))                    \
    V(MEMO_ZOOM_OUT, "", Always, None, zoom_memo, anywhere(OEM_MINUS, Y, ANY), anywhere(SUBTRACT, Y, ANY))             \
    V(MEMO_ZOOM_RESET, "", Always, None, zoom_memo, anywhere('0', Y, N), anywhere(NUMPAD0, Y, N))                      \
    V(MEMO_COPY_AMOUNT_WORDS, "한글 금액으로 복사", HasResult, None, copy_amount)                                         \
    V(MEMO_COPY_AMOUNT_FIGURE, "숫자 금액으로 복사", HasResult, None, copy_amount)                                        \
    V(MEMO_COPY_WITH_RESULTS, "결과와 함께 복사", Text, None, copy_with_results, anywhere('E', Y, Y))                  \
    V(MEMO_COPY_TABLE, "표로 복사", Text, None, copy_as_table, anywhere('X', Y, Y))                                    \
    V(PRINT, "인쇄…", Text, None, print_memo, anywhere('P', Y, N))                                                     \
    V(HELP, "도움말", Always, None, show_help, anywhere(F1, N, ANY))                                                   \
    /* Find and replace; Esc anywhere in the bar closes it */                                                         \
    V(FIND, "찾기…", Always, None, open_find_bar, anywhere('F', Y, N))                                                 \
    V(REPLACE, "바꾸기…", Always, None, open_find_bar, anywhere('H', Y, N))                                            \
    V(FIND_NEXT, "", Always, None, find_again, anywhere(F3, N, N), in(ids::FIND_BOX, ENTER, N, N))                     \
    V(FIND_PREVIOUS, "", Always, None, find_again, anywhere(F3, N, Y), in(ids::FIND_BOX, ENTER, N, Y))                 \
    V(FIND_CLOSE, "", Always, None, close_find_bar, in_find_bar(ESCAPE, N, ANY))                                       \
    V(FIND_MATCH_CASE, "", Always, None, match_case_switched)                                                          \
    V(REPLACE_ONE, "", Always, None, replace_one, in(ids::REPLACE_BOX, ENTER, N, ANY))                                 \
    V(REPLACE_ALL, "", Always, None, replace_everything)
// clang-format on

namespace command_rows {

// The ids the window's own buttons and shortcuts have had since its first version; every
// other command's is a multiple of 16 from COMMAND_ID_BASE, by its place in the list, so
// that any may be an item of the system menu, which keeps a command's low four bits for
// itself. No file keeps a command's id.
struct FixedId {
    std::string_view name;
    std::int32_t id;
};
// clang-format off
inline constexpr FixedId FIXED_IDS[] = {
    {"SIDE", 1001}, {"CALCULATE", 1003}, {"CLEAR_EXPRESSION", 1004}, {"DELETE_BEFORE_CARET", 1005},
    {"CLEAR_HISTORY", 1008}, {"OPERATION_ALONE", 1009}, {"OPERATION_ADD", 1010}, {"OPERATION_SUBTRACT", 1011},
    {"OPERATION_DIVIDE", 1012}, {"OPERATION_MULTIPLY", 1013}, {"RESULT_TO_MEMO", 1020},
    {"EXPRESSION_RESULT_TO_MEMO", 1021}, {"COPY_RESULT", 1022}, {"COPY_EXPRESSION_RESULT", 1023},
    {"FOCUS_EXPRESSION", 1024}, {"FOCUS_MEMO", 1025}, {"THOUSANDS", 1027}, {"SAVE", 1028}, {"LOAD", 1029},
    {"DARK_MODE", 1030},
};
// clang-format on
inline constexpr std::int32_t COMMAND_ID_BASE = 0x1000;  // above every control's id

#define NUMVORA_COMMAND_NAME(id, ...) #id,
inline constexpr std::string_view COMMAND_NAMES[] = {NUMVORA_COMMANDS(NUMVORA_COMMAND_NAME)};
#undef NUMVORA_COMMAND_NAME

constexpr std::int32_t command_id(std::string_view name) {
    for (const FixedId& fixed : FIXED_IDS) {
        if (fixed.name == name) return fixed.id;
    }
    std::int32_t place = 0;
    while (COMMAND_NAMES[place] != name) ++place;
    return COMMAND_ID_BASE + 16 * place;
}

}  // namespace command_rows

namespace ids {
#define NUMVORA_COMMAND_ID(id, ...) inline constexpr std::int32_t id = command_rows::command_id(#id);
NUMVORA_COMMANDS(NUMVORA_COMMAND_ID)
#undef NUMVORA_COMMAND_ID
}  // namespace ids

namespace command_rows {

using namespace command_keys;
#define NUMVORA_COMMAND_ROW(id, label, need, check, handler, ...) \
    Command{ids::id, #id, label, need, check, {__VA_ARGS__}},
inline constexpr auto COMMAND_ROWS = std::to_array<Command>({NUMVORA_COMMANDS(NUMVORA_COMMAND_ROW)});
#undef NUMVORA_COMMAND_ROW

}  // namespace command_rows

inline constexpr std::span<const Command> COMMANDS = command_rows::COMMAND_ROWS;

// The index of the row of the command with this id; COMMANDS.size() for an id that
// is no command. (The build's checks ask for the index: under GCC's sanitizers a
// pointer into a table compared with null is no constant expression.)
constexpr std::size_t command_index(std::int32_t id) {
    for (std::size_t i = 0; i < COMMANDS.size(); ++i) {
        if (COMMANDS[i].id == id) return i;
    }
    return COMMANDS.size();
}

// The row of the command with this id; null for an id that is no command.
constexpr const Command* find_command(std::int32_t id) {
    const std::size_t i = command_index(id);
    return i < COMMANDS.size() ? &COMMANDS[i] : nullptr;
}

// Two rows the build refuses together. A failed check names both in its message, as
// the argument of the failing instantiation: "[with TwoRows rows = TwoRows{KeyText{…
// "FIND Ctrl+F"…}, KeyText{…"NEW_COMMAND Ctrl+F"…}}]".
struct TwoRows {
    KeyText first;  // empty: none
    KeyText second;
};
template <TwoRows rows>
constexpr bool no_two_rows() {
    static_assert(rows.first.size == 0, "two rows want the same id or the same key-down: both are named above");
    return true;
}

// Each item of a menu is a command row with a label, but for separators (0).
constexpr bool menu_items_have_rows(std::span<const std::int32_t> items) {
    for (const std::int32_t id : items) {
        if (id != 0 && (command_index(id) == COMMANDS.size() || COMMANDS[command_index(id)].label.empty()))
            return false;
    }
    return true;
}

// The keys of the command's first key, as a menu shows them ("Ctrl+F", "F9", "Del");
// empty for a command without keys or with keys a menu does not name.
std::string command_key_text(std::int32_t id);

}  // namespace numvora
