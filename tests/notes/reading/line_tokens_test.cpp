// What the lexer tells of a line without reading all of it, and the tokens one reading
// shares: each must say what the whole tokens of the same text say.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "notes/reading/line_tokens.h"

namespace numvora::notes_detail {
namespace {

TEST(LineTokens, AWordOrMoneyIsToldAsTheTokensTellIt) {
    const struct {
        std::string_view text;
        bool word;   // its first token is a word
        bool money;  // a figure in it is written as money
    } rows[] = {
        {"점심 12,000원", true, true},
        {"오천원 환불", false, true},        // a digit syllable opens a number word
        {"만원 두 장", false, true},         // and so does a unit
        {"천백원", false, true},             // a small unit first
        {"억 단위", true, false},            // a large unit alone, no number
        {"한잔 4,500원", false, true},       // a native numeral before a counter
        {"다섯 개 3,000원", false, true},    // one of two syllables
        {"x2 12,000원", false, true},        // an x before a figure multiplies
        {"Bus 1,500원", true, true},         // any other letter opens a word
        {"삼겹살 2인분 3만원", true, true},  // a digit syllable that opens no number
        {"2001년 1월 1일 (월)", false, false},
        {"3잔 4,500원", false, true},  // money after a figure that is none
        {"9.4% 2026-12-08 S24", false, false},
        {"USD 20", true, true},
        {"3,000원 2차 9.4% 12월", false, true},  // money first, figures of none after it
        {"2차 9.4% 12월 3,000원", false, true},  // and before it
    };
    for (const auto& row : rows) {
        EXPECT_EQ(opens_word(row.text), row.word) << row.text;
        EXPECT_EQ(holds_money(row.text), row.money) << row.text;
        EXPECT_EQ(holds_money(tokenize_line(row.text)), row.money) << row.text;  // cut whole, for its reading too
    }
}

// Each way of writing a currency, right after a figure and, but for a sign, a space after it.
TEST(LineTokens, EveryCurrencyIsReadAfterAFigure) {
    for (const CurrencyForm& form : CURRENCY_FORMS) {
        for (const std::string_view gap : {"", " "}) {
            if (form.mark == CurrencyMark::Sign && !gap.empty()) continue;
            const std::string text = "5" + std::string(gap) + std::string(form.written);
            const std::vector<Token> tokens = tokenize_line(text);
            ASSERT_FALSE(tokens.empty()) << text;
            EXPECT_TRUE(tokens.front().marks.foreign) << text;
            EXPECT_EQ(tokens.front().currency, form.written) << text;
        }
    }
}

TEST(LineTokens, AMemoKnowsEachCutByWhereItLiesAndHowItIsCut) {
    std::string line = "- 점심 12/7 4,500원 ";
    const std::string_view whole = line;
    const struct {
        std::string_view cut;
        bool split_joined;
        std::string_view cleared_for = {};  // the memo cleared and the line written so in place first
    } rows[] = {
        {whole, false},
        {whole.substr(0, whole.size() - 1), false},  // the same start, shorter
        {whole.substr(2), false},                    // the item after its mark
        {whole, true},                               // "12/7" a division, not a date
        {whole.substr(2), false},                    // asked again
        {whole, false, "1+2+3+4+5+6+7+8+9+10+11"},   // the next line where the last lay
        {whole.substr(2), false},                    // its room kept, cut anew
        // An item after its mark is the line's cut after the mark, unless what opens it
        // reads otherwise behind a sign.
        {whole, false, "- 오천 밥 1/7 450   "},
        {whole.substr(2), false},  // "오천" a figure after "-", a word alone
        {whole, false, "- x2 5,000             "},
        {whole.substr(2), false},  // "x2" a multiplication opening a text
        {whole, false, "R$ 밥 5               "},
        {whole.substr(3), false},  // 5 in no known dollar after "R$", a number alone
    };
    TokenMemo memo;
    for (const auto& row : rows) {
        if (!row.cleared_for.empty()) {
            memo.clear();
            line.replace(0, line.size(), row.cleared_for);
        }
        const std::vector<Token> fresh = tokenize_line(row.cut, row.split_joined);
        const std::vector<Token>& kept = memo.tokens(row.cut, row.split_joined);
        ASSERT_EQ(kept.size(), fresh.size()) << row.cut;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            EXPECT_EQ(kept[i].kind, fresh[i].kind) << row.cut << " " << i;
            EXPECT_EQ(kept[i].begin, fresh[i].begin) << row.cut << " " << i;
            EXPECT_EQ(kept[i].end, fresh[i].end) << row.cut << " " << i;
            EXPECT_EQ(kept[i].value, fresh[i].value) << row.cut << " " << i;
            EXPECT_EQ(kept[i].marks.unclear, fresh[i].marks.unclear) << row.cut << " " << i;
            EXPECT_EQ(kept[i].spaced_after, fresh[i].spaced_after) << row.cut << " " << i;
        }
    }
}

}  // namespace
}  // namespace numvora::notes_detail
