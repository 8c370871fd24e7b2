#include "ui/print/page_layout.h"

#include <algorithm>
#include <unordered_map>

#include "common/unicode.h"

namespace numvora {
namespace {

constexpr std::string_view TAB_AS_SPACES = "    ";

std::string without_tabs(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\t')
            out += TAB_AS_SPACES;
        else
            out += c;
    }
    return out;
}

std::string_view without_trailing_spaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Characters measured one by one, each once: a row's width is the sum of its characters'.
class CharacterWidths {
public:
    explicit CharacterWidths(const TextWidth& width) : width_(width) {}
    std::int32_t operator()(std::string_view character) {
        const auto [at, added] = known_.try_emplace(std::string(character), 0);
        if (added) at->second = width_(character);
        return at->second;
    }

private:
    const TextWidth& width_;
    std::unordered_map<std::string, std::int32_t> known_;
};

}  // namespace

std::vector<std::string> wrap_text(std::string_view text, std::int32_t max_width, const TextWidth& width) {
    CharacterWidths widths(width);
    std::vector<std::string> rows;
    std::size_t row_start = 0;
    std::int32_t row_width = 0;
    std::size_t after_space = 0;  // where the row may end after a space; 0: nowhere yet
    std::int32_t width_after_space = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t c = decode_utf8(text, pos);
        const std::int32_t w = widths(text.substr(start, pos - start));
        // A space may hang past the edge; anything else goes to the next row, after the
        // row's last space when it has one (and again at this character should that not do).
        while (row_width + w > max_width && start > row_start && c != U' ') {
            const bool at_space = after_space > row_start;
            const std::size_t end = at_space ? after_space : start;
            rows.emplace_back(without_trailing_spaces(text.substr(row_start, end - row_start)));
            row_width = at_space ? row_width - width_after_space : 0;
            row_start = end;
            after_space = 0;
        }
        row_width += w;
        if (c == U' ') {
            after_space = pos;
            width_after_space = row_width;
        }
    }
    rows.emplace_back(without_trailing_spaces(text.substr(row_start)));
    return rows;
}

PrintLayout lay_out_pages(std::span<const PrintLine> lines, PageFrame frame, const TextWidth& width) {
    PrintLayout layout;
    const std::int32_t rows = frame.height / std::max(frame.line_height, 1) - PRINT_HEADER_ROWS - PRINT_FOOTER_ROWS;
    layout.rows_per_page = static_cast<std::size_t>(std::max(rows, 1));
    std::int32_t widest = 0;
    for (const PrintLine& line : lines) {
        if (!line.result.empty()) widest = std::max(widest, width(line.result));
    }
    layout.result_width = std::min(widest, frame.width / 2);
    layout.text_width = widest > 0 ? frame.width - layout.result_width - frame.line_height : frame.width;
    std::vector<PrintRow> all;
    for (const PrintLine& line : lines) {
        for (std::string& row : wrap_text(without_tabs(line.text), layout.text_width, width)) all.push_back({row, {}});
        if (line.result.empty()) continue;
        if (width(line.result) <= layout.result_width) {
            all.back().result = line.result;
            continue;
        }
        for (std::string& row : wrap_text(line.result, frame.width, width)) all.push_back({{}, row});
    }
    for (std::size_t first = 0; first < all.size(); first += layout.rows_per_page) {
        const auto from = all.begin() + static_cast<std::ptrdiff_t>(first);
        const auto to = all.begin() + static_cast<std::ptrdiff_t>(std::min(all.size(), first + layout.rows_per_page));
        layout.pages.push_back({std::vector<PrintRow>(from, to), {}});
    }
    for (std::size_t i = 0; i < layout.pages.size(); ++i)
        layout.pages[i].number = page_number_text(i + 1, layout.pages.size());
    return layout;
}

std::string page_number_text(std::size_t page, std::size_t pages) {
    return std::to_string(page) + " / " + std::to_string(pages);
}

std::string print_title(std::string_view document_name) {
    return document_name.empty() ? std::string("메모") : std::string(document_name);
}

std::string print_date_text(int year, unsigned month, unsigned day) {
    return std::to_string(year) + "년 " + std::to_string(month) + "월 " + std::to_string(day) + "일";
}

}  // namespace numvora
