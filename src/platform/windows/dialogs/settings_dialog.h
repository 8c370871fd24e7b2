// The settings dialog: a control for each preference, built from the rows of
// ui/settings_dialog.h and drawn in the window's colours (light, dark or high contrast).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win32_calls.h"
#include "storage/settings.h"
#include "ui/colors/color_scheme.h"

namespace numvora {

// What the dialog shows and how: the options as they are, whether another program has
// the key, the owner's font, DPI and colours, and the calls that theme and name its
// controls.
struct SettingsDialogInput {
    HWND owner = nullptr;
    Preferences preferences;
    bool hot_key_taken = false;
    HFONT font = nullptr;
    std::uint32_t dpi = 96;
    ColorScheme scheme;
    LookCalls* look = nullptr;
    AccessibilityCalls* accessibility = nullptr;
};

// The options as OK left them; nothing after Cancel, Esc or the close box.
SystemResult<std::optional<Preferences>> choose_settings(const SettingsDialogInput& input);

}  // namespace numvora
