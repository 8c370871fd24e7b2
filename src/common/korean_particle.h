// The object particle a Korean word takes: 을 after a final consonant, 를 after a vowel
// ("'삼겹살'을", "'월세'를"), judged by how the word's last character is read aloud.
#pragma once

#include <string>
#include <string_view>

namespace numvora {

// "'word'을" or "'word'를": a word quoted in a message; "'word'을(를)" when its last
// character says nothing (a sign).
std::string quoted_object(std::string_view word);

}  // namespace numvora
