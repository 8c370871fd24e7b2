#include "platform/windows/memo/memo_control.h"

#include <string_view>

#include "platform/windows/base/subclass.h"
#include "platform/windows/memo/margin_clicks.h"
#include "platform/windows/memo/memo_hint.h"
#include "platform/windows/memo/memo_keys.h"
#include "platform/windows/memo/memo_notes.h"
#include "platform/windows/memo/memo_paste.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/results_margin.h"
#include "platform/windows/memo/stale_marks.h"
#include "platform/windows/state/app_state.h"

namespace numvora {
namespace {

struct MemoPart {
    std::string_view name;
    BeforeMemo before;  // null: nothing before the control
    AfterMemo after;    // null: nothing after it
};

// Each message is offered to the parts before the control in this order, then, unless
// one answered it, handled by the control and offered to them after it in the same
// order: a paint refreshes the margin's results, the text paints, then the margin's
// strip, the marks of stale results and the hint are drawn over it.
constexpr MemoPart MEMO_PARTS[] = {
    {"clicks on the margin's results", margin_clicks_before, nullptr},
    {"paste", paste_before, nullptr},
    {"large changes and their undo", rebuild_before, nullptr},
    {"Ctrl with the wheel", zoom_before, nullptr},
    {"margin of line results", margin_before, margin_after},
    {"marks of written results that no longer hold", stale_marks_before, stale_marks_after},
    {"hint of an empty memo", nullptr, hint_after},
    {"notes of a typed character", typing_before, typing_after},
    {"undo groups of the keys", nullptr, keys_after},
};

LRESULT CALLBACK memo_proc(HWND memo, UINT message, WPARAM wparam, LPARAM lparam) {
    AppState* state = app_state_of(GetParent(memo));
    if (state == nullptr || message == WM_NCDESTROY) return pass_to_control(memo, message, wparam, lparam);
    const MemoMessage got{memo, message, wparam, lparam};
    for (const MemoPart& part : MEMO_PARTS) {
        if (part.before == nullptr) continue;
        if (const std::optional<LRESULT> answer = part.before(*state, got)) return *answer;
    }
    const LRESULT result = pass_to_control(memo, message, wparam, lparam);
    for (const MemoPart& part : MEMO_PARTS) {
        if (part.after != nullptr) part.after(*state, got);
    }
    return result;
}

}  // namespace

void take_over_memo(HWND memo) { subclass_control(memo, memo_proc); }

}  // namespace numvora
