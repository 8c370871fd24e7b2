// The memo control's one procedure: every message the rich edit gets passes through it
// first, and the memo's parts (its margin of results, the paste, the zoom, the hint of
// an empty memo and its keys) each take their own, in the order of one table.
#pragma once

#include <windows.h>

namespace numvora {

// For the rest of the control's life.
void take_over_memo(HWND memo);

}  // namespace numvora
