#include "platform/windows/commands/command_menus.h"

#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/state/app_state.h"

namespace numvora {
namespace {

UINT state_flags(const MenuItem& item) {
    return (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : MF_UNCHECKED);
}

}  // namespace

bool append_command_items(HMENU menu, const CommandMenu& items, const MenuFacts& facts) {
    bool appended = true;
    for (const std::int32_t id : items.items) {
        const Command* command = find_command(id);
        if (command == nullptr) {
            appended = AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) != FALSE && appended;
            continue;
        }
        const MenuItem item = menu_item(*command, facts);
        const std::wstring text = to_wide(items.names_keys ? item.text() : item.label);
        appended = AppendMenuW(menu, MF_STRING | state_flags(item), static_cast<UINT_PTR>(id), text.c_str()) != FALSE &&
                   appended;
    }
    return appended;
}

void update_command_items(HMENU menu, const CommandMenu& items, const MenuFacts& facts) {
    for (const std::int32_t id : items.items) {
        const Command* command = find_command(id);
        if (command == nullptr) continue;
        const MenuItem item = menu_item(*command, facts);
        EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

MenuFacts window_options(const AppState& state) {
    MenuFacts facts;
    facts.results_margin = state.margin->on;
    facts.always_on_top = state.settings.always_on_top;
    return facts;
}

}  // namespace numvora
