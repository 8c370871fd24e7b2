#include "ui/shortcuts.h"

#include <algorithm>
#include <array>

#include "common/unicode.h"
#include "ui/control_ids.h"
#include "ui/control_table.h"
#include "ui/key_chord.h"

namespace numvora {
namespace {

constexpr std::int32_t ANY_CONTROL = 0;
constexpr std::int32_t ANY_BUTTON = -1;       // a push button or the check box
constexpr std::int32_t ANY_IN_FIND_BAR = -2;  // a control of the find bar

constexpr bool matches_control(std::int32_t wanted, std::int32_t control_id) {
    if (wanted == ANY_CONTROL) return true;
    if (wanted != ANY_BUTTON && wanted != ANY_IN_FIND_BAR) return wanted == control_id;
    const ControlRow* row = find_control_row(control_id);
    if (row == nullptr) return false;
    return wanted == ANY_BUTTON ? row->class_kind == ControlClass::Button : find_bar_row(*row) != FindBar::Hidden;
}

struct Shortcut {
    KeyChord key;
    std::int32_t control_id;
    ShortcutAction action;
};

constexpr ShortcutAction post(std::int32_t id) { return {ShortcutAction::Kind::PostCommand, id}; }
constexpr ShortcutAction REDO{ShortcutAction::Kind::Redo, 0};
constexpr ShortcutAction PASS_THROUGH{ShortcutAction::Kind::PassThrough, 0};
constexpr ShortcutAction PRESS{ShortcutAction::Kind::Press, 0};
constexpr Need Y = Need::Yes;
constexpr Need N = Need::No;
constexpr Need ANY = Need::Any;
using namespace keys;

// Ctrl+C, Ctrl+Z and Enter in the memo are absent on purpose: they keep their edit meaning.
// Without a dialog manager, Tab and Enter on a button are the loop's to handle; Space
// presses a focused button by itself.
constexpr auto SHORTCUTS = std::to_array<Shortcut>({
    {{ENTER, N, ANY}, ids::EXPRESSION_EDIT, post(ids::CALCULATE)},
    {{ESCAPE, N, ANY}, ids::EXPRESSION_EDIT, post(ids::CLEAR_EXPRESSION)},
    {{'L', Y, ANY}, ANY_CONTROL, post(ids::FOCUS_EXPRESSION)},
    {{'M', Y, ANY}, ANY_CONTROL, post(ids::FOCUS_MEMO)},
    {{'S', Y, ANY}, ANY_CONTROL, post(ids::SAVE_SHORTCUT)},
    {{'C', Y, Y}, ANY_CONTROL, post(ids::COPY_EXPRESSION_RESULT)},
    {{'Y', Y, ANY}, ids::MEMO_EDIT, REDO},
    {{'Z', Y, Y}, ids::MEMO_EDIT, REDO},
    {{'F', Y, N}, ANY_CONTROL, post(ids::FIND)},
    {{'H', Y, N}, ANY_CONTROL, post(ids::REPLACE)},
    {{'T', Y, Y}, ANY_CONTROL, post(ids::ALWAYS_ON_TOP)},
    {{'R', Y, Y}, ANY_CONTROL, post(ids::MEMO_RESULTS_MARGIN)},
    {{F9, N, N}, ids::MEMO_EDIT, post(ids::MEMO_EVALUATE)},
    {{F10, N, Y}, ids::MEMO_EDIT, post(ids::MEMO_MENU)},
    {{APPS, N, N}, ids::MEMO_EDIT, post(ids::MEMO_MENU)},
    {{TAB, N, ANY}, ids::MEMO_EDIT, PASS_THROUGH},  // Ctrl+Tab leaves the memo
    {{TAB, ANY, N}, ANY_CONTROL, post(ids::FOCUS_NEXT)},
    {{TAB, ANY, Y}, ANY_CONTROL, post(ids::FOCUS_PREVIOUS)},
    {{ENTER, N, N}, ids::FIND_BOX, post(ids::FIND_NEXT)},
    {{ENTER, N, Y}, ids::FIND_BOX, post(ids::FIND_PREVIOUS)},
    {{ENTER, N, ANY}, ids::REPLACE_BOX, post(ids::REPLACE_ONE)},
    {{ESCAPE, N, ANY}, ANY_IN_FIND_BAR, post(ids::FIND_CLOSE)},
    {{ENTER, N, ANY}, ANY_BUTTON, PRESS},
    {{OEM_PLUS, Y, ANY}, ANY_CONTROL, post(ids::MEMO_ZOOM_IN)},
    {{ADD, Y, ANY}, ANY_CONTROL, post(ids::MEMO_ZOOM_IN)},
    {{OEM_MINUS, Y, ANY}, ANY_CONTROL, post(ids::MEMO_ZOOM_OUT)},
    {{SUBTRACT, Y, ANY}, ANY_CONTROL, post(ids::MEMO_ZOOM_OUT)},
    {{'0', Y, N}, ANY_CONTROL, post(ids::MEMO_ZOOM_RESET)},
    {{NUMPAD0, Y, N}, ANY_CONTROL, post(ids::MEMO_ZOOM_RESET)},
});

constexpr std::size_t count_control_keys() {
    std::size_t n = 0;
    for (const ControlRow& row : CONTROL_ROWS) n += row.key.virtual_key != 0 ? 1 : 0;
    return n;
}

// A button's own key posts its command from anywhere: no row of the table may want the
// same key-down, or one of the two would silently lose it.
constexpr bool button_keys_stand_alone() {
    for (const ControlRow& row : CONTROL_ROWS) {
        for (const Shortcut& s : SHORTCUTS) {
            if (overlap(row.key, s.key)) return false;
        }
    }
    return true;
}
static_assert(button_keys_stand_alone());

constexpr auto make_all_shortcuts() {
    std::array<Shortcut, count_control_keys() + SHORTCUTS.size()> all{};
    std::size_t n = 0;
    for (const ControlRow& row : CONTROL_ROWS) {
        if (row.key.virtual_key != 0) all[n++] = {row.key, ANY_CONTROL, post(row.id)};
    }
    for (const Shortcut& s : SHORTCUTS) all[n++] = s;
    return all;
}
constexpr auto ALL_SHORTCUTS = make_all_shortcuts();

// Letters, digits and the function keys: the keys a menu names.
std::string key_name(std::uint32_t virtual_key) {
    if ((virtual_key >= 'A' && virtual_key <= 'Z') || (virtual_key >= '0' && virtual_key <= '9'))
        return std::string(1, static_cast<char>(virtual_key));
    if (virtual_key >= F1 && virtual_key <= F12) return std::string("F").append(std::to_string(virtual_key - F1 + 1));
    return {};
}

}  // namespace

std::optional<ShortcutAction> find_shortcut(std::uint32_t virtual_key, bool ctrl, bool shift, std::int32_t control_id) {
    for (const Shortcut& s : ALL_SHORTCUTS) {
        if (s.key.matches(virtual_key, ctrl, shift) && matches_control(s.control_id, control_id)) return s.action;
    }
    return std::nullopt;
}

std::string shortcut_key_text(std::int32_t command_id) {
    for (const Shortcut& s : ALL_SHORTCUTS) {
        if (s.action != post(command_id)) continue;
        const std::string key = key_name(s.key.virtual_key);
        if (key.empty()) return {};
        std::string text;
        if (s.key.ctrl == Need::Yes) text.append("Ctrl+");
        if (s.key.shift == Need::Yes) text.append("Shift+");
        return text.append(key);
    }
    return {};
}

std::vector<std::int32_t> shortcut_commands() {
    std::vector<std::int32_t> ids;
    for (const Shortcut& s : ALL_SHORTCUTS) {
        const bool posts = s.action.kind == ShortcutAction::Kind::PostCommand;
        if (posts && std::find(ids.begin(), ids.end(), s.action.command_id) == ids.end())
            ids.push_back(s.action.command_id);
    }
    return ids;
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
