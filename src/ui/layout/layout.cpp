#include "ui/layout/layout.h"

#include <algorithm>

#include "ui/keypad_buttons.h"
#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

PixelBox box(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    return {x, y, at_least_zero(width), at_least_zero(height)};
}

// What a band's shares divide: the width its fixed boxes and gaps leave, and the sum
// of the shares' weights.
struct Shares {
    std::int32_t free = 0;
    std::int32_t weights = 0;
};

Shares band_shares(Band band, std::int32_t width, std::uint32_t dpi, std::int32_t gap) {
    std::int32_t fixed = 0;
    std::int32_t count = 0;
    Shares shares;
    for (const ControlRow& row : CONTROL_ROWS) {
        if (row.place.band != band) continue;
        ++count;
        if (row.place.width > 0) {
            fixed += scale_for_dpi(row.place.width, dpi);
        } else {
            shares.weights += row.place.share;
        }
    }
    shares.free = at_least_zero(width - fixed - (count - 1) * gap);
    return shares;
}

std::int32_t share_width(const Shares& shares, std::int32_t weight) {
    if (shares.weights == 0) return 0;
    return static_cast<std::int32_t>(std::int64_t{shares.free} * weight / shares.weights);
}

// One band's controls side by side in the strip: from its start in row order, those
// placed from the end from its right edge.
// Shares divide what `shares` says, which is the band's own unless it lines up with
// another band.
void lay_band(LayoutRects& r, Band band, const PixelBox& strip, const Shares& shares, std::uint32_t dpi,
              std::int32_t gap) {
    const auto width_of = [&](const Place& place) {
        return place.width > 0 ? scale_for_dpi(place.width, dpi) : share_width(shares, place.share);
    };
    const std::int32_t right = strip.x + strip.width;
    std::int32_t x = strip.x;
    std::int32_t end = right;
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const Place& place = CONTROL_ROWS[i].place;
        if (place.band != band || place.from_end) continue;
        const std::int32_t width =
            place.gives_way ? std::min(width_of(place), at_least_zero(right - x)) : width_of(place);
        r.boxes[i] = box(x, strip.y, width, strip.height);
        x += width + gap;
    }
    for (std::size_t i = CONTROL_COUNT; i-- > 0;) {
        const Place& place = CONTROL_ROWS[i].place;
        if (place.band != band || !place.from_end) continue;
        const std::int32_t width = width_of(place);
        end -= width;
        r.boxes[i] = box(end, strip.y, width, strip.height);
        end -= gap;
    }
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const Place& place = CONTROL_ROWS[i].place;
        if (place.band != band) continue;
        PixelBox& b = r.boxes[i];
        const std::int32_t inset = scale_for_dpi(place.inset, dpi);
        b = box(b.x, b.y + scale_for_dpi(place.top, dpi) + inset, b.width - scale_for_dpi(place.narrower, dpi),
                b.height + scale_for_dpi(place.taller, dpi) - 2 * inset);
    }
}

}  // namespace

