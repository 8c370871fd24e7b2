// A result of the margin clicked: onto the clipboard; double-clicked: into the
// expression box, ready to calculate with. Elsewhere a click is the text's.
#pragma once

#include "platform/windows/memo/memo_message.h"

namespace numvora {

std::optional<LRESULT> margin_clicks_before(AppState& state, const MemoMessage& message);

}  // namespace numvora
