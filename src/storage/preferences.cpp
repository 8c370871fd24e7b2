#include "storage/preferences.h"

#include <array>

#include "common/unicode.h"
#include "storage/text_codec.h"

namespace numvora {

namespace {

// One row a preference: its key, how it is written and how a value is taken.
struct PreferenceRow {
    std::string_view key;
    std::string (*write)(const Preferences&);
    void (*read)(std::string_view value, Preferences&);
};

std::string bool_text(bool value) { return value ? "true" : "false"; }

constexpr std::array<PreferenceRow, 2> PREFERENCE_ROWS{{
    {"results_margin", [](const Preferences& p) { return bool_text(p.results_margin); },
     [](std::string_view value, Preferences& p) {
         if (value == "true") p.results_margin = true;
         if (value == "false") p.results_margin = false;
     }},
    {"memo_zoom", [](const Preferences& p) { return std::to_string(p.memo_zoom); },
     [](std::string_view value, Preferences& p) {
         const auto zoom = parse_i32(value);
         if (zoom && *zoom >= MEMO_ZOOM_MIN && *zoom <= MEMO_ZOOM_MAX && *zoom % MEMO_ZOOM_STEP == 0)
             p.memo_zoom = *zoom;
     }},
}};

}  // namespace

std::string format_preferences(const Preferences& preferences) {
    std::string text;
    for (const PreferenceRow& row : PREFERENCE_ROWS) {
        text.append(row.key).append("=").append(row.write(preferences)).append("\n");
    }
    return text;
}

Preferences parse_preferences(std::string_view text) {
    Preferences preferences;
    for (const std::string_view line : split_lines(text)) {
        const auto pair = split_key_value(line);
        if (!pair) continue;
        const std::string_view key = trim_white_space(pair->first);
        for (const PreferenceRow& row : PREFERENCE_ROWS) {
            if (row.key == key) row.read(trim_white_space(pair->second), preferences);
        }
    }
    return preferences;
}

StorageResult<Preferences> load_preferences(const std::string& preferences_file) {
    auto text = read_text_or_empty(preferences_file);
    if (!text) return fail(text.error());
    return parse_preferences(text.value());
}

Result<void, StorageError> save_preferences(const DataPaths& paths, const Preferences& preferences,
                                            const WriteCalls& calls) {
    return write_data_file(paths.folder, paths.preferences_file, format_preferences(preferences), calls);
}

}  // namespace numvora
