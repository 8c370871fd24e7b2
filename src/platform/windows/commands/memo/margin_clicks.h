// A result of the margin clicked: onto the clipboard as shown; double-clicked: into the
// expression box, ready to calculate with; right-clicked: its own menu, whose choice
// copies that result as an amount. Elsewhere a click is the text's.
#pragma once

#include <optional>
#include <span>

#include "notes/reading/note_result.h"
#include "platform/windows/memo/memo_message.h"
#include "platform/windows/memo/notes/results_margin.h"

namespace numvora {

std::optional<LRESULT> margin_clicks_before(AppState& state, const MemoMessage& message);

// A right click on a result: the menu of these rows; false elsewhere and from the keyboard.
bool open_margin_menu(AppState& state, std::span<const std::int32_t> rows, std::optional<POINT> screen);

// The result a row of the margin shows, with its unit and currency: that of the line
// whose last row it stands on.
std::optional<NoteResult> margin_row_result(AppState& state, const MarginRow& row);

}  // namespace numvora
