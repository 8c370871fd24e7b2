// The settings dialog without a window: its rows in order (each a control, its text
// and the option it shows), its texts, where each row goes, and the hot-key control's
// form of a key. The dialog's creation, Tab order, check boxes and screen-reader names
// all walk the rows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "storage/hot_key.h"
#include "storage/preferences.h"
#include "ui/layout/pixel_rect.h"

namespace numvora {

inline constexpr std::string_view SETTINGS_TITLE = "설정";

// "단축키 Ctrl+Alt+Space를 다른 프로그램이 쓰고 있습니다": the status line says it once when
// the key cannot be had, and the dialog shows it under the key.
std::string hot_key_taken_text(const HotKey& key);

enum class SettingKind : std::uint8_t { Caption, HotKeyBox, TakenNote, Check, ZoomList, OkButton, CancelButton };

struct SettingRow {
    SettingKind kind;
    std::int32_t id;  // the control's id; IDOK (1) and IDCANCEL (2) for the buttons
    std::string_view text;
    std::wstring_view accessible_name = {};  // a box's name, which its caption gives; NUL-terminated
    bool Preferences::*option = nullptr;     // the option a check box shows
    std::int32_t needs = 0;                  // the check box that must be on for this one to act
};

inline constexpr std::int32_t SETTING_HOT_KEY_ID = 200;
inline constexpr std::int32_t SETTING_TAKEN_NOTE_ID = 201;
inline constexpr std::int32_t SETTING_TRAY_ICON_ID = 202;
inline constexpr std::int32_t SETTING_RESULTS_MARGIN_ID = 205;
inline constexpr std::int32_t SETTING_ZOOM_ID = 207;

// In reading and Tab order, one line each but for a box beside its caption.
inline constexpr auto SETTING_ROWS = std::to_array<SettingRow>({
    {SettingKind::Caption, 0, "전역 단축키"},
    {SettingKind::HotKeyBox, SETTING_HOT_KEY_ID, "", L"전역 단축키"},
    {SettingKind::TakenNote, SETTING_TAKEN_NOTE_ID, ""},
    {SettingKind::Check, SETTING_TRAY_ICON_ID, "알림 영역에 아이콘 표시", {}, &Preferences::tray_icon},
    {SettingKind::Check, 203, "닫으면 알림 영역으로", {}, &Preferences::close_to_tray, SETTING_TRAY_ICON_ID},
    {SettingKind::Check, 204, "Windows 시작 시 실행", {}, &Preferences::start_with_windows},
    {SettingKind::Check, SETTING_RESULTS_MARGIN_ID, "줄마다 계산 결과 보기", {}, &Preferences::results_margin},
    {SettingKind::Check, 206, "금액을 만 단위로 보기", {}, &Preferences::amounts_in_man, SETTING_RESULTS_MARGIN_ID},
    {SettingKind::Caption, 0, "메모 확대"},
    {SettingKind::ZoomList, SETTING_ZOOM_ID, "", L"메모 확대"},
    {SettingKind::OkButton, 1, "확인"},
    {SettingKind::CancelButton, 2, "취소"},
});
inline constexpr std::size_t SETTING_ROW_COUNT = SETTING_ROWS.size();

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
