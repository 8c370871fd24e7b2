// The particles a Korean word takes by how its last character is read aloud: 을 or 를,
// 은 or 는 ("'삼겹살'을", "'월세'를", "'x'는"). Digits read as 영 일 이 …, Latin letters as
// their names (엘, 엠, 엔, 알 end in a consonant).
#pragma once

#include <string>
#include <string_view>

namespace numvora {

enum class Ending { Consonant, Vowel, Unknown };

// How a character is read aloud at its end; Unknown for a sign.
Ending ending_of(char32_t c);

// The form of a particle after a word whose last character ends so: after_consonant
// ("을", "은"), after_vowel ("를", "는"), or both ("을(를)") when that is not known.
std::string particle_after(Ending ending, std::string_view after_consonant, std::string_view after_vowel);

// "'word'을" or "'word'를": a word quoted in a message; "'word'을(를)" when its last
// character says nothing (a sign).
std::string quoted_object(std::string_view word);
// "'word'은" or "'word'는", the same way.
std::string quoted_topic(std::string_view word);

}  // namespace numvora
