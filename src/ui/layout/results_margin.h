// The strip of line results at the memo's right edge: how wide it is.
#pragma once

#include <cstdint>

namespace numvora {

// At 96 DPI: the narrowest strip, the room on each side of a result, and the steps the
// width moves in (every change of it rewraps the whole memo, so it does not follow
// each pixel of the widest result).
inline constexpr std::int32_t RESULTS_MARGIN_MIN_WIDTH = 64;
inline constexpr std::int32_t RESULTS_MARGIN_PADDING = 6;
inline constexpr std::int32_t RESULTS_MARGIN_STEP = 16;
// The strip's share of the memo's width at most, in percent.
inline constexpr std::int32_t RESULTS_MARGIN_MAX_PERCENT = 40;

// The widest result on screen with its padding, in steps, between the narrowest strip
// and the share of the memo (the share wins in a memo too narrow for both).
std::int32_t results_margin_width(std::int32_t widest_result, std::int32_t memo_width, std::uint32_t dpi);

}  // namespace numvora
