// The memo's zoom as a font of its own: the ui font's face at the zoomed height, so
// only the memo's text scales. The rich edit's own EM_SETZOOM was tried first: under
// Wine 8 it moves the lines apart but draws each glyph at the zoomed size on the
// unzoomed advances, so that the letters overlap.
#pragma once

#include <cstdint>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/memo/memo_message.h"
#include "storage/settings.h"

namespace numvora {

// The zoom in percent (a preference), the ui font at that size (none at 100%, where the
// memo has the ui font), and a Ctrl+wheel turn short of a notch, towards the next.
struct MemoZoom {
    std::int32_t percent = MEMO_ZOOM_DEFAULT;
    UniqueFont font;
    std::int32_t wheel_carry = 0;
};

// The memo's font: its zoom's, or the ui font at 100%.
HFONT memo_font(const AppState& state);

// The record's zoom onto the control: its own font, or the ui font at 100%.
SystemStatus apply_memo_zoom(AppState& state);
// The same as the preference's step: a font that cannot be made is logged.
bool follow_memo_zoom(AppState& state);

// Applied, shown on the status line for a moment and remembered; preferences.txt is
// written only when it changed. A font that cannot be made leaves the zoom as it was.
SystemStatus set_memo_zoom(AppState& state, std::int32_t zoom);

// Ctrl with the wheel over the memo.
std::optional<LRESULT> zoom_before(AppState& state, const MemoMessage& message);

}  // namespace numvora
