#include "notes/note_reader.h"

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "common/unicode.h"
#include "notes/written_number.h"

namespace numvora {

namespace {

Result<std::string, CalcError> evaluated(std::string_view expression) {
    const Result<double, CalcError> value = evaluate(expression);
    if (!value) return fail(value.error());
    return format_number(*value);
}

bool is_break(char c) { return c == '\r' || c == '\n'; }

}  // namespace

Result<std::string, CalcError> amounts_total(const NoteAmounts& amounts) {
    if (amounts.added.empty()) return fail(CalcError{calc_error::Empty{}});
    return evaluated(sum_expression(amounts.added));
}

std::optional<TotalLine> read_total_line(std::string_view line) {
    static constexpr std::string_view WORDS[] = {"합계", "총합", "총계", "소계", "합"};
    const std::string_view all = trim_white_space(line);
    if (all.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
    for (std::string_view word : WORDS) {
        if (!all.starts_with(word)) continue;
        std::string_view rest = trim_white_space(all.substr(word.size()));
        if (rest.starts_with(':') || rest.starts_with('=')) rest = trim_white_space(rest.substr(1));
        if (!rest.empty() && !notes_detail::is_written_result(rest)) return std::nullopt;
        const auto start = static_cast<std::size_t>(all.data() - line.data());
        std::size_t end = start + all.size();
        while (end < line.size() && line[end] == ' ') ++end;
        return TotalLine{start + word.size(), end};
    }
    return std::nullopt;
}

std::size_t total_scope_begin(std::string_view text, std::size_t line_begin) {
    // What stands before line_begin on its own line belongs to the block.
    std::size_t begin = line_begin;
    while (begin > 0 && !is_break(text[begin - 1])) --begin;
    while (begin > 0) {
        // The line before: from after the break before it up to begin's break.
        std::size_t end = begin - 1;
        if (end > 0 && text[end] == '\n' && text[end - 1] == '\r') --end;
        std::size_t start = end;
        while (start > 0 && !is_break(text[start - 1])) --start;
        const std::string_view line = text.substr(start, end - start);
        if (trim_white_space(line).empty() || read_total_line(line)) break;
        begin = start;
    }
    return begin;
}

Result<std::string, CalcError> line_result(std::string_view text, std::size_t line_begin, std::size_t line_end) {
    const std::string_view line = text.substr(line_begin, line_end - line_begin);
    if (read_total_line(line)) {
        const std::size_t scope = total_scope_begin(text, line_begin);
        return amounts_total(read_amounts(text.substr(scope, line_begin - scope)));
    }
    const Result<MemoExpression, CalcError> found = find_memo_expression(line);
    if (!found) return fail(found.error());
    return evaluated(found->expression);
}

}  // namespace numvora
