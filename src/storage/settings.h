// The user's settings, in two files of the data folder read as tolerantly (unknown keys
// are ignored and a bad value keeps the default): settings.txt, the window's geometry,
// the calculator's side and share and three toggles, whose ten lines stay as they are;
// and preferences.txt, the options of the settings dialog, one row each in
// NUMVORA_PREFERENCES.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "storage/files/data_paths.h"
#include "storage/files/file_io.h"
#include "storage/hot_key.h"
#include "storage/storage_error.h"

namespace numvora {

// The calculator panel's share of the usable width when nothing else is known.
inline constexpr std::uint8_t DEFAULT_CALCULATOR_PERCENT = 42;

struct AppSettings {
    std::optional<std::int32_t> window_x;
    std::optional<std::int32_t> window_y;
    std::int32_t window_width = 860;
    std::int32_t window_height = 700;
    bool calculator_side = false;  // true: calculator panel on the right
    bool always_on_top = false;
    bool group_thousands = false;
    bool dark_mode = false;
    std::uint8_t calculator_percent = DEFAULT_CALCULATOR_PERCENT;

    bool operator==(const AppSettings&) const = default;
};

std::string format_settings(const AppSettings& settings);
AppSettings parse_settings(std::string_view text);  // never fails: per-key fallbacks

// A missing file gives the defaults; any other read failure is returned.
StorageResult<AppSettings> load_settings(const std::string& settings_file);
Result<void, StorageError> save_settings(const DataPaths& paths, const AppSettings& settings,
                                         const WriteCalls& calls = {});

inline constexpr std::int32_t MEMO_ZOOM_MIN = 50;
inline constexpr std::int32_t MEMO_ZOOM_MAX = 400;
inline constexpr std::int32_t MEMO_ZOOM_STEP = 10;
inline constexpr std::int32_t MEMO_ZOOM_DEFAULT = 100;

// Every preference, one row each, in the settings dialog's order, which the file keeps
// too. Each layer reads the columns it knows:
//   key      its key in preferences.txt and its field of Preferences
//   kind     what it holds, which gives its text in the file and its control in the
//            dialog: Switch (a check box), Key (the hot-key box with its note) or Zoom
//            (the list of the memo's zoom steps)
//   default  its value while the file gives none it can take
//   label    its text in the dialog: a check box's, or the caption before a box
//   needs    the switch that must be on for this one to act (its box is greyed), or none
//   lives    where the window keeps it while it runs, a field of its feature's record
//            (state.lives)
//   apply    its feature's step that makes the window follow it: a void or bool function
//            of the AppState; false when it could not, having said why
//   start    when the start applies it (platform/windows/state/window_preferences.h)
// clang-format off
#define NUMVORA_PREFERENCES(V)                                                                                        \
    V(hot_key, Key, DEFAULT_HOT_KEY, "전역 단축키", none, hot_key->wanted, register_hot_key, OnFirstPaint)            \
    V(tray_icon, Switch, false, "알림 영역에 아이콘 표시", none, tray->wanted, show_wanted_tray_icon, OnceAnswering)   \
    V(close_to_tray, Switch, false, "닫으면 알림 영역으로", tray_icon, tray->close_to_tray, show_wanted_tray_icon,    \
      OnceAnswering)                                                                                                       \
    V(start_with_windows, Switch, false, "Windows 시작 시 실행", none, run_entry->on, write_run_entry, Never)          \
    V(results_margin, Switch, false, "줄마다 계산 결과 보기", none, margin->on, apply_results_margin, OnCreate)        \
    V(amounts_in_man, Switch, false, "금액을 만 단위로 보기", results_margin, margin->in_man, apply_results_margin,    \
      OnCreate)                                                                                                       \
    V(memo_zoom, Zoom, MEMO_ZOOM_DEFAULT, "메모 확대", none, zoom->percent, follow_memo_zoom, OnCreate)
// clang-format on

enum class PreferenceKind : std::uint8_t { Switch, Key, Zoom };

// Each kind's value and its text in the file; a text it cannot take keeps the value.
template <PreferenceKind kind>
struct PreferenceValue;
template <>
struct PreferenceValue<PreferenceKind::Switch> {
    using Type = bool;
    static std::string write(bool value);  // "true" or "false", and only those read
    static void read(std::string_view text, bool& value);
};
template <>
struct PreferenceValue<PreferenceKind::Key> {
    using Type = HotKey;
    static std::string write(const HotKey& value);  // as hot_key_text writes it
    static void read(std::string_view text, HotKey& value);
};
template <>
struct PreferenceValue<PreferenceKind::Zoom> {
    using Type = std::int32_t;
    static std::string write(std::int32_t value);
    static void read(std::string_view text, std::int32_t& value);  // a step from MEMO_ZOOM_MIN to MAX
};

struct Preferences {
#define NUMVORA_PREFERENCE_FIELD(key, kind, default_value, ...) \
    PreferenceValue<PreferenceKind::kind>::Type key = default_value;
    NUMVORA_PREFERENCES(NUMVORA_PREFERENCE_FIELD)
#undef NUMVORA_PREFERENCE_FIELD

    bool operator==(const Preferences&) const = default;
};

std::string format_preferences(const Preferences& preferences);
Preferences parse_preferences(std::string_view text);  // never fails: per-key fallbacks

// A missing file gives the defaults; any other read failure is returned.
StorageResult<Preferences> load_preferences(const std::string& preferences_file);
Result<void, StorageError> save_preferences(const DataPaths& paths, const Preferences& preferences,
                                            const WriteCalls& calls = {});

}  // namespace numvora
