#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "notes/note_reader.h"

using namespace numvora;

namespace {

// Totals of notes as a person writes them, and what the status line says about them.
TEST(AmountsTotal, Table) {
    const struct {
        std::string text;
        std::optional<std::string> total;  // nothing: nothing to add
        std::string status;
    } rows[] = {
        {"12월 7일 점심 12,000원\n커피 2잔 9,000원\n오후 3시 택시 8,300원", "29300",
         "3개를 더했습니다 (날짜·시간 3개, 개수 1개 제외)"},
        {"월세 55만원\n관리비 12만 3천원\n전기 3만 2,500원", "705500", "3개를 더했습니다"},
        {"사과 3개\n배 2개", "5", "2개를 더했습니다"},
        {"식비 98,500\n커피 4,500원 A4 2장", "103000", "2개를 더했습니다 (개수 1개 제외)"},
        {"3만원씩 4명", "30000", "1개를 더했습니다 (개수 1개 제외)"},
        {"2024년 연봉 4,200만원", "42000000", "1개를 더했습니다 (날짜·시간 1개 제외)"},
        {"오후 3시 30분 회의, 커피 4,500원", "4500", "1개를 더했습니다 (날짜·시간 2개 제외)"},
        {"회의 2026-12-07 14:30", std::nullopt, "더할 숫자가 없습니다"},
        {"2025년 1월 관리비 123,000원 / 3명 식사 45,000원", "168000",
         "2개를 더했습니다 (날짜·시간 2개, 개수 1개 제외)"},
        // Durations before counts; a spaced word counts only standing alone.
        {"3개월 5 시간 2일간 오전 9 -1,000 주식 5 명 2 명이 1마리", "-998",
         "2개를 더했습니다 (날짜·시간 4개, 개수 2개 제외)"},
        {"식비 1,000\n교통 2,000\n소계: 3,000\r\n커피 500\r합계 = 3,500", "3500", "3개를 더했습니다"},
        {"12,000원\n2시간 주차", "12000", "1개를 더했습니다 (날짜·시간 1개 제외)"},
        {"", std::nullopt, "더할 숫자가 없습니다"},
    };
    for (const auto& row : rows) {
        const NoteAmounts amounts = read_amounts(row.text);
        const Result<std::string, CalcError> total = amounts_total(amounts);
        EXPECT_EQ(total ? std::optional(*total) : std::nullopt, row.total) << row.text;
        EXPECT_EQ(total_status_text(amounts), row.status) << row.text;
    }
}

// What F9 gives the last line of a text: its expression's value or its block's total.
TEST(LineResult, Table) {
    const struct {
        std::string text;
        std::optional<std::string> result;  // nothing: a failure
    } rows[] = {
        {"12,000원 + 4,500원 =", "16500"},
        {"12만 + 3천 =", "123000"},
        {"1억 2천만 / 12 =", "10000000"},
        {"커피 1,000원 x 3", "3000"},
        {"1/0 =", std::nullopt},
        {"메모\n\n12월 7일 점심 12,000원\r\n커피 2잔 9,000원\n오후 3시 택시 8,300원\n합계", "29300"},
        {"소계 = 5\n택시 8,300원\n-300\n총계: 1,000원 ", "8000"},
        {"식비 5,000\n \n합", std::nullopt},
        {"합계", std::nullopt},
    };
    for (const auto& row : rows) {
        const std::size_t begin = row.text.find_last_of('\n') + 1;
        const Result<std::string, CalcError> result = line_result(row.text, begin, row.text.size());
        EXPECT_EQ(result ? std::optional(*result) : std::nullopt, row.result) << row.text;
    }
}

TEST(ReadTotalLine, Table) {
    const struct {
        std::string line;
        std::optional<std::size_t> word_end, line_end;
    } rows[] = {
        {"합계", 6, 6},
        {" 총합 : 29,300원  ", 7, 21},
        {"소계=-1.5", 6, 11},
        {"합계 = 3 = 4", std::nullopt, std::nullopt},
        {"합격", std::nullopt, std::nullopt},
        {"합계\n\n5", std::nullopt, std::nullopt},
        {"합계 (식비)", std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        const std::optional<TotalLine> line = read_total_line(row.line);
        EXPECT_EQ(line ? std::optional(line->word_end) : std::nullopt, row.word_end) << row.line;
        EXPECT_EQ(line ? std::optional(line->line_end) : std::nullopt, row.line_end) << row.line;
    }
}

}  // namespace
