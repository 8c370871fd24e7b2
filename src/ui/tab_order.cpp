#include "ui/tab_order.h"

#include <algorithm>
#include <vector>

namespace numvora {
namespace {

// Within an area the table's order is the reading order.
std::vector<std::size_t> reading_order(bool calculator_right) {
    using enum ReadingArea;
    const ReadingArea areas[] = {TopBar, calculator_right ? Memo : Calculator, calculator_right ? Calculator : Memo};
    std::vector<std::size_t> rows;
    for (const ReadingArea area : areas) {
        for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
            if (CONTROL_ROWS[i].area == area && (CONTROL_ROWS[i].style & style::TABSTOP) != 0) {
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
