#include "ui/layout/layout.h"

#include <algorithm>

#include "ui/keypad_buttons.h"
#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

PixelBox box(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    return {x, y, at_least_zero(width), at_least_zero(height)};
}

// The find bar's rows from top, inside the memo's width; the top of what is below it.
// Row one: the find box and its message share what the fixed controls leave.
std::int32_t place_find_bar(LayoutRects& r, const LayoutInput& in, std::int32_t left, std::int32_t width,
                            std::int32_t top) {
    using enum ControlSlot;
    if (in.find_bar == FindBar::Hidden) return top;
    const auto s = [&](std::int32_t n) { return scale_for_dpi(n, in.dpi); };
    const std::int32_t gap = s(6);
    const std::int32_t height = s(30);
    const std::int32_t check_width = s(112);
    const std::int32_t arrow_width = s(36);
    const std::int32_t close_width = s(52);
    const std::int32_t shared = at_least_zero(width - (check_width + 2 * arrow_width + close_width + 5 * gap));
    const std::int32_t box_width = shared * 11 / 20;
    const std::int32_t message_width = shared - box_width;
    std::int32_t x = left;
    const auto next = [&](ControlSlot slot, std::int32_t w, std::int32_t y) {
        r.box(slot) = box(x, y, w, height);
        x += w + gap;
    };
    // A one-line edit draws its text at its top: the boxes are a line's height, centred.
    const std::int32_t box_inset = s(3);
    const auto edit_box = [&](ControlSlot slot, std::int32_t y) {
        r.box(slot) = box(x, y + box_inset, box_width, height - 2 * box_inset);
        x += box_width + gap;
    };
    edit_box(FindBox, top);
    next(FindMessage, message_width, top);
    next(FindMatchCase, check_width, top);
    next(FindPreviousButton, arrow_width, top);
    next(FindNextButton, arrow_width, top);
    next(FindCloseButton, close_width, top);
    top += height + gap;
    if (in.find_bar != FindBar::Replace) return top;
    x = left;
    const std::int32_t replace_width = s(76);
    edit_box(ReplaceBox, top);
    next(ReplaceButton, replace_width, top);
    next(ReplaceAllButton, std::min(s(104), at_least_zero(left + width - x)), top);
    return top + height + gap;
}

}  // namespace

