// preferences.txt: the options settings.txt does not know (its ten lines stay as they
// are), read as tolerantly: unknown keys are ignored and a bad value keeps the default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "storage/files/data_paths.h"
#include "storage/files/file_io.h"
#include "storage/hot_key.h"
#include "storage/storage_error.h"

namespace numvora {

inline constexpr std::int32_t MEMO_ZOOM_MIN = 50;
inline constexpr std::int32_t MEMO_ZOOM_MAX = 400;
inline constexpr std::int32_t MEMO_ZOOM_STEP = 10;
inline constexpr std::int32_t MEMO_ZOOM_DEFAULT = 100;

struct Preferences {
    bool results_margin = false;                 // each memo line's result beside it
    std::int32_t memo_zoom = MEMO_ZOOM_DEFAULT;  // percent, MEMO_ZOOM_MIN to MEMO_ZOOM_MAX in steps
    HotKey hot_key = DEFAULT_HOT_KEY;            // shows and hides the window from anywhere; none: no key
    bool tray_icon = false;                      // an icon in the notification area
    bool close_to_tray = false;                  // with the icon, the close button hides the window
    bool start_with_windows = false;             // the user's Run entry starts it hidden (with the icon)
    bool amounts_in_man = false;                 // every result of the margin written in 만 and 억

    bool operator==(const Preferences&) const = default;
};

std::string format_preferences(const Preferences& preferences);
Preferences parse_preferences(std::string_view text);  // never fails: per-key fallbacks

// A missing file gives the defaults; any other read failure is returned.
StorageResult<Preferences> load_preferences(const std::string& preferences_file);
Result<void, StorageError> save_preferences(const DataPaths& paths, const Preferences& preferences,
                                            const WriteCalls& calls = {});

}  // namespace numvora
