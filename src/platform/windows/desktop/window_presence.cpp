// Showing, fronting and hiding the window for the key, the icon and a second start; the
// close that hides.
#include <utility>

#include "platform/windows/base/error_report.h"
#include "platform/windows/desktop/desktop_presence.h"
#include "platform/windows/state/save_all.h"

namespace numvora {

void enter_desktop(AppState& state) {
    if (state.data_paths) {
        const InstanceNames names = instance_names(state.data_paths->folder);
        state.desktop.front_request = RegisterWindowMessageW(names.front_request.c_str());
    }
    state.desktop.taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
    register_hot_key(state);
    apply_tray_icon(state, state.preferences.tray_icon);
}

void leave_desktop(AppState& state) {
    unregister_hot_key(state);
    apply_tray_icon(state, false);
}

void bring_to_front(AppState& state, bool focus_box) {
    const HWND window = state.main_window;
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    } else if (!IsWindowVisible(window)) {
        ShowWindow(window, SW_SHOW);
    }
    // A dialog open over the window is what comes forward; the window keeps its focus.
    const HWND popup = GetLastActivePopup(window);
    SetForegroundWindow(popup);
    if (focus_box && popup == window && !state.modal.open) SetFocus(state.expression_edit());
}

void put_away(AppState& state) { ShowWindow(state.main_window, state.desktop.tray_icon_shown ? SW_HIDE : SW_MINIMIZE); }

bool hide_instead_of_close(AppState& state) {
    if (std::exchange(state.desktop.exiting, false)) return false;
    if (!state.preferences.close_to_tray || !state.desktop.tray_icon_shown) return false;
    // What a close would keep is kept: nothing typed waits on the hidden window.
    if (auto saved = save_all(state); !saved) log_error_line("숨기기 전 저장 실패: {}", display_text(saved.error()));
    ShowWindow(state.main_window, SW_HIDE);
    return true;
}

}  // namespace numvora
