// The five brushes that follow the theme.
#pragma once

#include <windows.h>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win32_calls.h"
#include "platform/windows/state/app_state.h"
#include "ui/colors/theme_palette.h"

namespace numvora {

// All five or none: the ones made before a failure are deleted again.
SystemResult<ThemeBrushes> make_theme_brushes(const ThemePalette& palette, LookCalls& calls);

}  // namespace numvora
