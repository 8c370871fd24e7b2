#include "platform/windows/window/accessibility.h"

#include "ui/control_table.h"

namespace numvora {
namespace {

// UI Automation's LiveSetting property, with its value Polite.
constexpr GUID LIVE_SETTING{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr int POLITE = 1;

}  // namespace

void annotate_controls(const AppState& state) {
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const std::wstring_view name = CONTROL_ROWS[i].accessible_name;
        if (!name.empty())
            state.calls.accessibility->annotate_text(state.controls[i], ACCESSIBLE_NAME_PROPERTY, name.data());
    }
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        if (CONTROL_ROWS[i].announced)
            state.calls.accessibility->annotate_number(state.controls[i], LIVE_SETTING, POLITE);
    }
}

}  // namespace numvora
