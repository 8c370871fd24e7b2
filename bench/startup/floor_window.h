// What both floors of the start-up measurement share: a bare window class, a window of
// Numvora's default size (so that both paint the same area) and the message loop.
#pragma once

#include <windows.h>

namespace floor_window {

inline LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Null when the class or the window cannot be made.
inline HWND open(HINSTANCE instance, const wchar_t* class_name, const wchar_t* title, DWORD style) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = class_name;
    if (RegisterClassExW(&window_class) == 0) return nullptr;
    return CreateWindowExW(0, class_name, title, style, CW_USEDEFAULT, CW_USEDEFAULT, 860, 760, nullptr, nullptr,
                           instance, nullptr);
}

// Runs until WM_QUIT: 0 then, 1 when GetMessageW fails.
inline int run_loop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? 0 : 1;
}

}  // namespace floor_window
