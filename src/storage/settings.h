// settings.txt: window geometry, calculator side and share, and three toggles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "storage/files/data_paths.h"
#include "storage/files/file_io.h"
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

}  // namespace numvora
