// The memo's own menu (right click, Shift+F10, the menu key) and its edit items, each
// done through the rich edit's own messages as one undo step.
#include <windows.h>

#include <richedit.h>
#include <windowsx.h>

#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/command_menus.h"
#include "platform/windows/commands/memo/memo_calculate.h"
#include "platform/windows/memo/margin_clicks.h"
#include "platform/windows/memo/memo_notes.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "ui/layout/dpi_scale.h"
#include "ui/memo/memo_menu.h"

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
    facts.text_has_amount =
        facts.has_selection &&
        !memo_notes(state).book.selection_total(memo_line_of(*state.notes, at.range.start), at.text).added.empty();
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

// A single edit message between two undo boundaries.
SystemStatus edit_step(const AppState& state, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    memo_undo_step(state.memo_edit(), message, wparam, lparam);
    SetFocus(state.memo_edit());
    return {};
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

}  // namespace

UniqueMenu build_memo_menu(AppState& state) {
    UniqueMenu menu(CreatePopupMenu());
    if (menu) append_command_items(menu.get(), {MEMO_MENU_ITEMS}, memo_facts(state));
    return menu;
}

namespace {

// The chosen item arrives as an ordinary WM_COMMAND.
void show_memo_menu(AppState& state, std::optional<POINT> at) {
    const UniqueMenu menu = build_memo_menu(state);
    if (!menu) return;
    const POINT point = at.value_or(caret_point(state.memo_edit(), state.fonts.dpi));
    SetFocus(state.memo_edit());
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, state.main_window,
                   nullptr);
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

// A result of the margin right-clicked: its own menu, whose choice copies that result.
void show_margin_menu(AppState& state, const MarginRow& row, POINT screen) {
    const std::optional<NoteResult> result = margin_row_result(state, row);
    UniqueMenu menu(CreatePopupMenu());
    MenuFacts facts = window_options(state);
    facts.text_has_result = result.has_value();
    if (!menu || !append_command_items(menu.get(), {MARGIN_MENU_ITEMS}, facts)) return;
    const auto chosen = static_cast<std::int32_t>(
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       screen.x, screen.y, 0, state.main_window, nullptr));
    if (chosen == 0 || !result) return;
    if (auto status = copy_amount_of(state, *result, chosen); !status)
        show_command_outcome(state, display_text(status.error()), true);
}

}  // namespace

std::optional<LRESULT> on_context_menu(AppState& state, HWND target, LPARAM where) {
    if (target != state.memo_edit()) return std::nullopt;
    // -1: from the keyboard, at the caret.
    std::optional<POINT> at;
    if (where != -1) {
        at = POINT{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
        POINT client = *at;
        ScreenToClient(target, &client);
        if (const MarginRow* row = margin_row_at(state, client)) {
            // A copy: the menu's loop may repaint the memo, which replaces the rows.
            show_margin_menu(state, MarginRow(*row), *at);
            return 0;
        }
        move_caret_to_click(target, *at);
    }
    show_memo_menu(state, at);
    return 0;
}

SystemStatus open_memo_menu(AppState& state, std::int32_t) {
    show_memo_menu(state, std::nullopt);
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
