#include "platform/windows/painting/theme_brushes.h"

#include <utility>

namespace numvora {
SystemResult<ThemeBrushes> make_theme_brushes(const ThemePalette& palette, LookCalls& calls) {
    ThemeBrushes brushes;
    const std::pair<UniqueBrush*, PaletteColor> order[] = {
        {&brushes.panel, PANEL_BACKGROUND},   {&brushes.expression, EXPRESSION_BACKGROUND},
        {&brushes.result, RESULT_BACKGROUND}, {&brushes.history, HISTORY_BACKGROUND},
        {&brushes.memo, MEMO_BACKGROUND},
    };
    for (const auto& [slot, color] : order) {
        UniqueBrush brush(calls.create_brush(palette[color]));
        if (!brush) return fail(last_system_error("CreateSolidBrush"));
        *slot = std::move(brush);
    }
    return brushes;
}

}  // namespace numvora
