// The memo's own menu, a part of the memo control (window/memo_control.h), and its edit
// commands, which the menu and the memo's keys name, each done through the rich edit's
// own messages as one undo step.
#include "platform/windows/commands/memo/memo_menu.h"

#include <richedit.h>

#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/command_menus.h"
#include "platform/windows/commands/memo/memo_calculate.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

// The memo as it is, as plain facts; ui/menu_item.h decides from them.
MenuFacts memo_facts(AppState& state) {
    const HWND memo = state.memo_edit();
    MenuFacts facts = window_options(state);
    facts.can_undo = SendMessageW(memo, EM_CANUNDO, 0, 0) != 0;
    facts.can_redo = SendMessageW(memo, EM_CANREDO, 0, 0) != 0;
    facts.has_selection = !memo_selection(memo).empty();
    facts.clipboard_has_text = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
    facts.has_text = memo_length(memo) > 0;
    // With a selection, the text F9 reads is the selection: read once for both questions.
    const NotesAtRange at = read_notes_at_range(state);
    const MemoNotes& notes = catch_up_memo_notes(state);
    facts.text_has_amount =
        facts.has_selection && !notes.book().selection_total(notes.line_of(at.range.start), at.text).added.empty();
    facts.total_line = at.reading.kind == LineKind::Total;
    facts.text_has_result = facts.total_line ? !at.total.value.empty() : at.reading.has_result();
    if (facts.total_line) {
        facts.block_has_amount = !at.total.added.empty();
    } else {
        // A value F9 would write: for any other text it only says why not.
        facts.expression_calculates = at.reading.calculates();
    }
    return facts;
}

// Where the keyboard's menu opens: below the caret, in screen coordinates.
POINT caret_point(HWND memo, std::uint32_t dpi) {
    const MemoSelection selection = memo_selection(memo);
    POINTL at{};
    SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), selection.end);
    POINT point{at.x, at.y + scale_for_dpi(16, dpi)};
    RECT client{};
    GetClientRect(memo, &client);
    if (!PtInRect(&client, point)) point = {client.left, client.top};  // the caret is scrolled away
    ClientToScreen(memo, &point);
    return point;
}

// A right click outside the selection moves the caret to the character clicked first,
// as editors do, so that the menu acts on the line clicked.
void move_caret_to_click(HWND memo, POINT screen) {
    POINT client = screen;
    ScreenToClient(memo, &client);
    POINTL at{client.x, client.y};
    const auto clicked =
        static_cast<std::int32_t>(SendMessageW(memo, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at)));
    const MemoSelection selection = memo_selection(memo);
    if (clicked < selection.start || clicked > selection.end) select_in_memo(memo, {clicked, clicked});
}

// A single edit message between two undo boundaries.
SystemStatus edit_step(const AppState& state, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    memo_undo_step(state.memo_edit(), message, wparam, lparam);
    SetFocus(state.memo_edit());
    return {};
}

}  // namespace

UniqueMenu build_memo_menu(AppState& state, std::span<const std::int32_t> rows) {
    UniqueMenu menu(CreatePopupMenu());
    if (menu) append_command_items(menu.get(), {rows}, memo_facts(state));
    return menu;
}

// The chosen item arrives at the main window as an ordinary WM_COMMAND.
bool open_memo_menu_at(AppState& state, std::span<const std::int32_t> rows, std::optional<POINT> screen) {
    const HWND memo = state.memo_edit();
    if (screen) move_caret_to_click(memo, *screen);
    const UniqueMenu menu = build_memo_menu(state, rows);
    if (!menu) return true;
    const POINT point = screen.value_or(caret_point(memo, state.fonts.dpi));
    SetFocus(memo);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, state.main_window,
                   nullptr);
    return true;
}

// As the system asks a control for its menu from the keyboard: with no point, which
// opens it at the caret.
SystemStatus open_memo_menu(AppState& state, std::int32_t) {
    SendMessageW(state.memo_edit(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(state.memo_edit()), -1);
    return {};
}

SystemStatus memo_undo(AppState& state, std::int32_t) { return edit_step(state, EM_UNDO); }
SystemStatus memo_redo(AppState& state, std::int32_t) { return edit_step(state, EM_REDO); }
SystemStatus memo_cut(AppState& state, std::int32_t) { return edit_step(state, WM_CUT); }
SystemStatus memo_copy(AppState& state, std::int32_t) { return edit_step(state, WM_COPY); }
SystemStatus memo_paste(AppState& state, std::int32_t) { return edit_step(state, WM_PASTE); }
SystemStatus memo_delete(AppState& state, std::int32_t) { return edit_step(state, WM_CLEAR); }
SystemStatus memo_select_all(AppState& state, std::int32_t) { return edit_step(state, EM_SETSEL, 0, -1); }

}  // namespace numvora
