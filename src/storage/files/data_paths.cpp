#include "storage/files/data_paths.h"

#include <utility>

#include "storage/files/file_primitives.h"

namespace numvora {
namespace {

DataPaths paths_in(std::string folder) {
    DataPaths paths;
    paths.memo_file = file_primitives::join_path(folder, MEMO_FILE_NAME);
    paths.settings_file = file_primitives::join_path(folder, SETTINGS_FILE_NAME);
    paths.preferences_file = file_primitives::join_path(folder, PREFERENCES_FILE_NAME);
    paths.folder = std::move(folder);
    return paths;
}

}  // namespace

StorageResult<DataPaths> resolve_data_paths(const ProgramFolder& program) {
    if (program.portable_marker && !program.folder.empty()) {
        return paths_in(file_primitives::join_path(program.folder, PORTABLE_DATA_FOLDER_NAME));
    }
    const auto base = file_primitives::environment_variable("LOCALAPPDATA");
    if (!base) {
        return fail(make_storage_error(StorageErrorKind::NotFound, "LOCALAPPDATA 환경 변수를 찾을 수 없습니다."));
    }
    return paths_in(file_primitives::join_path(*base, "Numvora"));
}

}  // namespace numvora
