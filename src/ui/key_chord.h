// A key and the modifiers it wants, as shortcuts and the control table name keys.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace numvora {

// Virtual-key codes, with the values of the system headers, so that key tables build
// and are tested without them.
namespace keys {
inline constexpr std::uint32_t TAB = 0x09;
inline constexpr std::uint32_t ENTER = 0x0D;
inline constexpr std::uint32_t ESCAPE = 0x1B;
inline constexpr std::uint32_t APPS = 0x5D;  // the menu key
inline constexpr std::uint32_t NUMPAD0 = 0x60;
inline constexpr std::uint32_t ADD = 0x6B;  // the numeric keypad's
inline constexpr std::uint32_t SUBTRACT = 0x6D;
inline constexpr std::uint32_t F1 = 0x70;
inline constexpr std::uint32_t F3 = 0x72;
inline constexpr std::uint32_t F9 = 0x78;
inline constexpr std::uint32_t F10 = 0x79;
inline constexpr std::uint32_t F12 = 0x7B;
inline constexpr std::uint32_t OEM_PLUS = 0xBB;  // "=" and "+" beside the back space
inline constexpr std::uint32_t OEM_COMMA = 0xBC;
inline constexpr std::uint32_t OEM_MINUS = 0xBD;
inline constexpr std::uint32_t BACK = 0x08;
inline constexpr std::uint32_t INSERT = 0x2D;
inline constexpr std::uint32_t DELETE_KEY = 0x2E;
}  // namespace keys

// Whether a modifier must be down, must be up, or does not matter.
enum class Need : std::uint8_t { Yes, No, Any };

constexpr bool satisfies(Need need, bool pressed) { return need == Need::Any || (need == Need::Yes) == pressed; }

struct KeyChord {
    std::uint32_t virtual_key = 0;  // 0: no key
    Need ctrl = Need::No;
    Need shift = Need::Any;

    constexpr bool matches(std::uint32_t key, bool ctrl_down, bool shift_down) const {
        return virtual_key != 0 && key == virtual_key && satisfies(ctrl, ctrl_down) && satisfies(shift, shift_down);
    }
    bool operator==(const KeyChord&) const = default;
};

// Some key-down would match both.
constexpr bool overlap(const KeyChord& a, const KeyChord& b) {
    const auto both = [](Need x, Need y) { return x == Need::Any || y == Need::Any || x == y; };
    return a.virtual_key != 0 && a.virtual_key == b.virtual_key && both(a.ctrl, b.ctrl) && both(a.shift, b.shift);
}

inline constexpr KeyChord NO_KEY{};
constexpr KeyChord chord(std::uint32_t key, Need ctrl, Need shift) { return {key, ctrl, shift}; }

// A short text made at compile time as well as at run time: a menu's key text, a row
// named in the build's message.
struct KeyText {
    std::array<char, 96> chars{};
    std::size_t size = 0;

    constexpr KeyText& append(std::string_view text) {
        for (const char c : text) {
            if (size < chars.size()) chars[size++] = c;
        }
        return *this;
    }
    constexpr std::string_view view() const { return {chars.data(), size}; }
};

// The key as a menu names it ("F3", "Del", "K"); empty for one it does not name.
constexpr KeyText key_name(std::uint32_t virtual_key) {
    KeyText text;
    if ((virtual_key >= 'A' && virtual_key <= 'Z') || (virtual_key >= '0' && virtual_key <= '9')) {
        const char c = static_cast<char>(virtual_key);
        text.append(std::string_view(&c, 1));
    } else if (virtual_key >= keys::F1 && virtual_key <= keys::F12) {
        const std::uint32_t n = virtual_key - keys::F1 + 1;
        const char digits[] = {'F', '1', static_cast<char>('0' + n % 10)};
        text.append(n < 10 ? "F" : std::string_view(digits, 2)).append(std::string_view(&digits[2], 1));
    } else if (virtual_key == keys::DELETE_KEY) {
        text.append("Del");
    }
    return text;
}

// "Ctrl+Shift+T", "F9"; empty when the key has no name.
constexpr KeyText chord_text(const KeyChord& key) {
    const KeyText name = key_name(key.virtual_key);
    KeyText text;
    if (name.size == 0) return text;
    if (key.ctrl == Need::Yes) text.append("Ctrl+");
    if (key.shift == Need::Yes) text.append("Shift+");
    return text.append(name.view());
}

}  // namespace numvora
