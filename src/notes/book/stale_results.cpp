#include "notes/book/stale_results.h"

#include <algorithm>
#include <string_view>

#include "common/unicode.h"

namespace numvora {
namespace {

bool money_or_number(ResultUnit unit) { return unit == ResultUnit::Number || unit == ResultUnit::Money; }

// Whether one written result is the value now: as the views write it, or read alone as
// a figure of the same value ("16500원", "45만원" for 450,000, "570분" for 9시간 30분).
bool still_holds(std::string_view written, const NoteResult& now) {
    if (written == result_text(now, true) || written == result_text(now, false)) return true;
    const LineReading read = read_line(written);
    const bool same_unit = read.unit == now.unit || (money_or_number(read.unit) && money_or_number(now.unit));
    return read.has_result() && read.value == now.value && read.currency == now.currency && same_unit;
}

}  // namespace

std::optional<StaleResult> stale_result(const NoteBook& book, std::size_t line) {
    const LineReading& reading = book.reading(line);
    if (!reading.asks || reading.replace_begin == reading.replace_end) return std::nullopt;
    const std::optional<NoteResult> now = book.note_result(line);
    if (!now) return std::nullopt;
    const std::string_view text = book.text(line);
    // " = 3 = 4 ", ": 41,000" (a total line's), " 41,000": each result after a "=".
    std::string_view rest = text.substr(reading.replace_begin, reading.replace_end - reading.replace_begin);
    if (const std::string_view kept = trim_white_space(rest); kept.starts_with(':')) rest = kept.substr(1);
    StaleResult stale;
    bool found = false;
    bool holds = true;
    for (std::size_t from = 0; from <= rest.size();) {
        const std::size_t sign = std::min(rest.find('=', from), rest.size());
        const std::string_view written = trim_white_space(rest.substr(from, sign - from));
        from = sign + 1;
        if (written.empty()) continue;
        const auto at = static_cast<std::size_t>(written.data() - text.data());
        if (!found) stale.begin = at;
        found = true;
        stale.end = at + written.size();
        holds = holds && still_holds(written, *now);
    }
    if (holds) return std::nullopt;
    stale.replace_begin = reading.replace_begin;
    stale.replace_end = reading.replace_end;
    if (reading.kind == LineKind::Total) {
        const NotesSum sum = book.total_at(line);
        stale.written = written_result(sum.result(), sum.grouped);
    } else {
        stale.written = written_result(*now, reading.grouped);
    }
    return stale;
}

}  // namespace numvora
