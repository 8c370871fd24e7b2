#include "platform/windows/memo/memo_rebuild.h"

#include <richedit.h>

#include <algorithm>

#include "platform/windows/base/subclass.h"
#include "platform/windows/commands/focus_commands.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/painting/memo_colors.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/timers/timers.h"
#include "ui/colors/theme_palette.h"
#include "ui/memo/memo_pieces.h"

namespace numvora {
namespace {

constexpr std::string_view REMOVING_TEXT = "메모에서 지우는 중입니다…";

// Smaller changes are left to the control without counting their lines.
constexpr std::size_t UNITS_WORTH_COUNTING = std::size_t{4} * 1024;

std::size_t line_breaks(std::wstring_view text) {
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && i > 0 && text[i - 1] == L'\r') continue;  // one break with its CR
        if (text[i] == L'\r' || text[i] == L'\n') ++breaks;
    }
    return breaks;
}

// Characters as the control counts them: a CR LF pair is one.
std::int32_t control_units(std::wstring_view text) {
    std::size_t pairs = 0;
    for (std::size_t i = 1; i < text.size(); ++i) pairs += text[i - 1] == L'\r' && text[i] == L'\n' ? 1 : 0;
    return static_cast<std::int32_t>(text.size() - pairs);
}

RECT child_rect(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT text_area(HWND memo) {
    RECT area{};
    SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    return area;
}

bool same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// The shown memo's text area as far from the target's own edges: a scroll bar that one
// shows and the other not narrows the client, not the space around the text.
RECT area_like(HWND target, HWND shown) {
    RECT from{};
    RECT to{};
    GetClientRect(shown, &from);
    GetClientRect(target, &to);
    const RECT area = text_area(shown);
    return {to.left + area.left - from.left, to.top + area.top - from.top, to.right - (from.right - area.right),
            to.bottom - (from.bottom - area.bottom)};
}

// The target looks and wraps as the shown memo does: place, text area, font and colours
// (a hidden control missed what changed them meanwhile). Only what differs is set: each
// makes the control wrap its whole text again.
void match(const AppState& state, HWND target, HWND shown) {
    const RECT place = child_rect(shown);
    if (!same(child_rect(target), place)) {
        MoveWindow(target, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    }
    RECT area = area_like(target, shown);
    if (!same(text_area(target), area)) SendMessageW(target, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
    const auto font = static_cast<WPARAM>(SendMessageW(shown, WM_GETFONT, 0, 0));
    if (static_cast<WPARAM>(SendMessageW(target, WM_GETFONT, 0, 0)) != font) {
        SendMessageW(target, WM_SETFONT, font, FALSE);
    }
    const ThemePalette palette = current_palette(state);
    apply_memo_background(target, palette[MEMO_BACKGROUND]);
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(target, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    if (format.crTextColor != palette[MEMO_TEXT]) apply_memo_text_color(target, palette[MEMO_TEXT]);
}

// Hidden, in the memo's class and style, empty and plain text, matched to the shown memo.
HWND make_fresh_control(const AppState& state) {
    const ControlRow& row = CONTROL_ROWS[control_row_index(ControlSlot::MemoEdit)];
    const HWND fresh = CreateWindowExW(0, control_class_name(row.class_kind), L"", row.style & ~WS_VISIBLE, 0, 0, 0, 0,
                                       state.main_window, nullptr, nullptr, nullptr);
    if (fresh == nullptr) return nullptr;
    SendMessageW(fresh, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
    SendMessageW(fresh, EM_EXLIMITTEXT, 0, MEMO_TEXT_LIMIT);
    SendMessageW(fresh, EM_SETUNDOLIMIT, MEMO_UNDO_LIMIT, 0);
    match(state, fresh, state.memo_edit());
    return fresh;
}

// The hidden control takes the memo's place (its id, its turn in the Tab order, the
// focus) and the shown one hides; the memo changed for everything that follows it.
void swap_in(AppState& state, HWND hidden) {
    MemoRebuild& record = *state.memo_rebuild;
    const HWND shown = state.memo_edit();
    match(state, hidden, shown);
    SetWindowLongPtrW(shown, GWLP_ID, 0);
    SetWindowLongPtrW(hidden, GWLP_ID, ids::MEMO_EDIT);
    SetWindowPos(hidden, shown, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    state.controls[control_row_index(ControlSlot::MemoEdit)] = hidden;
    ShowWindow(hidden, SW_SHOWNA);
    if (GetFocus() == shown) SetFocus(hidden);
    if (state.focus->before_deactivation == shown) state.focus->before_deactivation = hidden;
    ShowWindow(shown, SW_HIDE);
    SendMessageW(shown, EM_SETEVENTMASK, 0, 0);
    SendMessageW(hidden, EM_SETEVENTMASK, 0, ENM_CHANGE);
    start_timer(state.main_window, ACCESSIBILITY_TIMER_ID);  // its description, as the first one's
    record.swapping = true;
    SendMessageW(state.main_window, WM_COMMAND, MAKEWPARAM(ids::MEMO_EDIT, EN_CHANGE),
                 reinterpret_cast<LPARAM>(hidden));
    record.swapping = false;
}

// A control no undo or redo can reach goes once the user pauses (the timer waits for a
// second without a change of the memo): one holding a large text takes tens of
// milliseconds to destroy, which a keystroke or a change would wait for.
void forget(AppState& state, HWND& control) {
    if (control == nullptr) return;
    state.memo_rebuild->retired.push_back(std::exchange(control, nullptr));
    start_timer(state.main_window, RETIRED_MEMO_TIMER_ID);
}

// The fresh control shown in the old one's place, which stays hidden for Ctrl+Z.
void complete(AppState& state) {
    MemoRebuild& record = *state.memo_rebuild;
    RebuildFill fill = std::move(*record.filling);
    record.filling.reset();
    select_in_memo(fill.control, {fill.caret, fill.caret});
    subclass_like(fill.control, state.memo_edit());  // the memo's parts see its messages
    // One rebuild is undone at a time.
    forget(state, record.before);
    forget(state, record.after);
    record.before = state.memo_edit();
    swap_in(state, fill.control);
    SendMessageW(fill.control, EM_SCROLLCARET, 0, 0);
    if (!fill.progress.empty()) {
        state.status.withdraw(fill.progress);
        show_status_line(state);
    }
    if (fill.then) fill.then(state);
}

void put_in_piece(AppState& state, RebuildFill& fill) {
    const bool first = fill.put_in == 0;
    const std::size_t end = piece_end(fill.text, fill.put_in);
    append_to_memo(fill.control, fill.text.substr(fill.put_in, end - fill.put_in));
    fill.put_in = end;
    // The first piece brings the scroll bar a long text has: the text area is fitted to
    // it now, while the text is short, rather than wrapping the whole of it at the swap.
    if (first) match(state, fill.control, state.memo_edit());
}

bool filled(const RebuildFill& fill) { return fill.put_in >= fill.text.size(); }

void post_next_piece(AppState& state) {
    // A full queue cannot take the message: the rest goes in at once.
    if (!PostMessageW(state.main_window, WM_MEMO_REBUILD_PIECE, 0, 0)) finish_memo_rebuild(state);
}

// The new text going into a fresh control; false when no control could be made.
bool rebuild(AppState& state, std::wstring text, std::int32_t caret, std::string_view progress, AfterMemoChange& then) {
    const HWND fresh = make_fresh_control(state);
    if (fresh == nullptr) return false;
    MemoRebuild& record = *state.memo_rebuild;
    const bool one_piece = piece_end(text, 0) >= text.size();
    record.filling = RebuildFill{fresh, std::move(text), 0, caret, std::string(progress), std::move(then)};
    if (one_piece) {
        put_in_piece(state, *record.filling);
        record.filling->progress.clear();
        complete(state);
        return true;
    }
    if (!progress.empty()) {
        state.status.show(std::string(progress), false);
        show_status_line(state);
        UpdateWindow(state.control(ControlSlot::StatusLabel));  // paints wait for the last piece
    }
    post_next_piece(state);
    return true;
}

bool large(MemoSelection selection) {
    return static_cast<std::size_t>(selection.end - selection.start) >= UNITS_WORTH_COUNTING;
}

bool ctrl_down() { return GetKeyState(VK_CONTROL) < 0; }
bool shift_down() { return GetKeyState(VK_SHIFT) < 0; }

// Ctrl+Z, Ctrl+Y or the messages past the control's first or last step.
std::optional<LRESULT> cross_rebuild(AppState& state, bool undo) {
    MemoRebuild& record = *state.memo_rebuild;
    HWND& target = undo ? record.before : record.after;
    const HWND memo = state.memo_edit();
    if (target == nullptr || SendMessageW(memo, undo ? EM_CANUNDO : EM_CANREDO, 0, 0) != FALSE) return std::nullopt;
    const HWND to = std::exchange(target, nullptr);
    (undo ? record.after : record.before) = memo;
    swap_in(state, to);
    return TRUE;
}

enum class Removal { None, Delete, Cut, BeforeTyping };

Removal removal_of(const MemoMessage& message) {
    switch (message.id) {
    case WM_CLEAR: return Removal::Delete;
    case WM_CUT: return Removal::Cut;
    case WM_KEYDOWN:
        if (message.wparam == VK_DELETE) return shift_down() ? Removal::Cut : Removal::Delete;
        if (message.wparam == VK_BACK) return Removal::Delete;
        if (message.wparam == 'X' && ctrl_down()) return Removal::Cut;
        return Removal::None;
    case WM_CHAR:
        return message.wparam >= 0x20 || message.wparam == L'\r' || message.wparam == L'\t' ? Removal::BeforeTyping
                                                                                            : Removal::None;
    default: return Removal::None;
    }
}

}  // namespace

void replace_memo_range_in_pieces(AppState& state, MemoSelection range, const std::wstring& text,
                                  std::string_view progress, AfterMemoChange then) {
    // The range is of the memo whole.
    finish_memo_load(state);
    finish_memo_rebuild(state);
    const HWND memo = state.memo_edit();
    const std::int32_t length = memo_length(memo);
    const std::int32_t start = std::clamp(range.start, 0, length);
    const std::int32_t end = range.end < 0 ? length : std::clamp(range.end, start, length);
    if (static_cast<std::size_t>(end - start) + text.size() >= UNITS_WORTH_COUNTING) {
        // The notes' copy when they have one: a large memo takes the control long to give.
        const MemoNotes* notes = memo_notes_at_hand(state);
        const bool copied = notes != nullptr && notes->mirror().text().size() == static_cast<std::size_t>(length);
        const std::wstring whole = copied ? notes->mirror().text() : memo_text_range(memo, {0, length});
        const auto at = static_cast<std::size_t>(start);
        const auto to = static_cast<std::size_t>(end);
        const LineChangeSize lines{line_breaks(whole) + 1, line_breaks(std::wstring_view(whole).substr(at, to - at)),
                                   line_breaks(text), line_breaks(std::wstring_view(whole).substr(to))};
        if (quicker_in_fresh_control(lines) && rebuild(state, whole.substr(0, at) + text + whole.substr(to),
                                                       start + control_units(text), progress, then)) {
            return;
        }
    }
    replace_in_memo(memo, {start, end}, text);
    if (then) then(state);
}

void replace_memo_range(AppState& state, MemoSelection range, const std::wstring& text) {
    replace_memo_range_in_pieces(state, range, text, {});
    finish_memo_rebuild(state);
}

void continue_memo_rebuild(AppState& state) {
    MemoRebuild& record = *state.memo_rebuild;
    if (!record.filling) return;  // finished at once meanwhile
    put_in_piece(state, *record.filling);
    if (filled(*record.filling)) {
        complete(state);
    } else {
        post_next_piece(state);
    }
}

void finish_memo_rebuild(AppState& state) {
    MemoRebuild& record = *state.memo_rebuild;
    if (!record.filling) return;
    while (!filled(*record.filling)) put_in_piece(state, *record.filling);
    complete(state);
}

std::optional<LRESULT> rebuild_before(AppState& state, const MemoMessage& message) {
    const bool ctrl_key = message.id == WM_KEYDOWN && ctrl_down();
    if (message.id == EM_UNDO || message.id == WM_UNDO || (ctrl_key && message.wparam == 'Z' && !shift_down()))
        return cross_rebuild(state, true);
    if (message.id == EM_REDO) return cross_rebuild(state, false);
    const Removal removal = removal_of(message);
    const MemoSelection selection = removal == Removal::None ? MemoSelection{} : memo_selection(message.memo);
    if (removal == Removal::None || !large(selection)) return std::nullopt;
    if (removal == Removal::Cut) SendMessageW(message.memo, WM_COPY, 0, 0);
    AfterMemoChange then;
    // A rebuilt memo is another control: the character goes to it.
    if (removal == Removal::BeforeTyping) {
        then = [character = message.wparam, lparam = message.lparam](AppState& after) {
            SendMessageW(after.memo_edit(), WM_CHAR, character, lparam);
        };
    }
    replace_memo_range_in_pieces(state, selection, L"", REMOVING_TEXT, std::move(then));
    return 0;
}

void follow_memo_rebuild(AppState& state) {
    MemoRebuild& record = *state.memo_rebuild;
    if (!record.swapping) forget(state, record.after);
    if (!record.retired.empty()) start_timer(state.main_window, RETIRED_MEMO_TIMER_ID);
}

void destroy_retired_memos(AppState& state) {
    for (const HWND control : std::exchange(state.memo_rebuild->retired, {})) DestroyWindow(control);
}

}  // namespace numvora
