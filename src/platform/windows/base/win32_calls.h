// The Win32 calls that tests fail or replace, grouped by role. Each group is a small
// interface whose methods are the real calls; a test derives from one, overrides what
// it watches or fails, and keeps what it records in that object of its own.
#pragma once

#include <windows.h>

namespace numvora {

// The look and what chooses it: brushes, the title bar's dark mode, the standard
// controls' themes, high contrast and the user's app theme.
class LookCalls {
public:
    LookCalls() = default;
    LookCalls(const LookCalls&) = default;
    LookCalls& operator=(const LookCalls&) = default;
    virtual ~LookCalls() = default;

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
class LayoutCalls {
public:
    LayoutCalls() = default;
    LayoutCalls(const LayoutCalls&) = default;
    LayoutCalls& operator=(const LayoutCalls&) = default;
    virtual ~LayoutCalls() = default;

    virtual BOOL move_window(HWND window, int x, int y, int width, int height, BOOL repaint);
};

// Annotations of a window's own accessible object (its name, its live setting) through
// the system's accessibility services, started on first use; E_NOTIMPL without them.
class AccessibilityCalls {
public:
    AccessibilityCalls() = default;
    AccessibilityCalls(const AccessibilityCalls&) = default;
    AccessibilityCalls& operator=(const AccessibilityCalls&) = default;
    virtual ~AccessibilityCalls() = default;

    virtual HRESULT annotate_text(HWND window, const GUID& property, const wchar_t* text);
    virtual HRESULT annotate_number(HWND window, const GUID& property, int value);
};

}  // namespace numvora
