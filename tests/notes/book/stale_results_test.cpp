// Written results that no longer hold: which are marked, what of the line the mark
// covers, and what F9 writes in their place.
#include <gtest/gtest.h>

#include <string>

#include "notes/book/stale_results.h"

namespace numvora {
namespace {

TEST(StaleResults, OnlyAWrittenFigureThatIsNoLongerTheValue) {
    const struct {
        std::string text;      // its last line is the one asked about
        std::string marked;    // the text under the mark; empty: no mark
        std::string line_now;  // the last line as F9 leaves it
    } rows[] = {
        {"월세 = 60만원\n관리비 = 12만 3천원\n월세 + 관리비 = 673,000", "673,000", "월세 + 관리비 = 72만 3,000원"},
        {"1+5 = 3", "3", "1+5 = 6"},
        {"1+2 = 3 = 4  ", "3 = 4", "1+2 = 3"},
        {"- 교통 1,000 x 2 = 3,000", "3,000", "- 교통 1,000 x 2 = 2,000"},
        {"a = 1+2 = 4", "4", "a = 1+2 = 3"},
        {"식비 5,000\n택시 8,300원\n합계: 12,000", "12,000", "합계 = 13,300"},
        {"2026-12-08 + 100일 = 2027-03-17 (수)", "2027-03-17 (수)", "2026-12-08 + 100일 = 2027-03-18 (목)"},
        {"$120 x 3 = $350", "$350", "$120 x 3 = $360"},
        // The same digits in another unit or currency are another value.
        {"1시간 + 30분 = 90", "90", "1시간 + 30분 = 1시간 30분"},
        {"$120 x 3 = 360", "360", "$120 x 3 = $360"},
        // The value however it is written, grouped or not, with units or in minutes.
        {"12000 + 4500 = 16,500", "", ""},
        {"30만 + 15만 = 45만원", "", ""},
        {"1시간 + 30분 = 90분", "", ""},
        {"식비 5,000\n합계 = 5,000", "", ""},
        // Nothing written, no value now, or no result at all.
        {"1+5 =", "", ""},
        {"월세 + 관리비 = 673,000", "", ""},
        {"월세 = 550,000", "", ""},
        {"총액 128,000원", "", ""},
    };
    for (const auto& row : rows) {
        NoteBook book;
        book.assign(row.text);
        const std::size_t line = book.size() - 1;
        const std::optional<StaleResult> stale = stale_result(book, line);
        EXPECT_EQ(stale.has_value(), !row.marked.empty()) << row.text;
        if (!stale || row.marked.empty()) continue;
        const std::string text(book.text(line));
        EXPECT_EQ(text.substr(stale->begin, stale->end - stale->begin), row.marked) << row.text;
        EXPECT_EQ(text.substr(0, stale->replace_begin) + stale->written + text.substr(stale->replace_end), row.line_now)
            << row.text;
    }
}

}  // namespace
}  // namespace numvora
