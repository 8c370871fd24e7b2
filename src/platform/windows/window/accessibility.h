// Names for the controls whose captions are symbols, the live regions and the memo's
// description (its empty hint), handed to the system's accessibility layer once the
// window is up: its library and COM cost milliseconds that the start should not pay.
#pragma once

#include <windows.h>

#include "platform/windows/state/app_state.h"

namespace numvora {

inline constexpr std::uint32_t ACCESSIBILITY_DELAY_MS = 100;

// Called once, by the timer. A system without the services changes nothing.
void annotate_controls(const AppState& state);

}  // namespace numvora
