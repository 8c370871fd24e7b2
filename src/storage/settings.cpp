#include "storage/settings.h"

#include <array>

#include "storage/files/file_io.h"
#include "storage/key_rows.h"

namespace numvora {

namespace {

using Row = KeyRow<AppSettings>;

std::string optional_number(const std::optional<std::int32_t>& value) {
    return value ? std::to_string(*value) : std::string();
}

void read_size(std::string_view value, std::int32_t& field) {
    const auto parsed = parse_i32(value);
    if (parsed && *parsed > 0) field = *parsed;
}

// In the file's order; "version" is written and never read.
constexpr auto SETTING_ROWS = std::to_array<Row>({
    {"version", [](const AppSettings&) { return std::string("1"); }, [](std::string_view, AppSettings&) {}},
    // A bad position clears an earlier good one: the window is then placed anew.
    {"window_x", [](const AppSettings& s) { return optional_number(s.window_x); },
     [](std::string_view value, AppSettings& s) { s.window_x = parse_i32(value); }},
    {"window_y", [](const AppSettings& s) { return optional_number(s.window_y); },
     [](std::string_view value, AppSettings& s) { s.window_y = parse_i32(value); }},
    {"window_width", [](const AppSettings& s) { return std::to_string(s.window_width); },
     [](std::string_view value, AppSettings& s) { read_size(value, s.window_width); }},
    {"window_height", [](const AppSettings& s) { return std::to_string(s.window_height); },
     [](std::string_view value, AppSettings& s) { read_size(value, s.window_height); }},
    {"calculator_side", [](const AppSettings& s) { return std::string(s.calculator_side ? "right" : "left"); },
     [](std::string_view value, AppSettings& s) {
         if (value == "right") s.calculator_side = true;
         if (value == "left") s.calculator_side = false;
     }},
    {"calculator_percent", [](const AppSettings& s) { return std::to_string(s.calculator_percent); },
     [](std::string_view value, AppSettings& s) {
         const auto percent = parse_u8(value);
         if (percent && *percent >= 30 && *percent <= 70) s.calculator_percent = *percent;
     }},
    {"always_on_top", [](const AppSettings& s) { return bool_text(s.always_on_top); },
     [](std::string_view value, AppSettings& s) { read_bool(value, s.always_on_top); }},
    {"group_thousands", [](const AppSettings& s) { return bool_text(s.group_thousands); },
     [](std::string_view value, AppSettings& s) { read_bool(value, s.group_thousands); }},
    {"dark_mode", [](const AppSettings& s) { return bool_text(s.dark_mode); },
     [](std::string_view value, AppSettings& s) { read_bool(value, s.dark_mode); }},
});

// The preferences' rows, from their list.
#define NUMVORA_PREFERENCE_ROW(key, kind, ...)                                                          \
    KeyRow<Preferences>{                                                                                \
        #key, [](const Preferences& p) { return PreferenceValue<PreferenceKind::kind>::write(p.key); }, \
        [](std::string_view value, Preferences& p) { PreferenceValue<PreferenceKind::kind>::read(value, p.key); }},
constexpr auto PREFERENCE_ROWS = std::to_array<KeyRow<Preferences>>({NUMVORA_PREFERENCES(NUMVORA_PREFERENCE_ROW)});
#undef NUMVORA_PREFERENCE_ROW

}  // namespace

std::string format_settings(const AppSettings& settings) {
    return format_key_rows<AppSettings>(SETTING_ROWS, settings);
}

AppSettings parse_settings(std::string_view text) { return parse_key_rows<AppSettings>(SETTING_ROWS, text); }

StorageResult<AppSettings> load_settings(const std::string& settings_file) {
    return load_key_rows<AppSettings>(SETTING_ROWS, settings_file);
}

Result<void, StorageError> save_settings(const DataPaths& paths, const AppSettings& settings, const WriteCalls& calls) {
    return write_data_file(paths.folder, paths.settings_file, format_settings(settings), calls);
}

std::string PreferenceValue<PreferenceKind::Switch>::write(bool value) { return bool_text(value); }
void PreferenceValue<PreferenceKind::Switch>::read(std::string_view text, bool& value) { read_bool(text, value); }

std::string PreferenceValue<PreferenceKind::Key>::write(const HotKey& value) { return hot_key_text(value); }
void PreferenceValue<PreferenceKind::Key>::read(std::string_view text, HotKey& value) {
    if (const auto key = parse_hot_key(text)) value = *key;
}

std::string PreferenceValue<PreferenceKind::Zoom>::write(std::int32_t value) { return std::to_string(value); }
void PreferenceValue<PreferenceKind::Zoom>::read(std::string_view text, std::int32_t& value) {
    const auto zoom = parse_i32(text);
    if (zoom && *zoom >= MEMO_ZOOM_MIN && *zoom <= MEMO_ZOOM_MAX && *zoom % MEMO_ZOOM_STEP == 0) value = *zoom;
}

std::string format_preferences(const Preferences& preferences) {
    return format_key_rows<Preferences>(PREFERENCE_ROWS, preferences);
}

Preferences parse_preferences(std::string_view text) { return parse_key_rows<Preferences>(PREFERENCE_ROWS, text); }

StorageResult<Preferences> load_preferences(const std::string& preferences_file) {
    return load_key_rows<Preferences>(PREFERENCE_ROWS, preferences_file);
}

Result<void, StorageError> save_preferences(const DataPaths& paths, const Preferences& preferences,
                                            const WriteCalls& calls) {
    return write_data_file(paths.folder, paths.preferences_file, format_preferences(preferences), calls);
}

}  // namespace numvora
