#include "notes/sharing/result_table.h"

#include <charconv>

#include "common/unicode.h"
#include "notes/figures/note_calendar.h"

namespace numvora {
namespace {

constexpr std::string_view LABEL_TITLE = "항목";
constexpr std::string_view VALUE_TITLE = "값";
constexpr std::string_view UNIT_TITLE = "단위";

// The unit a value counts: won, foreign money as written, or the unit of a date's days,
// a duration's minutes, an area.
std::string unit_of(const NoteResult& result) {
    if (!result.currency.empty()) return result.currency;
    switch (result.unit) {
    case ResultUnit::Number: return "";
    case ResultUnit::Money: return "원";
    case ResultUnit::Date: return "날짜";
    case ResultUnit::DDay: return "일 남음";
    case ResultUnit::Days: return "일";
    case ResultUnit::Duration: return "분";
    case ResultUnit::Pyeong: return "평";
    case ResultUnit::SquareMetre: return "㎡";
    case ResultUnit::Percent: return "%";
    }
    return "";
}

// A date as spreadsheets read one ("2027-03-18"); any other value as the notebook keeps it.
std::string value_of(const NoteResult& result) {
    DayNumber day = 0;
    const char* end = result.value.data() + result.value.size();
    if (result.unit != ResultUnit::Date || std::from_chars(result.value.data(), end, day).ptr != end)
        return result.value;
    // "2027-03-18 (목)" without its weekday.
    return notes_detail::write_date(day).substr(0, std::string_view("2027-03-18").size());
}

std::string tsv_cell(std::string_view text, bool guard) {
    std::string cell(text);
    for (char& c : cell) {
        if (c == '\t') c = ' ';
    }
    if (guard && !cell.empty() && std::string_view("=+-@").find(cell.front()) != std::string_view::npos)
        cell.insert(0, 1, '\'');
    if (!cell.starts_with('"')) return cell;
    std::string quoted = "\"";
    for (const char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

// A cell of text (Excel's "@" format), bold in a total's row.
std::string html_cell(std::string_view text, bool as_text, bool bold, std::string_view tag = "td") {
    std::string cell;
    cell.append("<").append(tag);
    if (as_text) cell.append(" style=\"mso-number-format:'\\@'\"");
    cell.append(">");
    const bool marked = bold && !text.empty();
    if (marked) cell.append("<b>");
    cell.append(escaped(text));
    if (marked) cell.append("</b>");
    return cell.append("</").append(tag).append(">");
}

std::string ten_digits(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::string(digits.size() < 10 ? 10 - digits.size() : 0, '0') + digits;
}

std::string clipboard_header(std::size_t start_html, std::size_t end_html, std::size_t start_fragment,
                             std::size_t end_fragment) {
    return "Version:0.9\r\nStartHTML:" + ten_digits(start_html) + "\r\nEndHTML:" + ten_digits(end_html) +
           "\r\nStartFragment:" + ten_digits(start_fragment) + "\r\nEndFragment:" + ten_digits(end_fragment) + "\r\n";
}

}  // namespace

std::vector<TableRow> table_rows(const NoteBook& book, LineSpan lines) {
    std::vector<TableRow> rows;
    for (std::size_t line = lines.first; line < lines.first + lines.count; ++line) {
        const std::string_view text = book.text(line);
        if (trim_white_space(text).empty()) continue;
        const LineReading& reading = book.reading(line);
        const std::optional<NoteResult> result = book.note_result(line);
        const bool total = reading.kind == LineKind::Total;
        // Without the " = value" written after an expression or a total: the value has a cell.
        const bool written_after = result && (total || reading.calculates());
        TableRow row{
            std::string(trim_white_space(written_after ? text.substr(0, reading.replace_begin) : text)), {}, {}, total};
        if (result) {
            row.value = value_of(*result);
            row.unit = unit_of(*result);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string table_tsv(std::span<const TableRow> rows) {
    std::string text = std::string(LABEL_TITLE) + '\t' + std::string(VALUE_TITLE) + '\t' + std::string(UNIT_TITLE);
    for (const TableRow& row : rows)
        text +=
            "\r\n" + tsv_cell(row.label, true) + '\t' + tsv_cell(row.value, false) + '\t' + tsv_cell(row.unit, true);
    return text;
}

std::string table_html(std::span<const TableRow> rows) {
    std::string html = "<table border=\"1\" cellspacing=\"0\">\r\n<tr>" + html_cell(LABEL_TITLE, true, false, "th") +
                       html_cell(VALUE_TITLE, true, false, "th") + html_cell(UNIT_TITLE, true, false, "th") +
                       "</tr>\r\n";
    for (const TableRow& row : rows) {
        html += "<tr>" + html_cell(row.label, true, row.total) + html_cell(row.value, false, row.total) +
                html_cell(row.unit, true, row.total) + "</tr>\r\n";
    }
    return html + "</table>";
}

std::string clipboard_html(std::string_view fragment) {
    constexpr std::string_view BEFORE = "<html><head><meta charset=\"utf-8\"></head><body>\r\n<!--StartFragment-->";
    constexpr std::string_view AFTER = "<!--EndFragment-->\r\n</body></html>";
    // Every offset is written with ten digits, so the header's length is known before them.
    const std::size_t start_html = clipboard_header(0, 0, 0, 0).size();
    const std::size_t start_fragment = start_html + BEFORE.size();
    const std::size_t end_fragment = start_fragment + fragment.size();
    const std::size_t end_html = end_fragment + AFTER.size();
    return clipboard_header(start_html, end_html, start_fragment, end_fragment) + std::string(BEFORE) +
           std::string(fragment) + std::string(AFTER);
}

}  // namespace numvora
