#include "ui/memo/memo_zoom.h"

#include <algorithm>

#include "storage/settings.h"

namespace numvora {
namespace {

constexpr std::int32_t WHEEL_NOTCH = 120;

}  // namespace

std::int32_t stepped_memo_zoom(std::int32_t zoom, std::int32_t steps) {
    const std::int32_t bounded = std::clamp(zoom, MEMO_ZOOM_MIN, MEMO_ZOOM_MAX);
    const std::int32_t on_step = (bounded + MEMO_ZOOM_STEP / 2) / MEMO_ZOOM_STEP;
    const std::int32_t limit = MEMO_ZOOM_MAX / MEMO_ZOOM_STEP;
    // Clamped in steps first, so that a huge count cannot overflow.
    const std::int32_t moved = std::clamp(steps, -limit, limit) + on_step;
    return std::clamp(moved * MEMO_ZOOM_STEP, MEMO_ZOOM_MIN, MEMO_ZOOM_MAX);
}

WheelZoom wheel_memo_zoom(std::int32_t zoom, std::int32_t carry, std::int32_t delta) {
    if ((carry > 0 && delta < 0) || (carry < 0 && delta > 0)) carry = 0;
    const std::int32_t total = carry + std::clamp(delta, -WHEEL_NOTCH * 100, WHEEL_NOTCH * 100);
    return {stepped_memo_zoom(zoom, total / WHEEL_NOTCH), total % WHEEL_NOTCH};
}

std::string memo_zoom_text(std::int32_t zoom) { return "메모 확대 " + std::to_string(zoom) + "%"; }

}  // namespace numvora
