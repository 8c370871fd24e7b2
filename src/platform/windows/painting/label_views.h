// The result label and the status line beyond what a static control does by itself:
// the result's text is drawn to fit, and a change of either text is announced to
// screen readers (both are live regions).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "platform/windows/state/app_state.h"

namespace numvora {

// Takes over the two labels' painting and text changes.
void watch_labels(const AppState& state);

// The width of a text in a font, as a control would draw it.
std::int32_t text_width(HWND control, HFONT font, std::wstring_view text);

}  // namespace numvora
