// The memo's right-click menu: its items in order (each item's state is its row's, as
// ui/menu_item.h makes it); the hint of an empty memo, which names them.
#pragma once

#include <cstdint>
#include <string>

#include "ui/commands.h"

namespace numvora {

inline constexpr std::int32_t MENU_SEPARATOR = 0;

// The commands of the memo's menu, in order; their labels and keys are their rows'.
// clang-format off
inline constexpr std::int32_t MEMO_MENU_ITEMS[] = {
    ids::MEMO_UNDO, ids::MEMO_REDO,
    MENU_SEPARATOR,
    ids::MEMO_CUT, ids::MEMO_COPY, ids::MEMO_PASTE, ids::MEMO_DELETE,
    MENU_SEPARATOR,
    ids::MEMO_SELECT_ALL,
    MENU_SEPARATOR,
    ids::MEMO_TOTAL, ids::MEMO_EVALUATE, ids::MEMO_RECALCULATE, ids::MEMO_RESULTS_MARGIN,
    MENU_SEPARATOR,
    ids::MEMO_COPY_AMOUNT_WORDS, ids::MEMO_COPY_AMOUNT_FIGURE, ids::MEMO_COPY_WITH_RESULTS, ids::MEMO_COPY_TABLE,
    MENU_SEPARATOR,
    ids::FIND, ids::REPLACE,
    MENU_SEPARATOR,
    ids::MEMO_VERSIONS, ids::PRINT, ids::HELP,
};
// clang-format on

// The menu of a result of the margin (a right click on it): the result as an amount.
inline constexpr std::int32_t MARGIN_MENU_ITEMS[] = {ids::MEMO_COPY_AMOUNT_WORDS, ids::MEMO_COPY_AMOUNT_FIGURE};

// What an empty memo says of itself, drawn inside it and its description to screen
// readers: that it adds amounts up, and how to reach its commands, with the keys their
// rows give them; a line each.
std::string memo_hint_text();

}  // namespace numvora
