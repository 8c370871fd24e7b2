// Each memo line's result and the blocks the total lines add up.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "notes/line_results.h"

namespace numvora {
namespace {

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return lines;
        start = end + 1;
    }
}

TEST(LineResults, ExpressionsAmountsAndBlocks) {
    const struct {
        std::string_view text;
        std::vector<std::string> results;  // "" for a line that shows nothing
    } rows[] = {
        {"점심 12,000원\n커피 4,500원 x 2\n합계", {"12000", "9000", "21000"}},
        {"12,000원 + 4,500원\n12만 + 3천 =\n1억 2천만 / 12 =", {"16500", "123000", "10000000"}},
        {"(1+2)*3\n-7\n3 - 10", {"9", "-7", "-7"}},
        {"관리비 123,000원\n식비 98,500 커피 4,500원\n커피 2잔 9,000원", {"123000", "", "9000"}},
        {"회의 2026-12-07 14:30\n2026-12-07\n12/7 오후", {"", "", ""}},
        {"5 / 0\n(3 + 4\n1+2 = 3", {"", "", "3"}},
        {"100\n\n200\n300.5\n합계", {"100", "", "200", "300.5", "500.5"}},
        {"1\n2\n합계\n3\n총계 = 99\n소계:", {"1", "2", "3", "3", "3", ""}},
        // An old result after the word is still a total line, as F9 reads it.
        {"-2,000\n합 : 5\n합계 12,000원\n합계표 2장", {"-2000", "-2000", "", "2"}},
    };
    for (const auto& row : rows) {
        const std::vector<std::string_view> lines = split_lines(row.text);
        std::vector<std::string> got;
        for (const auto& result : line_results(lines)) got.push_back(result.value_or(""));
        EXPECT_EQ(got, row.results) << row.text;
    }
}

TEST(LineResults, BlockReachesAboveUntilAnEmptyOrTotalLine) {
    const struct {
        std::vector<std::string_view> lines;
        bool reaches;
    } rows[] = {
        {{"합계"}, true},    {{"3", "4", "소계 = 7"}, true}, {{"3", " ", "합계"}, false}, {{"3", "총합", "합계"}, true},
        {{"3", "4"}, false},
    };
    for (const auto& row : rows) EXPECT_EQ(block_reaches_above(row.lines), row.reaches) << row.lines.front();
}

// The screen's first total adds what is open of its block above the screen.
TEST(LineResults, TotalAddsTheBlockAboveTheLinesGiven) {
    const struct {
        std::vector<std::string_view> above;
        std::vector<std::string_view> lines;
        std::vector<std::string> results;
    } rows[] = {
        {{"1", "", "2", "커피 4,500원 x 2"}, {"4", "합계", "5", "합계"}, {"4", "9006", "5", "5"}},
        {{"1", "소계", "메모"}, {"합계"}, {""}},
    };
    for (const auto& row : rows) {
        const std::vector<std::string> block = open_block_results(row.above);
        std::vector<std::string> got;
        for (const auto& result : line_results(row.lines, block)) got.push_back(result.value_or(""));
        EXPECT_EQ(got, row.results) << row.above.front();
    }
}

}  // namespace
}  // namespace numvora
