// Words of Korean that the reading of figures keeps in one place: what may stick to a
// figure's last word without making it part of a name.
#pragma once

#include <algorithm>
#include <iterator>
#include <string_view>

namespace numvora {

// "3만원씩", "4,500원짜리", "2잔이", "12월의", "4억 2천에".
inline constexpr std::string_view PARTICLES[] = {
    "이",   "가",     "을",     "를",   "은",   "는",   "의",   "에",   "에서", "으로", "로",   "와", "과",
    "도",   "만",     "씩",     "짜리", "까지", "부터", "쯤",   "정도", "이고", "이며", "이나", "나", "인데",
    "이다", "입니다", "이에요", "예요", "요",   "만큼", "가량", "어치", "씩이", "이라", "라"};

constexpr bool is_particle(std::string_view run) {
    return std::find(std::begin(PARTICLES), std::end(PARTICLES), run) != std::end(PARTICLES);
}

}  // namespace numvora
