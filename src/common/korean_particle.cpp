#include "common/korean_particle.h"

#include "common/hangul.h"
#include "common/unicode.h"

namespace numvora {

Ending ending_of(char32_t c) {
    if (is_hangul_syllable(c)) return has_final_consonant(c) ? Ending::Consonant : Ending::Vowel;
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

std::string particle_after(Ending ending, std::string_view after_consonant, std::string_view after_vowel) {
    switch (ending) {
    case Ending::Consonant: return std::string(after_consonant);
    case Ending::Vowel: return std::string(after_vowel);
    case Ending::Unknown: break;
    }
    std::string both(after_consonant);
    both += '(';
    both += after_vowel;
    both += ')';
    return both;
}

namespace {

std::string quoted(std::string_view word, std::string_view after_consonant, std::string_view after_vowel) {
    // "'펜션 45만 (예약금 10만 냄)'을": a closing bracket is not read aloud, its last word is.
    char32_t last = 0;
    for (std::size_t pos = 0; pos < word.size();) {
        const char32_t c = decode_utf8(word, pos);
        if (!is_white_space(c) && c != U')' && c != U']' && c != U'）') last = c;
    }
    std::string out = "'";
    out += word;
    out += "'";
    out += particle_after(ending_of(last), after_consonant, after_vowel);
    return out;
}

}  // namespace

std::string quoted_object(std::string_view word) { return quoted(word, "을", "를"); }

std::string quoted_topic(std::string_view word) { return quoted(word, "은", "는"); }

}  // namespace numvora
