// The data folder and its files: per user, or beside the program for a portable copy.
#pragma once

#include <string>
#include <string_view>

#include "storage/storage_error.h"

namespace numvora {

inline constexpr std::string_view MEMO_FILE_NAME = "memo.txt";
inline constexpr std::string_view SETTINGS_FILE_NAME = "settings.txt";
inline constexpr std::string_view PREFERENCES_FILE_NAME = "preferences.txt";
// A file of this name beside the program makes the copy portable: its data folder is
// the folder PORTABLE_DATA_FOLDER_NAME beside it.
inline constexpr std::string_view PORTABLE_MARKER_NAME = "portable.txt";
inline constexpr std::string_view PORTABLE_DATA_FOLDER_NAME = "data";

struct DataPaths {
    std::string folder;            // LOCALAPPDATA joined with "Numvora", or the portable "data"
    std::string memo_file;         // folder joined with "memo.txt"
    std::string settings_file;     // folder joined with "settings.txt"
    std::string preferences_file;  // folder joined with "preferences.txt"

    bool operator==(const DataPaths&) const = default;
};

// Where the running program lies, as its start finds it.
struct ProgramFolder {
    std::string folder;            // the folder that holds the program
    bool portable_marker = false;  // PORTABLE_MARKER_NAME stands in it
};

// The portable data folder for a marked program; otherwise LOCALAPPDATA's, failing
// with NotFound when it is not set. Touches no file.
StorageResult<DataPaths> resolve_data_paths(const ProgramFolder& program = {});

}  // namespace numvora
