// The handlers that the main window procedure dispatches to. Each returns the
// message's result; std::nullopt means "not handled here", i.e. DefWindowProcW.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/windows/base/system_error.h"
#include "platform/windows/state/system_calls.h"
#include "storage/files/data_paths.h"
#include "storage/settings.h"

namespace numvora {

struct AppState;

// The data folder and the settings as the start reads them, once, and the system calls
// the window is to use: the entry routine places the window with them and hands them
// to WM_CREATE.
struct StartData {
    StorageResult<DataPaths> paths;
    std::optional<StorageResult<AppSettings>> settings;  // when there are paths
    SystemCalls calls;
};
StartData read_start_data(const SystemCalls& calls);
// The data folder's paths alone, as read_start_data finds them.
StorageResult<DataPaths> resolve_start_paths(const SystemCalls& calls);

// Creation (window_create.cpp).
// shows: the window is made visible (not a start into the tray).
LRESULT on_create(HWND window, const StartData& start, bool shows);
// Once the first paint is on screen: what it does not need (the sweep of killed writes,
// the system-wide key, the notebook's first reading for the margin).
void finish_start(AppState& state);

// Commands (command_dispatch.cpp): the handler of a WM_COMMAND's id and code, and its
// failure in a box; nothing for what is no command of ours.
std::optional<LRESULT> on_command(AppState& state, std::int32_t id, std::uint32_t code);

// Whether WM_CREATE finished (only then does WM_DESTROY end the loop), and whether a
// log-off is held back for an unsaved memo.
struct WindowLife {
    bool created = false;
    bool end_session_blocked = false;
};

// Shutdown (window_shutdown.cpp).
LRESULT on_close(AppState& state);
LRESULT on_query_end_session(AppState& state);
LRESULT on_destroy(AppState& state);
// Deletes the record and detaches it from its window.
void release_app_state(AppState& state);

}  // namespace numvora
