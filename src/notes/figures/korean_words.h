// Words of Korean that figures are read and written with, each kept once: the digits and
// units of numbers in words, and what may stick to a figure's last word without making it
// part of a name.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace numvora {

// 일 to 구: the digits 1 to 9, read ("오천") and written ("일금 오천원정") alike.
inline constexpr std::string_view HANGUL_DIGITS[] = {"일", "이", "삼", "사", "오", "육", "칠", "팔", "구"};

// A unit and the power of ten it stands for: 십 백 천 within a group of four digits, and
// 만 억 조 over the groups.
struct NumberUnit {
    std::string_view word;
    std::size_t power;
};
inline constexpr NumberUnit SMALL_UNITS[] = {{"십", 1}, {"백", 2}, {"천", 3}};
inline constexpr NumberUnit LARGE_UNITS[] = {{"만", 4}, {"억", 8}, {"조", 12}};

// ₩ and its full-width form before a figure.
inline constexpr std::string_view WON_SIGNS[] = {"₩", "￦"};

// "3만원씩", "4,500원짜리", "2잔이", "12월의", "4억 2천에".
inline constexpr std::string_view PARTICLES[] = {
    "이",   "가",     "을",     "를",   "은",   "는",   "의",   "에",   "에서", "으로", "로",   "와",    "과",
    "도",   "만",     "씩",     "짜리", "까지", "부터", "쯤",   "정도", "이고", "이며", "이나", "나",    "인데",
    "이다", "입니다", "이에요", "예요", "요",   "만큼", "가량", "어치", "씩이", "이라", "라",   "이네요"};

constexpr bool is_particle(std::string_view run) {
    return std::find(std::begin(PARTICLES), std::end(PARTICLES), run) != std::end(PARTICLES);
}

}  // namespace numvora
