// The system-wide key that shows and hides the window: its modifiers and key with the
// values RegisterHotKey takes, and its text, as preferences.txt keeps it and the status
// line and the settings dialog name it ("Ctrl+Alt+Space").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numvora {

// MOD_ALT, MOD_CONTROL, MOD_SHIFT and MOD_WIN.
inline constexpr std::uint32_t HOT_KEY_ALT = 0x1;
inline constexpr std::uint32_t HOT_KEY_CTRL = 0x2;
inline constexpr std::uint32_t HOT_KEY_SHIFT = 0x4;
inline constexpr std::uint32_t HOT_KEY_WIN = 0x8;

struct HotKey {
    std::uint32_t modifiers = 0;
    std::uint32_t virtual_key = 0;  // 0: no key at all

    bool none() const { return virtual_key == 0; }
    bool operator==(const HotKey&) const = default;
};

inline constexpr HotKey DEFAULT_HOT_KEY{HOT_KEY_CTRL | HOT_KEY_ALT, 0x20};

// "Ctrl+Alt+Space", "Ctrl+Shift+F8", "Alt+Num+"; a key without a name as its code
// ("Ctrl+Alt+0xE2"); empty for none.
std::string hot_key_text(const HotKey& key);

// What hot_key_text writes, modifiers in any order and case; empty text is none.
// Nothing for a text it cannot read, and for a key without Ctrl, Alt or Win, which
// would take a plain or shifted key away from every program.
std::optional<HotKey> parse_hot_key(std::string_view text);

}  // namespace numvora
