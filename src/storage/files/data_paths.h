// The per-user data folder and its files.
#pragma once

#include <string>
#include <string_view>

#include "storage/storage_error.h"

namespace numvora {

inline constexpr std::string_view MEMO_FILE_NAME = "memo.txt";
inline constexpr std::string_view SETTINGS_FILE_NAME = "settings.txt";
inline constexpr std::string_view PREFERENCES_FILE_NAME = "preferences.txt";

struct DataPaths {
    std::string folder;            // LOCALAPPDATA joined with "Numvora"
    std::string memo_file;         // folder joined with "memo.txt"
    std::string settings_file;     // folder joined with "settings.txt"
    std::string preferences_file;  // folder joined with "preferences.txt"

    bool operator==(const DataPaths&) const = default;
};

// Reads LOCALAPPDATA; touches no file. Fails with NotFound when it is not set.
StorageResult<DataPaths> resolve_data_paths();

}  // namespace numvora
