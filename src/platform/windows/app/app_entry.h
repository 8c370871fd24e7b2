// The entry routine, split at the points where tests step in.
#pragma once

#include <windows.h>

#include "platform/windows/base/system_error.h"
#include "platform/windows/state/system_calls.h"
#include "ui/command_line.h"

namespace numvora {

// Process-wide preparation, once per process: DPI awareness, the rich edit library,
// the window class. Returns the module handle.
SystemResult<HINSTANCE> prepare_process();

// Reads the saved geometry, creates the main window where it was last left, and
// gives the keyboard focus to the expression box. The window makes its system calls
// through calls (tests hand in stand-ins). The request's document opens as 불러오기 would
// open it; with the request's tray flag the window starts hidden when the icon is on.
SystemResult<HWND> open_main_window(HINSTANCE instance, const SystemCalls& calls = {},
                                    const StartRequest& request = {});

// Opens the main window and runs the loop until it ends; a failure shows the start-up
// error box. Returns the process exit code.
int run_main_window(HINSTANCE instance, const SystemCalls& calls = {}, const StartRequest& request = {});

// The whole program, one window per data folder: returns the process exit code.
int run_application();

}  // namespace numvora
