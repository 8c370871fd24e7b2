#include "ui/settings_dialog.h"

#include "common/korean_particle.h"
#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

// The hot-key control's modifier bits.
constexpr std::uint16_t CONTROL_SHIFT = 0x1;
constexpr std::uint16_t CONTROL_CTRL = 0x2;
constexpr std::uint16_t CONTROL_ALT = 0x4;
constexpr std::uint16_t CONTROL_EXTENDED = 0x8;

// Page up and down, end, home, the arrows, insert, delete and the keypad's divide.
constexpr bool is_extended_key(std::uint32_t key) {
    return (key >= 0x21 && key <= 0x28) || key == 0x2D || key == 0x2E || key == 0x6F;
}

// The object particle after a key's name as it is read aloud: 을 after a final
// consonant ("F8을", "Home을", "L을"), 를 after a vowel ("Space를", "K를", "F2를"); both
// after a key known only by its code. A keypad key reads as the key it bears.
std::string_view object_particle(std::string_view name) {
    constexpr std::string_view ENDS_IN_CONSONANT[] = {
        "Home", "PageUp", "PageDown", "Tab", "Up", "Down", "PrintScreen", "L", "M", "N", "R", ";", "=", ".", "`"};
    if (name.size() > 3 && name.starts_with("Num")) name.remove_prefix(3);
    for (const std::string_view consonant : ENDS_IN_CONSONANT)
        if (name == consonant) return "을";
    if (name.starts_with("0x")) return "을(를)";
    const char last = name.empty() ? ' ' : name.back();
    if (last >= '0' && last <= '9') return ending_of(static_cast<char32_t>(last)) == Ending::Consonant ? "을" : "를";
    return "를";
}

}  // namespace

std::string hot_key_taken_text(const HotKey& key) {
    const std::string text = hot_key_text(key);
    const std::string name = text.substr(text.rfind('+', text.size() - 2) + 1);
    return "단축키 " + text + std::string(object_particle(name)) + " 다른 프로그램이 쓰고 있습니다";
}

SettingsLayout settings_layout(std::uint32_t dpi) {
    const auto s = [dpi](std::int32_t n) { return scale_for_dpi(n, dpi); };
    const std::int32_t margin = s(14);
    const std::int32_t line = s(30);
    const std::int32_t box_height = s(24);
    const std::int32_t caption_width = s(110);
    const std::int32_t box_width = s(200);
    const std::int32_t indent = s(20);
    const std::int32_t button_width = s(90);
    const std::int32_t button_height = s(28);
    const std::int32_t gap = s(8);
    const std::int32_t width = margin + caption_width + gap + box_width + margin;

    SettingsLayout layout;
    std::int32_t y = margin;
    for (std::size_t i = 0; i < SETTING_ROW_COUNT; ++i) {
        const SettingRow& row = SETTING_ROWS[i];
        PixelBox& box = layout.boxes[i];
        const std::int32_t box_x = margin + caption_width + gap;
        switch (row.kind) {
        case SettingKind::Caption: box = {margin, y, caption_width, box_height}; continue;  // its box follows
        case SettingKind::HotKeyBox:
        case SettingKind::ZoomList: box = {box_x, y, box_width, box_height}; break;
        case SettingKind::TakenNote: box = {box_x, y - s(4), box_width + margin - s(4), box_height}; break;
        case SettingKind::Check: {
            const std::int32_t x = row.needs != 0 ? margin + indent : margin;
            box = {x, y, width - margin - x, box_height};
            break;
        }
        case SettingKind::OkButton:
        case SettingKind::CancelButton: {
            const std::int32_t from_end = row.kind == SettingKind::CancelButton ? 1 : 2;
            box = {width - margin - from_end * button_width - (from_end - 1) * gap, y + gap, button_width,
                   button_height};
            continue;  // the two share the last line
        }
        }
        y += line;
    }
    layout.client = {0, 0, width, y + gap + button_height + margin};
    return layout;
}

std::uint16_t hot_key_control_word(const HotKey& key) {
    std::uint16_t flags = 0;
    if ((key.modifiers & HOT_KEY_SHIFT) != 0) flags |= CONTROL_SHIFT;
    if ((key.modifiers & HOT_KEY_CTRL) != 0) flags |= CONTROL_CTRL;
    if ((key.modifiers & HOT_KEY_ALT) != 0) flags |= CONTROL_ALT;
    if (is_extended_key(key.virtual_key)) flags |= CONTROL_EXTENDED;
    return static_cast<std::uint16_t>(flags << 8 | (key.virtual_key & 0xFF));
}

HotKey hot_key_of_control_word(std::uint16_t word) {
    const std::uint32_t flags = word >> 8;
    HotKey key{0, word & 0xFFu};
    if (key.none()) return {};
    if ((flags & CONTROL_SHIFT) != 0) key.modifiers |= HOT_KEY_SHIFT;
    if ((flags & CONTROL_CTRL) != 0) key.modifiers |= HOT_KEY_CTRL;
    if ((flags & CONTROL_ALT) != 0) key.modifiers |= HOT_KEY_ALT;
    return key;
}

}  // namespace numvora