LayoutRects compute_layout(const LayoutInput& in) {
    const auto s = [&](std::int32_t n) { return scale_for_dpi(n, in.dpi); };
    const std::int32_t client_width = at_least_zero(in.client_width);
    const std::int32_t client_height = at_least_zero(in.client_height);
    const std::int32_t margin = s(14);      // outside the panels and inside them
    const std::int32_t gap = s(6);          // between neighbours
    const std::int32_t bar_height = s(46);  // the top bar
    const std::int32_t caption_height = s(18);
    const std::int32_t small_button_height = s(30);
    const std::int32_t line_height = s(24);    // a line of text: the status line, the find bar's message
    const std::int32_t action_height = s(34);  // the expression box and the result buttons

    // Panels: the calculator takes its share of the width left between three margins, and
    // never less than its captions need.
    const std::int32_t usable_width = at_least_zero(client_width - 3 * margin);
    const auto calculator_share = static_cast<std::int32_t>(std::int64_t{in.calculator_percent} * usable_width / 100);
    const std::int32_t calculator_width = std::min(std::max(calculator_share, s(CALCULATOR_LEAST_WIDTH)), usable_width);
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
    const std::int32_t memo_left = memo_x + margin;
    const std::int32_t memo_inner_width = at_least_zero(memo_width - 2 * margin);

    const auto lay = [&](Band band, PixelBox strip) {
        lay_band(r, band, strip, band_shares(band, strip.width, in.dpi, gap), in.dpi, gap);
    };
    lay(Band::TopBarLine, {2 * margin, margin + gap, client_width - 4 * margin, at_least_zero(bar_height - s(12))});

    // The calculator panel, top to bottom; each line is a strip of the inside's width.
    std::int32_t y = inner_top;
    const auto line = [&](Band band, std::int32_t height, std::int32_t gaps_after) {
        lay(band, {calc_left, y, calc_width, height});
        y += height + gaps_after * gap;
    };
    line(Band::SideLine, small_button_height, 1);
    const std::int32_t below_side = y;
    line(Band::ExpressionCaptionLine, caption_height, 1);
    line(Band::ExpressionLine, action_height, 2);
    line(Band::ResultCaptionLine, caption_height, 1);
    line(Band::ResultLine, s(44), 1);
    line(Band::ResultActionLine, action_height, 2);

    constexpr auto columns = static_cast<std::int32_t>(KEYPAD_COLUMNS);
    constexpr auto rows = static_cast<std::int32_t>(KEYPAD_ROWS);
    const std::int32_t key_width = (calc_width - (columns - 1) * gap) / columns;
    const std::int32_t key_height = s(50);
    for (std::size_t i = 0; i < KEYPAD_BUTTONS.size(); ++i) {
        const KeypadButton& key = KEYPAD_BUTTONS[i];
        const auto row = static_cast<std::int32_t>(key.row);
        const auto column = static_cast<std::int32_t>(key.column);
        const auto span = static_cast<std::int32_t>(key.column_span);
        r.box(ControlSlot::KeypadKey, i) = box(calc_left + column * (key_width + gap), y + row * (key_height + gap),
                                               span * key_width + (span - 1) * gap, key_height);
    }
    y += rows * key_height + (rows - 1) * gap + 2 * gap;

    line(Band::HistoryCaptionLine, caption_height, 1);
    line(Band::HistoryLine, at_least_zero(inner_bottom - y), 0);

    // The memo panel: the operation buttons, the find bar's rows when it is open, the
    // memo, and the status line under it.
    lay(Band::OperationLine, {memo_left, inner_top, memo_inner_width, small_button_height});
    y = below_side;
    if (in.find_bar != FindBar::Hidden) {
        // Both rows divide what the fuller one leaves, so that their boxes line up.
        const Shares find_row = band_shares(Band::FindLine, memo_inner_width, in.dpi, gap);
        const Shares replace_row = band_shares(Band::ReplaceLine, memo_inner_width, in.dpi, gap);
        const Shares& boxes = find_row.free < replace_row.free ? find_row : replace_row;
        for (const Band bar : {Band::FindLine, Band::ReplaceLine}) {
            if (in.find_bar < find_bar_row(bar)) continue;
            lay_band(r, bar, {memo_left, y, memo_inner_width, small_button_height}, boxes, in.dpi, gap);
            y += small_button_height + gap;
        }
        lay(Band::FindMessageLine, {memo_left, y, memo_inner_width, line_height});
        y += line_height + gap;
    }
    const std::int32_t status_top = at_least_zero(inner_bottom - line_height);
    lay(Band::MemoLine, {memo_left, y, memo_inner_width, at_least_zero(status_top - gap - y)});
    lay(Band::StatusLine, {memo_left, status_top, memo_inner_width, line_height});
    return r;
}

}  // namespace numvora
