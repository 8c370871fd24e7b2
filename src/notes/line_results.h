// Each memo line's result, for the margin beside the memo: a line's value read as F9
// reads it, a lone amount read as the total reads it (notes/note_reader.h), and the
// totals of the blocks.
// Nothing here changes the text; the window only shows what comes back.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numvora {

// A total line adds at most this many lines above it: the margin reads no further.
inline constexpr std::size_t BLOCK_LINES_MAX = 1000;

// An empty line or a total line (read_total_line): the lines above it belong to no block below it.
bool closes_block(std::string_view line);

// Whether the first total line among the lines has its block open at their top: no
// line before it closes a block, so its sum needs the lines above them.
bool block_reaches_above(std::span<const std::string_view> lines);

// The result of each UTF-8 line, in order, as plain decimal text ("21000", "-0.5"):
// - an expression (an operator between numbers, or a final "=") shows its value, and
//   an expression that fails shows nothing;
// - otherwise exactly one amount shows that amount (dates and times are no amounts);
// - a total line shows the sum of the results above it, back to the previous empty
//   line or total line (nothing when none of them has a result);
// - anything else shows nothing.
// block_above: the results of the lines of the first block that lie above these lines.
std::vector<std::optional<std::string>> line_results(std::span<const std::string_view> lines,
                                                     std::span<const std::string> block_above = {});

// The results of the last block of the lines, the one a total line after them adds:
// what line_results takes as block_above.
std::vector<std::string> open_block_results(std::span<const std::string_view> lines);

}  // namespace numvora
