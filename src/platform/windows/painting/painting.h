// Everything drawn with the theme: the panels, the control colours and the
// owner-drawn buttons. std::nullopt lets DefWindowProcW handle the message.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/windows/state/app_state.h"

namespace numvora {

std::optional<LRESULT> paint_panels(AppState& state);
std::optional<LRESULT> control_colors(AppState& state, HDC dc, HWND control);
// Only owner-drawn buttons; anything else is left to the default.
std::optional<LRESULT> draw_button(AppState& state, const DRAWITEMSTRUCT* item);

}  // namespace numvora
