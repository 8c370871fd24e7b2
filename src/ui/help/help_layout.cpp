#include "ui/help/help_layout.h"

#include "ui/layout/dpi_scale.h"

namespace numvora {

HelpLayout help_layout(std::uint32_t dpi) {
    const auto s = [dpi](std::int32_t n) { return scale_for_dpi(n, dpi); };
    const std::int32_t margin = s(12);
    const std::int32_t gap = s(8);
    const std::int32_t width = s(760);
    const std::int32_t height = s(640);
    const std::int32_t row = s(26);
    const std::int32_t caption = s(64);
    const std::int32_t button = s(96);
    const std::int32_t button_height = s(28);
    HelpLayout layout;
    layout.client = {0, 0, width, height};
    layout.find_caption = {margin, margin, caption, row};
    layout.find_next = {width - margin - button, margin - s(1), button, button_height};
    const std::int32_t box_x = margin + caption + gap;
    layout.find_box = {box_x, margin, at_least_zero(layout.find_next.x - gap - box_x), row};
    layout.close = {width - margin - button, height - margin - button_height, button, button_height};
    const std::int32_t page_top = margin + row + gap;
    layout.page = {margin, page_top, width - 2 * margin, at_least_zero(layout.close.y - gap - page_top)};
    return layout;
}

}  // namespace numvora
