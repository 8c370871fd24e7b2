#include "platform/windows/window/main_window.h"

#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/focus_commands.h"
#include "platform/windows/desktop/hot_key.h"
#include "platform/windows/desktop/second_start.h"
#include "platform/windows/desktop/tray_icon.h"
#include "platform/windows/layout/window_layout.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/painting/painting.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/memo_snapshots.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/state/window_preferences.h"
#include "platform/windows/timers/timers.h"
#include "platform/windows/window/window_handlers.h"

namespace numvora {
namespace {

// A timer of the table, stopped first when it runs once.
std::optional<LRESULT> on_timer(AppState& state, WPARAM id) {
    const TimerRow* row = find_timer(id);
    if (row == nullptr) return std::nullopt;
    if (row->runs == TimerRuns::Once) stop_timer(state.main_window, row->id);
    row->handler(state);
    return 0;
}

// Messages of a window that has its record; std::nullopt: DefWindowProcW.
std::optional<LRESULT> dispatch(AppState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_DESTROY: return on_destroy(state);
    case WM_SIZE: return on_size(state);
    case WM_PAINT: return paint_panels(state, state.layout->panels);
    case WM_ERASEBKGND: return skip_background_erase(state);
    case WM_CLOSE: return on_close(state);
    case WM_QUERYENDSESSION: return on_query_end_session(state);
    case WM_DRAWITEM: return draw_button(state, reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    case WM_NCDESTROY: release_app_state(state); return std::nullopt;
    case WM_COMMAND: return on_command(state, LOWORD(wparam), HIWORD(wparam));
    case WM_TIMER: return on_timer(state, wparam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return control_colors(state, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DPICHANGED: return on_dpi_changed(state, reinterpret_cast<const RECT*>(lparam));
    // Items of ours in the system menu are commands like any other; every other id,
    // whatever the command table knows by it, is the system's.
    case WM_SYSCOMMAND:
        if (const auto id = static_cast<std::int32_t>(wparam & 0xFFF0); is_system_menu_item(id)) {
            return on_command(state, id, 0);
        }
        return std::nullopt;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: return on_system_colors_changed(state);
    case WM_ACTIVATE: return on_activate(state, wparam);
    case WM_HISTORY_EVENTS: show_history_events(state); return 0;
    case WM_MEMO_LOAD_PIECE: continue_memo_load(state); return 0;
    case WM_MEMO_REBUILD_PIECE: continue_memo_rebuild(state); return 0;
    case WM_NOTES_READ: take_notes_read(state); return 0;
    case WM_HOTKEY: return on_hot_key(state, wparam);
    case WM_TRAY_ICON: return on_tray_icon(state, lparam);
    case WM_PREFERENCES_ONCE_ANSWERING: apply_preferences_at_start(state, PreferenceStart::OnceAnswering); return 0;
    case WM_COPYDATA: return on_copy_data(state, reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    default: return on_registered_message(state, message);
    }
}

}  // namespace

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // The two messages that need no record; every other one is looked up here, once.
    if (message == WM_CREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        const auto* start = static_cast<const StartData*>(creation->lpCreateParams);
        // Only the entry routine creates this class.
        return start != nullptr ? on_create(window, *start, (creation->style & WS_VISIBLE) != 0) : -1;
    }
    if (message == WM_GETMINMAXINFO) return on_get_min_max_info(window, reinterpret_cast<MINMAXINFO*>(lparam));
    if (AppState* state = app_state_of(window)) {
        if (const std::optional<LRESULT> handled = dispatch(*state, message, wparam, lparam)) return *handled;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace numvora
