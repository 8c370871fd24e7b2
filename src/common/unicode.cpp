#include "common/unicode.h"

#include <cstring>

namespace numvora {

namespace {

// Length of the well-formed sequence at pos, or 0 when the byte there starts none.
// Follows the well-formed byte table of the Unicode standard (no overlongs, no
// surrogates, nothing above U+10FFFF).
std::size_t sequence_length(std::string_view text, std::size_t pos) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const std::size_t left = text.size() - pos;
    const unsigned char b0 = at(0);
    if (b0 < 0x80) return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) return left >= 2 && is_utf8_continuation(at(1)) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3) return 0;
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        return at(1) >= lo && at(1) <= hi && is_utf8_continuation(at(2)) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4) return 0;
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        return at(1) >= lo && at(1) <= hi && is_utf8_continuation(at(2)) && is_utf8_continuation(at(3)) ? 4 : 0;
    }
    return 0;
}

}  // namespace

char32_t decode_utf8(std::string_view text, std::size_t& pos) {
    const std::size_t length = sequence_length(text, pos);
    const auto byte = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(text[pos + i])); };
    char32_t scalar = REPLACEMENT_CHARACTER;
    switch (length) {
    case 1: scalar = byte(0); break;
    case 2: scalar = ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F); break;
    case 3: scalar = ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F); break;
    case 4:
        scalar = ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
        break;
    default: break;
    }
    pos += length == 0 ? 1 : length;
    return scalar;
}

void append_utf8(std::string& out, char32_t c) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = REPLACEMENT_CHARACTER;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool is_valid_utf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        // ASCII fast path: most stored text is plain ASCII (hex values, numbers).
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t length = sequence_length(text, pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

void copy_scalar(std::string& out, std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    const char32_t c = decode_utf8(text, pos);
    append_decoded(out, text.substr(start, pos - start), c);
}

namespace {

constexpr std::uint64_t EACH_BYTE = 0x0101010101010101;
constexpr std::uint64_t HIGH_BITS = EACH_BYTE * 0x80;

// Whether one of the eight bytes of a word is below n (n at most 0x80), or equals b.
constexpr bool has_byte_below(std::uint64_t word, unsigned char n) {
    return ((word - EACH_BYTE * n) & ~word & HIGH_BITS) != 0;
}
constexpr bool has_byte(std::uint64_t word, unsigned char b) { return has_byte_below(word ^ (EACH_BYTE * b), 1); }

}  // namespace

std::size_t find_text(std::string_view text, std::string_view word, std::size_t from) {
    if (word.empty()) return from <= text.size() ? from : std::string_view::npos;
    if (from > text.size() || word.size() > text.size() - from) return std::string_view::npos;
    const std::size_t before = word.size() - 1;  // bytes of the word before its last
    for (std::size_t at = from + before; at < text.size(); ++at) {
        const void* last = std::memchr(text.data() + at, word.back(), text.size() - at);
        if (last == nullptr) return std::string_view::npos;
        at = static_cast<std::size_t>(static_cast<const char*>(last) - text.data());
        if (text.compare(at - before, before, word.data(), before) == 0) return at - before;
    }
    return std::string_view::npos;
}

std::size_t find_line_break(std::string_view text) {
    const auto may_break = [&](std::size_t at) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, 8);
        return has_byte_below(word, '\r' + 1) || has_byte(word, 0xC2) || has_byte(word, 0xE2);
    };
    std::size_t i = 0;
    // Eight bytes at a time, past words that hold no byte a break opens with; the last
    // bytes in the eight that end the text.
    while (i + 8 <= text.size() && !may_break(i)) i += 8;
    if (i < text.size() && text.size() >= 8 && !may_break(text.size() - 8)) return std::string_view::npos;
    for (; i < text.size(); ++i) {
        // Most bytes are none of these: letters, syllables and their continuations.
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte > '\r' && byte != 0xC2 && byte != 0xE2) || byte < '\n') continue;
        const std::string_view next = text.substr(i + 1);
        switch (byte) {
        case '\n':
        case '\v':
        case '\f':
        case '\r': return i;
        case 0xC2:
            if (next.starts_with('\x85')) return i;
            break;
        case 0xE2:
            if (next.starts_with("\x80\xA8") || next.starts_with("\x80\xA9")) return i;
            break;
        default: break;
        }
    }
    return std::string_view::npos;
}

std::string_view trim_white_space_at_ends(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && may_open_white_space(static_cast<unsigned char>(text[begin]))) {
        std::size_t next = begin;
        if (!is_white_space(decode_utf8(text, next))) break;
        begin = next;
    }
    // From the end, one scalar at a time: a well-formed sequence decodes to exactly the
    // end, as it does in a forward pass (a lead byte is never inside another sequence);
    // anything else ends in a stray byte, which is U+FFFD and no white space.
    std::size_t end = text.size();
    while (end > begin && may_end_white_space(static_cast<unsigned char>(text[end - 1]))) {
        std::size_t start = end - 1;
        while (start > begin && end - start < 4 && is_utf8_continuation(static_cast<unsigned char>(text[start])))
            --start;
        std::size_t pos = start;
        const char32_t c = decode_utf8(text, pos);
        if (pos != end || !is_white_space(c)) break;
        end = start;
    }
    return text.substr(begin, end - begin);
}

namespace {

// The blocks beyond ASCII whose scalars are no letters or digits, in order.
struct ScalarRange {
    char32_t first;
    char32_t last;
};
constexpr ScalarRange NO_LETTERS[] = {
    {0x80, 0xA9},     {0xAB, 0xB4},     {0xB6, 0xB9},     {0xBB, 0xBF},       {0xD7, 0xD7},
    {0xF7, 0xF7},     {0x300, 0x36F},   {0x2000, 0x2BFF}, {0x2E00, 0x2E7F},   {0x3000, 0x303F},
    {0x3200, 0x33FF}, {0xE000, 0xF8FF}, {0xFE00, 0xFE6F}, {0xFEFF, 0xFF0F},   {0xFF1A, 0xFF20},
    {0xFF3B, 0xFF40}, {0xFF5B, 0xFF65}, {0xFFE0, 0xFFFF}, {0x1F000, 0x1FBFF}, {0xE0000, 0x10FFFF},
};

}  // namespace

bool is_letter_or_digit(char32_t c) {
    if (c < 0x80) {
        const auto ascii = static_cast<char>(c);
        return is_ascii_digit(ascii) || (ascii >= 'a' && ascii <= 'z') || (ascii >= 'A' && ascii <= 'Z');
    }
    if (is_white_space(c)) return false;
    for (const ScalarRange& range : NO_LETTERS) {
        if (c < range.first) return true;
        if (c <= range.last) return false;
    }
    return true;
}

std::string_view first_scalars(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (; pos < text.size() && count > 0; --count) decode_utf8(text, pos);
    return text.substr(0, pos);
}

}  // namespace numvora
