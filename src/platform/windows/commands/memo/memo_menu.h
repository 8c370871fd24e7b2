// The memo's own menu, a part of the memo control (window/memo_control.h): on a right
// click the margin's results leave to it, and on Shift+F10 or the menu key (whose
// command sends the memo a WM_CONTEXTMENU without a point). Its items are rows of the
// command list, and a choice is their command.
#pragma once

#include <optional>
#include <span>

#include "platform/windows/base/win_handle.h"
#include "platform/windows/memo/memo_message.h"

namespace numvora {

// The menu of these rows, each item's state from the memo as it is.
UniqueMenu build_memo_menu(AppState& state, std::span<const std::int32_t> rows);

// At the point, the caret moved there first when it lies outside the selection, or from
// the keyboard below the caret. Always opens.
bool open_memo_menu_at(AppState& state, std::span<const std::int32_t> rows, std::optional<POINT> screen);

}  // namespace numvora
