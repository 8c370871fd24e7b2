// A command's row as a menu item: its label and key text, whether it can act and
// whether it shows its option checked. Every menu of the window (the memo's, the
// window's system menu, the notification icon's) makes its items with menu_item, so
// that a row's need and check columns mean the same wherever the row appears.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "ui/commands.h"

namespace numvora {

// What the window is like when a menu opens. "The text" is what F9 reads: the memo's
// selection, or without one the caret's line; what reading it as notes found comes in
// as facts. Menus whose items all act always (static_assert(items_act_always(…))) are
// made without reading the memo.
struct MenuFacts {
    bool can_undo = false;
    bool can_redo = false;
    bool has_selection = false;
    bool clipboard_has_text = false;
    bool has_text = false;
    bool text_has_amount = false;        // an amount to total in the text
    bool total_line = false;             // the text is a total line (합계, 소계, …)
    bool block_has_amount = false;       // a total line's block above has an amount to add
    bool expression_calculates = false;  // the text holds an expression the engine calculates
    bool text_has_result = false;        // the text has a result: its value, amount or total
    // The options an item shows checked.
    bool results_margin = false;  // the line results are shown beside the memo
    bool always_on_top = false;
};

// Whether a command with this need can act now.
bool can_act(CommandNeed need, const MenuFacts& facts);

struct MenuItem {
    std::string label;
    std::string keys;  // "Ctrl+F"; empty for none a menu names
    bool enabled = true;
    bool checked = false;

    // The label, then a tab and the keys if there are any.
    std::string text() const;
    bool operator==(const MenuItem&) const = default;
};

MenuItem menu_item(const Command& command, const MenuFacts& facts);

// Each item of a menu acts whatever the memo is like.
constexpr bool items_act_always(std::span<const std::int32_t> items) {
    for (const std::int32_t id : items) {
        if (command_index(id) < COMMANDS.size() && COMMANDS[command_index(id)].need != CommandNeed::Always)
            return false;
    }
    return true;
}

}  // namespace numvora
