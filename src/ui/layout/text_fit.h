// Texts that do not fit their box: the result label steps its font down, the history
// caption takes what the clear button's caption leaves free.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/layout/layout.h"

namespace numvora {

// The result label's font sizes at 96 DPI: the display font's, down to the interface
// font's.
inline constexpr std::int32_t RESULT_FONT_LARGEST = 21;
inline constexpr std::int32_t RESULT_FONT_SMALLEST = 14;

struct TextFit {
    std::int32_t size = RESULT_FONT_LARGEST;
    bool ellipsis = false;  // even the smallest size is too wide: the end gives way to "…"

    bool operator==(const TextFit&) const = default;
};

// The largest size whose width (width_at a size, in pixels) fits the available width.
TextFit fit_result_text(const std::function<std::int32_t(std::int32_t size)>& width_at, std::int32_t available);

// Above 96 DPI, when the history caption's text is wider than its box, it takes the
// free width left of the clear button's caption: the button shrinks to its own text
// and a little padding, and the gap between them narrows. At 96 DPI the boxes stay as
// they are; a caption that still does not fit ends in "…".
void fit_history_caption(LayoutRects& rects, std::int32_t caption_text_width, std::int32_t clear_text_width,
                         std::uint32_t dpi);

}  // namespace numvora
