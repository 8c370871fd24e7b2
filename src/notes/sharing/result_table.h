// The memo's lines as a table a spreadsheet takes: a row a line, with its label, its
// value as a plain number (no grouping, "." before decimals, "-" below zero, so that a
// sum over the column works) and its unit or currency; a total line is a row of its own,
// marked. Written as tab-separated text and as an HTML table, both of which Excel,
// LibreOffice Calc, Google Sheets and 한글 paste as cells.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "notes/sharing/shared_lines.h"

namespace numvora {

struct TableRow {
    std::string label;  // the line as written, without the result written after it
    std::string value;  // empty for a line without a result; a date as "2027-03-18"
    std::string unit;   // "원", "$", "분", "평" …; empty for a plain number
    bool total = false;
    bool operator==(const TableRow&) const = default;
};

// A row for each line with text; the values as the notebook has them.
std::vector<TableRow> table_rows(const NoteBook& book, LineSpan lines);

// The columns' titles, then a line a row, cells parted by tabs and lines by CR LF. A
// label or unit that a spreadsheet would take for a formula ("=", "+", "-", "@" first)
// gets a "'" before it, which spreadsheets keep as the mark of text; a cell that opens
// with a quote is quoted, so that its quotes stay.
std::string table_tsv(std::span<const TableRow> rows);

// The same as an HTML table, every text escaped; labels and units are cells of text,
// which Excel neither calculates nor reads as dates, and totals are bold.
std::string table_html(std::span<const TableRow> rows);

// An HTML fragment as the clipboard's "HTML Format" holds it: a header of byte offsets
// (UTF-8) to the document and to the fragment within it, then the document.
std::string clipboard_html(std::string_view fragment);

}  // namespace numvora
