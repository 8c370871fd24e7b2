// Names for the controls whose captions are symbols, the live regions and the memo's
// description (its empty hint), handed to the system's accessibility layer once the
// window is up, by a timer that runs once: its library and COM cost milliseconds that
// the start should not pay. A system without the services changes nothing.
#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/timers/timers.h"
#include "ui/control_table.h"
#include "ui/memo/memo_menu.h"

namespace numvora {
namespace {

// PROPID_ACC_DESCRIPTION, and UI Automation's LiveSetting property with its value Polite.
constexpr GUID ACCESSIBLE_DESCRIPTION{0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};
constexpr GUID LIVE_SETTING{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr int POLITE = 1;

}  // namespace

void annotate_controls(AppState& state) {
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const std::wstring_view name = CONTROL_ROWS[i].accessible_name;
        if (!name.empty())
            state.calls.accessibility->annotate_text(state.controls[i], ACCESSIBLE_NAME_PROPERTY, name.data());
    }
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        if (CONTROL_ROWS[i].announced)
            state.calls.accessibility->annotate_number(state.controls[i], LIVE_SETTING, POLITE);
    }
    // What the empty memo's hint says, whether it shows or not.
    const std::wstring hint = to_wide(memo_hint_text());
    state.calls.accessibility->annotate_text(state.memo_edit(), ACCESSIBLE_DESCRIPTION, hint.c_str());
}

}  // namespace numvora
