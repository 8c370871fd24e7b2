// Large texts into the memo's control a piece at a time. Wine's rich edit takes a text
// in time that grows faster than its length (a 1 MiB memo of 53,000 lines as one message
// took longer than five minutes, in pieces of whole lines seconds), and the window
// answers between pieces.
#pragma once

#include <cstddef>
#include <string_view>

namespace numvora {

// Characters in a piece: a few hundred lines of notes.
inline constexpr std::size_t MEMO_PIECE_UNITS = 8 * 1024;

// The end of the piece that starts at from: at least units characters, then on to the
// end of the line they reach (its break included, CR LF kept whole), or the text's end.
std::size_t piece_end(std::wstring_view text, std::size_t from, std::size_t units = MEMO_PIECE_UNITS);

}  // namespace numvora
