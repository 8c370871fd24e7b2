// The standard open and save dialogs for documents.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>

#include "storage/storage_error.h"

namespace numvora {

enum class DocumentDialog { Save, Open };

// A path with the ".qvx" extension, nothing when the user cancelled, or the error.
StorageResult<std::optional<std::string>> choose_document_path(HWND owner, DocumentDialog kind);

// Runs a filled dialog record: GetSaveFileNameW or GetOpenFileNameW, or a test's
// stand-in that answers with a path or a cancel (null: the system's again).
using RunFileDialog = BOOL(WINAPI*)(OPENFILENAMEW* record);
void set_file_dialogs(RunFileDialog save, RunFileDialog open);

}  // namespace numvora
