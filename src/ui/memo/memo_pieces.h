// Large texts into the memo's control. Wine's rich edit takes a text in time that grows
// faster than its length (a 1 MiB memo of 53,000 lines as one message took longer than
// five minutes, in pieces of whole lines seconds), so a large text goes in a piece at a
// time, and the window can answer between pieces. Its own change of many lines walks all
// its lines for each line it removes, and for each it inserts all the lines after it:
// replacing or deleting the whole of such a memo took minutes, where a fresh control
// takes the new text in seconds.
#pragma once

#include <cstddef>
#include <string_view>

namespace numvora {

// Characters in a piece: a few hundred lines of notes.
inline constexpr std::size_t MEMO_PIECE_UNITS = std::size_t{8} * 1024;

// The end of the piece that starts at from: at least units characters, then on to the
// end of the line they reach (its break included, CR LF kept whole), or the text's end.
std::size_t piece_end(std::wstring_view text, std::size_t from, std::size_t units = MEMO_PIECE_UNITS);

// A change of the memo counted in lines (paragraphs): the memo's, the change's removed
// and inserted ones, and those after the change.
struct LineChangeSize {
    std::size_t total = 0;
    std::size_t removed = 0;
    std::size_t inserted = 0;
    std::size_t after = 0;
};

// A fresh control's piece of a line costs about as much as this many steps of the
// control's own walk through its lines (measured under Wine: 80 µs against 0.33 µs).
inline constexpr std::size_t FRESH_LINE_STEPS = 250;
// Fewer steps than this take the control a third of a second at most: not worth a new one.
inline constexpr std::size_t OWN_STEPS_WORTH_A_FRESH_CONTROL = 1'000'000;

// Whether a fresh control taking the whole new text is quicker than the control's own
// change and its undo, by enough to matter.
bool quicker_in_fresh_control(const LineChangeSize& lines);

}  // namespace numvora
