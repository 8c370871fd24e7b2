// The standard open and save dialogs for documents.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win32_calls.h"
#include "storage/storage_error.h"

namespace numvora {

enum class DocumentDialog { Save, Open };

// comdlg32's dialogs. The library brings shell32 and its kin into the process, so it
// loads on the first dialog rather than at start, from the system folder only.
class FileDialogCalls : public CallGroup {
public:
    // GetSaveFileNameW and GetOpenFileNameW: false for a cancel or a failure, which
    // extended_error (CommDlgExtendedError) tells apart by its 0 for a cancel.
    virtual BOOL save(OPENFILENAMEW* record);
    virtual BOOL open(OPENFILENAMEW* record);
    virtual DWORD extended_error();
    // Why the dialogs cannot run at all (the library or a function missing).
    virtual std::optional<SystemError> unavailable();
};

// A path with the ".qvx" extension, nothing when the user cancelled, or the error.
StorageResult<std::optional<std::string>> choose_document_path(HWND owner, DocumentDialog kind,
                                                               FileDialogCalls& dialogs);

}  // namespace numvora
