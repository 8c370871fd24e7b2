#include "ui/tab_order.h"

#include <algorithm>
#include <vector>

namespace numvora {
namespace {

enum class Area { TopBar, Calculator, Memo };

constexpr Area area_of(ControlSlot slot) {
    switch (slot) {
    case ControlSlot::SaveButton:
    case ControlSlot::LoadButton:
    case ControlSlot::DarkModeButton: return Area::TopBar;
    case ControlSlot::OperationButton:
    case ControlSlot::StatusLabel:
    case ControlSlot::MemoEdit: return Area::Memo;
    default: return find_bar_row(slot) != FindBar::Hidden ? Area::Memo : Area::Calculator;
    }
}

// Within an area the table's order is the reading order.
std::vector<std::size_t> reading_order(bool calculator_right) {
    const Area areas[] = {Area::TopBar, calculator_right ? Area::Memo : Area::Calculator,
                          calculator_right ? Area::Calculator : Area::Memo};
    std::vector<std::size_t> rows;
    for (const Area area : areas) {
        for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
            if (area_of(CONTROL_ROWS[i].slot) == area && (CONTROL_ROWS[i].style & style::TABSTOP) != 0) {
                rows.push_back(i);
            }
        }
    }
    return rows;
}

}  // namespace

std::optional<std::size_t> next_tab_stop(std::optional<std::size_t> current, bool forward, bool calculator_right,
                                         const UsableControls& usable) {
    std::vector<std::size_t> order = reading_order(calculator_right);
    if (!forward) std::reverse(order.begin(), order.end());
    const auto at = current ? std::find(order.begin(), order.end(), *current) : order.end();
    // Starting after the current stop, or from the first one when there is none.
    const std::size_t start = at == order.end() ? 0 : static_cast<std::size_t>(at - order.begin()) + 1;
    for (std::size_t step = 0; step < order.size(); ++step) {
        const std::size_t row = order[(start + step) % order.size()];
        if (usable[row]) return row;
    }
    return std::nullopt;
}

}  // namespace numvora
