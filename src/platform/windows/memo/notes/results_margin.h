// The memo's margin of line results: a strip at the memo's right edge, inside its
// frame, that shows each line's result on the row where the line ends. It reads only
// the lines on screen (and the block above a total line on screen), in the same paint
// as the text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/windows/memo/memo_message.h"
#include "ui/layout/line_rows.h"
#include "ui/layout/pixel_rect.h"

namespace numvora {

// A line result as the margin shows it: its row's box in the memo's client area, and
// the text the notes give it (NoteBook::shown).
struct MarginRow {
    PixelRect box;
    std::string shown;
    std::size_t line = 0;  // the memo's line it is the result of
};

// Where the lines about the screen lie and the text area as the control last said them:
// asked again only when the text may have moved, as each question to the control costs
// a keystroke a fraction of a millisecond under Wine.
struct MarginLayout {
    LineRows lines;
    std::optional<RECT> text_area;
    std::int32_t text_top = 0;     // the first character's row when last read
    std::uint64_t notes_seen = 0;  // the notes' changes the lines follow (MemoNotes::changes)
};

// The strip as last drawn, and the part of it the paint in hand draws again (none: all).
struct MarginDrawing {
    std::vector<MarginRow> rows;
    std::int32_t width = -1;
    std::int32_t top = 0;
    std::optional<RECT> to_draw;
    // What the control repaints in the paint in hand, asked once as it starts; none
    // outside a paint.
    std::optional<RECT> painting;
};

// The widths of the texts on screen in the margin's font, by text: a paint measures only
// what the last one did not show.
struct MarginWidths {
    std::wstring font_key;  // the DPI and zoom they were measured for
    std::unordered_map<std::wstring, std::int32_t> of;
};

// The option (a preference), the strip and its rows, and the paint's caches. The margin
// never writes into the memo: it narrows the text area and draws beside it.
struct ResultsMarginState {
    bool on = false;
    bool in_man = false;                        // every amount in 만 and 억 (a preference)
    std::int32_t width = 0;                     // the strip as applied to the text area; 0: none
    std::optional<PixelRect> text_area_insets;  // the control's own text area, as insets of its client area
    std::vector<MarginRow> rows;                // the results on screen
    bool refreshing = false;                    // a repaint caused by the margin's own change of the text area
    bool fit_posted = false;                    // a paint asked for the width to follow a wider result
    std::uint64_t book_fitted = 0;              // the whole reading of the notes it was fitted to (MemoNotes::readings)
    MarginLayout layout;
    MarginDrawing drawn;
    MarginWidths widths;
};

// The memo's messages while the option is on: every paint reads the results on screen
// and draws them, a change of size or font fits the strip again, and the pointer over
// a result shows that it can be clicked (commands/memo/margin_clicks.h).
std::optional<LRESULT> margin_before(AppState& state, const MemoMessage& message);
void margin_after(AppState& state, const MemoMessage& message);

// EN_CHANGE, once the notes have followed it: the lines laid out follow the notes', and
// a strip painted with the notes before the edit is painted again.
void margin_follows_notes(AppState& state);

// The option as the record says it: the text area narrowed by the strip, or the
// control's own text area back, and a repaint; the notes follow edits while it is on.
void apply_results_margin(AppState& state);

// The results on screen read again and each placed beside the text area: what every
// paint does before the text paints. A result wider than the strip in a short memo,
// or notes just read whole, have the strip fitted right after the paint, outside it.
void refresh_results_margin(AppState& state);

// The strip painted again at the next paint, with the results read then.
void ask_results_margin_paint(AppState& state);

// The result shown at a point of the memo's client area, if any.
const MarginRow* margin_row_at(const AppState& state, POINT point);

}  // namespace numvora
