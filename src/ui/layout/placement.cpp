#include "ui/layout/placement.h"

#include <algorithm>
#include <limits>

#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

std::int32_t saturate(std::int64_t value) {
    constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::clamp(value, low, high));
}

// Lower bound wins when the bounds cross.
std::int32_t clamp_low_wins(std::int64_t value, std::int64_t low, std::int64_t high) {
    return saturate(std::max(low, std::min(value, high)));
}

}  // namespace

PixelBox default_placement(std::uint32_t dpi) {
    return {SYSTEM_DEFAULT_POSITION, SYSTEM_DEFAULT_POSITION, scale_for_dpi(DEFAULT_WINDOW_WIDTH, dpi),
            scale_for_dpi(DEFAULT_WINDOW_HEIGHT, dpi)};
}

PixelRect saved_window_rect(const SavedGeometry& saved) {
    const std::int32_t x = saved.x.value_or(0);
    const std::int32_t y = saved.y.value_or(0);
    return {x, y, saturate(std::int64_t{x} + saved.width), saturate(std::int64_t{y} + saved.height)};
}

PixelBox clamp_placement(const SavedGeometry& saved, const PixelRect& work_area, std::uint32_t dpi) {
    const std::int64_t work_width = std::max<std::int64_t>(std::int64_t{work_area.right} - work_area.left, 1);
    const std::int64_t work_height = std::max<std::int64_t>(std::int64_t{work_area.bottom} - work_area.top, 1);
    const std::int64_t width =
        std::min<std::int64_t>(std::max(saved.width, scale_for_dpi(MIN_WINDOW_WIDTH, dpi)), work_width);
    const std::int64_t height =
        std::min<std::int64_t>(std::max(saved.height, scale_for_dpi(MIN_WINDOW_HEIGHT, dpi)), work_height);
    return {clamp_low_wins(saved.x.value_or(0), work_area.left, work_area.right - width),
            clamp_low_wins(saved.y.value_or(0), work_area.top, work_area.bottom - height), saturate(width),
            saturate(height)};
}

PixelBox min_track_size(std::uint32_t dpi, const PixelRect& work_area) {
    const std::int64_t work_width = std::max<std::int64_t>(std::int64_t{work_area.right} - work_area.left, 1);
    const std::int64_t work_height = std::max<std::int64_t>(std::int64_t{work_area.bottom} - work_area.top, 1);
    return {0, 0, saturate(std::min<std::int64_t>(scale_for_dpi(MIN_WINDOW_WIDTH, dpi), work_width)),
            saturate(std::min<std::int64_t>(scale_for_dpi(MIN_WINDOW_HEIGHT, dpi), work_height))};
}

PixelRect workspace_to_screen(const PixelRect& rect, const PixelRect& monitor, const PixelRect& work_area) {
    const std::int64_t dx = std::int64_t{work_area.left} - monitor.left;
    const std::int64_t dy = std::int64_t{work_area.top} - monitor.top;
    return {saturate(rect.left + dx), saturate(rect.top + dy), saturate(rect.right + dx), saturate(rect.bottom + dy)};
}

PixelBox center_over(const PixelRect& owner, PixelBox size, const PixelRect& work_area) {
    const auto place = [](std::int32_t near_low, std::int32_t near_high, std::int32_t& length, std::int32_t low,
                          std::int32_t high) {
        length = std::max(0, std::min(length, high - low));
        return std::max(low, std::min(near_low + (near_high - near_low - length) / 2, high - length));
    };
    size.x = place(owner.left, owner.right, size.width, work_area.left, work_area.right);
    size.y = place(owner.top, owner.bottom, size.height, work_area.top, work_area.bottom);
    return size;
}

}  // namespace numvora
