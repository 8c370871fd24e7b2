// The floor of the start-up measurement: the least a Win32 GUI program does to show a
// window and run its message loop. Numvora's start-up cost is reported against it.
#include <windows.h>

namespace {

LRESULT CALLBACK floor_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = floor_window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = L"Numvora.Floor";
    if (RegisterClassExW(&window_class) == 0) return 1;

    // Same size as Numvora's default window, so both paint the same area.
    HWND window = CreateWindowExW(0, window_class.lpszClassName, L"Numvora floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 860, 760, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    UpdateWindow(window);

    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? 0 : 1;
}
