// Where every child control of the main window goes, for a client size, DPI,
// calculator side and share. Pure: the window only moves its controls to these boxes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "ui/control_table.h"
#include "ui/layout/pixel_rect.h"

namespace numvora {

// The calculator panel's least width at 96 DPI, whatever its share: its captions whole
// (the history caption beside its button, "식+결과→메모" inside its button). The memo
// gives way in a narrow window.
inline constexpr std::int32_t CALCULATOR_LEAST_WIDTH = 340;

struct LayoutInput {
    std::int32_t client_width = 0;
    std::int32_t client_height = 0;
    std::uint32_t dpi = 96;
    bool calculator_right = false;
    std::uint8_t calculator_percent = 0;  // the calculator panel's share of the usable width
    FindBar find_bar = FindBar::Hidden;   // shown, the memo moves down by the bar's height

    bool operator==(const LayoutInput&) const = default;
};

struct LayoutRects {
    PixelRect top_bar;
    PixelRect calculator_panel;
    PixelRect memo_panel;
    std::array<PixelBox, CONTROL_COUNT> boxes;  // by the control table's row

    PixelBox& box(ControlSlot slot, std::size_t member = 0) { return boxes[control_row_index(slot, member)]; }
    const PixelBox& box(ControlSlot slot, std::size_t member = 0) const {
        return boxes[control_row_index(slot, member)];
    }
};

// Widths and heights never come out negative; below 1 they are 0.
LayoutRects compute_layout(const LayoutInput& input);

}  // namespace numvora
