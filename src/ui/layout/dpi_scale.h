// Every pixel size of the window is written for 96 DPI and scaled to the DPI at hand.
#pragma once

#include <cstdint>
#include <limits>

namespace numvora {

inline constexpr std::uint32_t BASE_DPI = 96;

// n × dpi / 96: the product saturates at the 32-bit limits, the quotient truncates
// toward zero.
constexpr std::int32_t scale_for_dpi(std::int32_t n, std::uint32_t dpi) {
    const std::int64_t product = static_cast<std::int64_t>(n) * static_cast<std::int64_t>(dpi);
    constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min();
    const std::int64_t saturated = product > high ? high : (product < low ? low : product);
    return static_cast<std::int32_t>(saturated / static_cast<std::int64_t>(BASE_DPI));
}

}  // namespace numvora
