// The caret rules of the expression box, counted in UTF-16 units over UTF-8 texts.
#include <gtest/gtest.h>

#include "session/expression_caret.h"

namespace numvora {
namespace {

const std::string FACE = "\U0001F600";  // two UTF-16 units

TEST(ExpressionCaret, RegroupsOnlyWhatChanges) {
    EXPECT_EQ(regrouped_expression("1234567", true), "1,234,567");
    EXPECT_EQ(regrouped_expression("1,234.5678", false), "1234.5678");
    EXPECT_EQ(regrouped_expression("1234.5678", true), "1,234.5678");
    EXPECT_EQ(regrouped_expression("(1234+5678)*2", true), "(1,234+5,678)*2");
    for (const char* settled : {"1,234", "123+456", ""}) EXPECT_EQ(regrouped_expression(settled, true), std::nullopt);
    EXPECT_EQ(regrouped_expression("1234", false), std::nullopt);
}

TEST(ExpressionCaret, KeepsTheCaretAfterTheSameCharacter) {
    const struct {
        std::string old_text;
        std::string new_text;
        CaretRange caret;
        CaretRange expected;
    } rows[] = {
        {"1234567", "1,234,567", {7, 7}, {9, 9}},  // typed at the end
        {"1234", "1,234", {1, 1}, {1, 1}},         // the new comma lies after the caret
        {"1234", "1,234", {2, 2}, {3, 3}},
        {"1,234", "1234", {5, 5}, {4, 4}},      // grouping switched off
        {"1,234", "1234", {2, 2}, {1, 1}},      // right after a removed comma
        {"12,34,5", "12,345", {4, 4}, {4, 4}},  // commas on both sides of the caret
        {"12,34,5", "12,345", {3, 6}, {2, 5}},  // a selection maps both ends
        {"1234+5678", "1,234+5,678", {0, 0}, {0, 0}},
        {"1234+5678", "1,234+5,678", {6, 9}, {7, 11}},
        {FACE + "1234", FACE + "1,234", {3, 3}, {3, 3}},  // after a pair, before a new comma
        {FACE + "1234", FACE + "1,234", {6, 6}, {7, 7}},
        {FACE + "1234", FACE + "1,234", {1, 1}, {1, 1}},  // inside the pair stays inside
        {"1234" + FACE + "5678", "1,234" + FACE + "5,678", {7, 7}, {8, 8}},
        {"1234", "1,234", {40, 40}, {5, 5}},  // past the end: the new end
    };
    for (const auto& row : rows) {
        EXPECT_EQ(map_caret(row.old_text, row.new_text, row.caret), row.expected)
            << row.old_text << " [" << row.caret.start << ", " << row.caret.end << "]";
    }
}

TEST(ExpressionCaret, BackspaceTakesASurrogatePairWhole) {
    const struct {
        std::string text;
        CaretRange selection;
        std::size_t from;
    } rows[] = {
        {"12+3", {4, 4}, 3},      {"12+3", {0, 0}, 0},     {"12+3", {1, 1}, 0},
        {"12+3", {1, 3}, 1},      {"a" + FACE, {3, 3}, 1}, {FACE, {2, 2}, 0},
        {FACE + FACE, {4, 4}, 2}, {"a" + FACE, {2, 2}, 1},  // between the halves: one unit
        {"가나", {2, 2}, 1},
    };
    for (const auto& row : rows) EXPECT_EQ(backspace_start(row.text, row.selection), row.from) << row.text;
    EXPECT_EQ(utf16_length("a" + FACE + "가"), 4u);
}

}  // namespace
}  // namespace numvora
