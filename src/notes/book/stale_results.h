// Results written into the memo that no longer hold: after "월세" changed, the " =
// 673,000" that F9 once wrote after "월세 + 관리비" beside a line whose value is now 723,000.
// A written result holds while it reads as the line's value, however it is written
// ("16,500", "16500", "45만원", "570분"), so that only a figure that is wrong is marked.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "notes/book/notebook.h"

namespace numvora {

struct StaleResult {
    // The old results in the line's text, in bytes, without their "=" and the spaces
    // around them: "673,000", or "3 = 4" of "1+2 = 3 = 4".
    std::size_t begin = 0;
    std::size_t end = 0;
    // What F9 writes in their place: " = 723,000" over [replace_begin, replace_end).
    std::size_t replace_begin = 0;
    std::size_t replace_end = 0;
    std::string written;
};

// The line's written result when it is no longer the line's value; none for a line that
// has no written result, has no value now, or whose written result still holds.
std::optional<StaleResult> stale_result(const NoteBook& book, std::size_t line);

}  // namespace numvora
