// The lines a share takes from the memo: those a selection touches, or the caret's block.
#include <gtest/gtest.h>

#include <string>

#include "ui/memo/shared_range.h"

namespace numvora {
namespace {

TEST(SharedRange, TheSelectionsLinesOrTheBlockAtTheCaret) {
    // Positions: 점심 12,000원 0-9, break 10; 커피 4,500원 11-19, break 20; 21 empty, break 21; 합계 22-23.
    const std::wstring memo = L"점심 12,000원\r커피 4,500원\r\r합계";
    TextMirror<wchar_t> mirror;
    mirror.assign(memo);
    NoteBook book;
    book.assign("점심 12,000원\n커피 4,500원\n\n합계");
    const struct {
        std::size_t start, end;
        LineSpan lines;
    } rows[] = {
        {3, 3, {0, 2}},                    // the caret in a block
        {21, 21, {2, 0}},                  // on an empty line: nothing
        {23, 23, {3, 1}}, {3, 5, {0, 1}},  // inside one line: that line
        {5, 14, {0, 2}},                   // across two
        {0, 11, {0, 1}},                   // down to the next line's start: the first alone
        {0, 24, {0, 4}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(shared_lines(book, mirror, row.start, row.end), row.lines) << row.start << "-" << row.end;
}

}  // namespace
}  // namespace numvora
