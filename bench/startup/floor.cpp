// The floor of the start-up measurement: the least a Win32 GUI program does to show a
// window and run its message loop. Numvora's start-up cost is reported against it.
#include <windows.h>

#include "floor_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const HWND window =
        floor_window::open(instance, L"Numvora.Floor", L"Numvora floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    if (window == nullptr) return 1;
    UpdateWindow(window);
    return floor_window::run_loop();
}
