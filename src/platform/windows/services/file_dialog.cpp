#include "platform/windows/services/file_dialog.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/base/system_error.h"
#include "storage/document.h"

namespace numvora {
namespace {

constexpr DWORD PATH_BUFFER_UNITS = 32768;
// "Quorvex 문서 (*.qvx)", "*.qvx", each ended by a NUL, the list by a second one.
constexpr wchar_t DOCUMENT_FILTER[] = L"Quorvex 문서 (*.qvx)\0*.qvx\0";
constexpr wchar_t DEFAULT_DOCUMENT_NAME[] = L"Ordenna.qvx";

using RunFileDialog = BOOL(WINAPI*)(OPENFILENAMEW* record);
using ExtendedErrorCall = DWORD(WINAPI*)();

struct CommonDialogs {
    RunFileDialog save = nullptr;
    RunFileDialog open = nullptr;
    ExtendedErrorCall extended_error = nullptr;
    std::optional<SystemError> unavailable;  // why the library or a function is missing
};

template <class Function>
Function function_of(HMODULE module, const char* name, std::optional<SystemError>& unavailable) {
    const FARPROC found = GetProcAddress(module, name);
    if (found == nullptr && !unavailable) unavailable = last_system_error(std::string("GetProcAddress ") + name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// comdlg32 costs about 9 MiB and some milliseconds. A failed load keeps its own
// reason: the last error would say something else by the time a dialog is asked for again.
const CommonDialogs& common_dialogs() {
    static const CommonDialogs loaded = [] {
        CommonDialogs dialogs;
        const HMODULE module = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr) {
            dialogs.unavailable = last_system_error("LoadLibraryExW(comdlg32.dll)");
            return dialogs;
        }
        dialogs.save = function_of<RunFileDialog>(module, "GetSaveFileNameW", dialogs.unavailable);
        dialogs.open = function_of<RunFileDialog>(module, "GetOpenFileNameW", dialogs.unavailable);
        dialogs.extended_error = function_of<ExtendedErrorCall>(module, "CommDlgExtendedError", dialogs.unavailable);
        return dialogs;
    }();
    return loaded;
}

// comdlg32's own error codes, which GetLastError does not carry.
std::string dialog_code_text(std::string_view dialog, DWORD code) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "0x%04lX", static_cast<unsigned long>(code));
    return std::string(dialog) + " 오류 코드: " + digits;
}

StorageError dialog_error(DWORD code) {
    return make_storage_error(StorageErrorKind::Other, dialog_code_text("파일 선택 창", code));
}

}  // namespace

StorageResult<std::optional<std::string>> choose_document_path(HWND owner, DocumentDialog kind,
                                                               FileDialogCalls& dialogs) {
    const bool saving = kind == DocumentDialog::Save;
    std::vector<wchar_t> path(PATH_BUFFER_UNITS, L'\0');
    if (saving) std::wstring_view(DEFAULT_DOCUMENT_NAME).copy(path.data(), path.size() - 1);
    const std::wstring title = to_wide(saving ? "Quorvex 문서 저장" : "Quorvex 문서 불러오기");

    OPENFILENAMEW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.lpstrFilter = DOCUMENT_FILTER;
    record.nFilterIndex = 0;
    record.lpstrFile = path.data();
    record.nMaxFile = PATH_BUFFER_UNITS;
    record.lpstrTitle = title.c_str();
    record.Flags = saving ? OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_EXPLORER
                          : OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER;
    record.lpstrDefExt = L"qvx";

    if (const std::optional<SystemError> missing = dialogs.unavailable()) {
        return fail(make_storage_error(StorageErrorKind::Other, display_text(*missing)));
    }
    if (!(saving ? dialogs.save(&record) : dialogs.open(&record))) {
        const DWORD code = dialogs.extended_error();
        if (code == 0) return std::optional<std::string>();  // cancelled
        return fail(dialog_error(code));
    }
    // The path runs to the first NUL, or fills the whole buffer.
    const std::wstring_view buffer(path.data(), path.size());
    std::string chosen = to_utf8(buffer.substr(0, buffer.find(L'\0')));
    if (auto checked = check_document_extension(chosen); !checked) return fail(checked.error());
    return std::optional<std::string>(std::move(chosen));
}

BOOL FileDialogCalls::save(OPENFILENAMEW* record) { return common_dialogs().save(record); }

BOOL FileDialogCalls::open(OPENFILENAMEW* record) { return common_dialogs().open(record); }

DWORD FileDialogCalls::extended_error() { return common_dialogs().extended_error(); }

std::optional<SystemError> FileDialogCalls::unavailable() {
    const CommonDialogs& system = common_dialogs();
    if (system.save != nullptr && system.open != nullptr && system.extended_error != nullptr) return std::nullopt;
    return system.unavailable.value_or(SystemError{UNEXPLAINED_FAILURE, "comdlg32.dll"});
}

}  // namespace numvora
