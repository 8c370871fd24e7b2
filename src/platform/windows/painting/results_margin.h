// The memo's margin of line results: a strip at the memo's right edge, inside its
// frame, that shows each line's result on the row where the line ends. It reads only
// the lines on screen (and the block above a total line on screen), in the same paint
// as the text.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/windows/state/app_state.h"

namespace numvora {

// Subclasses the memo: every paint updates the margin while the option is on, and the
// pointer over a result shows that it can be clicked (the click is a command's).
void watch_results_margin(HWND memo);

// The option as the record says it: the text area narrowed by the strip, or the
// control's own text area back, and a repaint.
void apply_results_margin(AppState& state);

// The results on screen read again and each placed beside the text area: what every
// paint does before the text paints. A result wider than the strip in a short memo
// has the strip widened right after the paint, outside it.
void refresh_results_margin(AppState& state);

// The result shown at a point of the memo's client area, if any.
const MarginRow* margin_row_at(const AppState& state, POINT point);

}  // namespace numvora
