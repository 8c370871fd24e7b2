// A whole memo read a run of lines at a time into a book of its own, so that a reading
// of a large memo can run beside the window and stop between two runs. Each run is
// added at the book's end as an edit would add it, so the book read in runs is the text
// read whole; a run ends at a paragraph's end where one comes soon, which keeps what
// the runs before it read from being read again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/book/notebook.h"

namespace numvora {

class ReadingInSteps {
public:
    ReadingInSteps(std::string text, std::optional<DayNumber> today);
    // Its lines are views of its text.
    ReadingInSteps(const ReadingInSteps&) = delete;
    ReadingInSteps& operator=(const ReadingInSteps&) = delete;

    // Reads on for about `lines` lines; false once the whole text is read.
    bool step(std::size_t lines);
    bool done() const { return next_ == lines_.size(); }
    // The book read so far; the whole text once done.
    NoteBook take() { return std::move(book_); }

private:
    std::string text_;
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
    NoteBook book_;
};

}  // namespace numvora
