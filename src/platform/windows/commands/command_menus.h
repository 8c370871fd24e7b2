// Command rows as the items of the window's menus: the memo's, the system menu's and
// the notification icon's all make and update their items here, each item as
// menu_item makes it from its row.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "ui/menu_item.h"

namespace numvora {

struct AppState;

// A menu's items in order (0 for a separator), and whether it names their keys.
struct CommandMenu {
    std::span<const std::int32_t> items;
    bool names_keys = true;
};

// Appends the items; false when one could not be appended.
bool append_command_items(HMENU menu, const CommandMenu& items, const MenuFacts& facts);

// Each item's enabled and checked state made again, for a menu that outlives an opening.
void update_command_items(HMENU menu, const CommandMenu& items, const MenuFacts& facts);

// The options an item shows checked, as the window has them; nothing of the memo.
MenuFacts window_options(const AppState& state);

}  // namespace numvora
