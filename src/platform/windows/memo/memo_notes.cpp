#include "platform/windows/memo/memo_notes.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/win32/wide_text.h"
#include "notes/figures/note_calendar.h"
#include "platform/windows/memo/results_margin.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/timers/timers.h"

namespace numvora {

namespace {

// Windows around the caret, each eight times the last; past the largest, the whole memo.
constexpr std::int32_t FIRST_HALF_WINDOW = 256;
constexpr std::int32_t LAST_HALF_WINDOW = 1 << 14;

void tell(AppState& state, const TextEdit<wchar_t>& edit) {
    MemoNotes& notes = *state.notes;
    const LineChange<wchar_t> change = notes.mirror.apply(edit);
    notes.book.replace(change.first, change.count, to_utf8(change.text));
    const auto lines = static_cast<std::size_t>(std::count(change.text.begin(), change.text.end(), L'\r')) + 1;
    replace_lines(state.margin->layout, change.first, change.count, lines);
}

void apply(AppState& state, const TextEdit<wchar_t>& edit) {
    tell(state, edit);
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

// Typed characters that the control puts in as they are; a control character may do
// something else (Ctrl+Enter's line feed), half a surrogate pair waits for its other half.
bool goes_in_as_typed(WPARAM character) {
    return character == L'\r' || character == L'\t' ||
           (character >= 0x20 && character != 0x7F && (character < 0xD800 || character > 0xDFFF) &&
            character <= 0xFFFF);
}

std::optional<LRESULT> typing_before(AppState& state, const MemoMessage& got) {
    if (got.message != WM_CHAR) return std::nullopt;
    MemoNotes& notes = *state.notes;
    notes.typing.reset();
    if (!notes.in_step || !state.margin->on || !goes_in_as_typed(got.wparam)) return std::nullopt;
    const MemoSelection at = memo_selection(got.memo);
    if (at.empty() && at.start >= 0)
        notes.typing = MemoNotes::Typing{
            {static_cast<std::size_t>(at.start), 0, std::wstring(1, static_cast<wchar_t>(got.wparam))},
            state.margin->paints};
    return std::nullopt;
}

void typing_after(AppState& state, const MemoMessage& got) {
    if (got.message == WM_CHAR) state.notes->typing.reset();
}

void follow_memo_change(AppState& state) {
    MemoNotes& notes = *state.notes;
    const std::optional<MemoNotes::Typing> typed = std::exchange(notes.typing, std::nullopt);
    if (!notes.in_step || !state.margin->on) {
        notes.in_step = false;
        return;
    }
    const HWND memo = state.memo_edit();
    const std::int32_t length = memo_length(memo);
    const MemoSelection selection = memo_selection(memo);
    const std::int32_t caret = selection.end;
    // The character went in at the caret as typed when the memo grew by it and the caret
    // moved past it: no text needs reading back, which under Wine walks the memo from
    // its start. A paint the keystroke caused at once showed the notes before it.
    if (typed && typed->edit.start <= notes.mirror.text().size() &&
        static_cast<std::size_t>(length) == notes.mirror.text().size() + 1 && selection.empty() &&
        static_cast<std::size_t>(caret) == typed->edit.start + 1) {
        tell(state, typed->edit);
        if (state.margin->paints != typed->paints) ask_results_margin_paint(state);
        return;
    }
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
