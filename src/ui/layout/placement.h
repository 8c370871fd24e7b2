// Where the main window opens: the saved geometry, kept inside a monitor's work area.
#pragma once

#include <cstdint>
#include <optional>

#include "ui/layout/pixel_rect.h"

namespace numvora {

// The window's size without a saved position, and its smallest restored size, in
// pixels at 96 DPI. (The settings file has defaults of its own for a file without them.)
// The smallest keeps three rows of the history list, whose top is fixed, under a title
// bar and frame of up to 39 pixels.
inline constexpr std::int32_t DEFAULT_WINDOW_WIDTH = 860;
inline constexpr std::int32_t DEFAULT_WINDOW_HEIGHT = 760;
inline constexpr std::int32_t MIN_WINDOW_WIDTH = 740;
inline constexpr std::int32_t MIN_WINDOW_HEIGHT = 750;

// The value of CW_USEDEFAULT: the system picks the position.
inline constexpr std::int32_t SYSTEM_DEFAULT_POSITION = INT32_MIN;

struct SavedGeometry {
    std::optional<std::int32_t> x;
    std::optional<std::int32_t> y;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The system's position with the default size, scaled for dpi.
PixelBox default_placement(std::uint32_t dpi);

// The saved rectangle used to find the nearest monitor; the edges saturate at the
// 32-bit limits. Only meaningful when both x and y are present.
PixelRect saved_window_rect(const SavedGeometry& saved);

// The saved geometry kept at least the smallest restored size, at most the work area,
// and moved inside it. When the work area is empty the bounds cross; the lower
// (left, top) bound wins.
PixelBox clamp_placement(const SavedGeometry& saved, const PixelRect& work_area, std::uint32_t dpi);

// The smallest tracking size: the smallest restored size at the DPI, but never more
// than the work area of the window's monitor, so that the window always fits on it.
PixelBox min_track_size(std::uint32_t dpi, const PixelRect& work_area);

// A restored rectangle as GetWindowPlacement reports it (workspace coordinates, whose
// origin is the work area's corner) in screen coordinates.
PixelRect workspace_to_screen(const PixelRect& rect, const PixelRect& monitor, const PixelRect& work_area);

// A window of the box's size centred over the owner's rectangle, cut to the work area
// and moved inside it.
PixelBox center_over(const PixelRect& owner, PixelBox size, const PixelRect& work_area);

}  // namespace numvora
