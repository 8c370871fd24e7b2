#include "ui/text_fit.h"

#include <algorithm>

#include "ui/dpi_scale.h"

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
    if (dpi <= BASE_DPI || caption_text_width <= caption.width) return;
    // The button's rounded border and a little air on either side of its caption.
    const std::int32_t needed = clear_text_width + 2 * scale_for_dpi(8, dpi);
    const std::int32_t spare = std::max(clear.width - needed, 0);
    const std::int32_t given = std::min(spare, caption_text_width - caption.width);
    caption.width += given;
    clear.x += given;
    clear.width -= given;
}

}  // namespace numvora
