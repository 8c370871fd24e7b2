// The icon in the notification area: the program's icon with the tooltip "Numvora"; a
// click shows or hides the window, a right click opens its menu (tray_commands.cpp).
#pragma once

#include <windows.h>

#include <optional>

namespace numvora {

struct AppState;

// The icon's messages to the window.
inline constexpr UINT WM_TRAY_ICON = WM_APP + 20;
// Posted at a start that shows the window: the icon, and the shell library it loads
// (tens of milliseconds under Wine), come once the window is up and answers.
inline constexpr UINT WM_TRAY_ICON_LATER = WM_APP + 21;

struct TrayIcon {
    bool wanted = false;         // the preference: an icon in the notification area
    bool close_to_tray = false;  // the preference: with the icon, the close button hides the window
    bool shown = false;
    bool version_4 = false;    // the icon speaks the newer protocol: NIN_SELECT, WM_CONTEXTMENU
    bool exiting = false;      // the icon's 종료: the next close ends the program, icon or not
    UINT taskbar_created = 0;  // Explorer's "TaskbarCreated", after which the icon is added again
};

// Shown or removed; a failure to show it is logged and leaves none.
void apply_tray_icon(AppState& state, bool shown);
std::optional<LRESULT> on_tray_icon(AppState& state, LPARAM event);

}  // namespace numvora
