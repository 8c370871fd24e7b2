// What lines of notes add up to: each line's result, the total lines, the total of a
// selection, and that the margin, F9 and the selection total agree on every block.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "calculator/evaluate.h"
#include "notes/book/note_blocks.h"
#include "notes/book/notebook.h"
#include "notes/shown_plainly.h"

namespace numvora {
namespace {

// The total of a selection as the memo's book takes it, of a memo that is all selected.
NotesSum selection_total(std::string_view text) {
    NoteBook book;
    book.assign(text);
    return book.selection_total(0, text);
}

std::vector<std::string> results_of(std::string_view text) {
    NoteBook book;
    book.assign(text);
    std::vector<std::string> got;
    for (std::size_t line = 0; line < book.size(); ++line) got.push_back(shown_plainly(book, line));
    return got;
}

TEST(NoteLines, BrokenAtCrLfAndCrLf) {
    const struct {
        std::string_view text;
        std::vector<std::string_view> lines;
    } rows[] = {{"", {""}},
                {"점심 9,000", {"점심 9,000"}},
                {"a\r\nb\r\n", {"a", "b", ""}},
                {"a\nb", {"a", "b"}},
                {"a\rb\r", {"a", "b", ""}},
                {"a\n\rb", {"a", "", "b"}},
                {"\r\r\n\n", {"", "", "", ""}}};
    for (const auto& row : rows) EXPECT_EQ(note_lines(row.text), row.lines) << row.text;
}

TEST(LineResults, ExpressionsAmountsAndBlocks) {
    const struct {
        std::string_view text;
        std::vector<std::string> results;  // "" for a line that shows nothing
    } rows[] = {
        {"점심 12,000원\n커피 4,500원 x 2\n합계", {"12000", "9000", "21000"}},
        {"12,000원 + 4,500원\n12만 + 3천 =\n1억 2천만 / 12 =", {"16500", "12만 3,000", "1,000만"}},
        {"(1+2)*3\n-7\n3 - 10", {"9", "", "-7"}},
        {"관리비 123,000원\n식비 98,500 커피 4,500원\n커피 2잔 9,000원", {"123000", "", "9000"}},
        {"회의 2026-12-07 14:30\n2026-12-07\n12/7 오후", {"", "", ""}},
        {"5 / 0\n(3 + 4\n1+2 = 3", {"", "", "3"}},
        // A bare figure is money where its paragraph holds money: a total line asks for it.
        {"100\n\n200\n300.5\n합계", {"", "", "200", "300.5", "500.5"}},
        {"1\n2\n합계\n3\n총계 = 99\n소계:", {"1", "2", "3", "3", "3", ""}},
        // An old result after the word is still a total line.
        // A total word with an amount under a block's end is that amount, named.
        {"-2,000\n합 : 5\n합계 12,000원\n합계표 2장", {"-2000", "-2000", "12000", ""}},
        // Counts are added only where nothing else is; a named figure never is.
        // A count shows nothing on its own line, and is added only where nothing else is.
        {"회비 30,000\n참석 12명\n합계", {"30000", "", "30000"}},
        {"사료 48,900\n츄르 20개입 x 2\n합계", {"48900", "40", "48900"}},        // a few of a count too
        {"에어팟 359,000\n에어팟 프로 2 x 1\n합계", {"359000", "2", "359000"}},  // and single digits alone
        {"테 189,000\n렌즈 1.67 압축 x 2\n합계", {"189000", "3.34", "189000"}},  // or a fraction under 100
        {"흑백 45장 x 50\n제본 3,000\n합계", {"2250", "3000", "5250"}},          // where that is a price
        // Durations are added where no amount is; a date or an area never is.
        {"월 09:00~18:00\n화 8시간 30분\n참석 3명\n합계", {"9시간", "8시간 30분", "", "17시간 30분"}},
        {"근무 8시간\n점심 12,000원\n2026-12-08 + 1일\n84㎡ 평\n합계",
         {"8시간", "12000", "2026-12-09 (수)", "25.41평", "12000"}},
        {"사과 3개\n배 2개\n합계", {"", "", "5"}},
        // A total of the won alone passes foreign money over rather than giving no figure.
        {"커피 6,100\n해외결제 $23.99\n원화 합계\n\n커피 6,100\n해외결제 $23.99\n합계",
         {"6100", "$23.99", "6100", "", "6100", "$23.99", ""}},
        {"커피 6,100\n해외결제 $23.99\n원화 소계\n\n택시 14,300\n소계\n\n총계",
         {"6100", "$23.99", "6100", "", "14300", "14300", "", ""}},  // the grand total still passes none
        {"고기 186,000\n2차 노래방 40,000\n합계", {"186000", "40000", "226000"}},
        {"양파 1망 3,980\n두부 2모 2,400\n계란 30구 7,990\n대파 1단 2,500\n합계",
         {"3980", "2400", "7990", "2500", "16870"}},
        // 총계 after 소계 lines adds their results, across empty lines between sections.
        {"식비 10,000\n교통 5,000\n소계\n\n숙박 100,000\n소계\n\n총계",
         {"10000", "5000", "15000", "", "100000", "100000", "", "115000"}},
        {"A 10\n소계\nB 20\n총합계", {"10", "10", "20", "30"}},
        // Past an empty line a labelled total adds its own paragraph, or with none the sections.
        {"식비 10,000\n소계\n\n숙박 100,000\n소계\n\n11월 총",
         {"10000", "10000", "", "100000", "100000", "", "110000"}},
        {"식비 10,000\n소계\n\n국민연금 3,000\n공제 합계", {"10000", "10000", "", "3000", "3000"}},
        // Among amounts in won, a figure under 100 counts something else.
        {"지각 1회 2천\n민지 지각 3\n합계", {"2000", "", "2000"}},
        {"소파 2,000\n배송비 0\n합계", {"2000", "0", "2000"}},  // but none to pay is nothing in won
        // A grouped figure fused to a syllable no figure takes is money mistyped: no total.
        {"아아 2,000\n다이소 7,000웜\n합계", {"2000", "", ""}},
        {"아아 2,000\n고구마 2,5000\n합계", {"2000", "", ""}},  // and a comma out of place
        // A figure its writer worked out that the line does not give: no total either.
        {"빨대 9,500\n우유 1L x 24 = 55200\n합계", {"9500", "", ""}},
        // A grand total adds the 소계 sections above it and its own lines no 소계 covers,
        // across a gap, unless a heading opens its paragraph or a list there writes money
        // unlike them (a note of its own); a section closed without 소계 ends the chain.
        {"A 10\n소계\n\n점심 12,000\n합계", {"10", "10", "", "12000", "12010"}},
        {"A 10\n소계\n\n결혼 10만\n돌 20만\n총", {"10", "10", "", "10만", "20만", "30만"}},
        {"A 10만\n소계\n\n7월 412원\n9월 411원\n합계", {"10만", "10만", "", "412", "411", "823"}},
        {"재료 18,000\n소계\n\n월요일\n아아 4.500원\n합", {"18000", "18000", "", "", "4500", "4500"}},
        {"재료 18,000\n소계\n\n다낭 4명\n풀빌라 560,000\n합", {"18000", "18000", "", "", "560000", "560000"}},
        {"재료 18,000\n소계\n\n월\n마트 32,400\n소계\n화\n주유 55,000\n소계\n총계",
         {"18000", "18000", "", "", "32400", "32400", "", "55000", "55000", "87400"}},
        {"A 10\n소계\nB 7\n\n총계", {"10", "10", "7", "", ""}},
        {"1\n소계\n메모\n합계\n2\n합계", {"1", "1", "", "1", "2", "2"}},
        // Sections keep what they added apart: counts and hours never join money.
        {"커피 2잔\n소계\n\n8시간\n소계\n\n점심 12,000\n합계", {"", "2", "", "8시간", "8시간", "", "12000", "12000"}},
        // A chain adds once, by its last value, and goes on only from the line right above.
        {"식비 200,000\n+ 외식 85,000\n+ 배달 43,000\n소계", {"200000", "285000", "328000", "328000"}},
        {"월세 55만원\n위 * 12\n\n카드 내역\n+ 5,000\n합계", {"55만원", "660만원", "", "", "5000", "5000"}},
        {"소계 = 5\n택시 8,300원\n-300\n총계: 1,000원 ", {"5", "8300", "-300", "8005"}},
    };
    for (const auto& row : rows) EXPECT_EQ(results_of(row.text), row.results) << row.text;
    NoteBook book;  // and F9 on it so
    book.assign("커피 6,100\n해외결제 $23.99\n원화 합계");
    EXPECT_EQ(total_status_text(book.total_at(2)), "1개를 더했습니다 (외화 $23.99 제외)");
}

// Totals of selections as a person writes them, and what the status line says.
TEST(SelectionTotal, AddsLineResultsAndSaysWhatItPassedOver) {
    const struct {
        std::string text;
        std::string total;  // "" when nothing is added
        std::string status;
    } rows[] = {
        // A month, a day or a time of day labels its line: no figure passed over.
        {"12월 7일 점심 12,000원\n커피 2잔 9,000원\n오후 3시 택시 8,300원", "29300",
         "3개를 더했습니다 (개수 1개 제외)"},
        {"월세 55만원\n관리비 12만 3천원\n전기 3만 2,500원", "705500", "3개를 더했습니다"},
        {"사과 3개\n배 2개", "5", "2개를 더했습니다"},
        {"식비 98,500\n커피 4,500원 A4 2장", "103000", "2개를 더했습니다 (개수 1개 제외)"},
        {"3만원씩 4명", "30000", "1개를 더했습니다 (개수 1개 제외)"},
        {"수학 주2회 x 4주\n회당 5만 x 8", "400000", "1개를 더했습니다 (개수 1개 제외)"},
        {"2024년 연봉 4,200만원", "42000000", "1개를 더했습니다"},
        {"오후 3시 30분 회의, 커피 4,500원", "4500", "1개를 더했습니다"},
        {"회의 2026-12-07 14:30", "", "더할 숫자가 없습니다 (날짜·시간 1개 제외)"},
        // Within one line, the amounts it covers.
        {"2025년 1월 관리비 123,000원 / 3명 식사 45,000원", "168000", "2개를 더했습니다 (개수 1개 제외)"},
        {"3개월 5 시간 2일간 오전 9 -1,000 주식 5 명 2 명이 1마리", "-1000",
         "1개를 더했습니다 (날짜·시간 1개, 개수 2개 제외)"},
        {"식비 1,000\n교통 2,000\n소계: 3,000\r\n커피 500\r합계 = 3,500", "3500", "3개를 더했습니다"},
        {"12,000원\n2시간 주차", "12000", "1개를 더했습니다 (날짜·시간 1개 제외)"},
        {"전용 84㎡ 평\n매매 5억", "500000000", "1개를 더했습니다 (면적 1개 제외)"},
        // What an hour pays is no amount: the hours add up.
        {"시급 10,030\n12:00~18:00\n14:00~19:00", "660", "2개를 더했습니다 (시급 1개 제외)"},
        {"편의점 시간당: 9,860원\n4시간", "240", "1개를 더했습니다 (시급 1개 제외)"},
        {"통상시급 15,200원\n18시간 x 15,200 x 1.5", "410400", "1개를 더했습니다 (시급 1개 제외)"},
        // Nor the price of one of a unit, where a restaurant's bill is one.
        {"a 개당 1,000\nb 인당 1,000\nc 장당 1,000\nd 건당 1,000\ne 1박당 1,000\nf 명당 1,000\ng 병당 1,000\n"
         "h 잔당 1,000\ni 평당 1,000\nj 포당 1,000\nk 팩당 1,000\nl 리터당 1,000\n식당 5,000",
         "5000", "1개를 더했습니다 (단가 12개 제외)"},
        // Nor each one's share or one share's price, nor a weight or a distance worked with no money.
        {"회비 3만씩\n식대 312,000", "312000", "1개를 더했습니다 (씩 금액 1개 제외)"},
        {"기존 40주 평단 58,000\n40 x 58,000", "2320000", "1개를 더했습니다 (평단 1개 제외)"},
        {"평단가 9,000\n10 x 9,000", "90000", "1개를 더했습니다 (평단 1개 제외)"},
        {"대여료 86,400\n주행 212km x 190", "86400", "1개를 더했습니다 (개수 1개 제외)"},
        // Within one line, durations where there is no amount (in minutes).
        {"월 9시간 화 8시간 30분", "1050", "2개를 더했습니다"},
        {"커피 4,500 x 2\n케이크 32,000", "41000", "2개를 더했습니다"},
        {"예산 3~5만원\n숙박 240,000원\n수수료 3.3%", "240000", "1개를 더했습니다 (비율 1개, 범위 2개 제외)"},
        // A line with money that reads as no one figure, or foreign money with no rate, leaves
        // the total without a figure: a total never passes over what it could not add.
        {"점심 12,000 저녁 15,000\n커피 4,500원", "", "'점심 12,000 저녁 15,000'을 읽지 못해 합계를 내지 않았습니다"},
        {"항공 $320\n호텔 40달러\n라멘 1,200엔\n숙박 240,000원", "",
         "외화 $360, 1,200엔의 환율이 없어 합계를 내지 않았습니다"},
        {"5만원 + 3만 ++ 2만", "", "'5만원 + 3만 ++ 2만'을 읽지 못해 합계를 내지 않았습니다"},
        {"호텔 €142\n저녁 €28,50", "", "'저녁 €28,50'을 읽지 못해 합계를 내지 않았습니다"},  // in one currency too
        {"", "", "더할 숫자가 없습니다"},
        {"전용 84㎡ (25.4평)", "", "더할 숫자가 없습니다 (면적 1개 제외)"},
    };
    for (const auto& row : rows) {
        const NotesSum sum = selection_total(row.text);
        EXPECT_EQ(sum.value, row.total) << row.text;
        EXPECT_EQ(total_status_text(sum), row.status) << row.text;
    }
}

// Foreign money is never added into won, and a chain of it is passed over once.
TEST(SelectionTotal, ForeignResultsArePassedOver) {
    LineReading hotel;
    hotel.kind = LineKind::Expression;
    hotel.value = "360";
    hotel.currency = "USD";
    LineReading nights = hotel;
    nights.value = "720";
    nights.continues = true;
    LineReading meals;
    meals.kind = LineKind::Amount;
    meals.value = "85000";
    ResultSum sum;
    for (const LineReading& reading : {hotel, nights, meals}) sum.take(reading);
    EXPECT_EQ(sum.sum().value, "85000");
    EXPECT_EQ(total_status_text(sum.sum()), "1개를 더했습니다 (외화 USD 720 제외)");
}

TEST(SelectionTotal, SumExpressionEvaluates) {
    const struct {
        std::vector<std::string> values;
        std::string expression;
        double total;
    } rows[] = {
        {{"-2000", "50000", "-0.5", "-1000"}, "-2000 + 50000 - 0.5 - 1000", 46999.5},
        {{"1234.25", "0.75"}, "1234.25 + 0.75", 1235},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(sum_expression(row.values), row.expression);
        EXPECT_EQ(*evaluate(row.expression), row.total) << row.expression;
    }
}

TEST(SelectionTotal, OneMebibyteSelection) {
    const std::string block = "점심 김밥 12,500원\n회비 5만 3천원 (A4 용지)\n환불 −2,000\n2026-03-12 정산\n";
    std::string notes;
    std::size_t blocks = 0;
    for (; notes.size() < (1u << 20); ++blocks) notes += block;
    const NotesSum sum = selection_total(notes);
    ASSERT_EQ(sum.added.size(), 3 * blocks);
    EXPECT_EQ(*evaluate(sum_expression(sum.added)), 63500.0 * static_cast<double>(blocks));
}

// Notes Koreans keep, each block ending in its total line: the margin beside it, what F9
// writes on it and the total of a selection of the block all say the same figure, as the
// program reads them.
TEST(Agreement, MarginF9TotalLineAndSelectionTotal) {
    const struct {
        std::string_view text;
        std::string total;
    } rows[] = {
        {"12월 가계부\n월세 550,000\n관리비 12만 3천원\n전기요금 32,500원\n가스 2만 8천원\n인터넷 33,000\n"
         "통신비 (아이폰 15) 89,000원\n소계",
         "855500"},
        {"식비 32만원\n교통 6만 5천원\n경조사 10만원 (12/14 결혼식)\n소계\n\n숙박 240,000원\n소계\n\n총계", "725000"},
        {"회비 정산 12/7 송년회\n1차 고기집 186,000원\n2차 노래방 40,000원\n3차 편의점 12,800원\n참석 6명\n합계",
         "238800"},
        {"장보기 (이마트 12/6)\n우유 2개 5,980원\n계란 30구 7,990\n사과 1봉 12,900원\n삼겹살 600g 15,600원\n"
         "할인 -3,000\n합계",
         "39470"},
        {"월급 명세 2026년 11월\n기본급 3,200,000\n식대 200,000\n국민연금 4.5% 144,000원\n건강보험 3.545%\n"
         "실수령 3,200,000 + 200,000 - 144,000 - 113,440 =\n합계",
         "6686560"},
        {"할부\n맥북 프로 16인치 3,690,000원 / 12개월 =\n갤럭시 S24 울트라 1,698,400원 24개월 할부\n합계", "2005900"},
        {"연락처 010-1234-5678\n주소 서울시 강남구 테헤란로 123\n101동 1203호\n우편번호 06236\n회의 오후 3시 30분\n"
         "택시 1만 2천원\n합계",
         "12000"},
        {"부가세 포함 55,000원의 10%\n공급가 50,000 + 10%\n정가 129,000원 30% 할인\n예산 30~50만원\n"
         "커피 4,500원 x 3잔 =\n적금 월 50만원 × 12개월\n이자 3.5%\n배달비 3천원씩 2번\n총합계",
         "6164300"},
        {"환불:-5,000\n(-5,000)\n₩-5,000\n−5,000\n합", "-20000"},
        {"오천원\n만원\n삼만 원\n십만원\n3백만원\n2천5백만원\n합계금액", "28145000"},
        {"점심 12,000\n+ 커피 4,500\n합계", "16500"},
        // The week: two sections, the first closed by its 소계, a gap, then 합계.
        {"12/1 점심 12,000원\n12/2 택시 8,500원\n12/3 장보기 23,000원\n12/4 점심 12,000원\n소계\n\n"
         "12/5 회식 20,000원\n12/6 영화 14,000원\n합계",
         "89500"},
    };
    for (const auto& row : rows) {
        NoteBook book;
        book.assign(row.text);
        const std::size_t last = book.size() - 1;
        ASSERT_EQ(book.reading(last).kind, LineKind::Total) << row.text;
        const std::string_view block = row.text.substr(0, row.text.rfind('\n') + 1);
        EXPECT_EQ(book.result(last).value_or(""), row.total) << row.text;
        EXPECT_EQ(book.total_at(last).value, row.total) << row.text;
        EXPECT_EQ(book.selection_total(0, block).value, row.total) << row.text;
    }
}

}  // namespace
}  // namespace numvora
