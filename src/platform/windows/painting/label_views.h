// The labels that speak (the result, the status line, the find bar's message) beyond
// what a static control does by itself: the result's text is drawn to fit, a text that
// shows cut is whole in the label's tooltip, and a change of any of them is announced
// to screen readers (they are live regions).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "platform/windows/base/win_handle.h"

namespace numvora {

struct AppState;

// The result label's smaller display fonts, by size, for the DPI they were made for,
// made when a text first needs them.
struct ResultLabelView {
    std::uint32_t fonts_dpi = 0;
    std::array<UniqueFont, 8> fonts;
};

// Takes over the labels' painting and text changes.
void watch_labels(const AppState& state);

}  // namespace numvora
