#include "common/korean_particle.h"

#include "common/unicode.h"

namespace numvora {

namespace {

enum class Ending { Consonant, Vowel, Unknown };

// Digits and Latin letters as they are read: 일 이 삼 …, 엘 엠 엔 알.
Ending ending_of(char32_t c) {
    if (c >= 0xAC00 && c <= 0xD7A3) return (c - 0xAC00) % 28 != 0 ? Ending::Consonant : Ending::Vowel;
    if (c >= U'0' && c <= U'9') {
        // 영 일 이 삼 사 오 육 칠 팔 구; a round number ends in 십, 백, 천 or 만 alike.
        constexpr bool CONSONANT[] = {true, true, false, true, false, false, true, true, true, false};
        return CONSONANT[c - U'0'] ? Ending::Consonant : Ending::Vowel;
    }
    if (c >= U'a' && c <= U'z') c -= U'a' - U'A';
    if (c >= U'A' && c <= U'Z')
        return c == U'L' || c == U'M' || c == U'N' || c == U'R' ? Ending::Consonant : Ending::Vowel;
    return Ending::Unknown;
}

std::string_view object_particle(std::string_view word) {
    char32_t last = 0;
    for (std::size_t pos = 0; pos < word.size();) {
        const char32_t c = decode_utf8(word, pos);
        if (!is_white_space(c)) last = c;
    }
    switch (ending_of(last)) {
    case Ending::Consonant: return "을";
    case Ending::Vowel: return "를";
    case Ending::Unknown: break;
    }
    return "을(를)";
}

}  // namespace

std::string quoted_object(std::string_view word) {
    std::string out = "'";
    out += word;
    out += "'";
    out += object_particle(word);
    return out;
}

}  // namespace numvora
