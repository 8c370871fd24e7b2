// Unicode scalar handling shared by the engine and the storage codec. Texts are UTF-8;
// malformed input never crashes a reader: each invalid byte decodes as U+FFFD.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace numvora {

inline constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;

// A byte that continues a multi-byte sequence (10xxxxxx).
constexpr bool is_utf8_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes the scalar value starting at text[pos] and advances pos past it. A byte that
// does not begin a well-formed sequence (overlong, surrogate, beyond U+10FFFF,
// truncated) yields U+FFFD and advances by exactly one byte. Requires pos < size.
char32_t decode_utf8(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a scalar value (a surrogate or out-of-range value is
// written as U+FFFD).
void append_utf8(std::string& out, char32_t scalar);

// Appends a scalar as decode_utf8 read it from its bytes: as they stand, or U+FFFD for a
// stray byte.
inline void append_decoded(std::string& out, std::string_view bytes, char32_t scalar) {
    if (scalar == REPLACEMENT_CHARACTER && bytes.size() == 1)
        append_utf8(out, REPLACEMENT_CHARACTER);
    else
        out.append(bytes);
}

// Copies the scalar starting at text[pos] to out and advances pos past it; a byte that
// is not well-formed UTF-8 becomes U+FFFD, so that the copy is always valid UTF-8.
// Requires pos < size.
void copy_scalar(std::string& out, std::string_view text, std::size_t& pos);

// The text without its commas, each non-ASCII scalar copied as copy_scalar does unless
// substitute(out, scalar) appends something in its place and answers true.
template <class Substitute>
std::string copy_without_commas(std::string_view text, Substitute substitute) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        // ASCII stretches go across in bulk; only commas and non-ASCII bytes need a look.
        std::size_t run = pos;
        while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80 && text[run] != ',') ++run;
        out.append(text, pos, run - pos);
        pos = run;
        if (pos == text.size()) break;
        if (text[pos] == ',') {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t c = decode_utf8(text, pos);
        if (!substitute(out, c)) append_decoded(out, text.substr(start, pos - start), c);
    }
    return out;
}

bool is_valid_utf8(std::string_view text);

constexpr bool is_ascii_digit(char c) { return c >= '0' && c <= '9'; }

// At least one character, every one an ASCII digit.
constexpr bool all_ascii_digits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (!is_ascii_digit(c)) return false;
    }
    return true;
}

// text.find_first_of(bytes) in one pass: the standard one looks each byte of the text up
// in the set with a call of its own, which every line of notes pays on every byte. One
// byte or two are looked for with memchr, which passes many bytes at a time: most lines
// hold neither.
inline std::size_t find_byte_of(std::string_view text, std::string_view bytes) {
    if (text.empty()) return std::string_view::npos;
    if (bytes.size() <= 2) {
        std::size_t first = text.size();
        for (const char b : bytes) {
            if (const void* at = std::memchr(text.data(), b, first); at != nullptr)
                first = static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
        }
        return first < text.size() ? first : std::string_view::npos;
    }
    std::array<bool, 256> set{};
    for (const char b : bytes) set[static_cast<unsigned char>(b)] = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (set[static_cast<unsigned char>(text[i])]) return i;
    }
    return std::string_view::npos;
}

// text.find(word, from), the word looked for by its last byte: in Korean text the lead bytes
// of syllables come back every few bytes, and the standard one compares at each of them.
std::size_t find_text(std::string_view text, std::string_view word, std::size_t from = 0);

// Where the first line break is (CR, LF, VT, FF, NEL, LS or PS), npos for none. A lead
// byte is never inside another sequence, so the breaks are found by their bytes.
std::size_t find_line_break(std::string_view text);

// Unicode White_Space property.
constexpr bool is_white_space(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// A letter or a digit of any script: the scalar a figure would run into. The
// punctuation, symbol, arrow, box-drawing and emoji blocks, white space, combining marks
// and the full-width forms' punctuation are not.
bool is_letter_or_digit(char32_t c);

// The text's first count scalars (all of it when shorter): a long text named by its start.
std::string_view first_scalars(std::string_view text, std::size_t count);

// The bytes a white space scalar opens and ends with in well-formed UTF-8: a text whose
// ends are letters or syllables, as most are, is settled at a look.
constexpr bool may_open_white_space(unsigned char b) {
    return (b >= 0x09 && b <= 0x0D) || b == 0x20 || b == 0xC2 || (b >= 0xE1 && b <= 0xE3);
}
constexpr bool may_end_white_space(unsigned char b) {
    return (b >= 0x09 && b <= 0x0D) || b == 0x20 || (b >= 0x80 && b <= 0x8A) || b == 0x9F || b == 0xA0 || b == 0xA8 ||
           b == 0xA9 || b == 0xAF;
}

// Removes White_Space scalars from both ends.
std::string_view trim_white_space_at_ends(std::string_view text);
// The same, with no call where the two end bytes settle it: readers of notes trim every
// line and part they take.
inline std::string_view trim_white_space(std::string_view text) {
    if (text.empty() || (!may_open_white_space(static_cast<unsigned char>(text.front())) &&
                         !may_end_white_space(static_cast<unsigned char>(text.back()))))
        return text;
    return trim_white_space_at_ends(text);
}

}  // namespace numvora
