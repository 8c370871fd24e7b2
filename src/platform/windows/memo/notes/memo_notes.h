// The memo read as notes: a copy of its text and the notebook of its lines, with the
// names each defines and takes. While a view shows them (the margin of line results asks
// for it) they follow every edit of the control, from a window of text around the caret;
// otherwise an edit only notes where it was, and the next use reads that stretch back
// once. The whole memo is read on a thread of its own (memo/notes/notes_reading.h): when it
// is opened, and after a change too large to read between two messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "notes/book/notebook.h"
#include "notes/figures/note_calendar.h"
#include "platform/windows/memo/memo_message.h"
#include "platform/windows/memo/notes/notes_reading.h"
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

    // The whole memo, read on a thread of its own that tells window when it is done;
    // text as the control holds it or with CR LF breaks.
    void read_beside(std::wstring text, HWND window);
    bool reading() const { return reading_ != nullptr; }
    bool reading_done() const { return reading_ && reading_->done(); }
    // The reading's book and text in place of the notes' (waiting for it where it still
    // reads): the notes of the memo as it was when the reading began.
    void take_reading();
    // An edit of the text they hold, as the control made it; false when it changed too
    // many lines to read between two messages: the text took it, the book waits for a
    // reading beside.
    bool follow(const TextEdit<wchar_t>& edit, bool shown_early);
    // A change of the control not followed yet: where it was, from the memo's length and
    // the caret after it.
    void note_change(std::size_t length, std::size_t caret);
    const std::optional<ChangedStretch>& changed() const { return changed_; }
    // The memo's length as the notes know it, noted changes included.
    std::size_t length() const { return length_; }
    // Lost: read anew, whole, before their next use.
    void fall_out_of_step();
    // In step with the memo but for the changes noted, and not being read anew.
    bool in_step() const { return in_step_ && !reading_; }
    // Whether the control's edits are followed as they come.
    void follow_edits(bool on) { following_ = on; }
    bool following() const { return following_; }
    // Today as the book reads "오늘" and D-days; true when it is another day.
    bool set_today(std::optional<DayNumber> today);
    std::optional<DayNumber> today() const { return today_; }
    // Lines the window's own thread has read: an edit's lines, never the whole memo.
    std::size_t lines_read_here() const { return lines_read_here_; }

    // Counts every change; a view that keeps something per line compares the count with
    // the one it last saw, and when it is one more, takes last_change().
    std::uint64_t changes() const { return changes_; }
    // Counts the readings of the whole memo taken: a view that fits the whole book
    // compares it with the one it last fitted to.
    std::uint64_t readings() const { return readings_; }
    const Change& last_change() const { return last_; }

    // Kept by the notes' part of the control from a WM_CHAR to its EN_CHANGE.
    std::optional<TypedCharacter> typed;

private:
    TextMirror<wchar_t> mirror_;
    NoteBook book_;
    std::unique_ptr<NotesReading> reading_;
    std::optional<ChangedStretch> changed_;
    std::size_t length_ = 0;
    std::size_t lines_read_here_ = 0;
    bool in_step_ = false;
    bool following_ = false;
    std::optional<DayNumber> today_;
    std::uint64_t changes_ = 0;
    std::uint64_t readings_ = 0;
    Change last_;
};

// The notes' part of the memo control. A character typed while they follow edits is
// known before the control takes it, and followed at EN_CHANGE without reading the memo
// back once its length and caret show that it went in as typed.
std::optional<LRESULT> notes_before(AppState& state, const MemoMessage& message);
void notes_after(AppState& state, const MemoMessage& message);
// EN_CHANGE: the edit followed, or, while the notes do not follow edits, only noted.
void follow_memo_change(AppState& state);

// The notes as the memo holds them now, for a command: the changes noted read back, a
// reading beside waited for, the day followed.
const MemoNotes& catch_up_memo_notes(AppState& state);
// The same for a paint, which never waits: none while the memo is being read beside.
const MemoNotes* memo_notes_at_hand(AppState& state);
// WM_NOTES_READ: the reading's book taken; a view that shows the notes is painted anew.
void take_notes_read(AppState& state);
// The whole memo as the auto-save read it (UTF-8, CR LF breaks): notes that went out of
// step are read anew at their next use.
void check_memo_notes(AppState& state, std::string_view memo);

}  // namespace numvora
