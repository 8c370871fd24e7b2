// The window laid out: each control moved to its box for the client size, the DPI, the
// calculator's side and share and the find bar's rows (ui/layout/layout.h decides), the
// fonts made anew when the DPI changed, and the messages that change the geometry.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/windows/base/system_error.h"
#include "platform/windows/painting/painting.h"
#include "ui/layout/layout.h"

namespace numvora {

struct AppState;

// The window as the layout last placed it: the panels painted behind the controls, the
// find bar's rows it left room for, and what it laid out for.
struct WindowLayout {
    PanelBoxes panels;
    FindBar find_bar = FindBar::Hidden;
    std::optional<LayoutInput> laid_out_for;
};

// Every control moved to its box for the window as it is now: a command that shows or
// hides controls asks for it.
SystemStatus layout_controls(AppState& state);

// The record's fonts onto the controls, each by its row's font role.
void apply_fonts(const AppState& state);

LRESULT on_size(AppState& state);
LRESULT on_get_min_max_info(HWND window, MINMAXINFO* info);
LRESULT on_dpi_changed(AppState& state, const RECT* suggested);

}  // namespace numvora
