// Unicode scalar handling shared by the engine and the storage codec. Texts are UTF-8;
// malformed input never crashes a reader: each invalid byte decodes as U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace numvora {

inline constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

// Decodes the scalar value starting at text[pos] and advances pos past it. A byte that
// does not begin a well-formed sequence (overlong, surrogate, beyond U+10FFFF,
// truncated) yields U+FFFD and advances by exactly one byte. Requires pos < size.
char32_t decode_utf8(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a scalar value (a surrogate or out-of-range value is
// written as U+FFFD).
void append_utf8(std::string& out, char32_t scalar);

bool is_valid_utf8(std::string_view text);

constexpr bool is_ascii_digit(char c) { return c >= '0' && c <= '9'; }

// Unicode White_Space property.
constexpr bool is_white_space(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// Removes White_Space scalars from both ends.
std::string_view trim_white_space(std::string_view text);

}  // namespace numvora
