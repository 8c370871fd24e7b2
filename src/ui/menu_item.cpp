#include "ui/menu_item.h"

namespace numvora {

// F9 on a total line adds the block above it; anywhere else it calculates the
// expression, and for any other text it only says why not.
bool can_act(CommandNeed need, const MenuFacts& facts) {
    switch (need) {
    case CommandNeed::Always: return true;
    case CommandNeed::Undo: return facts.can_undo;
    case CommandNeed::Redo: return facts.can_redo;
    case CommandNeed::Selection: return facts.has_selection;
    case CommandNeed::ClipboardText: return facts.clipboard_has_text;
    case CommandNeed::Text: return facts.has_text;
    case CommandNeed::Amount: return facts.has_selection && facts.text_has_amount;
    case CommandNeed::Expression: return facts.total_line ? facts.block_has_amount : facts.expression_calculates;
    case CommandNeed::HasResult: return facts.text_has_result;
    }
    return false;
}

namespace {

bool is_checked(CommandCheck check, const MenuFacts& facts) {
    switch (check) {
    case CommandCheck::None: return false;
    case CommandCheck::ResultsMargin: return facts.results_margin;
    case CommandCheck::AlwaysOnTop: return facts.always_on_top;
    }
    return false;
}

}  // namespace

std::string MenuItem::text() const { return keys.empty() ? label : label + "\t" + keys; }

MenuItem menu_item(const Command& command, const MenuFacts& facts) {
    return {std::string(command.label), command_key_text(command.id), can_act(command.need, facts),
            is_checked(command.check, facts)};
}

}  // namespace numvora
