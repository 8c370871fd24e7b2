// The window as the rest of the system reaches it: the system-wide key that shows and
// hides it, the notification area's icon and its menu, the close button that hides it
// there, a second start that fronts it and hands it a document, and the user's Run
// entry. Everything here is off or idle until the user's preferences ask for it, but
// for the key (Ctrl+Alt+Space unless changed) and the answer to a second start.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/windows/base/system_error.h"
#include "platform/windows/state/app_state.h"

namespace numvora {

// The icon's messages to the window.
inline constexpr UINT WM_TRAY_ICON = WM_APP + 20;

// A second start and the running window of the same data folder agree on these: the
// mutex the first start holds, the registered message that finds the window (answered
// with FRONT_ANSWER), and the WM_COPYDATA tag of a handed document's path (UTF-16).
struct InstanceNames {
    std::wstring mutex;
    std::wstring front_request;
};
InstanceNames instance_names(const std::string& data_folder);
inline constexpr LRESULT FRONT_ANSWER = 0x4E56;
inline constexpr ULONG_PTR HANDED_DOCUMENT_TAG = 0x4E560051;

// Once the window is up (window_presence.cpp): the key, the icon when it is on, and the
// messages of Explorer and of a second start. At WM_DESTROY the key and the icon go.
void enter_desktop(AppState& state);
void leave_desktop(AppState& state);

// Shown, restored, in front (a dialog open over it in front instead); with focus_box,
// the focus in the expression box.
void bring_to_front(AppState& state, bool focus_box);
// Hidden when the icon is there to bring it back, otherwise minimised.
void put_away(AppState& state);

// WM_CLOSE: with the icon shown and "닫으면 알림 영역으로" on, the memo and settings are
// saved as at a close and the window hides; false when the close is to end the program
// (the icon's 종료 among them).
bool hide_instead_of_close(AppState& state);

// The system-wide key (hot_key.cpp): the preference's key registered, one taken by
// another program said once, or given back; WM_HOTKEY.
void register_hot_key(AppState& state);
void unregister_hot_key(AppState& state);
std::optional<LRESULT> on_hot_key(AppState& state, WPARAM id);

// The icon (tray_icon.cpp), shown or removed (a failure to show it is logged and leaves
// none); its messages.
void apply_tray_icon(AppState& state, bool shown);
std::optional<LRESULT> on_tray_icon(AppState& state, LPARAM event);

// Registered messages (second_start.cpp): Explorer's restart (the icon again) and a
// second start's question; WM_COPYDATA with a document's path, opened through the open
// command once no dialog is open.
std::optional<LRESULT> on_registered_message(AppState& state, UINT message);
std::optional<LRESULT> on_copy_data(AppState& state, const COPYDATASTRUCT* data);

// The user's Run entry (run_entry.cpp): this program with TRAY_START_OPTION, or none.
SystemStatus set_start_with_windows(const AppState& state, bool on);

}  // namespace numvora
