#include "platform/windows/memo/memo_notes.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/win32/wide_text.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/timers/timers.h"

namespace numvora {

std::size_t MemoNotes::line_of(std::int32_t position) const {
    return mirror_.line_of(static_cast<std::size_t>(std::max(position, 0)));
}

void MemoNotes::read_anew(std::wstring text) {
    book_.assign(to_utf8(text));
    mirror_.assign(std::move(text));
    in_step_ = true;
    ++changes_;
    last_ = {};
}

void MemoNotes::follow(const TextEdit<wchar_t>& edit, bool shown_early) {
    const LineChange<wchar_t> change = mirror_.apply(edit);
    book_.replace(change.first, change.count, to_utf8(change.text));
    const auto lines = static_cast<std::size_t>(std::count(change.text.begin(), change.text.end(), L'\r')) + 1;
    ++changes_;
    last_ = {change.first, change.count, lines, false, shown_early};
}

bool MemoNotes::set_today(std::optional<DayNumber> today) {
    if (today == today_) return false;
    today_ = today;
    book_.set_today(today);
    return true;
}

namespace {

// Windows around the caret, each eight times the last; past the largest, the whole memo.
constexpr std::int32_t FIRST_HALF_WINDOW = 256;
constexpr std::int32_t LAST_HALF_WINDOW = 1 << 14;

// Typed characters that the control puts in as they are; a control character may do
// something else (Ctrl+Enter's line feed), half a surrogate pair waits for its other half.
bool goes_in_as_typed(WPARAM character) {
    return character == L'\r' || character == L'\t' ||
           (character >= 0x20 && character != 0x7F && (character < 0xD800 || character > 0xDFFF) &&
            character <= 0xFFFF);
}

// Today by the window's clock; true when it is another day.
bool follow_today(AppState& state) {
    const SnapshotTime now = state.calls.now();
    return state.notes->set_today(
        day_number(now.year, static_cast<unsigned>(now.month), static_cast<unsigned>(now.day)));
}

}  // namespace

std::optional<LRESULT> notes_before(AppState& state, const MemoMessage& message) {
    MemoNotes& notes = *state.notes;
    if (message.id == WM_PAINT && notes.typed) notes.typed->painted = true;
    if (message.id != WM_CHAR) return std::nullopt;
    notes.typed.reset();
    if (!notes.in_step() || !notes.following() || !goes_in_as_typed(message.wparam)) return std::nullopt;
    const MemoSelection at = memo_selection(message.memo);
    if (at.empty() && at.start >= 0)
        notes.typed = TypedCharacter{
            {static_cast<std::size_t>(at.start), 0, std::wstring(1, static_cast<wchar_t>(message.wparam))}};
    return std::nullopt;
}

void notes_after(AppState& state, const MemoMessage& message) {
    if (message.id == WM_CHAR) state.notes->typed.reset();
}

void follow_memo_change(AppState& state) {
    MemoNotes& notes = *state.notes;
    const std::optional<TypedCharacter> typed = std::exchange(notes.typed, std::nullopt);
    if (!notes.in_step() || !notes.following()) {
        notes.fall_out_of_step();
        return;
    }
    const HWND memo = state.memo_edit();
    const std::int32_t length = memo_length(memo);
    const MemoSelection selection = memo_selection(memo);
    const std::int32_t caret = selection.end;
    const std::wstring& before = notes.mirror().text();
    // The character went in at the caret as typed when the memo grew by it and the caret
    // moved past it: no text needs reading back, which under Wine walks the memo from
    // its start. A paint the keystroke caused at once showed the notes before it.
    if (typed && typed->edit.start <= before.size() && static_cast<std::size_t>(length) == before.size() + 1 &&
        selection.empty() && static_cast<std::size_t>(caret) == typed->edit.start + 1) {
        notes.follow(typed->edit, typed->painted);
        return;
    }
    // The control paints most edits after telling of them; one it painted at once (a
    // paste that scrolled it) has nothing left to paint.
    const auto follow = [&](const TextEdit<wchar_t>& edit) {
        notes.follow(edit, GetUpdateRect(memo, nullptr, FALSE) == FALSE);
    };
    for (std::int32_t half = FIRST_HALF_WINDOW; half <= LAST_HALF_WINDOW; half *= 8) {
        const std::int32_t from = std::clamp(caret - half, 0, length);
        const std::wstring window = memo_text_range(memo, {from, std::clamp(caret + half, from, length)});
        const auto edit =
            find_edit<wchar_t>(before, static_cast<std::size_t>(length), static_cast<std::size_t>(from), window);
        if (edit) return follow(*edit);
    }
    follow(edit_between<wchar_t>(before, memo_text_range(memo, {0, length})));
}

const MemoNotes& catch_up_memo_notes(AppState& state) {
    follow_today(state);
    MemoNotes& notes = *state.notes;
    if (!notes.in_step()) notes.read_anew(memo_text_range(state.memo_edit(), {0, memo_length(state.memo_edit())}));
    return notes;
}

// Each minute: past midnight, what shows the notes shows the dates of the new day
// without a keystroke (F9 and a total read the day as they start anyway).
void check_memo_day(AppState& state) {
    if (follow_today(state) && state.notes->following()) InvalidateRect(state.memo_edit(), nullptr, FALSE);
}

void check_memo_notes(AppState& state, std::string_view memo) {
    MemoNotes& notes = *state.notes;
    if (!notes.in_step()) return;
    std::wstring text = to_wide(memo);
    text.erase(std::remove(text.begin(), text.end(), L'\n'), text.end());
    // An edit the window around the caret could not see: read anew at the next use.
    if (text != notes.mirror().text()) notes.fall_out_of_step();
}

}  // namespace numvora
