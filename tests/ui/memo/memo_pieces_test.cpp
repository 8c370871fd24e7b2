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
        {L"ab\r\ncd\r\nef", 0, 1, 4},  // a CR LF pair stays whole
        {L"ab\r\ncd\r\nef", 0, 3, 4},  // from its LF
        {L"ab\ncd\nef", 0, 3, 6},      // the next line's break
        {L"ab\rcd\ref", 3, 1, 6},      // from inside the text
        {L"abcdef", 0, 2, 6},          // one line: the whole of it
        {L"ab\r\ncd", 0, 6, 6},        // shorter than a piece
        {L"ab\r\ncd", 4, 2, 6},
    };
    for (const auto& row : rows) EXPECT_EQ(piece_end(row.text, row.from, row.units), row.end) << row.text;
}

}  // namespace
}  // namespace numvora
