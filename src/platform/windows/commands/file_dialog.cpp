#include "platform/windows/commands/file_dialog.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "common/win32/wide_text.h"
#include "storage/document.h"

namespace numvora {
namespace {

constexpr DWORD PATH_BUFFER_UNITS = 32768;
// "Quorvex 문서 (*.qvx)", "*.qvx", each ended by a NUL, the list by a second one.
constexpr wchar_t DOCUMENT_FILTER[] = L"Quorvex 문서 (*.qvx)\0*.qvx\0";
constexpr wchar_t DEFAULT_DOCUMENT_NAME[] = L"Ordenna.qvx";

RunFileDialog run_save_dialog = GetSaveFileNameW;
RunFileDialog run_open_dialog = GetOpenFileNameW;

StorageError dialog_error(DWORD code) {
    char text[64];
    std::snprintf(text, sizeof text, "파일 선택 창 오류 코드: 0x%04lX", static_cast<unsigned long>(code));
    return make_storage_error(StorageErrorKind::Other, text);
}

}  // namespace

void set_file_dialogs(RunFileDialog save, RunFileDialog open) {
    run_save_dialog = save;
    run_open_dialog = open;
}

StorageResult<std::optional<std::string>> choose_document_path(HWND owner, DocumentDialog kind) {
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

    if (!(saving ? run_save_dialog : run_open_dialog)(&record)) {
        const DWORD code = CommDlgExtendedError();
        if (code == 0) return std::optional<std::string>();  // cancelled
        return fail(dialog_error(code));
    }
    // The path runs to the first NUL, or fills the whole buffer.
    const std::wstring_view buffer(path.data(), path.size());
    std::string chosen = to_utf8(buffer.substr(0, buffer.find(L'\0')));
    if (auto checked = check_document_extension(chosen); !checked) return fail(checked.error());
    return std::optional<std::string>(std::move(chosen));
}

}  // namespace numvora
