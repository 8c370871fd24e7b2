// Where every child control of the main window goes, for a client size, DPI,
// calculator side and share. Pure: the window only moves its controls to these boxes.
#pragma once

#include <array>
#include <cstdint>

#include "ui/control_table.h"
#include "ui/keypad_buttons.h"
#include "ui/pixel_rect.h"

namespace numvora {

struct LayoutInput {
    std::int32_t client_width = 0;
    std::int32_t client_height = 0;
    std::uint32_t dpi = 96;
    bool calculator_right = false;
    std::uint8_t calculator_percent = 0;  // the calculator panel's share of the usable width

    bool operator==(const LayoutInput&) const = default;
};

struct LayoutRects {
    PixelRect top_bar;
    PixelRect calculator_panel;
    PixelRect memo_panel;

    PixelBox save_button;
    PixelBox load_button;
    PixelBox dark_mode_button;
    PixelBox side_button;
    PixelBox expression_caption;
    PixelBox thousands_checkbox;
    PixelBox expression_edit;
    PixelBox result_caption;
    PixelBox result_label;
    std::array<PixelBox, 3> result_buttons;            // result→memo, expression+result→memo, copy
    std::array<PixelBox, KEYPAD_BUTTON_COUNT> keypad;  // in KEYPAD_BUTTONS order
    PixelBox history_caption;
    PixelBox clear_history_button;
    PixelBox history_list;
    PixelBox status_label;
    std::array<PixelBox, 5> operation_buttons;
    PixelBox memo_edit;
};

// Widths and heights never come out negative; below 1 they are 0.
LayoutRects compute_layout(const LayoutInput& input);

// The box of the control that a row of the control table describes.
PixelBox control_box(const LayoutRects& rects, const ControlRow& row);

}  // namespace numvora
