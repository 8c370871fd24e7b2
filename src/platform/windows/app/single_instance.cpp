#include "platform/windows/app/single_instance.h"

#include "common/win32/wide_text.h"
#include "platform/windows/desktop/second_start.h"
#include "platform/windows/window/main_window.h"

namespace numvora {
namespace {

constexpr DWORD RETRY_MS = 50;

DWORD remaining(ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// The window answers the folder's message by coming to the front; it may then take
// the foreground from this start, which the user just launched.
bool answers(HWND window, UINT front_request, ULONGLONG deadline) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, front_request, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, remaining(deadline),
                               &answer) != 0 &&
           static_cast<LRESULT>(answer) == FRONT_ANSWER;
}

bool hand_document(HWND window, const StartRequest& request, ULONGLONG deadline) {
    if (!request.document) return true;
    const std::wstring path = to_wide(*request.document);
    COPYDATASTRUCT data{HANDED_DOCUMENT_TAG, static_cast<DWORD>(path.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(path.data())};
    DWORD_PTR taken = FALSE;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_BLOCK | SMTO_ABORTIFHUNG,
                               remaining(deadline), &taken) != 0 &&
           taken == TRUE;
}

}  // namespace

std::optional<UniqueKernelHandle> claim_data_folder(const std::string& data_folder) {
    const InstanceNames names = instance_names(data_folder);
    UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, names.mutex.c_str()));
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) return std::nullopt;
    return mutex;
}

bool hand_over_to_running_window(const std::string& data_folder, const StartRequest& request, DWORD timeout_ms) {
    const UINT front_request = RegisterWindowMessageW(instance_names(data_folder).front_request.c_str());
    if (front_request == 0) return false;
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    do {
        // Hidden windows too: one waiting in the notification area is the running one.
        for (HWND window = FindWindowExW(nullptr, nullptr, MAIN_WINDOW_CLASS, nullptr); window != nullptr;
             window = FindWindowExW(nullptr, window, MAIN_WINDOW_CLASS, nullptr)) {
            if (answers(window, front_request, deadline)) return hand_document(window, request, deadline);
        }
        Sleep(RETRY_MS);
    } while (remaining(deadline) > 0);
    return false;
}

}  // namespace numvora
