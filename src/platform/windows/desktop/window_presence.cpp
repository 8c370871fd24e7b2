#include "platform/windows/desktop/window_presence.h"

#include <utility>

#include "platform/windows/base/error_report.h"
#include "platform/windows/desktop/hot_key.h"
#include "platform/windows/desktop/second_start.h"
#include "platform/windows/desktop/tray_icon.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"

namespace numvora {

void enter_desktop(AppState& state, bool window_shows) {
    if (state.save->paths) {
        const InstanceNames names = instance_names(state.save->paths->folder);
        state.second_start->front_request = RegisterWindowMessageW(names.front_request.c_str());
    }
    state.tray->taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
    if (!window_shows || !state.tray->wanted || !PostMessageW(state.main_window, WM_TRAY_ICON_LATER, 0, 0))
        apply_tray_icon(state, state.tray->wanted);
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
    if (focus_box && popup == window && !state.modal->open) SetFocus(state.expression_edit());
}

void put_away(AppState& state) { ShowWindow(state.main_window, state.tray->shown ? SW_HIDE : SW_MINIMIZE); }

bool hide_instead_of_close(AppState& state) {
    if (std::exchange(state.tray->exiting, false)) return false;
    if (!state.tray->close_to_tray || !state.tray->shown) return false;
    // What a close would keep is kept: nothing typed waits on the hidden window.
    if (auto saved = save_all(state); !saved) log_error_line("숨기기 전 저장 실패: {}", display_text(saved.error()));
    ShowWindow(state.main_window, SW_HIDE);
    return true;
}

}  // namespace numvora
