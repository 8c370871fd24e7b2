// The standard open and save dialogs for documents.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>

#include "platform/windows/base/system_calls.h"
#include "platform/windows/base/system_error.h"
#include "storage/storage_error.h"

namespace numvora {

enum class DocumentDialog { Save, Open };

// A path with the ".qvx" extension, nothing when the user cancelled, or the error.
// The dialog is the window's (its system calls); null, comdlg32's.
StorageResult<std::optional<std::string>> choose_document_path(HWND owner, DocumentDialog kind, RunFileDialog run);

}  // namespace numvora
