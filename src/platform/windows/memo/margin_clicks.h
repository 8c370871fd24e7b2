// A result of the margin clicked: onto the clipboard as shown; double-clicked: into the
// expression box, ready to calculate with. Elsewhere a click is the text's. A right
// click on a result opens its menu (commands/memo/memo_menu.cpp).
#pragma once

#include "notes/reading/note_result.h"
#include "platform/windows/memo/memo_message.h"
#include "platform/windows/memo/results_margin.h"

namespace numvora {

std::optional<LRESULT> margin_clicks_before(AppState& state, const MemoMessage& message);

// The result a row of the margin shows, with its unit and currency: that of the line
// whose last row it stands on.
std::optional<NoteResult> margin_row_result(AppState& state, const MarginRow& row);

}  // namespace numvora
