// Where a control of the main window goes: the band it sits in and its place there.
// The layout reads these from the control table's rows.
#pragma once

#include <cstdint>

namespace numvora {

// The find bar's rows: hidden, the find row, or both rows.
enum class FindBar : std::uint8_t { Hidden, Find, Replace };

// The strips of the window, each a line of controls side by side; the keypad is a grid
// of its own (its keys' places are in KEYPAD_BUTTONS).
enum class Band : std::uint8_t {
    TopBarLine,
    SideLine,
    ExpressionCaptionLine,
    ExpressionLine,
    ResultCaptionLine,
    ResultLine,
    ResultActionLine,
    KeypadGrid,
    HistoryCaptionLine,
    HistoryLine,
    OperationLine,  // the memo panel's first line: the operation buttons
    FindLine,       // the find bar's rows, shown with the bar
    ReplaceLine,
    FindMessageLine,  // under the bar's boxes: its message and its option
    MemoLine,
    StatusLine,  // under the memo, as wide as the memo
};

// Where a control sits in its band, so that a new control is placed by its row alone.
// Boxes go left to right in row order, those placed from the end right to left; a box
// of no width takes a share of what the fixed boxes and the gaps leave. Sizes are at
// 96 DPI; the nudges move a box off its band's line, as a check box that stands taller
// than its caption.
struct Place {
    Band band = Band::TopBarLine;
    std::int16_t width = 0;  // 0: a share
    std::uint8_t share = 1;  // a share's weight among the band's shares
    bool from_end = false;   // placed from the band's right edge
    bool gives_way = false;  // a fixed box no wider than what is left of its band
    std::int8_t top = 0;     // moved down (or up) within the band
    std::int8_t narrower = 0;
    std::int8_t taller = 0;
    std::int8_t inset = 0;  // kept free at the band's top and bottom alike

    constexpr Place inset_by(std::int8_t n) const {
        Place moved = *this;
        moved.inset = n;
        return moved;
    }
    constexpr Place nudged(std::int8_t down, std::int8_t less_wide, std::int8_t more_tall) const {
        Place moved = *this;
        moved.top = down;
        moved.narrower = less_wide;
        moved.taller = more_tall;
        return moved;
    }
};

constexpr Place fixed(Band band, std::int16_t width) { return {band, width}; }
constexpr Place at_end(Band band, std::int16_t width) { return {band, width, 1, true}; }
constexpr Place share(Band band, std::uint8_t weight = 1) { return {band, 0, weight}; }
constexpr Place up_to(Band band, std::int16_t width) { return {band, width, 1, false, true}; }

// The bar row a band is; Hidden for the bands outside the bar.
constexpr FindBar find_bar_row(Band band) {
    switch (band) {
    case Band::FindLine:
    case Band::FindMessageLine: return FindBar::Find;
    case Band::ReplaceLine: return FindBar::Replace;
    default: return FindBar::Hidden;
    }
}

}  // namespace numvora
