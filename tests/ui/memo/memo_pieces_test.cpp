// A large text into the memo's control in pieces of whole lines.
#include <gtest/gtest.h>

#include <string>

#include "ui/memo/memo_pieces.h"

namespace numvora {
namespace {

TEST(MemoPieces, APieceEndsWithTheLineItReaches) {
    const struct {
        const wchar_t* text;
        std::size_t from, units, end;
    } rows[] = {
        {L"ab\r\ncd\r\nef", 0, 3, 4},  // a CR LF pair stays whole
        {L"ab\rcd\ref", 3, 1, 6},      // the next line's break, from inside the text
        {L"abcdef", 0, 2, 6},          // one line: the whole of it
        {L"ab\r\ncd", 4, 2, 6},        // shorter than a piece
    };
    for (const auto& row : rows) EXPECT_EQ(piece_end(row.text, row.from, row.units), row.end) << row.text;
}

// The control's own change walks its lines for each line it removes, and for each it
// inserts the lines after it, and its undo removes what it inserted; a fresh control costs
// a piece for each line it takes.
TEST(MemoPieces, AFreshControlWhenTheControlsOwnChangeWouldTakeLonger) {
    const struct {
        LineChangeSize lines;
        bool fresh;
    } rows[] = {
        {{53'000, 53'000, 0, 0}, true},       // Ctrl+A, Delete
        {{53'000, 53'000, 53'000, 0}, true},  // Ctrl+A, Ctrl+V of as much
        {{53'000, 0, 53'000, 53'000}, true},  // as much pasted at its start
        {{1, 0, 53'000, 0}, true},            // pasted into an empty memo: its undo removes them all
        {{53'000, 0, 20, 40'000}, false},     // twenty lines pasted in the middle
        {{53'000, 100, 0, 52'900}, false},    // a hundred lines deleted
        {{1'000, 1'000, 0, 0}, true},         // a third of a second
        {{999, 999, 0, 0}, false},            // less: not worth a new control
    };
    for (const auto& row : rows) {
        EXPECT_EQ(quicker_in_fresh_control(row.lines), row.fresh) << row.lines.total << " " << row.lines.removed;
    }
}

}  // namespace
}  // namespace numvora
