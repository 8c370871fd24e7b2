// The calculator's rules without a window: calculate, history, reuse, the grouping
// toggle, the carried texts and the operand chaining.
#include <gtest/gtest.h>

#include "session/calculator_session.h"

namespace numvora {
namespace {

TEST(CalculatorSession, CalculateTable) {
    const struct {
        const char* box;
        bool group;
        const char* label;
        std::optional<HistoryRecord> record;
        bool listed = true;  // the record goes into the history
    } rows[] = {
        {"1+2", false, "3", HistoryRecord{"1+2", "3"}},
        {"0.1+0.2", false, "0.3", HistoryRecord{"0.1+0.2", "0.3"}},
        {"1234*1000", true, "1,234,000", HistoryRecord{"1234*1000", "1234000"}},
        {"1,234+1", true, "1,235", HistoryRecord{"1234+1", "1235"}},
        {" 1,2 * 3 ", false, "36", HistoryRecord{" 12 * 3 ", "36"}},  // spaces are kept
        {"1/0", false, "오류: 0으로 나눌 수 없습니다.", std::nullopt},
        {"", true, "오류: 계산식을 입력해 주세요.", std::nullopt},
        {"55만*12", true, "6,600,000", HistoryRecord{"550000*12", "6600000"}},
        {"12만 3천원 / 3", false, "41000", HistoryRecord{"123000 / 3", "41000"}},
        {"₩1,234,000 × 2", false, "2468000", HistoryRecord{"1234000 * 2", "2468000"}},
        {"삼만 오천 + 5,000", false, "40000", HistoryRecord{"35000 + 5000", "40000"}},
        {"(￦ 1.5만 − 천원) ÷ 0.50", false, "28000", HistoryRecord{"(15000 - 1000) / 0.50", "28000"}},
        {"12오", false, "오류: '오'는 계산식에 쓸 수 없습니다.", std::nullopt},  // a digit word alone is a word
        {"12 @ 3", false, "오류: '@'는 계산식에 쓸 수 없습니다.", std::nullopt},
        {"사과 + 3", false, "오류: '사'는 계산식에 쓸 수 없습니다.", std::nullopt},  // no 4 inside a word
        {"3잔 + 1", false, "오류: '잔'은 계산식에 쓸 수 없습니다.", std::nullopt},
        {"$12 + 1만", false, "오류: '$'는 계산식에 쓸 수 없습니다.", std::nullopt},
        {"5\x7F", false, "오류: 지원하지 않는 문자가 포함되어 있습니다.", std::nullopt},
        // A figure alone is shown and carried, but is no calculation.
        {"12,000", true, "12,000", HistoryRecord{"12000", "12000"}, false},
        {"-(+5천원)", false, "-5000", HistoryRecord{"-(+5000)", "-5000"}, false},
    };
    for (const auto& row : rows) {
        CalculatorSession session;
        session.group_thousands = row.group;
        const Calculation c = session.calculate(row.box);
        EXPECT_EQ(c.label_text, row.label) << row.box;
        EXPECT_EQ(c.record, row.record) << row.box;
        if (!c.record) continue;
        session.remember(*c.record);
        EXPECT_EQ(session.history.size(), row.listed ? 1U : 0U) << row.box;
        EXPECT_EQ(session.carry_text(CarryForm::Result), row.label) << row.box;
    }
}

// What F9 calculates in the memo shows with the unit the memo writes after the figure,
// in the label, the history and a reuse, while the record keeps the figure.
TEST(CalculatorSession, NotesCalculationsShowTheirUnits) {
    const struct {
        const char* expression;
        const char* result;
        bool group;
        std::string label;
        const char* line;  // the history's; empty: none
    } rows[] = {
        {"84㎡ 평", "25.41", false, "25.41평", "84㎡ 평 = 25.41평"},
        {"32평 ㎡", "105.79", false, "105.79㎡", "32평 ㎡ = 105.79㎡"},
        {"4000㎡ 평", "1210.00", true, "1,210.00평", "4,000㎡ 평 = 1,210.00평"},
        {"2027-03-01 - 2026-12-08", "83", false, "83일", "2027-03-01 - 2026-12-08 = 83일"},
        {"84㎡", "84.00", false, "84.00", ""},  // "84㎡ =": one figure
    };
    for (const auto& row : rows) {
        CalculatorSession session;
        session.group_thousands = row.group;
        const Calculation c = session.calculated(row.expression, row.result);
        EXPECT_EQ(c.label_text, row.label) << row.expression;
        ASSERT_TRUE(c.record);
        session.remember(*c.record);
        EXPECT_EQ(session.last_result, row.result) << row.expression;
        EXPECT_EQ(session.regrouped_label(), row.label) << row.expression;
        EXPECT_EQ(session.result_label_text(), row.label) << row.expression;
        EXPECT_EQ(session.history_lines(), std::vector<std::string>(*row.line == 0 ? 0 : 1, row.line))
            << row.expression;
        if (*row.line != 0) {
            EXPECT_EQ(session.reuse(0)->label_text, "기록에서 가져온 값: " + row.label);
        }
    }
}

TEST(CalculatorSession, HistoryKeepsTheTwentyNewest) {
    CalculatorSession session;
    for (int i = 1; i <= 21; ++i) session.remember({std::to_string(i) + "+0", std::to_string(i)});
    ASSERT_EQ(session.history.size(), 20u);
    EXPECT_EQ(session.history.front(), (HistoryRecord{"21+0", "21"}));
    EXPECT_EQ(session.history.back(), (HistoryRecord{"2+0", "2"}));
    EXPECT_EQ(session.last_expression, "21+0");
    session.remember({"21+0", "21"});  // no duplicate test
    EXPECT_EQ(session.history_lines()[0], session.history_lines()[1]);

    session.forget_last();
    EXPECT_FALSE(session.last_result || session.last_expression);
    EXPECT_EQ(session.history.size(), 20u);  // an error leaves the history alone
}

TEST(CalculatorSession, ToggleReRendersEveryText) {
    CalculatorSession session;
    session.remember({"1234*1000", "1234000"});
    session.remember({"0.5+1", "1.5"});
    const struct {
        bool group;
        std::vector<std::string> lines;
        const char* label;
        const char* carried;
    } rows[] = {
        {true, {"0.5+1 = 1.5", "1,234*1,000 = 1,234,000"}, "1.5", "0.5+1 = 1.5"},
        {false, {"0.5+1 = 1.5", "1234*1000 = 1234000"}, "1.5", "0.5+1 = 1.5"},
    };
    for (const auto& row : rows) {
        session.group_thousands = row.group;
        EXPECT_EQ(session.history_lines(), row.lines);
        EXPECT_EQ(session.regrouped_label(), row.label);
        EXPECT_EQ(session.carry_text(CarryForm::ExpressionAndResult), row.carried);
    }
    session.take_over(session.history[1]);
    session.group_thousands = true;
    EXPECT_EQ(session.carry_text(CarryForm::Result), "1,234,000");
    EXPECT_EQ(session.carry_text(CarryForm::ExpressionAndResult), "1,234*1,000 = 1,234,000");
    EXPECT_EQ(session.regrouped_label(), "1,234,000");  // the reuse prefix is gone
}

TEST(CalculatorSession, CarryTextsNeedTheirCalculation) {
    CalculatorSession session;
    EXPECT_EQ(session.carry_text(CarryForm::Result), std::nullopt);
    EXPECT_EQ(session.carry_text(CarryForm::ExpressionAndResult), std::nullopt);
    EXPECT_EQ(session.regrouped_label(), std::nullopt);
    session.last_result = "5";  // a document with a result but no expression
    EXPECT_EQ(session.carry_text(CarryForm::Result), "5");
    EXPECT_EQ(session.carry_text(CarryForm::ExpressionAndResult), std::nullopt);
}

// A carried text keeps a space from a figure on either side of it, and from a word after it.
TEST(CalculatorSession, ACarriedTextKeepsClearOfTheFiguresAroundIt) {
    const struct {
        char32_t preceding;
        char32_t following;
        const char* inserted;
    } rows[] = {
        {U'0', 0, " 55500"},        // "회비: 55500" carried again
        {U'９', U'택', " 55500 "},  // a full-width digit before, a word after
        {U' ', U'\r', "55500"},
        {U'시', U'(', "55500"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(memo_insertion("55500", row.preceding, row.following), row.inserted) << row.inserted;
}

// An expression typed since the last calculation is new; the grouping of its figures is no change.
TEST(CalculatorSession, ABoxTypedSinceTheLastCalculationIsNew) {
    CalculatorSession session;
    EXPECT_FALSE(session.box_is_new(" "));
    EXPECT_TRUE(session.box_is_new("3*4"));
    session.saw_box("1234*2");
    EXPECT_FALSE(session.box_is_new("1,234*2"));
    EXPECT_TRUE(session.box_is_new("1,234*3"));
}

TEST(CalculatorSession, ReuseTakesTheRecordNotTheLine) {
    CalculatorSession session;
    session.group_thousands = true;
    const std::string long_result = "1" + std::string(400, '0');
    session.remember({"10^400", long_result});
    session.remember({"1+2", "3"});
    for (const std::int64_t index : {-1, 2, 99}) EXPECT_FALSE(session.reuse(index)) << index;
    const std::optional<HistoryReuse> first = session.reuse(0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->expression_text, "3");
    EXPECT_EQ(first->label_text, "기록에서 가져온 값: 3");
    const std::optional<HistoryReuse> second = session.reuse(1);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->record.result, long_result);
    EXPECT_EQ(second->expression_text, session.expression_text(long_result));
}

TEST(CalculatorSession, OperandChaining) {
    CalculatorSession session;
    const struct {
        const char* box;
        std::optional<std::string> last_result;
        const char* operand;
        std::optional<char> op;
        const char* expression;
    } rows[] = {
        {"", std::nullopt, "1234.5", '+', "(0) + (1234.5)"},
        {"12", std::nullopt, "3", '*', "(12) * (3)"},
        {"(12) * (3)", "36", "3", '+', "((12) * (3)) + (3)"},
        {"", "36", "4", '-', "(36) - (4)"},
        {" \u3000", "36", "4", '/', "(36) / (4)"},  // white space only counts as empty
        {"1,234", std::nullopt, "2", '-', "(1234) - (2)"},
        {" 7 ", std::nullopt, "2", '+', "( 7 ) + (2)"},    // not trimmed
        {"99", "36", "(1 + 2)", std::nullopt, "(1 + 2)"},  // "=": the operand alone
    };
    for (const auto& row : rows) {
        session.last_result = row.last_result;
        EXPECT_EQ(session.operand_expression(row.box, row.operand, row.op), row.expression) << row.box;
    }
    // 12 ×> 3 = 36, then +> 3 on the box that still holds the first expression.
    session.last_result.reset();
    std::string box = session.operand_expression("12", "3", '*');
    EXPECT_EQ(session.calculate(box).label_text, "36");
    box = session.operand_expression(box, "3", '+');
    EXPECT_EQ(session.calculate(box).label_text, "39");
}

TEST(CalculatorSession, DocumentsCarryTheCalculation) {
    CalculatorSession session;
    session.group_thousands = true;
    session.remember({"1234*2", "2468"});
    const PadDocument saved = session.to_document("memo", "1,234 + 5");
    EXPECT_EQ(saved, (PadDocument{"memo", "1234 + 5", "1234*2", "2468", {{"1234*2", "2468"}}}));

    PadDocument loaded;
    loaded.last_result = "1234567";
    for (int i = 0; i < 25; ++i) loaded.history.push_back({std::to_string(i), std::to_string(i)});
    session.take_document(loaded);
    EXPECT_EQ(session.last_expression, std::nullopt);
    ASSERT_EQ(session.history.size(), 20u);
    EXPECT_EQ(session.history.front().result, "0");
    EXPECT_EQ(session.result_label_text(), "1,234,567");
    session.take_document(PadDocument{});
    EXPECT_EQ(session.result_label_text(), INITIAL_RESULT_TEXT);
    EXPECT_TRUE(session.history.empty());
}

}  // namespace
}  // namespace numvora
