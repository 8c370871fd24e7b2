// A command's modal box or dialog open over the window, and a close that arrived
// meanwhile, carried out when it returns.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/windows/state/app_state.h"

namespace numvora {

struct ModalState {
    bool open = false;
    bool close_pending = false;
};

// Runs a command's modal box or dialog. A close that arrives meanwhile waits and is
// posted again once it returns, so that it is carried out after the command. Returns
// the record looked up again: null when the window is gone.
template <class Run>
AppState* run_modal(AppState& state, Run run) {
    const HWND window = state.main_window;
    state.modal->open = true;
    run();
    AppState* again = app_state_of(window);
    if (again == nullptr) return nullptr;
    again->modal->open = false;
    if (std::exchange(again->modal->close_pending, false)) PostMessageW(window, WM_CLOSE, 0, 0);
    return again;
}

}  // namespace numvora
