// The memo's lines that a copy with results, a copy as a table and a printed selection
// take: every line the selection touches, or without a selection the block at the caret.
#pragma once

#include <cstddef>

#include "notes/sharing/shared_lines.h"
#include "ui/memo/memo_mirror.h"

namespace numvora {

// start and end are the control's positions of the selection (equal: the caret). A
// selection that ends where a line begins leaves that line out, as a line selected by
// dragging down to the next one's start is meant alone.
LineSpan shared_lines(const NoteBook& book, const TextMirror<wchar_t>& mirror, std::size_t start, std::size_t end);

}  // namespace numvora
