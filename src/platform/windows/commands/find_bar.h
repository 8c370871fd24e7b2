// The find bar above the memo (its commands are in find_bar.cpp; the rows it shows are
// the layout's, layout/window_layout.h).
#pragma once

#include <optional>
#include <string>

namespace numvora {

// The memo's text as the bar last copied it, until the next change: the copy of a large
// memo costs far more than the search (most of a second for 10 MiB).
struct FindBarState {
    std::optional<std::wstring> memo_text;
};

struct AppState;

// EN_CHANGE: the copy goes.
void forget_find_text(AppState& state);

}  // namespace numvora
