// The five brushes that follow the theme.
#pragma once

#include <windows.h>

#include "platform/windows/base/system_error.h"
#include "platform/windows/state/app_state.h"
#include "ui/theme_palette.h"

namespace numvora {

// All five or none: the ones made before a failure are deleted again.
SystemResult<ThemeBrushes> make_theme_brushes(const ThemePalette& palette);

// Tests make brush creation fail with this stand-in for CreateSolidBrush.
using CreateBrushCall = HBRUSH(WINAPI*)(COLORREF color);
void set_brush_maker(CreateBrushCall make);

}  // namespace numvora
