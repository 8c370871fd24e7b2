// The memo's lines as they are shared: the block at the caret, and the text a chat gets,
// each line that calculates with its result as the margin writes it.
#include <gtest/gtest.h>

#include <string>

#include "notes/sharing/shared_lines.h"

namespace numvora {
namespace {

TEST(SharedLines, ALineThatCalculatesCarriesItsResultOnce) {
    const struct {
        std::string memo;
        ResultView view;
        std::string shared;  // the whole memo shared
    } rows[] = {
        {"회비 정산\n점심 12,000원\n커피 4,500원\n합계",
         {},
         "회비 정산\r\n점심 12,000원\r\n커피 4,500원\r\n합계 = 16,500"},
        {"점심 12,000원 + 커피 4,500원 =", {}, "점심 12,000원 + 커피 4,500원 = 16,500"},
        // A name keeps its value as written; a line that takes it gets its result.
        {"월세 = 55만원\n관리비 = 5만원\n월세 * 12", {}, "월세 = 55만원\r\n관리비 = 5만원\r\n월세 * 12 = 660만원"},
        // A written result: the one now in place of a stale one, never a second one.
        {"월세 = 55만원\n관리비 = 5만원\n월세 + 관리비 = 673,000",
         {},
         "월세 = 55만원\r\n관리비 = 5만원\r\n월세 + 관리비 = 60만원"},
        {"3*4 = 12   ", {}, "3*4 = 12"},
        {"1+2 = 3 = 4", {}, "1+2 = 3"},
        {"식비 5,000\n택시 8,300원\n소계: 12,000", {}, "식비 5,000\r\n택시 8,300원\r\n소계 = 13,300"},
        // As the margin writes it: grouped as the line is, in 만 when the view asks.
        {"12000 + 4500 =", {}, "12000 + 4500 = 16500"},
        {"550,000 + 50,000 =", {.in_man = true}, "550,000 + 50,000 = 60만"},
        {"09:00~18:00", {}, "09:00~18:00 = 9시간"},
        {"$1 = 1,380원\n항공권 $1,250 x 2", {}, "$1 = 1,380원\r\n항공권 $1,250 x 2 = $2,500 → 3,450,000원"},
        // Lines without a result stay as written, an unclear one and a total of nothing too.
        {"12, 300 + 5\n합계", {}, "12, 300 + 5\r\n합계"},
    };
    for (const auto& row : rows) {
        NoteBook book;
        book.assign(row.memo);
        EXPECT_EQ(text_with_results(book, {0, book.size()}, row.view), row.shared) << row.memo;
    }
}

TEST(SharedLines, TheBlockAtALineRunsToTheEmptyLinesAroundIt) {
    NoteBook book;
    book.assign("제목\n\n점심 12,000원\n커피 4,500원\n합계\n  \n택시 8,300원");
    const struct {
        std::size_t line;
        LineSpan block;
    } rows[] = {{0, {0, 1}}, {1, {1, 0}}, {2, {2, 3}}, {4, {2, 3}}, {5, {5, 0}}, {6, {6, 1}}, {9, {9, 0}}};
    for (const auto& row : rows) EXPECT_EQ(block_at(book, row.line), row.block) << row.line;
}

TEST(SharedLines, EachLineBesideTheResultTheMarginShows) {
    NoteBook book;
    book.assign("점심 12,000원\n메모\n합계 = 1");
    EXPECT_EQ(lines_and_results(book, {0, 3}, {}),
              (std::vector<LineAndResult>{{"점심 12,000원", "12,000"}, {"메모", ""}, {"합계 = 1", "12,000"}}));
}

}  // namespace
}  // namespace numvora
