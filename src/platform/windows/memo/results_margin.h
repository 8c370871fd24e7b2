// The memo's margin of line results: a strip at the memo's right edge, inside its
// frame, that shows each line's result on the row where the line ends. It reads only
// the lines on screen (and the block above a total line on screen), in the same paint
// as the text.
#pragma once

#include <windows.h>

#include "platform/windows/memo/memo_message.h"

namespace numvora {

struct MarginRow;

// The memo's messages while the option is on: every paint reads the results on screen
// and draws them, a change of size or font fits the strip again, and the pointer over
// a result shows that it can be clicked (margin_clicks.h).
std::optional<LRESULT> margin_before(AppState& state, const MemoMessage& message);
void margin_after(AppState& state, const MemoMessage& message);

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
