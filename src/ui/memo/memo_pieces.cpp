#include "ui/memo/memo_pieces.h"

namespace numvora {

std::size_t piece_end(std::wstring_view text, std::size_t from, std::size_t units) {
    if (text.size() - from <= units) return text.size();
    const std::size_t line_break = text.find_first_of(L"\r\n", from + units);
    if (line_break == std::wstring_view::npos) return text.size();
    const bool pair = text[line_break] == L'\r' && line_break + 1 < text.size() && text[line_break + 1] == L'\n';
    return line_break + (pair ? 2 : 1);
}

bool quicker_in_fresh_control(const LineChangeSize& lines) {
    // Its undo removes the inserted lines again from all that are there then: a large paste
    // into an empty memo goes in quickly but would take minutes to undo in place.
    const std::size_t then = lines.total - lines.removed + lines.inserted;
    const std::size_t own_steps = lines.removed * lines.total + lines.inserted * lines.after + lines.inserted * then;
    return own_steps >= OWN_STEPS_WORTH_A_FRESH_CONTROL &&
           own_steps > FRESH_LINE_STEPS * (lines.total - lines.removed + lines.inserted);
}

}  // namespace numvora
