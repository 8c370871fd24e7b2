// The message loop's keyboard decisions: the command list's keys, and where the memo's
// undo groups end.
#pragma once

#include <cstdint>
#include <optional>

namespace numvora {

struct ShortcutAction {
    // PassThrough: the key is the focused control's own (a tab in the memo, its edit
    // keys); Press: a click of the focused button.
    enum class Kind { PostCommand, PassThrough, Press };
    Kind kind = Kind::PostCommand;
    std::int32_t command_id = 0;  // PostCommand only

    bool operator==(const ShortcutAction&) const = default;
};

// The action for a key-down with these modifiers, sent to the control with this id
// (F10 arrives as a system key-down; the loop asks for it too). A key of the focused
// control comes before a key of the window: the memo keeps its tab.
std::optional<ShortcutAction> find_shortcut(std::uint32_t virtual_key, bool ctrl, bool shift, std::int32_t control_id);

// Does this key-down paste (Ctrl+V, Shift+Insert)? The memo takes these over, and
// each ends an undo group.
bool is_paste_key(std::uint32_t virtual_key, bool ctrl, bool shift);

// After a memo key-down has been handled: does it end the current undo group?
bool key_breaks_undo_group(std::uint32_t virtual_key, bool ctrl, bool shift);

// After a memo character has been handled: does it end the current undo group?
// code is the character message's value, one UTF-16 unit or a scalar.
bool char_breaks_undo_group(std::uint32_t code);

}  // namespace numvora
