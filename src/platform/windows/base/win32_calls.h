// The Win32 calls that tests fail or replace, grouped by role. Each group is a small
// interface whose methods are the real calls; a test derives from one, overrides what
// it watches or fails, and keeps what it records in that object of its own.
#pragma once

#include <windows.h>

#include <shellapi.h>

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

// PROPID_ACC_NAME: the name a screen reader says for a control.
inline constexpr GUID ACCESSIBLE_NAME_PROPERTY{
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

// Annotations of a window's own accessible object (its name, its live setting) through
// the system's accessibility services, started on first use; E_NOTIMPL without them.
class AccessibilityCalls : public CallGroup {
public:
    virtual HRESULT annotate_text(HWND window, const GUID& property, const wchar_t* text);
    virtual HRESULT annotate_number(HWND window, const GUID& property, int value);
};

// What the program leaves outside its window: the system-wide key, the notification
// area's icon (Shell_NotifyIconW, whose library loads from the system folder on the first
// call; FALSE without it) and the user's Run entry.
class DesktopCalls : public CallGroup {
public:
    virtual BOOL register_hot_key(HWND window, int id, UINT modifiers, UINT virtual_key);
    virtual BOOL unregister_hot_key(HWND window, int id);
    virtual BOOL notify_icon(DWORD message, NOTIFYICONDATAW* data);
    // RegSetKeyValueW and RegDeleteKeyValueW.
    virtual LSTATUS set_registry_value(HKEY key, LPCWSTR subkey, LPCWSTR name, DWORD type, const void* data,
                                       DWORD size);
    virtual LSTATUS delete_registry_value(HKEY key, LPCWSTR subkey, LPCWSTR name);
};

}  // namespace numvora
