// The labels that speak (the result, the status line, the find bar's message) beyond
// what a static control does by itself: the result's text is drawn to fit, a text that
// shows cut is whole in the label's tooltip, and a change of any of them is announced
// to screen readers (they are live regions).
#pragma once

#include <windows.h>

#include "platform/windows/state/app_state.h"

namespace numvora {

// Takes over the labels' painting and text changes.
void watch_labels(const AppState& state);

}  // namespace numvora
