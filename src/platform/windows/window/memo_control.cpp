#include "platform/windows/window/memo_control.h"

#include <richedit.h>
#include <windowsx.h>

#include <array>
#include <span>
#include <string_view>

#include "platform/windows/base/subclass.h"
#include "platform/windows/commands/find_bar.h"
#include "platform/windows/commands/memo/margin_clicks.h"
#include "platform/windows/commands/memo/memo_menu.h"
#include "platform/windows/memo/memo_autosave.h"
#include "platform/windows/memo/memo_hint.h"
#include "platform/windows/memo/memo_paste.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/memo/memo_undo_groups.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/memo/notes/stale_marks.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/status_view.h"
#include "ui/memo/memo_menu.h"
#include "ui/part_order.h"

namespace numvora {
namespace {

enum class Part : std::uint8_t {
    None,
    UndoGroups,
    MarginClicks,
    Paste,
    Rebuild,
    Zoom,
    Notes,
    Margin,
    StaleMarks,
    Hint,
    AutoSave,
    FindText,
    EditOutcome,
    Menu,
};

struct MemoPart {
    Part id = Part::None;
    std::string_view name;
    BeforeMemo before = nullptr;  // null: nothing before the control
    AfterMemo after = nullptr;    // null: nothing after it
    WORD notice = 0;              // the notification it takes (EN_…); 0: none
    NotifiedMemo notified = nullptr;
    std::span<const std::int32_t> menu{};  // the rows of its menu, which opens_menu opens
    MemoMenu opens_menu = nullptr;
    // The parts whose work with the same message it needs done first.
    std::array<Part, 1> needs{};
};

// Each message is offered to the parts before the control in this order, then, unless
// one answered it, handled by the control and offered to them after it in the same
// order: a paint refreshes the margin's results, the text paints, then the margin's
// strip, the marks of stale results and the hint are drawn over it. A notification goes
// to the parts that take it, a right click to the first whose menu opens there, both in
// the same order.
constexpr MemoPart MEMO_PARTS[] = {
    {.id = Part::UndoGroups,
     .name = "undo groups of the keys and the focus",
     .before = undo_groups_before,
     .after = undo_groups_after},
    {.id = Part::MarginClicks,
     .name = "clicks on the margin's results",
     .before = margin_clicks_before,
     .menu = MARGIN_MENU_ITEMS,
     .opens_menu = open_margin_menu},
    // It answers its keys: the group they end is ended first.
    {.id = Part::Paste, .name = "paste", .before = paste_before, .needs = {Part::UndoGroups}},
    // It answers keys too, and a rebuilt memo takes the typed character.
    {.id = Part::Rebuild,
     .name = "large changes and their undo",
     .before = rebuild_before,
     .notice = EN_CHANGE,
     .notified = follow_memo_rebuild,
     .needs = {Part::UndoGroups}},
    {.id = Part::Zoom, .name = "Ctrl with the wheel", .before = zoom_before},
    {.id = Part::Notes,
     .name = "notes",
     .before = notes_before,
     .after = notes_after,
     .notice = EN_CHANGE,
     .notified = follow_memo_change},
    // Its lines follow the notes' edit.
    {.id = Part::Margin,
     .name = "margin of line results",
     .before = margin_before,
     .after = margin_after,
     .notice = EN_CHANGE,
     .notified = margin_follows_notes,
     .needs = {Part::Notes}},
    // They stand on the lines of the margin's rows of the same paint.
    {.id = Part::StaleMarks,
     .name = "marks of written results that no longer hold",
     .before = stale_marks_before,
     .after = stale_marks_after,
     .needs = {Part::Margin}},
    // Drawn in the text area as the margin narrowed it.
    {.id = Part::Hint,
     .name = "hint of an empty memo",
     .after = hint_after,
     .notice = EN_CHANGE,
     .notified = follow_memo_hint,
     .needs = {Part::Margin}},
    {.id = Part::AutoSave, .name = "auto-save", .notice = EN_CHANGE, .notified = mark_memo_unsaved},
    {.id = Part::FindText,
     .name = "find bar's copy of the text",
     .notice = EN_CHANGE,
     .notified = follow_memo_for_find},
    {.id = Part::EditOutcome,
     .name = "status line's word on an edit",
     .notice = EN_CHANGE,
     .notified = withdraw_edit_outcome},
    // A right click on a result is the margin's.
    {.id = Part::Menu,
     .name = "memo's menu",
     .menu = MEMO_MENU_ITEMS,
     .opens_menu = open_memo_menu_at,
     .needs = {Part::MarginClicks}},
};
static_assert(parts_follow_their_needs(std::span<const MemoPart>(MEMO_PARTS)),
              "a memo part stands above a part it needs: move it below");

// From a right click, the point on the screen; from the keyboard (-1), none.
void open_menu(AppState& state, LPARAM where) {
    const POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    const std::optional<POINT> screen = point.x == -1 && point.y == -1 ? std::nullopt : std::optional<POINT>(point);
    for (const MemoPart& part : MEMO_PARTS) {
        if (part.opens_menu != nullptr && part.opens_menu(state, part.menu, screen)) return;
    }
}

LRESULT CALLBACK memo_proc(HWND memo, UINT message, WPARAM wparam, LPARAM lparam) {
    AppState* state = app_state_of(GetParent(memo));
    if (state == nullptr || message == WM_NCDESTROY) return pass_to_control(memo, message, wparam, lparam);
    // Answered here: the control's own would send it on to the main window.
    if (message == WM_CONTEXTMENU) {
        open_menu(*state, lparam);
        return 0;
    }
    const MemoMessage sent{memo, message, wparam, lparam};
    for (const MemoPart& part : MEMO_PARTS) {
        if (part.before == nullptr) continue;
        if (const std::optional<LRESULT> answer = part.before(*state, sent)) return *answer;
    }
    const LRESULT result = pass_to_control(memo, message, wparam, lparam);
    for (const MemoPart& part : MEMO_PARTS) {
        if (part.after != nullptr) part.after(*state, sent);
    }
    return result;
}

}  // namespace

void take_over_memo(HWND memo) { subclass_control(memo, memo_proc); }

std::optional<LRESULT> memo_notified(AppState& state, WORD code) {
    bool taken = false;
    for (const MemoPart& part : MEMO_PARTS) {
        if (part.notice != code || part.notified == nullptr) continue;
        part.notified(state);
        taken = true;
    }
    return taken ? std::optional<LRESULT>(0) : std::nullopt;
}

}  // namespace numvora
