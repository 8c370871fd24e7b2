// The help page's keys: every key of the command list, with its row's label or, for a
// command that no menu shows, the words below. The build refuses a row with a key that
// neither names.
#include <string>

#include "ui/commands.h"
#include "ui/help/help_page.h"

namespace numvora {
namespace {

struct KeyWords {
    std::int32_t id;
    std::string_view what;
};

// What the commands without a menu label do.
constexpr KeyWords UNLABELLED[] = {
    {ids::CALCULATE, "계산"},
    {ids::CLEAR_EXPRESSION, "계산식 지우기"},
    {ids::CLEAR_HISTORY, "기록 지우기"},
    {ids::EXPRESSION_RESULT_TO_MEMO, "식과 결과를 메모에 넣기"},
    {ids::COPY_EXPRESSION_RESULT, "식과 결과 복사"},
    {ids::SAVE, "문서로 저장"},
    {ids::LOAD, "문서 불러오기"},
    {ids::FOCUS_EXPRESSION, "계산식 칸으로"},
    {ids::FOCUS_MEMO, "메모로"},
    {ids::FOCUS_NEXT, "다음 칸으로"},
    {ids::FOCUS_PREVIOUS, "이전 칸으로"},
    {ids::MEMO_MENU, "메모 메뉴 열기"},
    {ids::MEMO_ZOOM_IN, "메모 글자 크게"},
    {ids::MEMO_ZOOM_OUT, "메모 글자 작게"},
    {ids::MEMO_ZOOM_RESET, "메모 글자 원래 크기로"},
    {ids::FIND_NEXT, "다음 찾기"},
    {ids::FIND_PREVIOUS, "이전 찾기"},
    {ids::FIND_CLOSE, "찾기 막대 닫기"},
    {ids::REPLACE_ONE, "바꾸기"},
};

constexpr std::string_view words_of(const Command& command) {
    if (!command.label.empty()) return command.label;
    for (const KeyWords& words : UNLABELLED) {
        if (words.id == command.id) return words.what;
    }
    return {};
}

// Menus name fewer keys than the page does.
constexpr std::string_view extra_key_name(std::uint32_t key) {
    using namespace keys;
    switch (key) {
    case ENTER: return "Enter";
    case ESCAPE: return "Esc";
    case TAB: return "Tab";
    case APPS: return "메뉴 키";
    case OEM_PLUS: return "=";
    case OEM_MINUS: return "-";
    case OEM_COMMA: return ",";
    case ADD: return "숫자 키패드 +";
    case SUBTRACT: return "숫자 키패드 -";
    case NUMPAD0: return "숫자 키패드 0";
    default: return {};
    }
}

constexpr bool has_key(const Command& command) {
    for (const KeyBinding& key : command.keys) {
        if (key.chord.virtual_key != 0) return true;
    }
    return false;
}

constexpr bool every_key_is_named() {
    for (const Command& command : COMMANDS) {
        if (!has_key(command)) continue;
        if (words_of(command).empty()) return false;
        for (const KeyBinding& key : command.keys) {
            const std::uint32_t code = key.chord.virtual_key;
            if (code != 0 && key_name(code).size == 0 && extra_key_name(code).empty()) return false;
        }
    }
    return true;
}
static_assert(every_key_is_named(), "a command's key that the help page cannot name, or a key without words");

std::string_view place_text(const KeyBinding& key) {
    if (key.place == KeyPlace::FindBar) return "찾기 막대에서";
    if (key.place != KeyPlace::Control) return {};
    switch (key.control_id) {
    case ids::MEMO_EDIT: return "메모에서";
    case ids::EXPRESSION_EDIT: return "계산식 칸에서";
    case ids::FIND_BOX: return "찾기 칸에서";
    case ids::REPLACE_BOX: return "바꾸기 칸에서";
    default: return {};
    }
}

std::string key_text(const KeyBinding& key) {
    std::string text;
    if (key.chord.ctrl == Need::Yes) text += "Ctrl+";
    if (key.chord.shift == Need::Yes) text += "Shift+";
    const KeyText name = key_name(key.chord.virtual_key);
    return text.append(name.size > 0 ? name.view() : extra_key_name(key.chord.virtual_key));
}

// "Ctrl+Y, Ctrl+Shift+Z (메모에서)", "F3, Enter (찾기 칸에서)": where a key works when that
// is one place, once after the keys that share it.
std::string keys_text(const Command& command) {
    std::string text;
    for (std::size_t i = 0; i < command.keys.size(); ++i) {
        const KeyBinding& key = command.keys[i];
        if (key.chord.virtual_key == 0) continue;
        if (!text.empty()) text += ", ";
        text += key_text(key);
        const std::string_view place = place_text(key);
        const bool next_shares = i + 1 < command.keys.size() && command.keys[i + 1].chord.virtual_key != 0 &&
                                 place_text(command.keys[i + 1]) == place;
        if (!place.empty() && !next_shares) text.append(" (").append(place).append(")");
    }
    return text;
}

// "설정…" is "설정" on the page.
std::string_view without_ellipsis(std::string_view text) {
    constexpr std::string_view ELLIPSIS = "…";
    if (text.ends_with(ELLIPSIS)) text.remove_suffix(ELLIPSIS.size());
    return text;
}

}  // namespace

std::vector<HelpKey> help_keys() {
    std::vector<HelpKey> out;
    for (const Command& command : COMMANDS) {
        if (!has_key(command)) continue;
        HelpKey key{keys_text(command), std::string(without_ellipsis(words_of(command)))};
        out.push_back(std::move(key));
    }
    return out;
}

}  // namespace numvora
