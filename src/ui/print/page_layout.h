// The memo on paper: its lines wrapped to the page, each line's result in a column at
// the right on the line's last row, and the rows cut into pages under a header (the
// document's name and the date) and above the page's number. Widths come from a text
// measure handed in, in the printer's units, so the layout is the same function whatever
// draws it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numvora {

// A memo's line and the result the margin shows for it (empty: none).
struct PrintLine {
    std::string text;
    std::string result;
};

// The width of a text in the page's font.
using TextWidth = std::function<std::int32_t(std::string_view)>;

// The part of the page inside its margins, and the height of a row.
struct PageFrame {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t line_height = 1;
};

// A row of a page: text at the left, a result at the right (either may be empty).
struct PrintRow {
    std::string text;
    std::string result;
    bool operator==(const PrintRow&) const = default;
};

struct PrintPage {
    std::vector<PrintRow> rows;
    std::string number;  // "2 / 3"
};

// Rows of the frame above the lines (the header and a row of space) and below them.
inline constexpr std::int32_t PRINT_HEADER_ROWS = 2;
inline constexpr std::int32_t PRINT_FOOTER_ROWS = 2;

struct PrintLayout {
    std::int32_t text_width = 0;    // where a line's text wraps
    std::int32_t result_width = 0;  // the results' column at the frame's right, each right-aligned
    std::size_t rows_per_page = 0;
    std::vector<PrintPage> pages;  // none for no lines
};

// The column of results is as wide as the widest result, at most half the page, a row's
// height apart from the text; a result wider than that takes rows of its own under its
// line, right-aligned. A tab is four spaces; a text wraps after a space where it can,
// else between two characters, so no text is ever cut off.
PrintLayout lay_out_pages(std::span<const PrintLine> lines, PageFrame frame, const TextWidth& width);

// The text in rows no wider than max_width (at least one character a row).
std::vector<std::string> wrap_text(std::string_view text, std::int32_t max_width, const TextWidth& width);

// "2 / 3".
std::string page_number_text(std::size_t page, std::size_t pages);
// The header: the document's name, "메모" without one; the date "2026년 12월 8일".
std::string print_title(std::string_view document_name);
std::string print_date_text(int year, unsigned month, unsigned day);

}  // namespace numvora
