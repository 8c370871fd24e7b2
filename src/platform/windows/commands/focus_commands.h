// The keyboard focus: Tab and Shift+Tab through the controls in reading order (commands
// of their own), and the focused control remembered when the window goes inactive.
#pragma once

#include <windows.h>

#include <optional>

namespace numvora {

struct AppState;

struct FocusMemory {
    // The control that had the keyboard focus when the window was last deactivated; it
    // gets it back on activation.
    HWND before_deactivation = nullptr;
};

// WM_ACTIVATE: the focused control is remembered when the window goes inactive and gets
// the focus back when it is active again, the expression box when it can take it no
// more.
std::optional<LRESULT> on_activate(AppState& state, WPARAM wparam);

}  // namespace numvora
