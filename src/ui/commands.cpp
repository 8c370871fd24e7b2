#include "ui/commands.h"

#include <algorithm>
#include <iterator>

#include "ui/control_table.h"
#include "ui/keypad_buttons.h"

namespace numvora {
namespace {

constexpr bool is_keypad_text_key(std::int32_t id) {
    for (const KeypadButton& key : KEYPAD_BUTTONS) {
        if (key.control_id == id) return key.insert_text.has_value();
    }
    return false;
}

constexpr TwoRows first_repeated_id() {
    for (std::size_t i = 0; i < COMMANDS.size(); ++i) {
        for (std::size_t j = i + 1; j < COMMANDS.size(); ++j) {
            if (COMMANDS[i].id == COMMANDS[j].id)
                return {KeyText{}.append(COMMANDS[i].name), KeyText{}.append(COMMANDS[j].name)};
        }
    }
    return {};
}
static_assert(no_two_rows<first_repeated_id()>());

// A fixed id whose row was renamed would fall back to a number of the list's.
constexpr bool fixed_ids_name_rows() {
    for (const command_rows::FixedId& fixed : command_rows::FIXED_IDS) {
        if (std::ranges::find(command_rows::COMMAND_NAMES, fixed.name) == std::end(command_rows::COMMAND_NAMES))
            return false;
    }
    return true;
}
static_assert(fixed_ids_name_rows(), "a fixed command id names no row of the list");
static_assert(command_rows::COMMAND_ID_BASE + 16 * std::ssize(command_rows::COMMAND_NAMES) < 0xF000,
              "the list's ids reach the system's own commands");

// The keypad's text keys share one handler through the keypad's table; a command row
// of one of them would be a second way to it.
constexpr bool keypad_text_keys_have_no_row() {
    for (const Command& command : COMMANDS) {
        if (is_keypad_text_key(command.id)) return false;
    }
    return true;
}
static_assert(keypad_text_keys_have_no_row(), "a keypad key that inserts text has a command row");

// A button's click is its command; any other control's notifications are no command
// of ours (a row takes every notification of its id, so it would swallow them).
constexpr bool buttons_and_only_buttons_have_rows() {
    for (const ControlRow& row : CONTROL_ROWS) {
        if (row.id == 0 || is_keypad_text_key(row.id)) continue;
        if ((row.class_kind == ControlClass::Button) != (command_index(row.id) < COMMANDS.size())) return false;
    }
    return true;
}
static_assert(buttons_and_only_buttons_have_rows(),
              "a button without a command row, or a row for a control that is no button");

// A key for one control names a control of the table, and only such a key names one.
constexpr bool keys_name_their_controls() {
    for (const Command& command : COMMANDS) {
        for (const KeyBinding& key : command.keys) {
            const bool for_one = key.place == KeyPlace::Control;
            if (for_one != (key.control_id != 0)) return false;
            if (for_one && control_row_with_id(key.control_id) == CONTROL_COUNT) return false;
        }
    }
    return true;
}
static_assert(keys_name_their_controls(), "a key for one control that names no control");

}  // namespace

std::string command_key_text(std::int32_t id) {
    const Command* command = find_command(id);
    return command != nullptr ? std::string(chord_text(command->keys[0].chord).view()) : std::string();
}

}  // namespace numvora
