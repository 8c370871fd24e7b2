// The Win32 calls that tests fail or replace, grouped by role. Each group is a small
// interface whose methods are the real calls; a test derives from one, overrides what
// it watches or fails, and keeps what it records in that object of its own.
#pragma once

#include <windows.h>

namespace numvora {

// What each group derives from: held through a pointer to the group, never copied, so
// that a test's object is the one the window calls.
class CallGroup {
public:
    CallGroup() = default;
    CallGroup(const CallGroup&) = delete;
    CallGroup& operator=(const CallGroup&) = delete;
    virtual ~CallGroup() = default;
};

// The look and what chooses it: brushes, the title bar's dark mode, the standard
// controls' themes, high contrast and the user's app theme.
class LookCalls : public CallGroup {
public:
    virtual HBRUSH create_brush(COLORREF color);
    // DwmSetWindowAttribute and SetWindowTheme, whose libraries load from the system
    // folder on the first call; E_NOTIMPL without them.
    virtual HRESULT set_window_attribute(HWND window, DWORD attribute, LPCVOID value, DWORD size);
    virtual HRESULT set_window_theme(HWND window, LPCWSTR application, LPCWSTR classes);
    // SystemParametersInfoW, asked only for SPI_GETHIGHCONTRAST.
    virtual BOOL system_parameters(UINT action, UINT size, PVOID value, UINT ini);
    // RegGetValueW, read only for the user's app theme at a first start.
    virtual LSTATUS read_registry_value(HKEY key, LPCWSTR subkey, LPCWSTR name, DWORD flags, LPDWORD type, PVOID data,
                                        LPDWORD size);
};

// Moving the controls into place: the layout's one system call.
class LayoutCalls : public CallGroup {
public:
    virtual BOOL move_window(HWND window, int x, int y, int width, int height, BOOL repaint);
};

// Annotations of a window's own accessible object (its name, its live setting) through
// the system's accessibility services, started on first use; E_NOTIMPL without them.
class AccessibilityCalls : public CallGroup {
public:
    virtual HRESULT annotate_text(HWND window, const GUID& property, const wchar_t* text);
    virtual HRESULT annotate_number(HWND window, const GUID& property, int value);
};

}  // namespace numvora
