#include "platform/windows/memo/notes/memo_notes.h"

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

namespace {

// Lines an edit may change for the window's own thread to read them; more go to a
// reading beside (a few milliseconds' worth).
constexpr std::size_t LINES_READ_HERE_MAX = 2'000;

// Units as the control counts them: a CR LF or a lone LF is one "\r".
std::size_t control_length(std::wstring_view text) {
    std::size_t pairs = 0;
    for (std::size_t i = 1; i < text.size(); ++i) pairs += text[i - 1] == L'\r' && text[i] == L'\n' ? 1 : 0;
    return text.size() - pairs;
}

}  // namespace

void MemoNotes::read_beside(std::wstring text, HWND window) {
    reading_.reset();  // a reading of an older text stops first
    length_ = control_length(text);
    changed_.reset();
    reading_ = std::make_unique<NotesReading>(std::move(text), today_, window);
}

void MemoNotes::take_reading() {
    if (!reading_) return;
    NotesReading::Read read = reading_->take();
    reading_.reset();
    mirror_.assign(std::move(read.text));
    book_ = std::move(read.book);
    book_.set_today(today_);  // the day may have turned while it read
    in_step_ = true;
    ++changes_;
    ++readings_;
    last_ = {};
}

bool MemoNotes::follow(const TextEdit<wchar_t>& edit, bool shown_early) {
    const LineChange<wchar_t> change = mirror_.apply(edit);
    length_ = mirror_.text().size();
    changed_.reset();  // the edit brings the text in step with the memo
    const auto lines = static_cast<std::size_t>(std::count(change.text.begin(), change.text.end(), L'\r')) + 1;
    if (change.count + lines > LINES_READ_HERE_MAX) return false;
    lines_read_here_ += book_.replace(change.first, change.count, to_utf8(change.text));
    ++changes_;
    last_ = {change.first, change.count, lines, false, shown_early};
    return true;
}

void MemoNotes::note_change(std::size_t length, std::size_t caret) {
    changed_ = widen(changed_, length_, length, caret);
    length_ = length;
}

void MemoNotes::fall_out_of_step() {
    reading_.reset();
    changed_.reset();
    in_step_ = false;
}

bool MemoNotes::set_today(std::optional<DayNumber> today) {
    if (today == today_) return false;
    today_ = today;
    book_.set_today(today);
    return true;
}

namespace {

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

void read_memo_beside(AppState& state) {
    const HWND memo = state.memo_edit();
    state.notes->read_beside(memo_text_range(memo, {0, memo_length(memo)}), state.main_window);
}

// An edit found, followed; one too large for this thread, read beside.
void follow_found(AppState& state, const TextEdit<wchar_t>& edit, bool shown_early) {
    MemoNotes& notes = *state.notes;
    if (!notes.follow(edit, shown_early)) notes.read_beside(notes.mirror().text(), state.main_window);
}

// The changes noted read back and followed; read anew where they cannot be found.
void bring_in_step(AppState& state) {
    MemoNotes& notes = *state.notes;
    if (!notes.in_step() || !notes.changed()) return;
    const auto edit = read_edit_back(state.memo_edit(), notes.mirror().text(), *notes.changed());
    if (!edit) return read_memo_beside(state);
    follow_found(state, *edit, false);
}

}  // namespace

std::optional<LRESULT> notes_before(AppState& state, const MemoMessage& message) {
    MemoNotes& notes = *state.notes;
    if (message.id == WM_PAINT && notes.typed) notes.typed->painted = true;
    if (message.id != WM_CHAR) return std::nullopt;
    notes.typed.reset();
    if (!notes.in_step() || notes.changed() || !notes.following() || !goes_in_as_typed(message.wparam))
        return std::nullopt;
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
    if (!notes.in_step() && !notes.reading()) return;  // read whole at their next use
    const HWND memo = state.memo_edit();
    const std::int32_t length = memo_length(memo);
    const MemoSelection selection = memo_selection(memo);
    const auto caret = static_cast<std::size_t>(std::max(selection.end, 0));
    // Not shown, or being read: where it changed is enough until the next use.
    if (notes.reading() || notes.changed() || !notes.following()) {
        notes.note_change(static_cast<std::size_t>(length), caret);
        return;
    }
    const std::wstring& before = notes.mirror().text();
    // The character went in at the caret as typed when the memo grew by it and the caret
    // moved past it: no text needs reading back, which under Wine walks the memo from
    // its start. A paint the keystroke caused at once showed the notes before it.
    if (typed && typed->edit.start <= before.size() && static_cast<std::size_t>(length) == before.size() + 1 &&
        selection.empty() && caret == typed->edit.start + 1) {
        follow_found(state, typed->edit, typed->painted);
        return;
    }
    // The control paints most edits after telling of them; one it painted at once (a
    // paste that scrolled it) has nothing left to paint.
    const bool shown_early = GetUpdateRect(memo, nullptr, FALSE) == FALSE;
    if (const auto edit = read_edit_back(memo, before, {caret, caret})) return follow_found(state, *edit, shown_early);
    follow_found(state, edit_between<wchar_t>(before, memo_text_range(memo, {0, length})), shown_early);
}

const MemoNotes& catch_up_memo_notes(AppState& state) {
    follow_today(state);
    MemoNotes& notes = *state.notes;
    // A change read back may be too large for this thread, and is read beside: waited for too.
    for (;;) {
        if (!notes.in_step() && !notes.reading()) read_memo_beside(state);
        if (notes.reading()) notes.take_reading();
        bring_in_step(state);
        if (notes.in_step() && !notes.changed()) return notes;
    }
}

const MemoNotes* memo_notes_at_hand(AppState& state) {
    follow_today(state);
    MemoNotes& notes = *state.notes;
    if (!notes.in_step() && !notes.reading()) read_memo_beside(state);
    if (notes.reading_done()) notes.take_reading();
    bring_in_step(state);
    return notes.in_step() && !notes.changed() ? &notes : nullptr;
}

void take_notes_read(AppState& state) {
    MemoNotes& notes = *state.notes;
    if (!notes.reading_done()) return;  // given up, or taken by a command meanwhile
    notes.take_reading();
    if (notes.following()) InvalidateRect(state.memo_edit(), nullptr, FALSE);
}

// Each minute: past midnight, what shows the notes shows the dates of the new day
// without a keystroke (F9 and a total read the day as they start anyway).
void check_memo_day(AppState& state) {
    if (follow_today(state) && state.notes->following()) InvalidateRect(state.memo_edit(), nullptr, FALSE);
}

void check_memo_notes(AppState& state, std::string_view memo) {
    MemoNotes& notes = *state.notes;
    if (!notes.in_step() || notes.changed()) return;
    std::wstring text = to_wide(memo);
    text.erase(std::remove(text.begin(), text.end(), L'\n'), text.end());
    // An edit the window around the caret could not see: read anew at the next use.
    if (text != notes.mirror().text()) notes.fall_out_of_step();
}

}  // namespace numvora
