// The find bar above the memo (its commands are in find_bar.cpp; the rows it shows are
// the layout's, layout/window_layout.h).
#pragma once

#include <cstddef>
#include <optional>

#include "ui/memo/memo_mirror.h"
#include "ui/memo/text_search.h"

namespace numvora {

struct AppState;

// The memo's text and its case fold as the bar last copied them, kept in step with the
// edits: a copy of a large memo costs far more than the search (most of a second for
// 10 MiB), and so does its fold. A change is only noted where it is (a read of the
// control near the end of a large memo costs tens of milliseconds under Wine, too much
// for a keystroke); the next search reads that stretch back once.
struct FindBarState {
    std::optional<FoldedText> memo;
    std::optional<ChangedStretch> changed;  // where the memo may differ from the copy
    std::size_t length = 0;                 // the memo's length at the last change noted
    std::size_t whole_reads = 0;            // copies of the whole memo made so far
};

// Any change of the memo with a copy: where it was, noted for the next search.
void follow_memo_for_find(AppState& state);

}  // namespace numvora
