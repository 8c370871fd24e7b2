#include "ui/shortcuts.h"

#include <array>
#include <string_view>

#include "common/unicode.h"
#include "ui/commands.h"
#include "ui/control_table.h"

namespace numvora {
namespace {

// A key as the loop looks it up: the binding, what it does and the row it came from.
struct Shortcut {
    KeyBinding key;
    ShortcutAction action;
    std::string_view row;            // for the build's message
    bool keeps_window_keys = false;  // the control's own, before a window's key of the same chord
};

constexpr ShortcutAction post(std::int32_t id) { return {ShortcutAction::Kind::PostCommand, id}; }
constexpr ShortcutAction PASS_THROUGH{ShortcutAction::Kind::PassThrough, 0};

using namespace command_keys;

// What the loop does itself, without a command. Without a dialog manager, Enter on a
// button is the loop's to handle (Space presses a focused button by itself); the memo
// keeps its tab, while Ctrl+Tab leaves it.
constexpr Shortcut LOOP_KEYS[] = {
    {in(ids::MEMO_EDIT, TAB, N, ANY), PASS_THROUGH, "the memo's tab", true},
    {{chord(ENTER, N, ANY), KeyPlace::AnyButton}, {ShortcutAction::Kind::Press, 0}, "Enter on a button"},
};

constexpr std::size_t count_keys() {
    std::size_t n = std::size(LOOP_KEYS);
    for (const Command& command : COMMANDS) {
        for (const KeyBinding& key : command.keys) n += key.chord.virtual_key != 0 ? 1 : 0;
    }
    return n;
}

constexpr auto make_shortcuts() {
    std::array<Shortcut, count_keys()> all{};
    std::size_t n = 0;
    for (const Command& command : COMMANDS) {
        for (const KeyBinding& key : command.keys) {
            if (key.chord.virtual_key == 0) continue;
            all[n++] = {key, key.use == KeyUse::ControlsOwn ? PASS_THROUGH : post(command.id), command.name};
        }
    }
    for (const Shortcut& key : LOOP_KEYS) all[n++] = key;
    return all;
}
constexpr auto SHORTCUTS = make_shortcuts();

// Does the key work while the control with this id has the focus?
constexpr bool works_in(const KeyBinding& key, std::int32_t control_id) {
    switch (key.place) {
    case KeyPlace::Window: return true;
    case KeyPlace::Control: return key.control_id == control_id;
    case KeyPlace::AnyButton:
    case KeyPlace::FindBar: break;
    }
    const std::size_t i = control_row_with_id(control_id);
    if (i == CONTROL_COUNT) return false;
    const ControlRow& row = CONTROL_ROWS[i];
    return key.place == KeyPlace::AnyButton ? row.class_kind == ControlClass::Button
                                            : find_bar_row(row) != FindBar::Hidden;
}

constexpr bool is_button(std::int32_t id) {
    const std::size_t i = control_row_with_id(id);
    return i < CONTROL_COUNT && CONTROL_ROWS[i].class_kind == ControlClass::Button;
}

// Some key-down in some control would reach both. Only a control's own key, such as the
// memo's tab, may come before a window's key of the same chord, and never before a
// button's key, which works from anywhere.
constexpr bool clash(const Shortcut& a, const Shortcut& b) {
    if (!overlap(a.key.chord, b.key.chord)) return false;
    const auto keeps = [](const Shortcut& own, const Shortcut& window) {
        return own.keeps_window_keys && window.key.place == KeyPlace::Window && !is_button(window.action.command_id);
    };
    if (keeps(a, b) || keeps(b, a)) return false;
    if (a.key.place == KeyPlace::Window || b.key.place == KeyPlace::Window) return true;
    for (const ControlRow& row : CONTROL_ROWS) {
        if (row.id != 0 && works_in(a.key, row.id) && works_in(b.key, row.id)) return true;
    }
    return false;
}

constexpr KeyText named(const Shortcut& s) {
    KeyText text;
    text.append(s.row).append(": ");
    const KeyText keys = chord_text(s.key.chord);
    if (keys.size > 0) return text.append(keys.view());
    constexpr std::string_view HEX = "0123456789ABCDEF";
    const std::uint32_t key = s.key.chord.virtual_key;
    const char code[] = {'k', 'e', 'y', ' ', HEX[(key >> 4) & 0xF], HEX[key & 0xF]};
    return text.append(std::string_view(code, std::size(code)));
}

constexpr TwoRows first_key_clash() {
    for (std::size_t i = 0; i < SHORTCUTS.size(); ++i) {
        for (std::size_t j = i + 1; j < SHORTCUTS.size(); ++j) {
            if (clash(SHORTCUTS[i], SHORTCUTS[j])) return {named(SHORTCUTS[i]), named(SHORTCUTS[j])};
        }
    }
    return {};
}
static_assert(no_two_rows<first_key_clash()>());

}  // namespace

std::optional<ShortcutAction> find_shortcut(std::uint32_t virtual_key, bool ctrl, bool shift, std::int32_t control_id) {
    for (const bool window_wide : {false, true}) {
        for (const Shortcut& s : SHORTCUTS) {
            if ((s.key.place == KeyPlace::Window) != window_wide) continue;
            if (s.key.chord.matches(virtual_key, ctrl, shift) && works_in(s.key, control_id)) return s.action;
        }
    }
    return std::nullopt;
}

bool is_paste_key(std::uint32_t virtual_key, bool ctrl, bool shift) {
    return (ctrl && virtual_key == 'V') || (shift && virtual_key == keys::INSERT);
}

bool key_breaks_undo_group(std::uint32_t virtual_key, bool ctrl, bool shift) {
    if (virtual_key == keys::BACK || virtual_key == keys::DELETE_KEY) return true;
    return (ctrl && virtual_key == 'X') || is_paste_key(virtual_key, ctrl, shift);
}

bool char_breaks_undo_group(std::uint32_t code) {
    if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    const auto c = static_cast<char32_t>(code);
    if (is_white_space(c)) return true;
    switch (c) {
    case U'%':
    case U'(':
    case U')':
    case U'*':
    case U'+':
    case U'-':
    case U'/':
    case U'=':
    case U'\u00D7':
    case U'\u00F7': return true;
    default: return false;
    }
}

}  // namespace numvora
