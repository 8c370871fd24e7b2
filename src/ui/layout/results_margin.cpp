#include "ui/layout/results_margin.h"

#include <algorithm>

#include "ui/layout/dpi_scale.h"

namespace numvora {

std::int32_t results_margin_width(std::int32_t widest_result, std::int32_t memo_width, std::uint32_t dpi) {
    const std::int32_t step = std::max(1, scale_for_dpi(RESULTS_MARGIN_STEP, dpi));
    const std::int32_t wanted = std::max(0, widest_result) + 2 * scale_for_dpi(RESULTS_MARGIN_PADDING, dpi);
    const std::int32_t stepped = (wanted + step - 1) / step * step;
    const std::int32_t most = static_cast<std::int32_t>(static_cast<std::int64_t>(std::max(0, memo_width)) *
                                                        RESULTS_MARGIN_MAX_PERCENT / 100);
    return std::min(std::max(stepped, scale_for_dpi(RESULTS_MARGIN_MIN_WIDTH, dpi)), most);
}

}  // namespace numvora
