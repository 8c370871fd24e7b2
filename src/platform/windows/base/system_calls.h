// The system calls that tests fail or replace, handed to the window at creation. The
// defaults are the real calls; nothing in the program swaps them at run time.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "storage/file_io.h"
#include "storage/memo_history.h"

namespace numvora {

// Runs a filled dialog record as GetSaveFileNameW or GetOpenFileNameW do.
using RunFileDialog = BOOL(WINAPI*)(OPENFILENAMEW* record);

struct SystemCalls {
    HBRUSH(WINAPI* create_brush)(COLORREF color) = CreateSolidBrush;
    // Moving the controls into place: the layout's one system call.
    BOOL(WINAPI* move_window)(HWND window, int x, int y, int width, int height, BOOL repaint) = MoveWindow;
    // Null: comdlg32's, loaded from the system folder on the first dialog.
    RunFileDialog save_dialog = nullptr;
    RunFileDialog open_dialog = nullptr;
    HANDLE(WINAPI* set_clipboard_data)(UINT format, HANDLE memory) = SetClipboardData;
    WriteCalls write;  // every file the window writes
    // The clock of the memo's snapshots, so that tests can let hours pass.
    SnapshotTime (*now)() = local_now;
};

}  // namespace numvora
