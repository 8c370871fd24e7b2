#include "storage/hot_key.h"

#include <array>

namespace numvora {
namespace {

struct KeyName {
    std::uint32_t virtual_key;
    std::string_view name;
};

// The keys with a name of their own; letters, digits and F1 to F24 are made below.
constexpr auto KEY_NAMES = std::to_array<KeyName>({
    {0x08, "Backspace"}, {0x09, "Tab"},      {0x0D, "Enter"},       {0x13, "Pause"},  {0x1B, "Esc"},    {0x20, "Space"},
    {0x21, "PageUp"},    {0x22, "PageDown"}, {0x23, "End"},         {0x24, "Home"},   {0x25, "Left"},   {0x26, "Up"},
    {0x27, "Right"},     {0x28, "Down"},     {0x2C, "PrintScreen"}, {0x2D, "Insert"}, {0x2E, "Delete"}, {0x6A, "Num*"},
    {0x6B, "Num+"},      {0x6D, "Num-"},     {0x6E, "Num."},        {0x6F, "Num/"},   {0xBA, ";"},      {0xBB, "="},
    {0xBC, ","},         {0xBD, "-"},        {0xBE, "."},           {0xBF, "/"},      {0xC0, "`"},      {0xDB, "["},
    {0xDC, "\\"},        {0xDD, "]"},        {0xDE, "'"},
});

struct ModifierName {
    std::uint32_t bit;
    std::string_view name;
};
constexpr ModifierName MODIFIER_NAMES[] = {
    {HOT_KEY_CTRL, "Ctrl"}, {HOT_KEY_ALT, "Alt"}, {HOT_KEY_SHIFT, "Shift"}, {HOT_KEY_WIN, "Win"}};

// The modifier keys themselves are no key of a hot key.
constexpr bool is_modifier_key(std::uint32_t key) {
    return (key >= 0x10 && key <= 0x12) || key == 0x5B || key == 0x5C || (key >= 0xA0 && key <= 0xA5);
}

constexpr char to_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (to_lower(a[i]) != to_lower(b[i])) return false;
    }
    return true;
}

constexpr std::string_view HEX = "0123456789ABCDEF";

std::string key_name(std::uint32_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= 0x60 && key <= 0x69) {
        std::string name = "Num0";
        name.back() = static_cast<char>('0' + key - 0x60);
        return name;
    }
    if (key >= 0x70 && key <= 0x87) return std::string("F").append(std::to_string(key - 0x70 + 1));
    for (const KeyName& named : KEY_NAMES) {
        if (named.virtual_key == key) return std::string(named.name);
    }
    std::string code = "0x00";
    code[2] = HEX[(key >> 4) & 0xF];
    code[3] = HEX[key & 0xF];
    return code;
}

// Every key but the modifiers by its name as written, a key without one by its code.
std::optional<std::uint32_t> key_of_name(std::string_view name) {
    for (std::uint32_t key = 1; key < 0xFF; ++key) {
        if (!is_modifier_key(key) && same_ignoring_case(name, key_name(key))) return key;
    }
    return std::nullopt;
}

}  // namespace

std::string hot_key_text(const HotKey& key) {
    if (key.none()) return {};
    std::string text;
    for (const ModifierName& modifier : MODIFIER_NAMES) {
        if ((key.modifiers & modifier.bit) != 0) text.append(modifier.name).append("+");
    }
    return text + key_name(key.virtual_key);
}

std::optional<HotKey> parse_hot_key(std::string_view text) {
    if (text.empty()) return HotKey{};
    HotKey key;
    // Each modifier is a prefix ending in "+", so that "+" itself can end a key's name.
    for (bool found = true; found;) {
        found = false;
        for (const ModifierName& modifier : MODIFIER_NAMES) {
            const std::size_t length = modifier.name.size() + 1;
            if (text.size() > length && same_ignoring_case(text.substr(0, modifier.name.size()), modifier.name) &&
                text[modifier.name.size()] == '+') {
                key.modifiers |= modifier.bit;
                text.remove_prefix(length);
                found = true;
            }
        }
    }
    const std::optional<std::uint32_t> virtual_key = key_of_name(text);
    if (!virtual_key || (key.modifiers & (HOT_KEY_CTRL | HOT_KEY_ALT | HOT_KEY_WIN)) == 0) return std::nullopt;
    key.virtual_key = *virtual_key;
    return key;
}

}  // namespace numvora
