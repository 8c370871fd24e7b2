#include "platform/windows/memo/memo_notes.h"

#include <algorithm>
#include <string>

#include "common/win32/wide_text.h"
#include "notes/note_calendar.h"
#include "platform/windows/memo/results_margin.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/timers/timers.h"

namespace numvora {

namespace {

// Windows around the caret, each eight times the last; past the largest, the whole memo.
constexpr std::int32_t FIRST_HALF_WINDOW = 256;
constexpr std::int32_t LAST_HALF_WINDOW = 1 << 14;

void apply(AppState& state, const TextEdit<wchar_t>& edit) {
    MemoNotes& notes = *state.notes;
    const LineChange<wchar_t> change = notes.mirror.apply(edit);
    notes.book.replace(change.first, change.count, to_utf8(change.text));
    const auto lines = static_cast<std::size_t>(std::count(change.text.begin(), change.text.end(), L'\r')) + 1;
    replace_lines(state.margin->layout, change.first, change.count, lines);
    // The control paints most edits after telling of them; one it painted at once (a paste
    // that scrolled it) showed the strip as the notes stood before it.
    if (GetUpdateRect(state.memo_edit(), nullptr, FALSE) == FALSE) ask_results_margin_paint(state);
}

void read_whole(MemoNotes& notes, HWND memo) {
    std::wstring text = memo_text_range(memo, {0, memo_length(memo)});
    notes.book.assign(to_utf8(text));
    notes.mirror.assign(std::move(text));
    notes.in_step = true;
}

}  // namespace

void follow_memo_change(AppState& state) {
    MemoNotes& notes = *state.notes;
    if (!notes.in_step || !state.margin->on) {
        notes.in_step = false;
        return;
    }
    const HWND memo = state.memo_edit();
    const std::int32_t length = memo_length(memo);
    const std::int32_t caret = memo_selection(memo).end;
    for (std::int32_t half = FIRST_HALF_WINDOW; half <= LAST_HALF_WINDOW; half *= 8) {
        const std::int32_t from = std::clamp(caret - half, 0, length);
        const std::wstring window = memo_text_range(memo, {from, std::clamp(caret + half, from, length)});
        const auto edit = find_edit<wchar_t>(notes.mirror.text(), static_cast<std::size_t>(length),
                                             static_cast<std::size_t>(from), window);
        if (edit) return apply(state, *edit);
    }
    const std::wstring whole = memo_text_range(memo, {0, length});
    apply(state, edit_between<wchar_t>(notes.mirror.text(), whole));
}

namespace {

// Today by the window's clock, told to the book when it is another day: true then.
bool follow_today(AppState& state) {
    const SnapshotTime now = state.calls.now();
    const std::optional<DayNumber> today =
        day_number(now.year, static_cast<unsigned>(now.month), static_cast<unsigned>(now.day));
    if (today == state.notes->today) return false;
    state.notes->today = today;
    state.notes->book.set_today(today);
    return true;
}

}  // namespace

const MemoNotes& memo_notes(AppState& state) {
    follow_today(state);
    if (!state.notes->in_step) {
        read_whole(*state.notes, state.memo_edit());
        state.margin->layout = {};
    }
    return *state.notes;
}

// Each minute: past midnight, the margin shows the dates of the new day without a
// keystroke (F9 and a total read the day as they start anyway).
void check_memo_day(AppState& state) {
    if (follow_today(state) && state.margin->on) InvalidateRect(state.memo_edit(), nullptr, FALSE);
}

void check_memo_notes(AppState& state, std::string_view memo) {
    if (!state.notes->in_step) return;
    std::wstring text = to_wide(memo);
    text.erase(std::remove(text.begin(), text.end(), L'\n'), text.end());
    // An edit the window around the caret could not see: read whole at the next use.
    if (text != state.notes->mirror.text()) state.notes->in_step = false;
}

std::size_t memo_line_of(const MemoNotes& notes, std::int32_t position) {
    return notes.mirror.line_of(static_cast<std::size_t>(std::max(position, 0)));
}

}  // namespace numvora
