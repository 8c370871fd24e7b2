// The settings dialog without a window: its rows in order, made from the preferences'
// rows (storage/settings.h), each a control, its text and the preference it shows; its
// texts, where each row goes, and the hot-key control's form of a key. The dialog's
// creation, Tab order, values, check boxes and screen-reader names all walk the rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "storage/hot_key.h"
#include "storage/settings.h"
#include "ui/layout/pixel_rect.h"

namespace numvora {

inline constexpr std::string_view SETTINGS_TITLE = "설정";

// "단축키 Ctrl+Alt+Space를 다른 프로그램이 쓰고 있습니다": the status line says it once when
// the key cannot be had, and the dialog shows it under the key.
std::string hot_key_taken_text(const HotKey& key);

enum class SettingKind : std::uint8_t { Caption, HotKeyBox, TakenNote, Check, ZoomList, OkButton, CancelButton };

struct SettingRow {
    SettingKind kind = SettingKind::Caption;
    std::int32_t id = 0;         // the control's id; IDOK (1) and IDCANCEL (2) for the buttons
    std::string_view text = {};  // a caption's, a check box's or a button's
    std::string_view name = {};  // a box's screen-reader name, which its caption gives
    std::int32_t needs = 0;      // the check box that must be on for this one to act
    // The preference it shows: a check box's switch, the key of the hot-key box and of
    // its note, the zoom of the list.
    bool Preferences::*option = nullptr;
    HotKey Preferences::*key = nullptr;
    std::int32_t Preferences::*zoom = nullptr;
};

namespace setting_rows {

// A preference as its row gives it to the dialog, with the field it shows.
struct Shown {
    PreferenceKind kind;
    std::string_view key;
    std::string_view label;  // empty: not in the dialog
    std::string_view needs;  // the key of the switch it needs, or "none"
    SettingRow field;
};
constexpr SettingRow field_of(bool Preferences::*option) { return {.kind = SettingKind::Check, .option = option}; }
constexpr SettingRow field_of(HotKey Preferences::*key) { return {.kind = SettingKind::HotKeyBox, .key = key}; }
constexpr SettingRow field_of(std::int32_t Preferences::*zoom) { return {.kind = SettingKind::ZoomList, .zoom = zoom}; }

#define NUMVORA_SHOWN_PREFERENCE(key, kind, default_value, label, needs, ...) \
    Shown{PreferenceKind::kind, #key, label, #needs, field_of(&Preferences::key)},
inline constexpr Shown SHOWN[] = {NUMVORA_PREFERENCES(NUMVORA_SHOWN_PREFERENCE)};
#undef NUMVORA_SHOWN_PREFERENCE

// A switch is a check box; a key is its caption, its box and the note under it; the
// zoom is its caption and its list.
constexpr std::size_t rows_of(const Shown& shown) {
    if (shown.label.empty()) return 0;
    return shown.kind == PreferenceKind::Switch ? 1 : shown.kind == PreferenceKind::Key ? 3 : 2;
}

constexpr std::size_t row_count() {
    std::size_t count = 2;  // OK and Cancel
    for (const Shown& shown : SHOWN) count += rows_of(shown);
    return count;
}

// The first control's id; the others follow in the rows' order.
inline constexpr std::int32_t FIRST_ID = 200;

constexpr std::array<SettingRow, row_count()> rows() {
    std::array<SettingRow, row_count()> rows{};
    std::array<std::int32_t, std::size(SHOWN)> ids{};  // each preference's control
    std::size_t at = 0;
    std::int32_t id = FIRST_ID;
    for (std::size_t i = 0; i < std::size(SHOWN); ++i) {
        const Shown& shown = SHOWN[i];
        if (shown.label.empty()) continue;
        SettingRow control = shown.field;
        control.id = ids[i] = id++;
        if (shown.kind == PreferenceKind::Switch) {
            control.text = shown.label;
            for (std::size_t j = 0; j < i; ++j) {
                if (SHOWN[j].key == shown.needs) control.needs = ids[j];
            }
            rows[at++] = control;
            continue;
        }
        control.name = shown.label;
        rows[at++] = {.kind = SettingKind::Caption, .text = shown.label};
        rows[at++] = control;
        if (shown.kind == PreferenceKind::Key)
            rows[at++] = {.kind = SettingKind::TakenNote, .id = id++, .key = control.key};
    }
    rows[at++] = {.kind = SettingKind::OkButton, .id = 1, .text = "확인"};
    rows[at] = {.kind = SettingKind::CancelButton, .id = 2, .text = "취소"};
    return rows;
}

// Each needed switch is one shown before the row that needs it.
constexpr bool needs_name_switches_before() {
    for (std::size_t i = 0; i < std::size(SHOWN); ++i) {
        bool found = SHOWN[i].needs == "none";
        for (std::size_t j = 0; j < i; ++j) {
            found = found || (SHOWN[j].key == SHOWN[i].needs && SHOWN[j].kind == PreferenceKind::Switch &&
                              !SHOWN[j].label.empty());
        }
        if (!found) return false;
    }
    return true;
}
static_assert(needs_name_switches_before(), "a preference needs a switch that the dialog does not show before it");

}  // namespace setting_rows

// In reading and Tab order, one line each but for a box beside its caption: the
// preferences' controls in their rows' order, then OK and Cancel.
inline constexpr std::array<SettingRow, setting_rows::row_count()> SETTING_ROWS = setting_rows::rows();
inline constexpr std::size_t SETTING_ROW_COUNT = SETTING_ROWS.size();

constexpr std::int32_t setting_id(SettingKind kind) {
    for (const SettingRow& row : SETTING_ROWS) {
        if (row.kind == kind) return row.id;
    }
    return 0;
}
inline constexpr std::int32_t SETTING_HOT_KEY_ID = setting_id(SettingKind::HotKeyBox);
inline constexpr std::int32_t SETTING_TAKEN_NOTE_ID = setting_id(SettingKind::TakenNote);
inline constexpr std::int32_t SETTING_ZOOM_ID = setting_id(SettingKind::ZoomList);

struct SettingsLayout {
    PixelBox client;  // the dialog's client size
    std::array<PixelBox, SETTING_ROW_COUNT> boxes;
};

// A caption and its box share a line, the box beside it; a check box that needs
// another sits indented under it; the buttons end the dialog at the right. At the DPI.
SettingsLayout settings_layout(std::uint32_t dpi);

// The hot-key control's word: the key in the low byte, its modifiers in the high one
// (Shift 1, Ctrl 2, Alt 4, and 8 for the keys of the extended block, which it names
// apart from the numeric keypad's). The control knows no Win key.
std::uint16_t hot_key_control_word(const HotKey& key);
HotKey hot_key_of_control_word(std::uint16_t word);

}  // namespace numvora
