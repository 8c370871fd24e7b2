// A whole memo read as notes on a thread of its own: a large memo takes a second or
// more to read, which the window spends answering. The thread reads a run of lines at a
// time (notes/book/reading_in_steps.h) and tells the window with a posted message when
// the book is read; the window takes it then, or waits for it where a command needs the
// notes at once. Given up, it stops at the end of its run.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "notes/book/notebook.h"
#include "notes/figures/note_calendar.h"

namespace numvora {

// Posted to the window when a reading is done.
inline constexpr UINT WM_NOTES_READ = WM_APP + 4;

// The text as the memo control holds it: each line break one "\r".
std::wstring in_control_form(std::wstring text);

class NotesReading {
public:
    struct Read {
        std::wstring text;  // in the control's form
        NoteBook book;
    };

    // text: the memo as the control holds it, or with CR LF or LF breaks.
    NotesReading(std::wstring text, std::optional<DayNumber> today, HWND tell);
    ~NotesReading();
    NotesReading(const NotesReading&) = delete;
    NotesReading& operator=(const NotesReading&) = delete;

    bool done() const { return done_.load(); }
    // Waits for the thread where it still reads.
    Read take();

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    Read read_;
    std::thread thread_;
};

}  // namespace numvora
