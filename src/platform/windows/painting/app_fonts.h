// The window's DPI and its three fonts, made from the system's message font.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win_handle.h"

namespace numvora {

// GetDpiForWindow, with 0 taken as 96.
std::uint32_t window_dpi(HWND window);

// GetDpiForSystem, with anything below 97 taken as 96. Only for start-up, before
// the window exists.
std::uint32_t system_dpi();

struct FontSet {
    UniqueFont ui;       // 14, 400: captions, top-bar and result buttons, list, status, memo
    UniqueFont keypad;   // 19, 600: keypad and operation buttons
    UniqueFont display;  // 21, 600: expression box and result label
};

// All three or none: on a failure the fonts already made are deleted.
SystemResult<FontSet> create_font_set(std::uint32_t dpi);

// The memo's font at a zoom in percent: the ui font with its height scaled.
SystemResult<UniqueFont> create_memo_font(std::uint32_t dpi, std::int32_t zoom);

}  // namespace numvora
