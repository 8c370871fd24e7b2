#include "platform/windows/desktop/hot_key.h"

#include "platform/windows/base/error_report.h"
#include "platform/windows/desktop/window_presence.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/modal.h"
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
    if (!state.hot_key->registered.none()) state.calls.desktop->unregister_hot_key(state.main_window, HOT_KEY_ID);
    state.hot_key->registered = {};
    state.hot_key->taken = false;
}

// The key registered before goes first; none registers nothing.
void register_hot_key(AppState& state) {
    unregister_hot_key(state);
    const HotKey wanted = state.hot_key->wanted;
    if (wanted.none()) return;
    if (state.calls.desktop->register_hot_key(state.main_window, HOT_KEY_ID, wanted.modifiers | NO_REPEAT,
                                              wanted.virtual_key)) {
        state.hot_key->registered = wanted;
        return;
    }
    if (GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED) {
        log_error_line("전역 단축키 등록 실패: {}", display_text(last_system_error("RegisterHotKey")));
        return;
    }
    state.hot_key->taken = true;
    settle_memo_selection(state);  // the first selection check would take the line back
    show_command_outcome(state, hot_key_taken_text(wanted), true);
}

std::optional<LRESULT> on_hot_key(AppState& state, WPARAM id) {
    if (id != HOT_KEY_ID) return std::nullopt;
    // Once for each press: a key held down comes again from Wine until it is let go.
    if (state.hot_key->held) return 0;
    state.hot_key->held = true;
    start_timer(state.main_window, HOT_KEY_RELEASE_TIMER_ID);
    if (is_in_front(state) && !state.modal->open) {
        put_away(state);
    } else {
        bring_to_front(state, true);
    }
    return 0;
}

void check_hot_key_release(AppState& state) {
    if ((GetAsyncKeyState(static_cast<int>(state.hot_key->registered.virtual_key)) & 0x8000) != 0) return;
    stop_timer(state.main_window, HOT_KEY_RELEASE_TIMER_ID);
    state.hot_key->held = false;
}

}  // namespace numvora
