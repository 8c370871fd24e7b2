// Lets a shell script wait for a window of a Wine-run program and close it the way a
// user would, with WM_CLOSE, so the program runs its own shutdown.
//   numvora-window.exe wait CLASS SECONDS   exit 0 once a visible window of CLASS
//                                           exists and its thread answers messages
//   numvora-window.exe close CLASS          post WM_CLOSE to it (exit 0 if posted)
#include <windows.h>

#include <cwchar>
#include <string_view>

namespace {

HWND find_visible(const wchar_t* window_class) {
    HWND window = FindWindowW(window_class, nullptr);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

int wait_for(const wchar_t* window_class, double seconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (GetTickCount64() < deadline) {
        if (HWND window = find_visible(window_class)) {
            // An answered message means the creating thread has reached its message loop.
            DWORD_PTR ignored = 0;
            if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0) return 0;
        }
        Sleep(20);
    }
    std::fwprintf(stderr, L"no visible window of class %ls after %g s\n", window_class, seconds);
    return 1;
}

int close(const wchar_t* window_class) {
    HWND window = FindWindowW(window_class, nullptr);
    if (window == nullptr || PostMessageW(window, WM_CLOSE, 0, 0) == 0) {
        std::fwprintf(stderr, L"no window of class %ls to close\n", window_class);
        return 1;
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view command = argc > 1 ? argv[1] : L"";
    if (command == L"wait" && argc == 4) return wait_for(argv[2], std::wcstod(argv[3], nullptr));
    if (command == L"close" && argc == 3) return close(argv[2]);
    std::fwprintf(stderr, L"usage: numvora-window.exe wait CLASS SECONDS | close CLASS\n");
    return 2;
}
