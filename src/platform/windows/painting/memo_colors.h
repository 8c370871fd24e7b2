// The memo's colours: the rich edit control keeps them itself.
#pragma once

#include <windows.h>

#include <cstdint>

namespace numvora {

// Sets the colour of the text already there and of text typed later. The colour is
// explicit (not automatic), so that the theme decides it, not the system.
void apply_memo_text_color(HWND memo, std::uint32_t color);

void apply_memo_background(HWND memo, std::uint32_t color);

}  // namespace numvora
