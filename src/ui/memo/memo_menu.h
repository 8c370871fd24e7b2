// The memo's right-click menu: its items in order, and the state each item shows for
// the memo as it is when the menu opens; the hint of an empty memo, which names them.
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
    ids::MEMO_TOTAL, ids::MEMO_EVALUATE, ids::MEMO_RESULTS_MARGIN,
    MENU_SEPARATOR,
    ids::FIND, ids::REPLACE,
    MENU_SEPARATOR,
    ids::MEMO_VERSIONS,
};
// clang-format on

// What the memo is like when its menu opens. "The text" is what F9 reads: the
// selection, or without one the caret's line; what reading it as notes found comes in
// as facts.
struct MemoFacts {
    bool can_undo = false;
    bool can_redo = false;
    bool has_selection = false;
    bool clipboard_has_text = false;
    bool has_text = false;
    bool text_has_amount = false;        // an amount to total in the text
    bool total_line = false;             // the text is a total line (합계, 소계, …)
    bool block_has_amount = false;       // a total line's block above has an amount to add
    bool expression_calculates = false;  // the text holds an expression the engine calculates
    bool results_margin = false;         // the line results are shown beside the memo
};

struct MenuItemState {
    bool enabled = true;
    bool checked = false;

    bool operator==(const MenuItemState&) const = default;
};

// Whether the command can act on the memo, and whether its item shows its option on.
MenuItemState memo_menu_item_state(const Command& command, const MemoFacts& memo);

// What an empty memo says of itself, drawn inside it and its description to screen
// readers: that it adds amounts up, and how to reach its commands, with the keys their
// rows give them; a line each.
std::string memo_hint_text();

}  // namespace numvora
