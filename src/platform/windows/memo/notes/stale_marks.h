// Marks under results written into the memo that no longer hold (notes/book/stale_results.h):
// a thin underline in the theme's warning colour under the old figure, and a tooltip
// with the line's value now. They show while the margin shows the line results, whose
// notes follow every edit, and are drawn after the control has painted its text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows/memo/memo_message.h"
#include "ui/layout/pixel_rect.h"

namespace numvora {

// One row of a marked figure: its box in the memo's client area, as tall as the row.
struct StaleMark {
    PixelRect box;
    std::wstring tip;

    bool operator==(const StaleMark&) const = default;
};

// Where a paint found a marked figure's rows. A line written the same up to the figure's
// end, ending on the same row of the same text area in the same font, has the figure in
// the same place, moved as far as the text scrolled: a keystroke elsewhere and a scroll
// ask the control nothing (each position asked walks a large memo's text under Wine).
struct PlacedFigure {
    std::string through;          // its line's text up to the figure's end
    std::int32_t last_row = 0;    // the top of the line's last row, from the text's top
    std::size_t offset = 0;       // the figure's first unit in its line
    std::size_t count = 0;        // and its units
    PixelRect area;               // the text area
    std::int32_t row_height = 0;  // and the font's
    std::int32_t text_top = 0;    // the text's top in the client area then
    std::vector<PixelRect> rows;

    bool operator==(const PlacedFigure&) const = default;
};

struct StaleMarks {
    std::vector<StaleMark> marks;      // as the last paint drew them
    std::vector<PlacedFigure> placed;  // the rows the last paint found
    HWND tips = nullptr;               // their tooltips, made with the first mark
};

// The pointer over the memo reaches the marks' tooltips.
std::optional<LRESULT> stale_marks_before(AppState& state, const MemoMessage& message);

// Every paint draws the marks of the lines on screen and paints over those that went.
void stale_marks_after(AppState& state, const MemoMessage& message);

}  // namespace numvora
