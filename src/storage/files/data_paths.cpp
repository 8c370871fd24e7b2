#include "storage/files/data_paths.h"

#include "storage/files/file_primitives.h"

namespace numvora {

StorageResult<DataPaths> resolve_data_paths() {
    const auto base = file_primitives::environment_variable("LOCALAPPDATA");
    if (!base) {
        return fail(make_storage_error(StorageErrorKind::NotFound, "LOCALAPPDATA 환경 변수를 찾을 수 없습니다."));
    }
    DataPaths paths;
    paths.folder = file_primitives::join_path(*base, "Numvora");
    paths.memo_file = file_primitives::join_path(paths.folder, MEMO_FILE_NAME);
    paths.settings_file = file_primitives::join_path(paths.folder, SETTINGS_FILE_NAME);
    paths.preferences_file = file_primitives::join_path(paths.folder, PREFERENCES_FILE_NAME);
    return paths;
}

}  // namespace numvora
