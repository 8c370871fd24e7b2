// A boxed value is copied, set and compared as the optional it stands for.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/boxed.h"

namespace numvora {
namespace {

TEST(Boxed, CopiesSetsAndComparesAsAnOptional) {
    const std::optional<std::string> rows[] = {std::nullopt, "1380", "a value too long to be held in its string"};
    Boxed<std::string> other;
    other = std::string("other");
    for (const auto& row : rows) {
        Boxed<std::string> set;
        set = std::string("before");
        set = row;
        const Boxed<std::string> copied = set;
        Boxed<std::string> assigned = other;
        assigned = copied;
        const Boxed<std::string>* const boxes[] = {&set, &copied, &assigned};
        for (const Boxed<std::string>* boxed : boxes) {
            EXPECT_EQ(boxed->has_value(), row.has_value()) << row.value_or("none");
            EXPECT_TRUE(*boxed == row) << row.value_or("none");
            EXPECT_FALSE(*boxed == other) << row.value_or("none");
            EXPECT_FALSE(*boxed == std::optional<std::string>("other")) << row.value_or("none");
        }
    }
}

TEST(BoxedText, ReadsCopiesAndComparesAsItsString) {
    for (const std::string row : {"", "$", "a reason too long to be held in its string"}) {
        BoxedText set;
        set = "before";
        set = row;
        const BoxedText copied = set;
        BoxedText assigned;
        assigned = "other";
        assigned = copied;
        const BoxedText* const boxes[] = {&set, &copied, &assigned};
        for (const BoxedText* boxed : boxes) {
            EXPECT_EQ(boxed->empty(), row.empty()) << row;
            EXPECT_EQ(boxed->str(), row);
            EXPECT_TRUE(*boxed == row) << row;
            EXPECT_EQ("'" + *boxed + "'", "'" + row + "'");
        }
    }
}

}  // namespace
}  // namespace numvora
