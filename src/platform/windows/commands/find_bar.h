// The find bar above the memo (its commands are in find_bar.cpp; the rows it shows are
// the layout's, layout/window_layout.h).
#pragma once

#include <optional>

#include "ui/memo/text_search.h"

namespace numvora {

struct AppState;

// The memo's text and its case fold as the bar last copied them, kept in step with each
// edit: a copy of a large memo costs far more than the search (most of a second for
// 10 MiB), and so does its fold.
struct FindBarState {
    std::optional<FoldedText> memo;
};

// Any change of the memo: the copy takes the edit found around the caret, or is dropped
// when the window there cannot show it (the next search copies the memo again).
void follow_memo_for_find(AppState& state);

}  // namespace numvora
