// The memo read as notes: a copy of its text and the notebook of its lines, with the
// names each defines and takes. While a view shows them (the margin of line results asks
// for it) they follow every edit of the control, from a window of text around the caret;
// otherwise an edit puts them out of step, and the memo is read anew, whole, where a
// command needs them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "notes/book/notebook.h"
#include "notes/figures/note_calendar.h"
#include "platform/windows/memo/memo_message.h"
#include "ui/memo/memo_mirror.h"

namespace numvora {

// The control's character on its way in, while the notes follow edits: the edit it
// makes were it to go in as typed at the caret, and whether the memo painted since.
struct TypedCharacter {
    TextEdit<wchar_t> edit;
    bool painted = false;
};

// The notes' own state and what changes it; nothing of who shows them.
class MemoNotes {
public:
    // What the notes last became: lines [first, first + count) became `lines` lines, or,
    // read anew, the whole memo. shown_early: the control painted the edit before the
    // notes followed it, so what a paint drew of them then is of the notes before it.
    struct Change {
        std::size_t first = 0;
        std::size_t count = 0;
        std::size_t lines = 0;
        bool whole = true;
        bool shown_early = false;
    };

    const TextMirror<wchar_t>& mirror() const { return mirror_; }
    const NoteBook& book() const { return book_; }
    // The line a position of the control lies on.
    std::size_t line_of(std::int32_t position) const;

    // The memo's text anew: the one way the notes take the whole of it, wherever it
    // was read.
    void read_anew(std::wstring text);
    // An edit of the text they hold, as the control made it.
    void follow(const TextEdit<wchar_t>& edit, bool shown_early);
    // An edit not followed: read anew before their next use.
    void fall_out_of_step() { in_step_ = false; }
    bool in_step() const { return in_step_; }
    // Whether the control's edits are followed as they come.
    void follow_edits(bool on) { following_ = on; }
    bool following() const { return following_; }
    // Today as the book reads "오늘" and D-days; true when it is another day.
    bool set_today(std::optional<DayNumber> today);

    // Counts every change; a view that keeps something per line compares the count with
    // the one it last saw, and when it is one more, takes last_change().
    std::uint64_t changes() const { return changes_; }
    const Change& last_change() const { return last_; }

    // Kept by the notes' part of the control from a WM_CHAR to its EN_CHANGE.
    std::optional<TypedCharacter> typed;

private:
    TextMirror<wchar_t> mirror_;
    NoteBook book_;
    bool in_step_ = false;
    bool following_ = false;
    std::optional<DayNumber> today_;
    std::uint64_t changes_ = 0;
    Change last_;
};

// The notes' part of the memo control. A character typed while they follow edits is
// known before the control takes it, and followed at EN_CHANGE without reading the memo
// back once its length and caret show that it went in as typed.
std::optional<LRESULT> notes_before(AppState& state, const MemoMessage& message);
void notes_after(AppState& state, const MemoMessage& message);
// EN_CHANGE: the edit followed, or, while the notes do not follow edits, only noted.
void follow_memo_change(AppState& state);

// The notes as the memo holds them now: read anew when they are out of step with it
// (the one read of the whole memo a command makes), the day followed.
const MemoNotes& catch_up_memo_notes(AppState& state);
// The whole memo as the auto-save read it (UTF-8, CR LF breaks): notes that went out of
// step are read anew at their next use.
void check_memo_notes(AppState& state, std::string_view memo);

}  // namespace numvora
