// Everything drawn with the theme: the panels, the control colours and the
// owner-drawn buttons. std::nullopt lets DefWindowProcW handle the message.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/colors/button_colors.h"
#include "ui/colors/color_scheme.h"
#include "ui/layout/pixel_rect.h"

namespace numvora {

struct AppState;

// The panels behind the controls, as the layout placed them.
struct PanelBoxes {
    PixelRect top_bar;
    PixelRect calculator;
    PixelRect memo;
};
std::optional<LRESULT> paint_panels(AppState& state, const PanelBoxes& panels);
// WM_PAINT fills the whole paint rectangle itself, so the class brush (light in either
// theme) must not erase first: a dark window would flash light on every repaint.
std::optional<LRESULT> skip_background_erase(AppState& state);
// The window and every control painted again now.
void redraw_window(HWND window);
std::optional<LRESULT> control_colors(AppState& state, HDC dc, HWND control);
// A rounded push button of the kind in the scheme's colours, its focus ring when focused;
// the program's own dialogs paint theirs with it too.
void paint_push_button(const DRAWITEMSTRUCT& item, ButtonKind kind, const ColorScheme& scheme);
// Only owner-drawn buttons; anything else is left to the default.
std::optional<LRESULT> draw_button(AppState& state, const DRAWITEMSTRUCT* item);

}  // namespace numvora
