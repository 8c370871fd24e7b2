#include "ui/shortcuts.h"

#include <algorithm>
#include <array>

#include "common/unicode.h"
#include "ui/control_ids.h"
#include "ui/control_table.h"

namespace numvora {
namespace {

enum class Need { Yes, No, Any };

constexpr bool satisfies(Need need, bool pressed) { return need == Need::Any || (need == Need::Yes) == pressed; }

constexpr std::int32_t ANY_CONTROL = 0;
constexpr std::int32_t ANY_BUTTON = -1;       // a push button or the check box
constexpr std::int32_t ANY_IN_FIND_BAR = -2;  // a control of the find bar

constexpr bool matches_control(std::int32_t wanted, std::int32_t control_id) {
    if (wanted == ANY_CONTROL) return true;
    if (wanted != ANY_BUTTON && wanted != ANY_IN_FIND_BAR) return wanted == control_id;
    const ControlRow* row = find_control_row(control_id);
    if (row == nullptr) return false;
    return wanted == ANY_BUTTON ? row->class_kind == ControlClass::Button : find_bar_row(row->slot) != FindBar::Hidden;
}

struct Shortcut {
    std::uint32_t virtual_key;
    Need ctrl;
    Need shift;
    std::int32_t control_id;
    ShortcutAction action;
};

constexpr ShortcutAction post(std::int32_t id) { return {ShortcutAction::Kind::PostCommand, id}; }
constexpr ShortcutAction REDO{ShortcutAction::Kind::Redo, 0};
constexpr ShortcutAction PASS_THROUGH{ShortcutAction::Kind::PassThrough, 0};
constexpr ShortcutAction PRESS{ShortcutAction::Kind::Press, 0};
constexpr std::uint32_t VK_TAB_KEY = 0x09;

constexpr std::uint32_t VK_F3_KEY = 0x72;
constexpr std::uint32_t VK_F9_KEY = 0x78;
constexpr std::uint32_t VK_F10_KEY = 0x79;
constexpr std::uint32_t VK_APPS_KEY = 0x5D;
constexpr std::uint32_t VK_OEM_PLUS_KEY = 0xBB;  // "=" and "+" beside the back space
constexpr std::uint32_t VK_OEM_MINUS_KEY = 0xBD;
constexpr std::uint32_t VK_ADD_KEY = 0x6B;  // the numeric keypad's
constexpr std::uint32_t VK_SUBTRACT_KEY = 0x6D;
constexpr std::uint32_t VK_NUMPAD0_KEY = 0x60;

// Ctrl+C, Ctrl+Z and Enter in the memo are absent on purpose: they keep their edit meaning.
// Without a dialog manager, Tab and Enter on a button are the loop's to handle; Space
// presses a focused button by itself.
constexpr auto SHORTCUTS = std::to_array<Shortcut>({
    {0x0D, Need::No, Need::Any, ids::EXPRESSION_EDIT, post(ids::CALCULATE)},
    {0x1B, Need::No, Need::Any, ids::EXPRESSION_EDIT, post(ids::CLEAR_EXPRESSION)},
    {'K', Need::Yes, Need::Any, ANY_CONTROL, post(ids::CLEAR_HISTORY)},
    {'L', Need::Yes, Need::Any, ANY_CONTROL, post(ids::FOCUS_EXPRESSION)},
    {'M', Need::Yes, Need::Any, ANY_CONTROL, post(ids::FOCUS_MEMO)},
    {'S', Need::Yes, Need::Any, ANY_CONTROL, post(ids::SAVE_SHORTCUT)},
    {0x0D, Need::Yes, Need::Any, ANY_CONTROL, post(ids::EXPRESSION_RESULT_TO_MEMO)},
    {'C', Need::Yes, Need::Yes, ANY_CONTROL, post(ids::COPY_EXPRESSION_RESULT)},
    {'Y', Need::Yes, Need::Any, ids::MEMO_EDIT, REDO},
    {'Z', Need::Yes, Need::Yes, ids::MEMO_EDIT, REDO},
    {'O', Need::Yes, Need::No, ANY_CONTROL, post(ids::LOAD)},
    {'F', Need::Yes, Need::No, ANY_CONTROL, post(ids::FIND)},
    {'H', Need::Yes, Need::No, ANY_CONTROL, post(ids::REPLACE)},
    {VK_F3_KEY, Need::No, Need::No, ANY_CONTROL, post(ids::FIND_NEXT)},
    {VK_F3_KEY, Need::No, Need::Yes, ANY_CONTROL, post(ids::FIND_PREVIOUS)},
    {'T', Need::Yes, Need::Yes, ANY_CONTROL, post(ids::ALWAYS_ON_TOP)},
    {'R', Need::Yes, Need::Yes, ANY_CONTROL, post(ids::MEMO_RESULTS_MARGIN)},
    {VK_F9_KEY, Need::No, Need::No, ids::MEMO_EDIT, post(ids::MEMO_EVALUATE)},
    {VK_F10_KEY, Need::No, Need::Yes, ids::MEMO_EDIT, post(ids::MEMO_MENU)},
    {VK_APPS_KEY, Need::No, Need::No, ids::MEMO_EDIT, post(ids::MEMO_MENU)},
    {VK_TAB_KEY, Need::No, Need::Any, ids::MEMO_EDIT, PASS_THROUGH},  // Ctrl+Tab leaves the memo
    {VK_TAB_KEY, Need::Any, Need::No, ANY_CONTROL, post(ids::FOCUS_NEXT)},
    {VK_TAB_KEY, Need::Any, Need::Yes, ANY_CONTROL, post(ids::FOCUS_PREVIOUS)},
    {0x0D, Need::No, Need::No, ids::FIND_BOX, post(ids::FIND_NEXT)},
    {0x0D, Need::No, Need::Yes, ids::FIND_BOX, post(ids::FIND_PREVIOUS)},
    {0x0D, Need::No, Need::Any, ids::REPLACE_BOX, post(ids::REPLACE_ONE)},
    {0x1B, Need::No, Need::Any, ANY_IN_FIND_BAR, post(ids::FIND_CLOSE)},
    {0x0D, Need::No, Need::Any, ANY_BUTTON, PRESS},
    {VK_OEM_PLUS_KEY, Need::Yes, Need::Any, ANY_CONTROL, post(ids::MEMO_ZOOM_IN)},
    {VK_ADD_KEY, Need::Yes, Need::Any, ANY_CONTROL, post(ids::MEMO_ZOOM_IN)},
    {VK_OEM_MINUS_KEY, Need::Yes, Need::Any, ANY_CONTROL, post(ids::MEMO_ZOOM_OUT)},
    {VK_SUBTRACT_KEY, Need::Yes, Need::Any, ANY_CONTROL, post(ids::MEMO_ZOOM_OUT)},
    {'0', Need::Yes, Need::No, ANY_CONTROL, post(ids::MEMO_ZOOM_RESET)},
    {VK_NUMPAD0_KEY, Need::Yes, Need::No, ANY_CONTROL, post(ids::MEMO_ZOOM_RESET)},
});

constexpr std::uint32_t VK_BACK_KEY = 0x08;
constexpr std::uint32_t VK_DELETE_KEY = 0x2E;
constexpr std::uint32_t VK_INSERT_KEY = 0x2D;
constexpr std::uint32_t VK_F1_KEY = 0x70;
constexpr std::uint32_t VK_F12_KEY = 0x7B;

// Letters, digits and the function keys: the keys a menu names.
std::string key_name(std::uint32_t virtual_key) {
    if ((virtual_key >= 'A' && virtual_key <= 'Z') || (virtual_key >= '0' && virtual_key <= '9'))
        return std::string(1, static_cast<char>(virtual_key));
    if (virtual_key >= VK_F1_KEY && virtual_key <= VK_F12_KEY)
        return std::string("F").append(std::to_string(virtual_key - VK_F1_KEY + 1));
    return {};
}

}  // namespace

std::optional<ShortcutAction> find_shortcut(std::uint32_t virtual_key, bool ctrl, bool shift, std::int32_t control_id) {
    for (const Shortcut& s : SHORTCUTS) {
        if (s.virtual_key == virtual_key && satisfies(s.ctrl, ctrl) && satisfies(s.shift, shift) &&
            matches_control(s.control_id, control_id)) {
            return s.action;
        }
    }
    return std::nullopt;
}

std::string shortcut_key_text(std::int32_t command_id) {
    for (const Shortcut& s : SHORTCUTS) {
        if (s.action != post(command_id)) continue;
        const std::string key = key_name(s.virtual_key);
        if (key.empty()) return {};
        std::string text;
        if (s.ctrl == Need::Yes) text.append("Ctrl+");
        if (s.shift == Need::Yes) text.append("Shift+");
        return text.append(key);
    }
    return {};
}

std::vector<std::int32_t> shortcut_commands() {
    std::vector<std::int32_t> ids;
    for (const Shortcut& s : SHORTCUTS) {
        const bool posts = s.action.kind == ShortcutAction::Kind::PostCommand;
        if (posts && std::find(ids.begin(), ids.end(), s.action.command_id) == ids.end())
            ids.push_back(s.action.command_id);
    }
    return ids;
}

bool is_paste_key(std::uint32_t virtual_key, bool ctrl, bool shift) {
    return (ctrl && virtual_key == 'V') || (shift && virtual_key == VK_INSERT_KEY);
}

bool key_breaks_undo_group(std::uint32_t virtual_key, bool ctrl, bool shift) {
    if (virtual_key == VK_BACK_KEY || virtual_key == VK_DELETE_KEY) return true;
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
