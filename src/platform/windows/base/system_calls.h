// The system calls that tests fail or replace, handed to the window at creation. The
// defaults are the real calls; nothing in the program swaps them at run time.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "storage/files/file_io.h"
#include "storage/history/memo_history.h"

namespace numvora {

// Runs a filled dialog record as GetSaveFileNameW or GetOpenFileNameW do.
using RunFileDialog = BOOL(WINAPI*)(OPENFILENAMEW* record);

// The look and the accessibility layer: DwmSetWindowAttribute and SetWindowTheme,
// whose libraries load from the system folder on the first call (an answer of
// E_NOTIMPL without them); annotations of a window's own accessible object (its name,
// its live setting) through the system's accessibility services, started on first use.
using SetWindowAttributeCall = HRESULT(WINAPI*)(HWND window, DWORD attribute, LPCVOID value, DWORD size);
using SetWindowThemeCall = HRESULT(WINAPI*)(HWND window, LPCWSTR application, LPCWSTR classes);
using AnnotateTextCall = HRESULT (*)(HWND window, const GUID& property, const wchar_t* text);
using AnnotateNumberCall = HRESULT (*)(HWND window, const GUID& property, int value);
HRESULT WINAPI set_window_attribute(HWND window, DWORD attribute, LPCVOID value, DWORD size);
HRESULT WINAPI set_window_theme(HWND window, LPCWSTR application, LPCWSTR classes);
HRESULT annotate_text(HWND window, const GUID& property, const wchar_t* text);
HRESULT annotate_number(HWND window, const GUID& property, int value);

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
    SetWindowAttributeCall set_window_attribute = numvora::set_window_attribute;
    SetWindowThemeCall set_window_theme = numvora::set_window_theme;
    // Asked only for SPI_GETHIGHCONTRAST.
    BOOL(WINAPI* system_parameters)(UINT action, UINT size, PVOID value, UINT ini) = SystemParametersInfoW;
    // Read only for the user's app theme at a first start.
    LSTATUS(WINAPI* read_registry_value)
    (HKEY key, LPCWSTR subkey, LPCWSTR name, DWORD flags, LPDWORD type, PVOID data, LPDWORD size) = RegGetValueW;
    AnnotateTextCall annotate_text = numvora::annotate_text;
    AnnotateNumberCall annotate_number = numvora::annotate_number;
    // Where the start looks for portable.txt; empty: the running program's folder.
    std::wstring program_folder;
};

}  // namespace numvora
