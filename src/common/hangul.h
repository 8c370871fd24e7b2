// The Hangul block of Unicode, as every reader and writer of Korean text here takes it.
#pragma once

namespace numvora {

// A precomposed syllable, 가 to 힣.
constexpr bool is_hangul_syllable(char32_t c) { return c >= 0xAC00 && c <= 0xD7A3; }
// A syllable or a letter of its own: the jamo and the compatibility jamo ("ㄴ", "ㅇㅇ").
constexpr bool is_hangul(char32_t c) {
    return is_hangul_syllable(c) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F);
}
// A syllable that ends in a consonant (받침): "삼", "원"; not "이", "가".
constexpr bool has_final_consonant(char32_t syllable) { return (syllable - 0xAC00) % 28 != 0; }

}  // namespace numvora
