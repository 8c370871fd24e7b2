#include "storage/preferences.h"

#include <array>

#include "storage/key_rows.h"

namespace numvora {

namespace {

constexpr auto PREFERENCE_ROWS = std::to_array<KeyRow<Preferences>>({
    {"results_margin", [](const Preferences& p) { return bool_text(p.results_margin); },
     [](std::string_view value, Preferences& p) { read_bool(value, p.results_margin); }},
    {"memo_zoom", [](const Preferences& p) { return std::to_string(p.memo_zoom); },
     [](std::string_view value, Preferences& p) {
         const auto zoom = parse_i32(value);
         if (zoom && *zoom >= MEMO_ZOOM_MIN && *zoom <= MEMO_ZOOM_MAX && *zoom % MEMO_ZOOM_STEP == 0)
             p.memo_zoom = *zoom;
     }},
    {"hot_key", [](const Preferences& p) { return hot_key_text(p.hot_key); },
     [](std::string_view value, Preferences& p) {
         if (const auto key = parse_hot_key(value)) p.hot_key = *key;
     }},
    {"tray_icon", [](const Preferences& p) { return bool_text(p.tray_icon); },
     [](std::string_view value, Preferences& p) { read_bool(value, p.tray_icon); }},
    {"close_to_tray", [](const Preferences& p) { return bool_text(p.close_to_tray); },
     [](std::string_view value, Preferences& p) { read_bool(value, p.close_to_tray); }},
    {"start_with_windows", [](const Preferences& p) { return bool_text(p.start_with_windows); },
     [](std::string_view value, Preferences& p) { read_bool(value, p.start_with_windows); }},
    {"amounts_in_man", [](const Preferences& p) { return bool_text(p.amounts_in_man); },
     [](std::string_view value, Preferences& p) { read_bool(value, p.amounts_in_man); }},
});

}  // namespace

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
