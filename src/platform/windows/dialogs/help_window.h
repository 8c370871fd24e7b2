// The help page (F1): what the notes read with examples their own notebook calculates,
// and the keys, as text a user can search, select and copy, over the main window in its
// font, DPI and colours.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win32_calls.h"
#include "ui/colors/color_scheme.h"

namespace numvora {

// The page's read-only text and its find box, for tests that read them.
inline constexpr int HELP_PAGE_ID = 101;
inline constexpr int HELP_FIND_BOX_ID = 102;

struct HelpWindowInput {
    HWND owner = nullptr;
    HFONT font = nullptr;
    std::uint32_t dpi = 96;
    ColorScheme scheme;
    LookCalls* look = nullptr;
};

// Shows the page until it is closed (닫기, Esc or the close box). Enter in the find box
// selects the next place the text is found, from the top again after the last.
SystemStatus show_help_page(const HelpWindowInput& input);

}  // namespace numvora
