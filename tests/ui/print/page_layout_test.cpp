// The printed page's layout: lines wrapped to the text's width, results on a line's last
// row or on rows of their own, rows cut into numbered pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/print/page_layout.h"

namespace numvora {

void PrintTo(const PrintRow& row, std::ostream* out) { *out << "{" << row.text << " | " << row.result << "}"; }

namespace {

// An ASCII character is 1 wide, any other 2 (Hangul as a printer's font draws it).
std::int32_t test_width(std::string_view text) {
    std::int32_t width = 0;
    for (const char c : text) width += static_cast<unsigned char>(c) < 0x80 ? 1 : 0;
    for (const char c : text) width += (static_cast<unsigned char>(c) & 0xC0) == 0xC0 ? 2 : 0;
    return width;
}

TEST(PageLayout, TextWrapsAfterASpaceOrBetweenCharacters) {
    const struct {
        std::string text;
        std::int32_t width;
        std::vector<std::string> rows;
    } rows[] = {
        {"", 10, {""}},
        {"abc def ghi", 7, {"abc def", "ghi"}},
        {"abc def ghi", 6, {"abc", "def", "ghi"}},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        {"a bcdefghij", 4, {"a", "bcde", "fghi", "j"}},
        {"점심 12,000원", 8, {"점심", "12,000원"}},
        {"가나다라", 5, {"가나", "다라"}},
        {"ab      ", 2, {"ab"}},
        {"가", 1, {"가"}},
    };
    for (const auto& row : rows) EXPECT_EQ(wrap_text(row.text, row.width, test_width), row.rows) << row.text;
}

TEST(PageLayout, ResultsGoRightOfTheLinesLastRowAndRowsFillNumberedPages) {
    using Pages = std::vector<std::vector<PrintRow>>;
    const struct {
        const char* what;
        std::vector<PrintLine> lines;
        std::int32_t text_width;  // where text wraps
        Pages pages;
    } rows[] = {
        {"no result: the whole width for text",
         {{"a b c d e f g h i j k l m n", ""}},
         20,
         {{{"a b c d e f g h i j", ""}, {"k l m n", ""}}}},
        {"the column as wide as the widest result, a row apart",
         {{"점심 12,000원 + 커피 4,500원 =", "16,500"}, {"메모", ""}, {"합계\t카드", "16,500"}},
         11,
         {{{"점심", ""}, {"12,000원 +", ""}, {"커피", ""}, {"4,500원 =", "16,500"}, {"메모", ""}, {"합계", ""}},
          {{"카드", "16,500"}}}},
        {"a result wider than half the page on rows of its own",
         {{"x", "2027-03-18 (목) 2027-03-18"}, {"y", "1"}},
         7,
         {{{"x", ""}, {"", "2027-03-18 (목)"}, {"", "2027-03-18"}, {"y", "1"}}}},
    };
    for (const auto& row : rows) {
        const PrintLayout layout = lay_out_pages(row.lines, {20, 10 * 3, 3}, test_width);
        EXPECT_EQ(layout.text_width, row.text_width) << row.what;
        EXPECT_EQ(layout.rows_per_page, 6u) << row.what;
        ASSERT_EQ(layout.pages.size(), row.pages.size()) << row.what;
        for (std::size_t i = 0; i < layout.pages.size(); ++i) {
            EXPECT_EQ(layout.pages[i].rows, row.pages[i]) << row.what;
            EXPECT_EQ(layout.pages[i].number, page_number_text(i + 1, row.pages.size())) << row.what;
        }
    }
    EXPECT_EQ(page_number_text(2, 3), "2 / 3");
    EXPECT_TRUE(lay_out_pages({}, {20, 30, 3}, test_width).pages.empty());
}

TEST(PageLayout, TheHeaderNamesTheDocumentOrTheMemo) {
    EXPECT_EQ(print_title(""), "메모");
    EXPECT_EQ(print_title("정산.qvx"), "정산.qvx");
    EXPECT_EQ(print_date_text(2026, 12, 8), "2026년 12월 8일");
}

}  // namespace
}  // namespace numvora
