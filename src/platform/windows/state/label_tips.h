// The tooltips of the result label (its whole text when it shows it cut) and of the
// status line (the details of its troubles): one tooltip control with a tool for each,
// made with the first tip.
#pragma once

#include <windows.h>

#include <string>

#include "platform/windows/state/app_state.h"

namespace numvora {

// The label's tip; an empty one never shows.
void set_label_tip(AppState& state, HWND label, const std::wstring& text);

}  // namespace numvora
