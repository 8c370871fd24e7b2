#include "ui/memo/shared_range.h"

namespace numvora {

LineSpan shared_lines(const NoteBook& book, const TextMirror<wchar_t>& mirror, std::size_t start, std::size_t end) {
    if (start == end) return block_at(book, mirror.line_of(end));
    const std::size_t first = mirror.line_of(start);
    std::size_t last = mirror.line_of(end);
    if (last > first && mirror.line_start(last) == end) --last;
    return {first, last - first + 1};
}

}  // namespace numvora
