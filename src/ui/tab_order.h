// Where Tab and Shift+Tab move the keyboard focus: the controls in reading order, the
// top bar first, then the panel on the left, then the one on the right.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "ui/control_table.h"

namespace numvora {

// usable[row]: the control can take the focus now (enabled and visible).
using UsableControls = std::array<bool, CONTROL_COUNT>;

// The row that gets the focus after (or before, when forward is false) the control in
// row current; the first (last) tab stop when the focus is on none of them. Wraps
// around; nothing when no tab stop is usable.
std::optional<std::size_t> next_tab_stop(std::optional<std::size_t> current, bool forward, bool calculator_right,
                                         const UsableControls& usable);

}  // namespace numvora
