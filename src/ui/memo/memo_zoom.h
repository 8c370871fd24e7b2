// The memo's zoom: the steps of its keys and of the mouse wheel, and its status text.
#pragma once

#include <cstdint>
#include <string>

namespace numvora {

// The zoom moved by whole steps (negative: out), kept within the bounds; a value off
// the steps first goes to the nearest one.
std::int32_t stepped_memo_zoom(std::int32_t zoom, std::int32_t steps);

// A wheel turn: each full notch (120) of delta, the carry of earlier partial turns
// included, is one step; what is left over is carried to the next turn. A turn
// against the carried direction starts afresh.
struct WheelZoom {
    std::int32_t zoom;
    std::int32_t carry;

    bool operator==(const WheelZoom&) const = default;
};
WheelZoom wheel_memo_zoom(std::int32_t zoom, std::int32_t carry, std::int32_t delta);

// "메모 확대 150%".
std::string memo_zoom_text(std::int32_t zoom);

}  // namespace numvora
