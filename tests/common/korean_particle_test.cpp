// The object particle follows how the word's last character is read aloud.
#include <gtest/gtest.h>

#include <string>

#include "common/korean_particle.h"

namespace numvora {
namespace {

TEST(ObjectParticle, FollowsTheLastSound) {
    const struct {
        std::string word, quoted;
    } rows[] = {
        {"삼겹살", "'삼겹살'을"},
        {"월세", "'월세'를"},
        {"12, 300", "'12, 300'을"},
        {"8 300원", "'8 300원'을"},
        {"S24", "'S24'를"},
        {"RTX 4090", "'RTX 4090'을"},
        {"html", "'html'을"},
        {"USD", "'USD'를"},
        {"관리비 ", "'관리비 '를"},
        {"$", "'$'을(를)"},
        {"", "''을(를)"},
        {"펜션 45만 (예약금 10만 냄)", "'펜션 45만 (예약금 10만 냄)'을"},
        {"[국민] 입금 9,800", "'[국민] 입금 9,800'을"},
        {"세트 (2개)", "'세트 (2개)'를"},
        {"택시 [야간]", "'택시 [야간]'을"},
        {"커피 （2잔）", "'커피 （2잔）'을"},
    };
    for (const auto& row : rows) EXPECT_EQ(quoted_object(row.word), row.quoted) << row.word;
}

}  // namespace
}  // namespace numvora
