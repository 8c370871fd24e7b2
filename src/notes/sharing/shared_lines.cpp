#include "notes/sharing/shared_lines.h"

#include "common/unicode.h"

namespace numvora {
namespace {

bool is_empty_line(const NoteBook& book, std::size_t line) { return trim_white_space(book.text(line)).empty(); }

// Without the white space at its end, which a chat would show as nothing.
std::string trimmed_end(std::string_view text) {
    const std::string_view kept = trim_white_space(text);
    return std::string(text.substr(0, static_cast<std::size_t>(kept.data() - text.data()) + kept.size()));
}

}  // namespace

LineSpan block_at(const NoteBook& book, std::size_t line) {
    if (line >= book.size() || is_empty_line(book, line)) return {line, 0};
    std::size_t first = line;
    while (first > 0 && !is_empty_line(book, first - 1)) --first;
    std::size_t end = line + 1;
    while (end < book.size() && !is_empty_line(book, end)) ++end;
    return {first, end - first};
}

std::string line_with_result(const NoteBook& book, std::size_t line, ResultView view) {
    const std::string_view text = book.text(line);
    const LineReading& reading = book.reading(line);
    const std::optional<std::string> shown = book.shown(line, view);
    if (!shown || (reading.kind != LineKind::Total && !reading.calculates())) return trimmed_end(text);
    // Where F9 writes its " = value": after the expression, over the results written before.
    return trimmed_end(std::string(text.substr(0, reading.replace_begin)) + " = " + *shown +
                       std::string(text.substr(reading.replace_end)));
}

std::string text_with_results(const NoteBook& book, LineSpan lines, ResultView view) {
    std::string text;
    for (std::size_t line = lines.first; line < lines.first + lines.count; ++line) {
        if (line > lines.first) text += "\r\n";
        text += line_with_result(book, line, view);
    }
    return text;
}

std::vector<LineAndResult> lines_and_results(const NoteBook& book, LineSpan lines, ResultView view) {
    std::vector<LineAndResult> out;
    out.reserve(lines.count);
    for (std::size_t line = lines.first; line < lines.first + lines.count; ++line)
        out.push_back({std::string(book.text(line)), book.shown(line, view).value_or(std::string())});
    return out;
}

}  // namespace numvora
