// The handlers that the main window procedure dispatches to. Each returns the
// message's result; std::nullopt means "not handled here", i.e. DefWindowProcW.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/windows/window/app_state.h"
#include "platform/windows/app/system_error.h"

namespace numvora {

// Creation (window_create.cpp).
LRESULT on_create(HWND window);

// Layout and DPI (window_layout.cpp).
SystemStatus layout_controls(AppState& state, HWND window);
LRESULT on_size(HWND window);
LRESULT on_get_min_max_info(HWND window, MINMAXINFO* info);
LRESULT on_dpi_changed(HWND window, const RECT* suggested);
SystemStatus switch_calculator_side(AppState& state, HWND window, std::int32_t id);

// Fonts of the controls (window_create.cpp).
void apply_fonts(const AppState& state, HFONT ui_font, HFONT display_font, HFONT keypad_font);

// Commands (window_commands.cpp).
std::optional<LRESULT> on_command(HWND window, std::int32_t id, std::uint32_t code);

// Shutdown (window_shutdown.cpp).
LRESULT on_close(HWND window);
LRESULT on_query_end_session(HWND window);
LRESULT on_destroy(HWND window);
void on_nc_destroy(HWND window);

}  // namespace numvora
