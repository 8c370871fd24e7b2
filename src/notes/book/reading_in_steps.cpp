#include "notes/book/reading_in_steps.h"

#include <algorithm>

#include "common/unicode.h"
#include "notes/book/note_blocks.h"

namespace numvora {
namespace {

// How far past the lines asked for a run may go to end at a paragraph's end.
constexpr std::size_t PARAGRAPH_REACH = 256;

bool blank(std::string_view line) { return trim_white_space(line).empty(); }

}  // namespace

ReadingInSteps::ReadingInSteps(std::string text, std::optional<DayNumber> today)
    : text_(std::move(text)), lines_(note_lines(text_)) {
    book_.set_today(today);
}

bool ReadingInSteps::step(std::size_t lines) {
    if (done()) return false;
    std::size_t end = std::min(lines_.size(), next_ + std::max<std::size_t>(lines, 1));
    const std::size_t reach = std::min(lines_.size(), end + PARAGRAPH_REACH);
    for (std::size_t line = end; line < reach; ++line) {
        if (blank(lines_[line - 1])) {
            end = line;
            break;
        }
    }
    // The lines' own text with the breaks between them, which split as they did.
    const char* from = lines_[next_].data();
    const std::string_view run(from, static_cast<std::size_t>(lines_[end - 1].data() + lines_[end - 1].size() - from));
    if (next_ == 0)
        book_.assign(run);
    else
        book_.replace(book_.size(), 0, run);
    next_ = end;
    return !done();
}

}  // namespace numvora
