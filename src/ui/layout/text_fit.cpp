#include "ui/layout/text_fit.h"

#include <algorithm>

#include "ui/layout/dpi_scale.h"

namespace numvora {

TextFit fit_result_text(const std::function<std::int32_t(std::int32_t size)>& width_at, std::int32_t available) {
    for (std::int32_t size = RESULT_FONT_LARGEST; size >= RESULT_FONT_SMALLEST; --size) {
        if (width_at(size) <= available) return {size, false};
    }
    return {RESULT_FONT_SMALLEST, true};
}

void fit_history_caption(LayoutRects& rects, std::int32_t caption_text_width, std::int32_t clear_text_width,
                         std::uint32_t dpi) {
    PixelBox& caption = rects.box(ControlSlot::HistoryCaption);
    PixelBox& clear = rects.box(ControlSlot::ClearHistoryButton);
    std::int32_t missing = caption_text_width - caption.width;
    if (dpi <= BASE_DPI || missing <= 0) return;
    const std::int32_t gap = clear.x - (caption.x + caption.width);
    // The button's caption keeps a little air inside its border; the gap keeps a sliver.
    const std::int32_t from_button =
        std::clamp(clear.width - (clear_text_width + 2 * scale_for_dpi(4, dpi)), 0, missing);
    clear.x += from_button;
    clear.width -= from_button;
    missing -= from_button;
    const std::int32_t from_gap = std::clamp(gap - scale_for_dpi(2, dpi), 0, missing);
    caption.width += from_button + from_gap;
}

}  // namespace numvora