LayoutRects compute_layout(const LayoutInput& in) {
    using enum ControlSlot;
    const auto s = [&](std::int32_t n) { return scale_for_dpi(n, in.dpi); };
    const std::int32_t client_width = at_least_zero(in.client_width);
    const std::int32_t client_height = at_least_zero(in.client_height);
    const std::int32_t margin = s(14);      // outside the panels and inside them
    const std::int32_t gap = s(6);          // between neighbours
    const std::int32_t bar_height = s(46);  // the top bar; also an operation button's width
    const std::int32_t caption_height = s(18);
    const std::int32_t small_button_height = s(30);
    const std::int32_t action_height = s(34);  // the expression box and the result buttons

    // Panels: the calculator takes its share of the width left between three margins.
    const std::int32_t usable_width = at_least_zero(client_width - 3 * margin);
    const auto calculator_width = static_cast<std::int32_t>(std::int64_t{in.calculator_percent} * usable_width / 100);
    const std::int32_t memo_width = usable_width - calculator_width;
    const std::int32_t panel_top = bar_height + 2 * margin;
    const std::int32_t panel_bottom = panel_top + at_least_zero(client_height - (bar_height + 3 * margin));
    const std::int32_t calculator_x = in.calculator_right ? memo_width + 2 * margin : margin;
    const std::int32_t memo_x = in.calculator_right ? margin : calculator_width + 2 * margin;

    LayoutRects r;
    r.top_bar = {margin, margin, client_width - margin, bar_height + margin};
    r.calculator_panel = {calculator_x, panel_top, calculator_x + calculator_width, panel_bottom};
    r.memo_panel = {memo_x, panel_top, memo_x + memo_width, panel_bottom};

    // The panels' insides.
    const std::int32_t inner_top = panel_top + margin;
    const std::int32_t inner_bottom = panel_bottom - margin;
    const std::int32_t calc_left = calculator_x + margin;
    const std::int32_t calc_width = at_least_zero(calculator_width - 2 * margin);
    const std::int32_t calc_right = calc_left + calc_width;
    const std::int32_t memo_left = memo_x + margin;
    const std::int32_t memo_inner_width = at_least_zero(memo_width - 2 * margin);

    // Top bar.
    const std::int32_t bar_button_height = at_least_zero(bar_height - s(12));
    const std::int32_t file_button_width = s(106);
    r.box(SaveButton) = box(2 * margin, margin + gap, file_button_width, bar_button_height);
    r.box(LoadButton) = box(2 * margin + file_button_width + gap, margin + gap, file_button_width, bar_button_height);
    r.box(DarkModeButton) = box(client_width - 2 * margin - s(142), margin + gap, s(142), bar_button_height);

    // Calculator panel, top to bottom.
    r.box(SideButton) = box(calc_right - s(150), inner_top, s(150), small_button_height);
    const std::int32_t expression_caption_top = inner_top + small_button_height + gap;
    const std::int32_t checkbox_width = s(116);
    r.box(ExpressionCaption) =
        box(calc_left, expression_caption_top, at_least_zero(calc_width - (checkbox_width + gap)), caption_height);
    r.box(ThousandsCheckbox) =
        box(calc_right - checkbox_width, expression_caption_top - s(2), checkbox_width, caption_height + s(4));
    const std::int32_t expression_top = expression_caption_top + caption_height + gap;
    r.box(ExpressionEdit) = box(calc_left, expression_top, calc_width, action_height);
    const std::int32_t result_caption_top = expression_top + action_height + 2 * gap;
    r.box(ResultCaption) = box(calc_left, result_caption_top, calc_width, caption_height);
    const std::int32_t result_top = result_caption_top + caption_height + gap;
    const std::int32_t result_height = s(44);
    r.box(ResultLabel) = box(calc_left, result_top, calc_width, result_height);
    const std::int32_t result_buttons_top = result_top + result_height + gap;
    const std::int32_t result_button_width = (calc_width - 2 * gap) / 3;
    const ControlSlot result_buttons[] = {ResultToMemoButton, ExpressionResultToMemoButton, CopyResultButton};
    for (std::int32_t i = 0; i < 3; ++i) {
        r.box(result_buttons[i]) =
            box(calc_left + i * (result_button_width + gap), result_buttons_top, result_button_width, action_height);
    }

    const std::int32_t keypad_top = result_buttons_top + action_height + 2 * gap;
    const std::int32_t key_width = (calc_width - 3 * gap) / 4;
    const std::int32_t key_height = s(50);
    for (std::size_t i = 0; i < KEYPAD_BUTTONS.size(); ++i) {
        const KeypadButton& key = KEYPAD_BUTTONS[i];
        const auto row = static_cast<std::int32_t>(key.row);
        const auto column = static_cast<std::int32_t>(key.column);
        const auto span = static_cast<std::int32_t>(key.column_span);
        r.box(KeypadKey, i) = box(calc_left + column * (key_width + gap), keypad_top + row * (key_height + gap),
                                  span * key_width + (span - 1) * gap, key_height);
    }

    const std::int32_t history_caption_top = keypad_top + 5 * key_height + 6 * gap;
    const std::int32_t clear_width = s(82);
    r.box(HistoryCaption) =
        box(calc_left, history_caption_top, at_least_zero(calc_width - (gap + clear_width)), caption_height);
    r.box(ClearHistoryButton) = box(calc_right - clear_width, history_caption_top, clear_width, caption_height + s(4));
    const std::int32_t history_top = history_caption_top + caption_height + gap;
    r.box(HistoryList) = box(calc_left, history_top, calc_width, at_least_zero(inner_bottom - history_top));

    // Memo panel: the status line shares its row with the right-aligned operation buttons.
    const std::int32_t operation_width = bar_height;
    const auto operations = static_cast<std::int32_t>(OPERATION_BUTTON_COUNT);
    r.box(StatusLabel) = box(memo_left, inner_top,
                             at_least_zero(memo_inner_width - operations * operation_width - (operations + 1) * gap),
                             small_button_height);
    const std::int32_t first_operation_x =
        memo_left + memo_inner_width - (operations - 1) * gap - operations * operation_width;
    for (std::int32_t i = 0; i < operations; ++i) {
        r.box(OperationButton, static_cast<std::size_t>(i)) =
            box(first_operation_x + i * (operation_width + gap), inner_top, operation_width, small_button_height);
    }
    const std::int32_t memo_top = place_find_bar(r, in, memo_left, memo_inner_width, expression_caption_top);
    r.box(MemoEdit) = box(memo_left, memo_top, memo_inner_width, at_least_zero(inner_bottom - memo_top));
    return r;
}

}  // namespace numvora
