// The system-wide key: registered from the preference, it shows the window, brings it
// to the front with the focus in the expression box, and hides it again when pressed
// while the window is in front.
#include "platform/windows/base/error_report.h"
#include "platform/windows/desktop/desktop_presence.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/timers/timers.h"
#include "ui/settings_dialog.h"

namespace numvora {
namespace {

constexpr int HOT_KEY_ID = 1;
constexpr UINT NO_REPEAT = 0x4000;  // MOD_NOREPEAT, which Wine ignores

bool is_in_front(const AppState& state) {
    const HWND window = state.main_window;
    const HWND front = GetForegroundWindow();
    return IsWindowVisible(window) && !IsIconic(window) && front != nullptr &&
           GetAncestor(front, GA_ROOTOWNER) == window;
}

}  // namespace

void unregister_hot_key(AppState& state) {
    if (!state.desktop.registered.none()) state.calls.desktop->unregister_hot_key(state.main_window, HOT_KEY_ID);
    state.desktop.registered = {};
    state.desktop.hot_key_taken = false;
}

// The key registered before goes first; none registers nothing.
void register_hot_key(AppState& state) {
    unregister_hot_key(state);
    const HotKey wanted = state.preferences.hot_key;
    if (wanted.none()) return;
    if (state.calls.desktop->register_hot_key(state.main_window, HOT_KEY_ID, wanted.modifiers | NO_REPEAT,
                                              wanted.virtual_key)) {
        state.desktop.registered = wanted;
        return;
    }
    if (GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED) {
        log_error_line("전역 단축키 등록 실패: {}", display_text(last_system_error("RegisterHotKey")));
        return;
    }
    state.desktop.hot_key_taken = true;
    settle_memo_selection(state);  // the first selection check would take the line back
    show_command_outcome(state, hot_key_taken_text(wanted), true);
}

std::optional<LRESULT> on_hot_key(AppState& state, WPARAM id) {
    if (id != HOT_KEY_ID) return std::nullopt;
    // Once for each press: a key held down comes again from Wine until it is let go.
    if (state.desktop.hot_key_held) return 0;
    state.desktop.hot_key_held = true;
    start_timer(state.main_window, HOT_KEY_RELEASE_TIMER_ID);
    if (is_in_front(state) && !state.modal.open) {
        put_away(state);
    } else {
        bring_to_front(state, true);
    }
    return 0;
}

void check_hot_key_release(AppState& state) {
    if ((GetAsyncKeyState(static_cast<int>(state.desktop.registered.virtual_key)) & 0x8000) != 0) return;
    stop_timer(state.main_window, HOT_KEY_RELEASE_TIMER_ID);
    state.desktop.hot_key_held = false;
}

}  // namespace numvora
